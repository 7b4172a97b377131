// The signals that ask a program to end (SIGTERM, SIGINT, SIGHUP), delivered
// into the Qt event loop. A signal handler may do almost nothing safely, so
// it only writes the signal's number into a pipe; the event loop reads it and
// the program runs its ordinary exit from there.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace quorbell {

class ExitSignalWatcher : public QObject
{
    Q_OBJECT
public:
    // Installs the handlers; only one watcher may exist at a time. A signal
    // that was ignored when the program started (SIGHUP under nohup, SIGINT
    // for a background job) stays ignored.
    explicit ExitSignalWatcher(QObject* parent = nullptr);
    // Puts back the dispositions found at construction.
    ~ExitSignalWatcher() override;

    bool isWatching() const { return m_notifier != nullptr; }

    // The first signal received by the watcher alive now, 0 for none. Set by
    // the handler itself, so it holds even before the event loop has run.
    static int received();

    // Ends the process by the signal with its default action, as if it had
    // never been caught: a shell or a session manager sees the real cause.
    static void endBySignal(int signalNumber);

Q_SIGNALS:
    // Emitted in the event loop, once per signal received.
    void signalled(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace quorbell

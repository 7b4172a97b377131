#include "core/ExitSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace quorbell {
namespace {

constexpr int kWatched[] = {SIGTERM, SIGINT, SIGHUP};

int g_pipe[2] = {-1, -1};
volatile std::sig_atomic_t g_received = 0;
struct sigaction g_previous[3];
bool g_installed[3] = {};

void onSignal(int signalNumber)
{
    // Only async-signal-safe calls here; errno belongs to the interrupted code.
    const int savedErrno = errno;
    if (g_received == 0)
        g_received = signalNumber;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a wake-up; losing this byte loses nothing.
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

ExitSignalWatcher::ExitSignalWatcher(QObject* parent) : QObject(parent)
{
    Q_ASSERT_X(g_pipe[0] < 0, "ExitSignalWatcher", "only one watcher at a time");
    g_received = 0;
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ExitSignalWatcher::readPipe);

    for (int i = 0; i < 3; ++i) {
        struct sigaction current = {};
        if (::sigaction(kWatched[i], nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART; // system calls of the UI thread go on after the handler
        g_installed[i] = ::sigaction(kWatched[i], &action, &g_previous[i]) == 0;
    }
}

ExitSignalWatcher::~ExitSignalWatcher()
{
    for (int i = 0; i < 3; ++i) {
        if (g_installed[i])
            ::sigaction(kWatched[i], &g_previous[i], nullptr);
        g_installed[i] = false;
    }
    delete m_notifier;
    for (int& fd : g_pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    g_received = 0;
}

int ExitSignalWatcher::received()
{
    return g_received;
}

void ExitSignalWatcher::endBySignal(int signalNumber)
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signalNumber, &action, nullptr);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, signalNumber);
    ::sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
    ::raise(signalNumber);
}

void ExitSignalWatcher::readPipe()
{
    unsigned char bytes[16];
    for (;;) {
        const ssize_t n = ::read(g_pipe[0], bytes, sizeof bytes);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // drained (EAGAIN), or the pipe is gone
        for (ssize_t i = 0; i < n; ++i)
            Q_EMIT signalled(int(bytes[i]));
    }
}

} // namespace quorbell

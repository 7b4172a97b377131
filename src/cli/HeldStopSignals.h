// Holding back the signals that stop a command from outside (SIGINT, SIGTERM,
// SIGHUP) while it makes files it must take away again if it is stopped.
#pragma once

#include <signal.h>

namespace quorbell::cli {

// While an object lives, the signals wait instead of ending the process. The
// command asks at safe points whether one came, undoes what it made, and lets
// the object go: the signal then takes effect as it would have at once.
// Signals the process was started with held back or ignored are left alone.
class HeldStopSignals
{
public:
    HeldStopSignals();
    ~HeldStopSignals();
    HeldStopSignals(const HeldStopSignals&) = delete;
    HeldStopSignals& operator=(const HeldStopSignals&) = delete;

    // The signal that came meanwhile; 0 when none did.
    int pending() const;

private:
    sigset_t m_held;
    sigset_t m_previous;
};

} // namespace quorbell::cli

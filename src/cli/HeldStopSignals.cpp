#include "cli/HeldStopSignals.h"

#include <pthread.h>

namespace quorbell::cli {
namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

} // namespace

HeldStopSignals::HeldStopSignals()
{
    pthread_sigmask(SIG_SETMASK, nullptr, &m_previous);
    sigemptyset(&m_held);
    for (const int s : kStopSignals) {
        // An ignored signal never arrives; one held back by whoever started
        // us stays theirs to let through.
        struct sigaction current = {};
        sigaction(s, nullptr, &current);
        if (current.sa_handler != SIG_IGN && !sigismember(&m_previous, s))
            sigaddset(&m_held, s);
    }
    pthread_sigmask(SIG_BLOCK, &m_held, nullptr);
}

HeldStopSignals::~HeldStopSignals()
{
    // A signal that came is delivered now, with its usual effect.
    pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
}

int HeldStopSignals::pending() const
{
    sigset_t waiting;
    sigpending(&waiting);
    for (const int s : kStopSignals) {
        if (sigismember(&m_held, s) && sigismember(&waiting, s))
            return s;
    }
    return 0;
}

} // namespace quorbell::cli

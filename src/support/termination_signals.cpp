#include "termination_signals.h"

#include <pthread.h>

#include <initializer_list>

namespace tavrin {
namespace {

sigset_t TerminationSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaddset(&signals, signal);
    }
    return signals;
}

}  // namespace

TerminationSignalsHeld::TerminationSignalsHeld() {
    const sigset_t signals = TerminationSignals();
    ::pthread_sigmask(SIG_BLOCK, &signals, &m_saved);
}

TerminationSignalsHeld::~TerminationSignalsHeld() {
    ::pthread_sigmask(SIG_SETMASK, &m_saved, nullptr);
}

bool TerminationSignalsHeld::Arrived() const {
    sigset_t pending;
    sigemptyset(&pending);
    ::sigpending(&pending);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        // One the process ignores (nohup, a shell's background job) waits
        // while held off all the same, to be dropped once let through.
        struct sigaction action {};
        if (sigismember(&pending, signal) == 1 && ::sigaction(signal, nullptr, &action) == 0 &&
            action.sa_handler != SIG_IGN) {  // NOLINT(cppcoreguidelines-pro-type-union-access)
            return true;
        }
    }
    return false;
}

}  // namespace tavrin

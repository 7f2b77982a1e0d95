#pragma once

#include <csignal>

namespace tavrin {

// Holds off SIGINT, SIGTERM and SIGHUP for the calling thread while it lives;
// one that arrives meanwhile is delivered when it goes (or when the outermost
// of several goes), so that what was done under it can first be taken back.
// Long work under it asks `Arrived` now and then, and stops.
class TerminationSignalsHeld {
public:
    TerminationSignalsHeld();
    ~TerminationSignalsHeld();
    TerminationSignalsHeld(const TerminationSignalsHeld&) = delete;
    TerminationSignalsHeld& operator=(const TerminationSignalsHeld&) = delete;

    // Whether one of them has arrived and waits.
    [[nodiscard]] bool Arrived() const;

private:
    sigset_t m_saved{};
};

}  // namespace tavrin

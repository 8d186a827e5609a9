#pragma once

#include <functional>

namespace qv {

// SIGTERM (a session's logout), SIGHUP and SIGINT taken as requests to end.
// The handler only writes the signal's number into a pipe; a thread of its own
// reads it there and does the work, outside any signal handler. Programs
// started from this one get the signals' defaults back, as exec gives them.
//
// The first signal goes to onFirst (on that thread), which returns whether it
// took the request up. Otherwise, and on a second signal, the process runs the
// exit clean-ups below and ends at once, reporting that the signal ended it.
// Watching starts once per process; later calls only replace onFirst.
void watchEndSignals(std::function<bool(int signal)> onFirst = {});

// Something to remove should the process end at a signal before its owner lets
// go of it: a shared object's name, a temporary file. Registered for the
// object's lifetime; the action runs on the signal thread and must only unlink.
// The registered clean-ups, run now (what an ending signal runs).
void runExitCleanups();

class ExitCleanup {
public:
    explicit ExitCleanup(std::function<void()> action);
    ~ExitCleanup();
    ExitCleanup(const ExitCleanup&) = delete;
    ExitCleanup& operator=(const ExitCleanup&) = delete;

private:
    friend void runExitCleanups();
    std::function<void()> m_action;
};

} // namespace qv

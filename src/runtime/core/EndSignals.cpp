#include "runtime/core/EndSignals.h"

#include <csignal>
#include <mutex>
#include <pthread.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace qv {

namespace {

constexpr int endSignals[] = {SIGTERM, SIGHUP, SIGINT};

std::mutex& cleanupMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::vector<ExitCleanup*>& cleanups()
{
    static std::vector<ExitCleanup*> list;
    return list;
}

sigset_t endSignalSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (int s : endSignals)
        sigaddset(&set, s);
    return set;
}

// The status a shell and a session expect: the signal's own, not an exit code.
[[noreturn]] void endBySignal(int signal)
{
    runExitCleanups();
    std::signal(signal, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    ::kill(::getpid(), signal);
    ::_exit(128 + signal);
}

} // namespace

ExitCleanup::ExitCleanup(std::function<void()> action) : m_action(std::move(action))
{
    std::lock_guard lock(cleanupMutex());
    cleanups().push_back(this);
}

ExitCleanup::~ExitCleanup()
{
    std::lock_guard lock(cleanupMutex());
    std::erase(cleanups(), this);
}

void runExitCleanups()
{
    std::lock_guard lock(cleanupMutex());
    for (ExitCleanup* c : cleanups()) {
        try {
            c->m_action();
        } catch (...) {
            // Ending anyway: what cannot be removed stays.
        }
    }
}

void watchEndSignals(std::function<bool(int)> onFirst)
{
    static std::mutex handlerMutex;
    static std::function<bool(int)> handler;
    {
        std::lock_guard lock(handlerMutex);
        handler = std::move(onFirst);
    }
    static std::once_flag started;
    std::call_once(started, [] {
        sigset_t const set = endSignalSet();
        pthread_sigmask(SIG_BLOCK, &set, nullptr);
        std::thread([set] {
            bool first = true;
            for (;;) {
                int signal = 0;
                if (sigwait(&set, &signal) != 0)
                    continue;
                std::function<bool(int)> take;
                {
                    std::lock_guard lock(handlerMutex);
                    take = handler;
                }
                if (!first || !take || !take(signal))
                    endBySignal(signal);
                first = false;
            }
        }).detach();
    });
}

} // namespace qv

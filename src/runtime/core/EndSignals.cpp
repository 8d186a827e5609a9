#include "runtime/core/EndSignals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

namespace qv {

namespace {

constexpr int endSignals[] = {SIGTERM, SIGHUP, SIGINT};

int g_signalPipe[2] = {-1, -1};

// Never destroyed: process-wide objects that own shared objects leave the list
// during static destruction, possibly after this file's statics would be gone.
std::mutex& cleanupMutex()
{
    static auto* mutex = new std::mutex;
    return *mutex;
}

std::vector<ExitCleanup*>& cleanups()
{
    static auto* list = new std::vector<ExitCleanup*>;
    return *list;
}

// Only what is safe in a signal handler: one write. errno belongs to the
// interrupted code.
extern "C" void noteEndSignal(int signal)
{
    int const saved = errno;
    auto const byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] ssize_t const written = ::write(g_signalPipe[1], &byte, 1);
    errno = saved;
}

// The status a shell and a session expect: the signal's own, not an exit code.
[[noreturn]] void endBySignal(int signal)
{
    runExitCleanups();
    std::signal(signal, SIG_DFL);
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
        if (::pipe2(g_signalPipe, O_CLOEXEC) != 0)
            return;
        std::thread([] {
            bool first = true;
            for (;;) {
                unsigned char byte = 0;
                ssize_t const got = ::read(g_signalPipe[0], &byte, 1);
                if (got < 0 && errno == EINTR)
                    continue;
                if (got != 1)
                    return;
                int const signal = byte;
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
        struct sigaction action {};
        action.sa_handler = noteEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int s : endSignals)
            ::sigaction(s, &action, nullptr);
    });
}

} // namespace qv

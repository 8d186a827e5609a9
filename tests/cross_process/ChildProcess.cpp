#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args)
{
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0)
        m_pid = pid;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    m_out = pipeFds[0];
}

ChildProcess::~ChildProcess()
{
    if (m_pid > 0 && !m_reaped) {
        ::kill(m_pid, SIGKILL);
        wait(std::chrono::seconds(5));
    }
    if (m_out >= 0)
        ::close(m_out);
}

std::string ChildProcess::readLine(std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        size_t end = m_pending.find('\n');
        if (end != std::string::npos) {
            std::string line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return line;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || m_out < 0)
            return "";
        pollfd p {m_out, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char chunk[4096];
        ssize_t got = ::read(m_out, chunk, sizeof chunk);
        if (got <= 0)
            return "";
        m_pending.append(chunk, static_cast<size_t>(got));
    }
}

bool ChildProcess::expectLine(const std::string& text, std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        std::string line = readLine(left);
        if (line == text)
            return true;
        if (line.empty() && m_pending.empty())
            return false;
    }
    return false;
}

int ChildProcess::wait(std::chrono::milliseconds timeout)
{
    if (m_pid <= 0)
        return -1000;
    if (!m_reaped) {
        auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            pid_t done = ::waitpid(m_pid, &m_status, WNOHANG);
            if (done == m_pid) {
                m_reaped = true;
                break;
            }
            if (std::chrono::steady_clock::now() >= deadline)
                return -1000;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    if (WIFEXITED(m_status))
        return WEXITSTATUS(m_status);
    if (WIFSIGNALED(m_status))
        return -WTERMSIG(m_status);
    return -1000;
}

void ChildProcess::signal(int number)
{
    if (m_pid > 0 && !m_reaped)
        ::kill(m_pid, number);
}

int ChildProcess::stop()
{
    signal(SIGTERM);
    return wait();
}

int64_t monotonicNanos()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// A helper program run as a real process, with its standard output read line by line.
// Every wait is bounded; a child still running when the object goes is killed.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    int pid() const { return m_pid; }
    // The next line of output, or "" when none came in time (or the output ended).
    std::string readLine(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Waits for the first line equal to text.
    bool expectLine(const std::string& text, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // The exit code, -signal when killed by one, or -1000 when it did not end in time.
    int wait(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    void signal(int number);
    // Asks it to stop (SIGTERM) and waits for it.
    int stop();

private:
    int m_pid = -1;
    int m_out = -1;
    std::string m_pending;
    bool m_reaped = false;
    int m_status = 0;
};

// Steady clock in nanoseconds, comparable between processes of the machine.
int64_t monotonicNanos();

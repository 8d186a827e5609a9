#pragma once

#include <atomic>
#include <thread>

namespace qv {

class TRvCustomConnection;

// Offers one connection to engines in other processes: waits on the connection's data
// event and on "RPCONNECT", 1000 ms at a time, and hands each request to the main
// thread, blocking until it has run there.
class TDataConnectThread {
public:
    explicit TDataConnectThread(TRvCustomConnection& connection);
    ~TDataConnectThread();
    TDataConnectThread(const TDataConnectThread&) = delete;
    TDataConnectThread& operator=(const TDataConnectThread&) = delete;

    void RequestStop() { m_stop = true; }
    // Wakes the thread out of its wait so that it sees the stop request.
    void Wake();
    void WaitFor();

private:
    void run();

    TRvCustomConnection& m_connection;
    std::atomic<bool> m_stop {false};
    std::thread m_thread;
};

} // namespace qv

#pragma once

#include "report/data/DataBuffer.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace qv {

class NamedEvent;
class TRvCustomConnection;

// Offers one connection to engines in other processes: waits on the connection's data
// event and on "RPCONNECT", 1000 ms at a time, and hands each request to the main
// thread, blocking until it has run there.
class TDataConnectThread {
public:
    // Opens the shared buffer and events first: an object of those names that cannot
    // be used (another user's, open to others, not a plain object) raises
    // ESharedObjectError here, on the caller's thread, and no thread starts.
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
    // The data and acknowledgement events of the connection's current name and mode.
    void openNamedEvents();
    void serve();

    TRvCustomConnection& m_connection;
    std::shared_ptr<databuffer::Block> m_buffer;
    std::unique_ptr<NamedEvent> m_completed;
    std::unique_ptr<NamedEvent> m_disconnect;
    std::unique_ptr<NamedEvent> m_connect;
    std::unique_ptr<NamedEvent> m_data;
    std::unique_ptr<NamedEvent> m_ack;
    std::string m_openedFor;
    std::atomic<bool> m_stop {false};
    std::thread m_thread;
};

} // namespace qv

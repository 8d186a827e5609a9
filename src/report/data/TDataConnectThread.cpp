#include "report/data/TDataConnectThread.h"

#include "report/data/TDataConnectManager.h"
#include "report/data/TRvCustomConnection.h"
#include "runtime/core/MainThreadCall.h"
#include "runtime/core/NamedEvent.h"

#include <memory>
#include <string>

namespace qv {

namespace {

constexpr auto kListenSlice = std::chrono::milliseconds(1000);
// How often a request that arrived during this process's own report run looks again.
constexpr auto kBusyRetry = std::chrono::milliseconds(100);

} // namespace

TDataConnectThread::TDataConnectThread(TRvCustomConnection& connection)
    : m_connection(connection)
    , m_buffer(databuffer::openOrCreate(databuffer::Reach::Machine, databuffer::kBufferName, databuffer::kBufferSize))
    , m_completed(NamedEvent::open("RPCOMPLETED", NamedEvent::Reset::Auto))
    , m_disconnect(NamedEvent::open("RPDISCONNECT", NamedEvent::Reset::Manual))
    , m_connect(NamedEvent::open("RPCONNECT", NamedEvent::Reset::Auto))
{
    openNamedEvents();
    m_thread = std::thread([this] { run(); });
}

TDataConnectThread::~TDataConnectThread()
{
    RequestStop();
    Wake();
    WaitFor();
}

void TDataConnectThread::Wake()
{
    // Any event of the scope will do: waking rings every waiter, which then looks at its
    // stop flag. The data event itself is not set, since a namesake in another process
    // could take it.
    m_completed->wakeWaiters();
}

void TDataConnectThread::WaitFor()
{
    if (m_thread.joinable())
        m_thread.join();
}

void TDataConnectThread::openNamedEvents()
{
    bool runTime = m_connection.RunTime;
    std::string name = m_connection.Name();
    std::string wanted = (runTime ? "RT:" : "DT:") + name;
    if (wanted == m_openedFor)
        return;
    std::string prefix = runTime ? "RPRT" : "RPDT";
    m_data = NamedEvent::open(prefix + "DATA_" + name, NamedEvent::Reset::Auto);
    m_ack = NamedEvent::open(prefix + "ACK_" + name, NamedEvent::Reset::Auto);
    m_openedFor = wanted;
}

void TDataConnectThread::run()
{
    try {
        serve();
    } catch (const std::exception&) {
        // Shared objects out of reach (a renamed connection's events): the connection
        // stays usable inside the process.
    }
}

void TDataConnectThread::serve()
{
    bool answeredConnect = false;
    uint32_t disconnectsSeen = 0;
    while (!m_stop) {
        openNamedEvents();
        EventWait waits[2] = {waitingOn(*m_data),
            answeredConnect ? EventWait {m_disconnect.get(), disconnectsSeen} : waitingOn(*m_connect)};
        int which = waitForAny(waits, kListenSlice, &m_stop);
        if (which == kWaitTimedOut || which == kWaitStopped)
            continue;
        if (which == 1) {
            if (answeredConnect) {
                answeredConnect = false;
                continue;
            }
            // Answer one listing, then stay out of it until the engine ends it.
            disconnectsSeen = m_disconnect->pulseCount();
            m_connection.writeIdentityRecord(*m_buffer);
            answeredConnect = true;
            m_completed->set();
            continue;
        }
        auto action = static_cast<TRpDataAction>(m_connection.requestedAction(*m_buffer));
        if (action == TRpDataAction::Identify) {
            m_connection.writeIdentityRecord(*m_buffer);
            m_ack->set();
            continue;
        }
        // While this program runs a report of its own, the connection's handlers belong
        // to that run; the other engine's request waits until it is over.
        bool served = false;
        bool ran = false;
        do {
            ran = callOnMainThread(
                [&] {
                    if (m_connection.m_connections.runHeld())
                        return;
                    m_connection.serveRemote(m_buffer);
                    served = true;
                },
                m_stop);
            if (ran && !served)
                std::this_thread::sleep_for(kBusyRetry);
        } while (ran && !served && !m_stop);
        if (served && action != TRpDataAction::ReleaseOverflow)
            m_completed->set();
    }
}

} // namespace qv

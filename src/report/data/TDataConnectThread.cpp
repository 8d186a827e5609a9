#include "report/data/TDataConnectThread.h"

#include "report/data/TRvCustomConnection.h"
#include "runtime/core/MainThreadCall.h"
#include "runtime/core/NamedEvent.h"

#include <memory>
#include <string>

namespace qv {

namespace {

constexpr auto kListenSlice = std::chrono::milliseconds(1000);

} // namespace

TDataConnectThread::TDataConnectThread(TRvCustomConnection& connection)
    : m_connection(connection)
{
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
    try {
        NamedEvent::open("RPCOMPLETED", NamedEvent::Reset::Auto)->wakeWaiters();
    } catch (const std::exception&) {
        // Without shared memory the thread still stops at the end of its current wait.
    }
}

void TDataConnectThread::WaitFor()
{
    if (m_thread.joinable())
        m_thread.join();
}

void TDataConnectThread::run()
{
    try {
        auto completed = NamedEvent::open("RPCOMPLETED", NamedEvent::Reset::Auto);
        auto disconnect = NamedEvent::open("RPDISCONNECT", NamedEvent::Reset::Manual);
        auto connect = NamedEvent::open("RPCONNECT", NamedEvent::Reset::Auto);
        std::unique_ptr<NamedEvent> data;
        std::unique_ptr<NamedEvent> ack;
        std::string openedFor;
        bool answeredConnect = false;
        uint32_t disconnectsSeen = 0;

        while (!m_stop) {
            bool runTime = m_connection.RunTime;
            std::string name = m_connection.Name();
            std::string wanted = (runTime ? "RT:" : "DT:") + name;
            if (wanted != openedFor) {
                std::string prefix = runTime ? "RPRT" : "RPDT";
                data = NamedEvent::open(prefix + "DATA_" + name, NamedEvent::Reset::Auto);
                ack = NamedEvent::open(prefix + "ACK_" + name, NamedEvent::Reset::Auto);
                openedFor = wanted;
            }
            EventWait waits[2] = {waitingOn(*data),
                answeredConnect ? EventWait {disconnect.get(), disconnectsSeen} : waitingOn(*connect)};
            int which = waitForAny(waits, kListenSlice, &m_stop);
            if (which == kWaitTimedOut || which == kWaitStopped)
                continue;
            if (which == 1) {
                if (answeredConnect) {
                    answeredConnect = false;
                    continue;
                }
                // Answer one listing, then stay out of it until the engine ends it.
                disconnectsSeen = disconnect->pulseCount();
                m_connection.writeIdentityRecord();
                answeredConnect = true;
                completed->set();
                continue;
            }
            auto action = static_cast<TRpDataAction>(m_connection.requestedAction());
            if (action == TRpDataAction::Identify) {
                m_connection.writeIdentityRecord();
                ack->set();
                continue;
            }
            bool ran = callOnMainThread(
                [this] {
                    try {
                        m_connection.ExecuteAction();
                    } catch (...) {
                        // A failing handler must not take the program down; the engine
                        // gets an empty answer.
                        m_connection.markHeaderEmpty();
                    }
                },
                m_stop);
            if (ran && action != TRpDataAction::ReleaseOverflow)
                completed->set();
        }
    } catch (const std::exception&) {
        // Shared objects out of reach: the connection stays usable inside the process.
    }
}

} // namespace qv

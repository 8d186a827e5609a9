#pragma once

#include "report/data/DataBuffer.h"
#include "report/data/TRvCustomConnection.h"
#include "report/project/ReportErrors.h"

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace qv {

class NamedEvent;
class NamedMutex;
class TDataConnectManager;

// The engine's record of one connected data connection.
struct TRpDataConnection {
    std::string name;
    bool runTime = false;
    uint32_t applicationHandle = 0;
    int32_t version = 0;
    uint32_t objectId = 0;
    TRuntimeVisibility visibility = TRuntimeVisibility::rtDeveloper;
    TRvCustomConnection* connection = nullptr; // in-process connection
    std::shared_ptr<NamedEvent> dataEvent;     // connection of another process
    bool lost = false;                         // that process stopped answering
};

// Reads one answer out of the data buffer (or its overflow block); every
// offset and length is checked against the bytes the answer really holds.
class TRpAnswer {
public:
    TRpAnswer() = default;
    TRpAnswer(std::shared_ptr<const databuffer::Block> block, size_t begin, size_t end);

    bool AtEnd() const { return m_pos >= m_end; }
    size_t Remaining() const { return m_end - m_pos; }
    uint8_t ReadByte();
    int32_t ReadInt32();
    std::string ReadString();
    std::vector<uint8_t> ReadBytes(size_t count);

private:
    void need(size_t count) const;

    std::shared_ptr<const databuffer::Block> m_block;
    size_t m_pos = 0;
    size_t m_end = 0;
};

// Engine side of the data buffer: connects views to connections by name,
// sends requests and reads the answers. The connections of this program are those
// registered with the manager it is given, which must outlive it.
class TRpDataSystem {
public:
    explicit TRpDataSystem(TDataConnectManager& connections);
    ~TRpDataSystem();
    TRpDataSystem(const TRpDataSystem&) = delete;
    TRpDataSystem& operator=(const TRpDataSystem&) = delete;

    // Finds the connection of this name, in this process or offered by another one;
    // reports a failure to the user through messages and returns false (the report is
    // then aborted).
    bool Connect(const std::string& name, TRpDataConnection& record, const report::MessageSink& messages = {});

    // The connections other processes offer: those for end users, or all of them in
    // developer mode.
    std::vector<TRpDataConnection> ListConnections();
    bool DeveloperMode = false;
    // The name a view's connection is looked for under in other processes (the same
    // name when unset).
    std::function<std::string(const std::string& name)> RemoteName;

    // A request to another process waits 100 ms at a time, this many times.
    int RemoteWaitLimit = 600;
    // Called after each unsuccessful wait (the second from the 50th on); false gives up.
    std::function<bool(int waits)> OnWaitProgress;
    std::function<bool(int waits)> OnLongWait;

    // Sends the action and returns its answer. A request with parameters is
    // written first with BeginRequest and the Write... calls. A connection of this
    // process is asked through a buffer of this process, another process's through
    // the user's shared buffer.
    TRpAnswer Request(TRpDataConnection& record, TRpDataAction action);
    void BeginRequest(const TRpDataConnection& record, TRpDataAction action);
    void WriteString(const std::string& text);
    void WriteInt32(int32_t value);
    void WriteBytes(const void* data, size_t count);

    // Control of the data exchange, counted so nested runs do not wait again. A run
    // that talks to other processes takes the user-wide "RPCONTROLER" lock; a run served
    // by connections of this process takes the lock of their manager only, so that no
    // other process can stall it or be stalled by it.
    bool GainControl(std::chrono::milliseconds timeout, databuffer::Reach reach = databuffer::Reach::Machine);
    void ReleaseControl();
    int ControlCount() const { return m_controlCount; }

private:
    TRpAnswer readAnswer(databuffer::Reach reach);
    databuffer::Block& buffer(databuffer::Reach reach);
    NamedMutex& machineControl();
    void writeRequestHeader();
    bool connectRemote(const std::string& name, TRpDataConnection& record, const report::MessageSink& messages);
    std::vector<TRpDataConnection> listAll();
    bool identify(const std::string& name, const std::string& dataEvent, const std::vector<std::string>& ackEvents,
        int waits, TRpDataConnection& record);
    TRpDataConnection readIdentity();
    // Waits for the serving process to complete; false when it did not in time.
    bool awaitCompletion(const std::vector<NamedEvent*>& answers, int waits, const TRpDataConnection* peer);
    void openEvents();

    TDataConnectManager& m_connections;
    std::shared_ptr<databuffer::Block> m_localBuffer;  // made when first needed
    std::shared_ptr<databuffer::Block> m_sharedBuffer; // opened when first needed
    databuffer::Block* m_buffer = nullptr;             // the one requests are written to
    std::shared_ptr<databuffer::Block> m_overflowView;
    size_t m_requestEnd = 0; // past the prepared request, 0 when none is prepared
    int m_controlCount = 0;
    bool m_localHeld = false;
    bool m_machineHeld = false;
    std::unique_ptr<NamedMutex> m_control;
    std::unique_ptr<NamedEvent> m_completed;
    std::unique_ptr<NamedEvent> m_error;
};

} // namespace qv

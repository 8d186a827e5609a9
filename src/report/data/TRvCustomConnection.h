#pragma once

#include "report/data/DataBuffer.h"
#include "report/data/TDataConnectFieldDef.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace qv {

class TDataConnectManager;
class TDataConnectThread;

enum class TRuntimeVisibility { rtNone = 0, rtDeveloper = 1, rtEndUser = 2 };

enum class TRpDataAction : int32_t {
    First = 1,
    Next = 2,
    Eof = 3,
    GetCols = 4,
    GetRow = 5,
    SetFilter = 6,
    GetSorts = 7,
    SetSort = 8,
    Open = 9,
    Restore = 10,
    Identify = 11,
    ReleaseOverflow = 12,
};

constexpr int32_t kDataProtocolVersion = 30003;

// A data connection whose rows come from application code: the handlers
// answer the engine's requests and write the answers with DeclareField and
// WriteStringValue straight into the data buffer.
class TRvCustomConnection {
public:
    using TRPConnectorEvent = std::function<void(TRvCustomConnection&)>;
    using TRPEOFEvent = std::function<void(TRvCustomConnection&, bool& eof)>;
    using TRPValidateRowEvent = std::function<void(TRvCustomConnection&, bool& validRow)>;

    // Registers with connections until destroyed; the manager must outlive it.
    TRvCustomConnection(std::string name, TDataConnectManager& connections);
    ~TRvCustomConnection();
    TRvCustomConnection(const TRvCustomConnection&) = delete;
    TRvCustomConnection& operator=(const TRvCustomConnection&) = delete;

    std::string Name() const;
    void SetName(const std::string& name);

    std::vector<std::string> FieldAliasList; // name=alias lines
    bool LocalFilter = true;
    std::atomic<bool> RunTime {true};            // false in a designer
    std::atomic<uint32_t> ApplicationHandle {0}; // reported in the identity record

    // Whether and to whom the connection is offered to other processes. Offering it
    // starts the listener thread; rtNone stops it.
    TRuntimeVisibility RuntimeVisibility() const { return m_visibility; }
    void SetRuntimeVisibility(TRuntimeVisibility visibility);
    bool Listening() const { return m_listener != nullptr; }
    // Why the connection could not be offered to other processes (empty when it is, or
    // when it was not asked to be); it still serves reports of its own process.
    const std::string& OfferError() const { return m_offerError; }

    int32_t RowCount = 0;
    int32_t RowIndex = 0;

    TRPConnectorEvent OnOpen;
    TRPConnectorEvent OnFirst;
    TRPConnectorEvent OnNext;
    TRPConnectorEvent OnGetCols;
    TRPConnectorEvent OnGetRow;
    TRPConnectorEvent OnSetFilter;
    TRPConnectorEvent OnGetSorts;
    TRPConnectorEvent OnSetSort;
    TRPConnectorEvent OnRestore;
    TRPEOFEvent OnEOF;
    TRPValidateRowEvent OnValidateRow;

    // Older form streams store a Boolean "Visible"; true meant end users see it.
    void ReadVisible(bool visible);

    // Inside OnGetCols.
    void DeclareField(const std::string& name, TRPDataType dataType, int32_t width, const std::string& fullName,
        const std::string& description);
    // Inside OnGetRow, once per declared field in declaration order.
    void WriteStringValue(const std::string& formatted, const std::string& native);
    // Sort names inside OnGetSorts; reading request strings inside OnSetSort and OnSetFilter.
    void WriteString(const std::string& text);
    std::string ReadString();

    // Runs the request that an engine of this process wrote into the data buffer.
    void ExecuteAction();

    const std::vector<TDataConnectFieldDef>& FieldDefs() const { return m_fields; }
    // Identifies this object within the process (identity record).
    uint32_t ObjectId() const { return m_objectId; }

private:
    friend class TDataConnectThread;

    // Used by the listener thread: the action code of the request in the shared buffer,
    // and the identity record written without touching the main thread's write state.
    static int32_t requestedAction(const databuffer::Block& buffer);
    void writeIdentityRecord(databuffer::Block& buffer);
    // On the main thread: runs the request another process wrote into the shared buffer;
    // a failing handler leaves an empty answer.
    void serveRemote(const std::shared_ptr<databuffer::Block>& shared);
    void startListener();
    void stopListener();

    void attachLocalBuffer();
    int32_t readInt32();
    uint8_t readByte();
    std::string readBytes(int32_t count);

    void resetWrite();
    void makeRoom(size_t count);
    void writeBytes(const void* data, size_t count);
    void writeByte(uint8_t value);
    void writeInt32(int32_t value);
    void putInt32(size_t offset, int32_t value);
    void finishHeader();
    void markHeaderEmpty();
    void releaseOverflow();

    bool runEofTest();
    bool produceRow();
    bool validateRow();
    void actionFirst();
    void actionNext();
    void actionSetFilter();
    void actionIdentify();
    std::string aliasFor(const std::string& name) const;

    TDataConnectManager& m_connections;
    mutable std::mutex m_nameLock;
    std::string m_name;
    uint32_t m_objectId = 0;
    std::atomic<TRuntimeVisibility> m_visibility {TRuntimeVisibility::rtDeveloper};
    std::unique_ptr<TDataConnectThread> m_listener;
    std::string m_offerError;
    std::shared_ptr<databuffer::Block> m_localBuffer; // taken at the first request
    std::shared_ptr<databuffer::Block> m_buffer; // the one the current request came in
    databuffer::Reach m_reach = databuffer::Reach::Process;
    std::shared_ptr<databuffer::Block> m_overflow;
    databuffer::Block* m_target = nullptr; // the block being written
    int m_overflowNumber = 0;
    int m_lastOverflowNumber = 0;
    size_t m_writePos = databuffer::kDataOffset;
    size_t m_readPos = databuffer::kDataOffset;

    std::vector<TDataConnectFieldDef> m_fields;
    int m_includedCount = 0;
    size_t m_fieldPos = 0;
    int m_includedPos = 0;
    bool m_rowValid = true;
    size_t m_rowStart = 0;
};

} // namespace qv

#include "report/data/TRvCustomConnection.h"

#include "report/data/TDataConnectManager.h"
#include "report/data/TDataConnectThread.h"
#include "runtime/core/NamedMutex.h"
#include "report/project/ReportErrors.h"
#include "report/snapshot/EReportPrinter.h"
#include "runtime/core/Text.h"

#include <atomic>
#include <climits>
#include <cstring>

namespace qv {

using namespace databuffer;

namespace {

std::string replaceAll(std::string text, const std::string& what, const std::string& with)
{
    size_t at = text.find(what);
    if (at != std::string::npos)
        text.replace(at, what.size(), with);
    return text;
}

EReportPrinter requestError()
{
    return EReportPrinter("Invalid request in the data buffer.");
}

uint32_t nextObjectId()
{
    static std::atomic<uint32_t> counter { 0 };
    return ++counter;
}

} // namespace

TRvCustomConnection::TRvCustomConnection(std::string name, TDataConnectManager& connections)
    : m_connections(connections)
    , m_name(std::move(name))
    , m_objectId(nextObjectId())
{
    m_connections.Add(this);
}

TRvCustomConnection::~TRvCustomConnection()
{
    m_connections.Remove(this);
    stopListener();
}

std::string TRvCustomConnection::Name() const
{
    std::lock_guard guard(m_nameLock);
    return m_name;
}

void TRvCustomConnection::SetName(const std::string& name)
{
    std::lock_guard guard(m_nameLock);
    m_name = name;
}

void TRvCustomConnection::ReadVisible(bool visible)
{
    if (visible)
        SetRuntimeVisibility(TRuntimeVisibility::rtEndUser);
}

void TRvCustomConnection::SetRuntimeVisibility(TRuntimeVisibility visibility)
{
    m_visibility = visibility;
    if (visibility == TRuntimeVisibility::rtNone)
        stopListener();
    else
        startListener();
}

void TRvCustomConnection::startListener()
{
    if (m_listener)
        return;
    try {
        m_listener = std::make_unique<TDataConnectThread>(*this);
        m_offerError.clear();
    } catch (const std::exception& error) {
        // An object planted under one of the shared names (another user's, open to
        // others, a folder or a link) must not take the program down with it.
        m_offerError = error.what();
    }
}

void TRvCustomConnection::stopListener()
{
    if (!m_listener)
        return;
    m_listener->RequestStop();
    // Holding the data control keeps an engine of another process from being left
    // halfway through a request; after a second the thread is stopped regardless.
    std::unique_ptr<NamedMutex> control;
    bool gained = false;
    try {
        control = NamedMutex::open("RPCONTROLER");
        gained = control->tryLockFor(std::chrono::milliseconds(1000));
    } catch (const std::exception&) {
    }
    m_listener->Wake();
    m_listener->WaitFor();
    m_listener.reset();
    if (gained)
        control->unlock();
}

int32_t TRvCustomConnection::requestedAction(const Block& buffer)
{
    return getInt32(buffer, kDataOffset);
}

void TRvCustomConnection::serveRemote(const std::shared_ptr<Block>& shared)
{
    m_buffer = shared;
    m_reach = Reach::Machine;
    try {
        ExecuteAction();
    } catch (...) {
        markHeaderEmpty();
    }
    // The answer's overflow block stays until the next request releases it.
    m_buffer = m_localBuffer;
    m_reach = Reach::Process;
    m_target = m_buffer.get();
}

void TRvCustomConnection::writeIdentityRecord(Block& buffer)
{
    std::string name = Name();
    std::vector<uint8_t> record;
    auto put32 = [&](int32_t value) {
        for (int i = 0; i < 4; ++i)
            record.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i)));
    };
    put32(static_cast<int32_t>(name.size()));
    record.insert(record.end(), name.begin(), name.end());
    record.push_back(RunTime ? 1 : 0);
    put32(static_cast<int32_t>(ApplicationHandle.load()));
    put32(static_cast<int32_t>(m_objectId));
    put32(kDataProtocolVersion);
    put32(static_cast<int32_t>(m_visibility.load()));
    if (record.size() > buffer.size() - kDataOffset) {
        databuffer::putInt32(buffer, kUsedOffset, 0);
        databuffer::putInt32(buffer, kOverflowOffset, 0);
        return;
    }
    std::memcpy(buffer.data() + kDataOffset, record.data(), record.size());
    databuffer::putInt32(buffer, kUsedOffset, static_cast<int32_t>(kDataOffset + record.size()));
    databuffer::putInt32(buffer, kOverflowOffset, 0);
}

// ---- buffer access ----

uint8_t TRvCustomConnection::readByte()
{
    size_t limit = std::min<size_t>(m_buffer->size(), static_cast<size_t>(std::max(0, getInt32(*m_buffer, kUsedOffset))));
    if (m_readPos + 1 > limit)
        throw requestError();
    return (*m_buffer)[m_readPos++];
}

int32_t TRvCustomConnection::readInt32()
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(readByte()) << (8 * i);
    return static_cast<int32_t>(value);
}

std::string TRvCustomConnection::readBytes(int32_t count)
{
    size_t limit = std::min<size_t>(m_buffer->size(), static_cast<size_t>(std::max(0, getInt32(*m_buffer, kUsedOffset))));
    if (count < 0 || m_readPos + static_cast<size_t>(count) > limit)
        throw requestError();
    std::string bytes(reinterpret_cast<const char*>(m_buffer->data() + m_readPos), static_cast<size_t>(count));
    m_readPos += static_cast<size_t>(count);
    return bytes;
}

std::string TRvCustomConnection::ReadString()
{
    attachLocalBuffer();
    return readBytes(readInt32());
}

// The process's exchange block is taken at the first request rather than at creation:
// a window that never runs a report does not fill 64 KB for one at start-up.
void TRvCustomConnection::attachLocalBuffer()
{
    if (m_buffer)
        return;
    if (!m_localBuffer)
        m_localBuffer = openOrCreate(Reach::Process, kBufferName, kBufferSize);
    m_buffer = m_localBuffer;
    m_target = m_buffer.get();
}

void TRvCustomConnection::resetWrite()
{
    m_target = m_buffer.get();
    m_overflowNumber = 0;
    m_writePos = kDataOffset;
}

void TRvCustomConnection::makeRoom(size_t count)
{
    if (m_writePos + count <= m_target->size())
        return;
    size_t needed = m_writePos + count;
    if (needed > static_cast<size_t>(INT32_MAX) - kBufferSize)
        throw EReportPrinter("Data row too large for the data buffer.");
    int number = m_lastOverflowNumber == 1 ? 2 : 1;
    auto block = create(m_reach, overflowName(number), needed + kBufferSize);
    std::memcpy(block->data(), m_target->data(), m_writePos);
    m_overflow = block;
    m_target = block.get();
    m_overflowNumber = number;
    m_lastOverflowNumber = number;
}

void TRvCustomConnection::writeBytes(const void* data, size_t count)
{
    makeRoom(count);
    if (count > 0)
        std::memcpy(m_target->data() + m_writePos, data, count);
    m_writePos += count;
}

void TRvCustomConnection::writeByte(uint8_t value)
{
    writeBytes(&value, 1);
}

void TRvCustomConnection::writeInt32(int32_t value)
{
    makeRoom(4);
    databuffer::putInt32(*m_target, m_writePos, value);
    m_writePos += 4;
}

void TRvCustomConnection::putInt32(size_t offset, int32_t value)
{
    // Only reachable with values written outside their handler; never write past the block.
    if (offset + 4 > m_target->size())
        throw EReportPrinter("Attempt to write more fields than defined.");
    databuffer::putInt32(*m_target, offset, value);
}

void TRvCustomConnection::WriteString(const std::string& text)
{
    attachLocalBuffer();
    if (text.size() > static_cast<size_t>(INT32_MAX))
        throw EReportPrinter("Data row too large for the data buffer.");
    writeInt32(static_cast<int32_t>(text.size()));
    writeBytes(text.data(), text.size());
}

void TRvCustomConnection::finishHeader()
{
    auto used = static_cast<int32_t>(m_writePos);
    if (m_overflowNumber == 0) {
        databuffer::putInt32(*m_buffer, kUsedOffset, used);
        databuffer::putInt32(*m_buffer, kOverflowOffset, 0);
        return;
    }
    databuffer::putInt32(*m_target, kUsedOffset, used);
    databuffer::putInt32(*m_target, kOverflowOffset, 0);
    databuffer::putInt32(*m_buffer, kUsedOffset, 0);
    databuffer::putInt32(*m_buffer, kOverflowOffset, m_overflowNumber);
}

void TRvCustomConnection::markHeaderEmpty()
{
    databuffer::putInt32(*m_buffer, kUsedOffset, 0);
    databuffer::putInt32(*m_buffer, kOverflowOffset, 0);
}

void TRvCustomConnection::releaseOverflow()
{
    m_overflow.reset();
    m_target = m_buffer.get();
}

// ---- fields and values ----

std::string TRvCustomConnection::aliasFor(const std::string& name) const
{
    for (const std::string& line : FieldAliasList) {
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        if (sameText(trim(line.substr(0, equals), blanksWithLineEnds), name))
            return trim(line.substr(equals + 1), blanksWithLineEnds);
    }
    return name;
}

void TRvCustomConnection::DeclareField(const std::string& name, TRPDataType dataType, int32_t width,
    const std::string& fullName, const std::string& description)
{
    attachLocalBuffer();
    std::string alias = aliasFor(name);
    TDataConnectFieldDef field;
    field.fieldName = name;
    field.alias = alias;
    field.dataType = dataType;
    field.included = !alias.empty();
    field.fieldIndex = field.included ? m_includedCount : std::max(0, m_includedCount - 1);
    m_fields.push_back(field);
    if (!field.included)
        return;
    ++m_includedCount;
    WriteString("N");
    WriteString(alias);
    if (dataType != TRPDataType::dtString) {
        WriteString("T");
        WriteString(dataTypeName(dataType));
    }
    if (width > 0) {
        WriteString("W");
        WriteString(std::to_string(width));
    }
    if (!fullName.empty()) {
        WriteString("L");
        WriteString(fullName);
    }
    if (!description.empty()) {
        WriteString("D");
        WriteString(description);
    }
    WriteString("");
}

void TRvCustomConnection::WriteStringValue(const std::string& formatted, const std::string& native)
{
    attachLocalBuffer();
    if (m_fieldPos >= m_fields.size())
        throw EReportPrinter("Attempt to write more fields than defined.");
    TDataConnectFieldDef& field = m_fields[m_fieldPos];
    auto advance = [&] {
        ++m_fieldPos;
        if (field.included)
            ++m_includedPos;
    };
    if (!field.included) {
        advance();
        return;
    }
    if (LocalFilter && m_rowValid && !field.filterValue.empty() && native != field.filterValue)
        m_rowValid = false;
    if (!m_rowValid) {
        advance();
        return;
    }
    if (field.dataType != TRPDataType::dtString) {
        std::string message = "Attempt to write different data type than defined (Column %0:s/%1:s).";
        message = replaceAll(message, "%0:s", std::to_string(m_fieldPos + 1));
        message = replaceAll(message, "%1:s", std::to_string(m_fields.size()));
        throw EReportPrinter(message);
    }
    size_t slot = m_rowStart + static_cast<size_t>(field.fieldIndex) * 8;
    if (!formatted.empty() && formatted != native) {
        putInt32(slot + 4, static_cast<int32_t>(m_writePos - m_rowStart));
        WriteString(formatted);
    }
    putInt32(slot, static_cast<int32_t>(m_writePos - m_rowStart));
    WriteString(native);
    advance();
}

// ---- actions ----

bool TRvCustomConnection::runEofTest()
{
    bool eof = false;
    if (OnEOF)
        OnEOF(*this, eof);
    else
        eof = RowIndex >= RowCount;
    return eof;
}

bool TRvCustomConnection::produceRow()
{
    resetWrite();
    if (runEofTest()) {
        writeByte(1);
        finishHeader();
        return true;
    }
    writeByte(0);
    size_t sizeSlot = m_writePos;
    writeInt32(0);
    m_rowStart = m_writePos;
    for (int i = 0; i < m_includedCount; ++i) {
        writeInt32(0);
        writeInt32(0);
    }
    m_rowValid = true;
    m_fieldPos = 0;
    m_includedPos = 0;
    if (OnGetRow)
        OnGetRow(*this);
    else
        WriteStringValue("", "[Inactive at design-time]");
    putInt32(sizeSlot, static_cast<int32_t>(m_writePos - m_rowStart));
    finishHeader();
    return false;
}

bool TRvCustomConnection::validateRow()
{
    if (!m_rowValid)
        return false;
    bool valid = true;
    if (OnValidateRow)
        OnValidateRow(*this, valid);
    return valid;
}

void TRvCustomConnection::actionFirst()
{
    m_rowValid = true;
    if (OnFirst)
        OnFirst(*this);
    else
        RowIndex = 0;
    if (LocalFilter && produceRow())
        return;
    if (!validateRow()) {
        actionNext();
        return;
    }
    if (!LocalFilter)
        produceRow();
}

void TRvCustomConnection::actionNext()
{
    bool atEnd = false;
    for (;;) {
        m_rowValid = true;
        if (OnNext)
            OnNext(*this);
        else
            ++RowIndex;
        if (LocalFilter && produceRow())
            return;
        if (validateRow())
            break;
        if (runEofTest()) {
            atEnd = true;
            break;
        }
    }
    if (!LocalFilter) {
        produceRow();
        return;
    }
    if (atEnd) {
        // The buffer still holds the rejected row; the engine must see the end.
        resetWrite();
        writeByte(1);
        finishHeader();
    }
}

void TRvCustomConnection::actionSetFilter()
{
    for (TDataConnectFieldDef& field : m_fields)
        field.filterValue.clear();
    if (!LocalFilter) {
        if (OnSetFilter)
            OnSetFilter(*this);
        markHeaderEmpty();
        return;
    }
    for (;;) {
        std::string name = ReadString();
        if (name.empty())
            break;
        ReadString(); // operator: always "="
        std::string text = ReadString();
        int32_t code = readInt32();
        auto type = dataTypeFromCode(code);
        std::string typed;
        if (type && isFixedSize(*type))
            typed = readBytes(static_cast<int32_t>(fixedValueSize(*type)));
        for (TDataConnectFieldDef& field : m_fields) {
            bool named = sameText(field.fieldName, name) || (field.included && sameText(field.alias, name));
            if (!named || !type || field.dataType != *type)
                continue;
            field.filterValue = isFixedSize(*type) ? typed : text;
        }
    }
    markHeaderEmpty();
}

void TRvCustomConnection::actionIdentify()
{
    resetWrite();
    writeIdentityRecord(*m_buffer);
}

void TRvCustomConnection::ExecuteAction()
{
    attachLocalBuffer();
    releaseOverflow();
    m_readPos = kDataOffset;
    int32_t code = readInt32();
    switch (static_cast<TRpDataAction>(code)) {
    case TRpDataAction::First:
        actionFirst();
        break;
    case TRpDataAction::Next:
        actionNext();
        break;
    case TRpDataAction::Eof: {
        bool eof = runEofTest();
        resetWrite();
        writeByte(eof ? 1 : 0);
        finishHeader();
        break;
    }
    case TRpDataAction::GetCols:
        resetWrite();
        m_fields.clear();
        m_includedCount = 0;
        writeInt32(0);
        if (OnGetCols)
            OnGetCols(*this);
        else
            DeclareField("FieldName", TRPDataType::dtString, 30, "FieldName", "");
        putInt32(kDataOffset, m_includedCount);
        finishHeader();
        break;
    case TRpDataAction::GetRow:
        produceRow();
        break;
    case TRpDataAction::SetFilter:
        actionSetFilter();
        break;
    case TRpDataAction::GetSorts:
        resetWrite();
        if (OnGetSorts)
            OnGetSorts(*this);
        else
            WriteString("");
        finishHeader();
        break;
    case TRpDataAction::SetSort:
        if (OnSetSort)
            OnSetSort(*this);
        markHeaderEmpty();
        break;
    case TRpDataAction::Open:
        if (OnOpen) {
            OnOpen(*this);
        } else {
            RowCount = 1;
            RowIndex = 0;
        }
        markHeaderEmpty();
        break;
    case TRpDataAction::Restore:
        if (OnRestore)
            OnRestore(*this);
        markHeaderEmpty();
        break;
    case TRpDataAction::Identify:
        actionIdentify();
        break;
    case TRpDataAction::ReleaseOverflow:
        break;
    default:
        throw EReportPrinter("Unknown data connection request [%d].", std::to_string(code));
    }
}

} // namespace qv

#include "report/data/TRpDataSystem.h"

#include "report/data/TDataConnectManager.h"
#include "report/project/ReportErrors.h"
#include "report/snapshot/EReportPrinter.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace qv {

using namespace databuffer;

namespace {

EReportPrinter answerError()
{
    return EReportPrinter(report::translate("Invalid answer in the data buffer."));
}

std::timed_mutex& controlMutex()
{
    static std::timed_mutex mutex;
    return mutex;
}

} // namespace

TRpAnswer::TRpAnswer(std::shared_ptr<const Block> block, size_t begin, size_t end)
    : m_block(std::move(block))
{
    size_t size = m_block ? m_block->size() : 0;
    m_end = std::min(end, size);
    m_pos = std::min(begin, m_end);
}

void TRpAnswer::need(size_t count) const
{
    if (!m_block || count > m_end - m_pos)
        throw answerError();
}

uint8_t TRpAnswer::ReadByte()
{
    need(1);
    return (*m_block)[m_pos++];
}

int32_t TRpAnswer::ReadInt32()
{
    need(4);
    int32_t value = getInt32(*m_block, m_pos);
    m_pos += 4;
    return value;
}

std::vector<uint8_t> TRpAnswer::ReadBytes(size_t count)
{
    need(count);
    auto begin = m_block->begin() + static_cast<std::ptrdiff_t>(m_pos);
    std::vector<uint8_t> bytes(begin, begin + static_cast<std::ptrdiff_t>(count));
    m_pos += count;
    return bytes;
}

std::string TRpAnswer::ReadString()
{
    int32_t length = ReadInt32();
    if (length < 0)
        throw answerError();
    need(static_cast<size_t>(length));
    std::string text(reinterpret_cast<const char*>(m_block->data() + m_pos), static_cast<size_t>(length));
    m_pos += static_cast<size_t>(length);
    return text;
}

TRpDataSystem::TRpDataSystem()
    : m_buffer(openOrCreate(kBufferName, kBufferSize))
{
}

TRpDataSystem& TRpDataSystem::Instance()
{
    static TRpDataSystem system;
    return system;
}

bool TRpDataSystem::Connect(const std::string& name, TRpDataConnection& record)
{
    TRvCustomConnection* connection = TDataConnectManager::Instance().Find(name);
    if (!connection) {
        // Connections of other processes are not looked for on this path.
        report::showMessage(report::formatMessage(
            report::translate("Error!  Could not open data connection \"%s\".  Aborting report."), name));
        return false;
    }
    record.name = connection->Name();
    record.runTime = true;
    record.applicationHandle = connection->ApplicationHandle;
    record.version = kDataProtocolVersion;
    record.connection = connection;
    return true;
}

void TRpDataSystem::BeginRequest(TRpDataAction action)
{
    m_overflowView.reset();
    m_requestEnd = kDataOffset;
    WriteInt32(static_cast<int32_t>(action));
}

void TRpDataSystem::WriteBytes(const void* data, size_t count)
{
    if (m_requestEnd == 0 || count > m_buffer->size() - m_requestEnd)
        throw EReportPrinter(report::translate("Request too large for the data buffer."));
    if (count > 0)
        std::memcpy(m_buffer->data() + m_requestEnd, data, count);
    m_requestEnd += count;
}

void TRpDataSystem::WriteInt32(int32_t value)
{
    uint8_t bytes[4];
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
    WriteBytes(bytes, 4);
}

void TRpDataSystem::WriteString(const std::string& text)
{
    if (text.size() > static_cast<size_t>(INT32_MAX))
        throw EReportPrinter(report::translate("Request too large for the data buffer."));
    WriteInt32(static_cast<int32_t>(text.size()));
    WriteBytes(text.data(), text.size());
}

TRpAnswer TRpDataSystem::Request(TRpDataConnection& record, TRpDataAction action)
{
    if (m_requestEnd == 0 || getInt32(*m_buffer, kDataOffset) != static_cast<int32_t>(action))
        BeginRequest(action);
    m_overflowView.reset();
    putInt32(*m_buffer, kUsedOffset, static_cast<int32_t>(m_requestEnd));
    putInt32(*m_buffer, kOverflowOffset, 0);
    m_requestEnd = 0;
    if (!record.connection)
        throw EReportPrinter(report::formatMessage(
            report::translate("Error!  Could not open data connection \"%s\".  Aborting report."), record.name));
    record.connection->ExecuteAction();
    return readAnswer();
}

TRpAnswer TRpDataSystem::readAnswer()
{
    int32_t used = getInt32(*m_buffer, kUsedOffset);
    int32_t overflow = getInt32(*m_buffer, kOverflowOffset);
    if (overflow == 0) {
        if (used == 0)
            return TRpAnswer(m_buffer, kDataOffset, kDataOffset);
        if (used < kDataOffset || static_cast<size_t>(used) > m_buffer->size())
            throw answerError();
        return TRpAnswer(m_buffer, kDataOffset, static_cast<size_t>(used));
    }
    if (overflow != 1 && overflow != 2)
        throw answerError();
    m_overflowView = open(overflowName(overflow));
    if (!m_overflowView || m_overflowView->size() < static_cast<size_t>(kDataOffset))
        throw answerError();
    int32_t overflowUsed = getInt32(*m_overflowView, kUsedOffset);
    if (overflowUsed < kDataOffset || static_cast<size_t>(overflowUsed) > m_overflowView->size())
        throw answerError();
    return TRpAnswer(m_overflowView, kDataOffset, static_cast<size_t>(overflowUsed));
}

bool TRpDataSystem::GainControl(std::chrono::milliseconds timeout)
{
    if (m_controlCount > 0) {
        ++m_controlCount;
        return true;
    }
    if (!controlMutex().try_lock_for(timeout))
        return false;
    m_controlCount = 1;
    return true;
}

void TRpDataSystem::ReleaseControl()
{
    if (m_controlCount <= 0)
        throw EReportPrinter(report::translate("Control count underflow on ReleaseControl"));
    if (--m_controlCount == 0)
        controlMutex().unlock();
}

} // namespace qv

#include "report/data/TRpDataSystem.h"

#include "report/data/TDataConnectManager.h"
#include "report/project/ReportErrors.h"
#include "report/snapshot/EReportPrinter.h"
#include "runtime/core/MainThreadCall.h"
#include "runtime/core/NamedEvent.h"
#include "runtime/core/NamedMutex.h"
#include "runtime/core/Text.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace qv {

using namespace databuffer;

namespace {

EReportPrinter answerError()
{
    return EReportPrinter("Invalid answer in the data buffer.");
}

constexpr auto kRemoteSlice = std::chrono::milliseconds(100);
constexpr auto kListingSlice = std::chrono::milliseconds(250);
// Whether the serving process still exists is looked at once a second.
constexpr int kPeerCheckEvery = 10;

Reach reachOf(const TRpDataConnection& record)
{
    return record.connection ? Reach::Process : Reach::Machine;
}

report::ReportText couldNotOpen(const std::string& name)
{
    return {"Error!  Could not open data connection \"%s\".  Aborting report.", name};
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

TRpDataSystem::TRpDataSystem(TDataConnectManager& connections)
    : m_connections(connections)
{
}

Block& TRpDataSystem::buffer(Reach reach)
{
    if (reach == Reach::Process) {
        if (!m_localBuffer)
            m_localBuffer = openOrCreate(Reach::Process, kBufferName, kBufferSize);
        return *m_localBuffer;
    }
    if (!m_sharedBuffer)
        m_sharedBuffer = openOrCreate(Reach::Machine, kBufferName, kBufferSize);
    return *m_sharedBuffer;
}

NamedMutex& TRpDataSystem::machineControl()
{
    if (!m_control)
        m_control = NamedMutex::open("RPCONTROLER");
    return *m_control;
}

TRpDataSystem::~TRpDataSystem() = default;

void TRpDataSystem::openEvents()
{
    if (!m_completed)
        m_completed = NamedEvent::open("RPCOMPLETED", NamedEvent::Reset::Auto);
    if (!m_error)
        m_error = NamedEvent::open("RPERROR", NamedEvent::Reset::Auto);
}

bool TRpDataSystem::Connect(const std::string& viewName, TRpDataConnection& record, const report::MessageSink& messages)
{
    if (TRvCustomConnection* connection = m_connections.Find(viewName)) {
        record.name = connection->Name();
        record.runTime = true;
        record.applicationHandle = connection->ApplicationHandle;
        record.version = kDataProtocolVersion;
        record.objectId = connection->ObjectId();
        record.visibility = connection->RuntimeVisibility();
        record.connection = connection;
        return true;
    }
    return connectRemote(RemoteName ? RemoteName(viewName) : viewName, record, messages);
}

bool TRpDataSystem::connectRemote(const std::string& name, TRpDataConnection& record,
                                  const report::MessageSink& messages)
{
    std::vector<TRpDataConnection> all = listAll();
    int namesakes = 0;
    bool designTime = false;
    for (const TRpDataConnection& listed : all) {
        if (!sameText(listed.name, name))
            continue;
        if (DeveloperMode || listed.visibility == TRuntimeVisibility::rtEndUser)
            ++namesakes;
        designTime = designTime || !listed.runTime;
    }
    if (namesakes > 1) {
        report::showMessage(
            messages,
            report::ReportText{"Error!  Duplicate data connections found with name \"%s\".  Aborting report.", name}
                .shown());
        return false;
    }
    if (identify(name, "RPRTDATA_" + name, {"RPRTACK_" + name}, 1, record))
        return true;
    // A designer's connection is waited for only when one answered the listing, so that
    // a missing program is reported at once rather than after a minute.
    if (designTime && identify(name, "RPDTDATA_" + name, {"RPRTACK_" + name, "RPDTACK_" + name}, RemoteWaitLimit, record))
        return true;
    report::showMessage(messages, couldNotOpen(name).shown());
    return false;
}

TRpDataConnection TRpDataSystem::readIdentity()
{
    TRpAnswer answer = readAnswer(Reach::Machine);
    TRpDataConnection record;
    record.name = answer.ReadString();
    record.runTime = answer.ReadByte() != 0;
    record.applicationHandle = static_cast<uint32_t>(answer.ReadInt32());
    record.objectId = static_cast<uint32_t>(answer.ReadInt32());
    record.version = answer.ReadInt32();
    if (record.version >= kDataProtocolVersion && answer.Remaining() >= 4)
        record.visibility = static_cast<TRuntimeVisibility>(answer.ReadInt32());
    return record;
}

std::vector<TRpDataConnection> TRpDataSystem::ListConnections()
{
    std::vector<TRpDataConnection> kept;
    for (TRpDataConnection& record : listAll()) {
        if (DeveloperMode || record.visibility == TRuntimeVisibility::rtEndUser)
            kept.push_back(std::move(record));
    }
    return kept;
}

std::vector<TRpDataConnection> TRpDataSystem::listAll()
{
    openEvents();
    auto connect = NamedEvent::open("RPCONNECT", NamedEvent::Reset::Auto);
    auto disconnect = NamedEvent::open("RPDISCONNECT", NamedEvent::Reset::Manual);
    std::vector<TRpDataConnection> found;
    m_completed->resetEvent();
    // Each listener answers once and then waits for the listing to end, so the
    // answers run out; the bound only guards against a misbehaving peer.
    Block& shared = buffer(Reach::Machine);
    for (int answers = 0; answers < 1000; ++answers) {
        m_overflowView.reset();
        putInt32(shared, kUsedOffset, 0);
        putInt32(shared, kOverflowOffset, 0);
        connect->set();
        EventWait waits[] = {waitingOn(*m_completed), waitingOn(*m_error)};
        int which = waitForAny(waits, kListingSlice);
        if (which == kWaitTimedOut)
            break;
        if (which != 0)
            continue;
        try {
            found.push_back(readIdentity());
        } catch (const EReportPrinter&) {
            // A garbled record names nobody we could connect to.
        }
    }
    connect->resetEvent();
    disconnect->pulse();
    m_requestEnd = 0;
    return found;
}

bool TRpDataSystem::identify(const std::string& name, const std::string& dataEvent,
    const std::vector<std::string>& ackEvents, int waits, TRpDataConnection& record)
{
    std::shared_ptr<NamedEvent> data = NamedEvent::open(dataEvent, NamedEvent::Reset::Auto);
    std::vector<std::unique_ptr<NamedEvent>> acks;
    std::vector<NamedEvent*> answers;
    for (const std::string& ackName : ackEvents) {
        acks.push_back(NamedEvent::open(ackName, NamedEvent::Reset::Auto));
        acks.back()->resetEvent();
        answers.push_back(acks.back().get());
    }
    TRpDataConnection remote;
    BeginRequest(remote, TRpDataAction::Identify);
    writeRequestHeader();
    data->set();
    if (!awaitCompletion(answers, waits, nullptr)) {
        // Nobody took the request: it must not wait for the next listener of the name.
        data->resetEvent();
        return false;
    }
    TRpDataConnection identity;
    try {
        identity = readIdentity();
    } catch (const EReportPrinter&) {
        return false;
    }
    if (!sameText(identity.name, name))
        return false;
    record = identity;
    record.dataEvent = std::move(data);
    return true;
}

bool TRpDataSystem::awaitCompletion(const std::vector<NamedEvent*>& answers, int waits, const TRpDataConnection* peer)
{
    std::vector<EventWait> targets;
    for (NamedEvent* event : answers)
        targets.push_back(waitingOn(*event));
    targets.push_back(waitingOn(*m_error));
    for (int wait = 1; wait <= waits; ++wait) {
        pumpMessages();
        int which = waitForAny(targets, kRemoteSlice);
        if (which >= 0 && which < static_cast<int>(answers.size()))
            return true;
        // "RPERROR" only ends this one wait.
        if (peer && peer->dataEvent && wait % kPeerCheckEvery == 0 && !peer->dataEvent->heldElsewhere())
            return false;
        if (OnWaitProgress && !OnWaitProgress(wait))
            return false;
        if (wait >= 50 && OnLongWait && !OnLongWait(wait))
            return false;
    }
    return false;
}

void TRpDataSystem::writeRequestHeader()
{
    m_overflowView.reset();
    putInt32(*m_buffer, kUsedOffset, static_cast<int32_t>(m_requestEnd));
    putInt32(*m_buffer, kOverflowOffset, 0);
    m_requestEnd = 0;
}

void TRpDataSystem::BeginRequest(const TRpDataConnection& record, TRpDataAction action)
{
    m_overflowView.reset();
    m_buffer = &buffer(reachOf(record));
    m_requestEnd = kDataOffset;
    WriteInt32(static_cast<int32_t>(action));
}

void TRpDataSystem::WriteBytes(const void* data, size_t count)
{
    if (m_requestEnd == 0 || count > m_buffer->size() - m_requestEnd)
        throw EReportPrinter("Request too large for the data buffer.");
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
        throw EReportPrinter("Request too large for the data buffer.");
    WriteInt32(static_cast<int32_t>(text.size()));
    WriteBytes(text.data(), text.size());
}

TRpAnswer TRpDataSystem::Request(TRpDataConnection& record, TRpDataAction action)
{
    Reach const reach = reachOf(record);
    if (m_requestEnd == 0 || m_buffer != &buffer(reach) || getInt32(*m_buffer, kDataOffset) != static_cast<int32_t>(action))
        BeginRequest(record, action);
    writeRequestHeader();
    if (record.connection) {
        record.connection->ExecuteAction();
        return readAnswer(reach);
    }
    if (!record.dataEvent)
        throw EReportPrinter(couldNotOpen(record.name));
    auto unanswered = [&] {
        return EReportPrinter("The data connection \"%s\" did not answer.  Aborting report.", record.name);
    };
    // Once it has gone quiet, the rest of the run does not wait for it again.
    if (record.lost)
        throw unanswered();
    openEvents();
    m_completed->resetEvent();
    record.dataEvent->set();
    if (!awaitCompletion({m_completed.get()}, RemoteWaitLimit, &record)) {
        record.dataEvent->resetEvent();
        record.lost = true;
        throw unanswered();
    }
    return readAnswer(reach);
}

TRpAnswer TRpDataSystem::readAnswer(Reach reach)
{
    buffer(reach);
    std::shared_ptr<Block> const& main = reach == Reach::Process ? m_localBuffer : m_sharedBuffer;
    int32_t used = getInt32(*main, kUsedOffset);
    int32_t overflow = getInt32(*main, kOverflowOffset);
    if (overflow == 0) {
        if (used == 0)
            return TRpAnswer(main, kDataOffset, kDataOffset);
        if (used < kDataOffset || static_cast<size_t>(used) > main->size())
            throw answerError();
        return TRpAnswer(main, kDataOffset, static_cast<size_t>(used));
    }
    if (overflow != 1 && overflow != 2)
        throw answerError();
    m_overflowView = open(reach, overflowName(overflow));
    if (!m_overflowView || m_overflowView->size() < static_cast<size_t>(kDataOffset))
        throw answerError();
    int32_t overflowUsed = getInt32(*m_overflowView, kUsedOffset);
    if (overflowUsed < kDataOffset || static_cast<size_t>(overflowUsed) > m_overflowView->size())
        throw answerError();
    return TRpAnswer(m_overflowView, kDataOffset, static_cast<size_t>(overflowUsed));
}

bool TRpDataSystem::GainControl(std::chrono::milliseconds timeout, Reach reach)
{
    if (m_controlCount > 0 && (reach == Reach::Process || m_machineHeld)) {
        ++m_controlCount;
        return true;
    }
    if (reach == Reach::Machine) {
        if (!machineControl().tryLockFor(timeout))
            return false;
        m_machineHeld = true;
    } else {
        if (!m_connections.lockRun(timeout))
            return false;
        m_localHeld = true;
    }
    ++m_controlCount;
    return true;
}

void TRpDataSystem::ReleaseControl()
{
    if (m_controlCount <= 0)
        throw EReportPrinter("Control count underflow on ReleaseControl");
    if (--m_controlCount > 0)
        return;
    if (m_machineHeld)
        m_control->unlock();
    if (m_localHeld)
        m_connections.unlockRun();
    m_machineHeld = false;
    m_localHeld = false;
}

} // namespace qv

#include "report/snapshot/OutputBuffer.h"

#include <cstring>

namespace qv::snapshot {

OutputBuffer::OutputBuffer(TStream& stream)
    : m_stream(stream)
    , m_blockStart(stream.position())
{
    m_block.reserve(kCapacity);
}

void OutputBuffer::write(const void* data, size_t count)
{
    if (m_block.size() + count > kCapacity)
        flush();
    if (count > kCapacity) {
        m_stream.write(data, count);
        m_blockStart = m_stream.position();
        return;
    }
    auto p = static_cast<const uint8_t*>(data);
    m_block.insert(m_block.end(), p, p + count);
}

void OutputBuffer::flush()
{
    if (m_block.empty())
        return;
    m_stream.seek(m_blockStart);
    m_stream.write(m_block.data(), m_block.size());
    m_blockStart = m_stream.position();
    m_block.clear();
}

void OutputBuffer::patch(int64_t position, const void* data, size_t count)
{
    int64_t end = position + static_cast<int64_t>(count);
    if (position >= m_blockStart && end <= this->position()) {
        std::memcpy(m_block.data() + (position - m_blockStart), data, count);
        return;
    }
    flush();
    m_stream.seek(position);
    m_stream.write(data, count);
    m_stream.seek(m_blockStart);
}

} // namespace qv::snapshot

#include "report/project/ProjectStream.h"

#include "report/project/Lzw.h"
#include "report/project/ReportErrors.h"

#include <cfloat>
#include <cstring>

namespace qv::report {

static_assert(LDBL_MANT_DIG == 64, "extended values need the x87 80-bit long double");

ProjectReader::ProjectReader(std::span<const std::uint8_t> data)
    : m_data(data)
{
}

void ProjectReader::require(std::size_t size) const
{
    if (size > remaining())
        throw EReadError("Stream read error");
}

std::uint8_t ProjectReader::readByte()
{
    require(1);
    return m_data[m_position++];
}

std::int32_t ProjectReader::readInt32()
{
    require(4);
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= std::uint32_t(m_data[m_position + i]) << (8 * i);
    m_position += 4;
    return static_cast<std::int32_t>(value);
}

std::uint32_t ProjectReader::readCount()
{
    std::uint32_t first = readByte();
    if (first < 0x80)
        return first;
    int extra = first < 0xC0 ? 1 : first < 0xE0 ? 2 : 3;
    std::uint32_t value = first & (first < 0xC0 ? 0x3F : 0x1F);
    for (int i = 0; i < extra; ++i)
        value = (value << 8) | readByte();
    return value;
}

std::string ProjectReader::readString()
{
    auto size = readCount();
    require(size);
    std::string text(reinterpret_cast<const char*>(m_data.data() + m_position), size);
    m_position += size;
    return text;
}

long double ProjectReader::readExtended()
{
    require(10);
    long double value = 0;
    std::memset(&value, 0, sizeof value);
    std::memcpy(&value, m_data.data() + m_position, 10);
    m_position += 10;
    return value;
}

Bytes ProjectReader::readBytes(std::size_t size)
{
    require(size);
    Bytes bytes(m_data.begin() + m_position, m_data.begin() + m_position + size);
    m_position += size;
    return bytes;
}

void ProjectReader::skip(std::size_t size)
{
    require(size);
    m_position += size;
}

Bytes ProjectReader::readBlock()
{
    auto method = readByte();
    auto size = readInt32();
    if (size < 0)
        throw EReadError("Stream read error");
    if (method != std::uint8_t(BlockMethod::Stored) && method != std::uint8_t(BlockMethod::Compressed))
        throw ERpException("Unknown compression method %s", std::to_string(method));
    auto payload = readBytes(std::size_t(size));
    if (method == std::uint8_t(BlockMethod::Stored))
        return payload;
    std::size_t limit = m_budget ? *m_budget : SIZE_MAX;
    auto expanded = lzwDecompress(payload, limit);
    if (m_budget)
        *m_budget -= expanded.size();
    return expanded;
}

void ProjectWriter::writeByte(std::uint8_t value)
{
    m_bytes.push_back(value);
}

void ProjectWriter::writeInt32(std::int32_t value)
{
    auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        m_bytes.push_back(std::uint8_t(bits >> (8 * i)));
}

void ProjectWriter::writeCount(std::uint32_t value)
{
    if (value > MaxCount)
        throw ERpException("Stream write error");
    if (value < 0x80) {
        writeByte(std::uint8_t(value));
    } else if (value < 0x4000) {
        writeByte(std::uint8_t(0x80 | (value >> 8)));
        writeByte(std::uint8_t(value));
    } else if (value < 0x200000) {
        writeByte(std::uint8_t(0xC0 | (value >> 16)));
        writeByte(std::uint8_t(value >> 8));
        writeByte(std::uint8_t(value));
    } else {
        writeByte(std::uint8_t(0xE0 | (value >> 24)));
        writeByte(std::uint8_t(value >> 16));
        writeByte(std::uint8_t(value >> 8));
        writeByte(std::uint8_t(value));
    }
}

void ProjectWriter::writeString(const std::string& value)
{
    if (value.size() > MaxCount)
        throw ERpException("Stream write error");
    writeCount(static_cast<std::uint32_t>(value.size()));
    m_bytes.insert(m_bytes.end(), value.begin(), value.end());
}

void ProjectWriter::writeExtended(long double value)
{
    std::uint8_t raw[sizeof(long double)] = {};
    std::memcpy(raw, &value, 10);
    m_bytes.insert(m_bytes.end(), raw, raw + 10);
}

void ProjectWriter::writeBytes(std::span<const std::uint8_t> bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}

void ProjectWriter::writeBlock(BlockMethod method, std::span<const std::uint8_t> payload)
{
    Bytes packed;
    if (method == BlockMethod::Compressed)
        packed = lzwCompress(payload);
    auto body = method == BlockMethod::Compressed ? std::span<const std::uint8_t>(packed) : payload;
    if (body.size() > std::size_t(INT32_MAX))
        throw ERpException("Stream write error");
    writeByte(std::uint8_t(method));
    writeInt32(static_cast<std::int32_t>(body.size()));
    writeBytes(body);
}

} // namespace qv::report

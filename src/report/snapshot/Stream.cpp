#include "report/snapshot/Stream.h"

#include "report/snapshot/EReportPrinter.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace qv {

size_t TMemoryStream::read(void* buffer, size_t count)
{
    if (m_position >= size())
        return 0;
    size_t available = static_cast<size_t>(size() - m_position);
    size_t n = std::min(count, available);
    std::memcpy(buffer, m_bytes.data() + m_position, n);
    m_position += static_cast<int64_t>(n);
    return n;
}

void TMemoryStream::write(const void* buffer, size_t count)
{
    if (count == 0)
        return;
    size_t end = static_cast<size_t>(m_position) + count;
    if (end > m_bytes.size())
        m_bytes.resize(end);
    std::memcpy(m_bytes.data() + m_position, buffer, count);
    m_position = static_cast<int64_t>(end);
}

void TMemoryStream::seek(int64_t position)
{
    m_position = std::max<int64_t>(0, position);
}

void TMemoryStream::setSize(int64_t size)
{
    m_bytes.resize(static_cast<size_t>(std::max<int64_t>(0, size)));
    m_position = std::min(m_position, this->size());
}

TFileStream::TFileStream(const std::string& fileName, Mode mode)
    : m_fileName(fileName)
{
    auto flags = std::ios::binary | std::ios::in;
    if (mode == Mode::Create)
        flags |= std::ios::out | std::ios::trunc;
    m_file.open(fileName, flags);
    if (!m_file.is_open()) {
        if (mode == Mode::Create)
            throw EReportPrinter("Cannot create file \"%s\".", fileName);
        throw EReportPrinter("Cannot open file \"%s\".", fileName);
    }
    m_file.seekg(0, std::ios::end);
    m_size = static_cast<int64_t>(m_file.tellg());
    m_file.seekg(0);
}

size_t TFileStream::read(void* buffer, size_t count)
{
    if (m_position >= m_size)
        return 0;
    size_t n = std::min(count, static_cast<size_t>(m_size - m_position));
    m_file.clear();
    m_file.seekg(m_position);
    m_file.read(static_cast<char*>(buffer), static_cast<std::streamsize>(n));
    size_t got = static_cast<size_t>(m_file.gcount());
    m_position += static_cast<int64_t>(got);
    return got;
}

void TFileStream::write(const void* buffer, size_t count)
{
    if (count == 0)
        return;
    m_file.clear();
    m_file.seekp(m_position);
    m_file.write(static_cast<const char*>(buffer), static_cast<std::streamsize>(count));
    m_file.flush();
    if (!m_file)
        throw EReportPrinter("Error writing file \"%s\".", m_fileName);
    m_position += static_cast<int64_t>(count);
    m_size = std::max(m_size, m_position);
}

void TFileStream::seek(int64_t position)
{
    m_position = std::max<int64_t>(0, position);
}

void TFileStream::setSize(int64_t size)
{
    m_file.flush();
    std::error_code error;
    std::filesystem::resize_file(m_fileName, static_cast<uintmax_t>(std::max<int64_t>(0, size)), error);
    if (error)
        throw EReportPrinter("Error writing file \"%s\".", m_fileName);
    m_size = size;
    m_position = std::min(m_position, m_size);
}

} // namespace qv

#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace qv {

// Byte stream with a position, as the writer and the converter need it.
class TStream {
public:
    virtual ~TStream() = default;
    virtual size_t read(void* buffer, size_t count) = 0;
    virtual void write(const void* buffer, size_t count) = 0;
    virtual int64_t position() const = 0;
    virtual void seek(int64_t position) = 0;
    virtual int64_t size() const = 0;
    virtual void setSize(int64_t size) = 0;
};

class TMemoryStream final : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}

    size_t read(void* buffer, size_t count) override;
    void write(const void* buffer, size_t count) override;
    int64_t position() const override { return m_position; }
    void seek(int64_t position) override;
    int64_t size() const override { return static_cast<int64_t>(m_bytes.size()); }
    void setSize(int64_t size) override;

    const std::vector<uint8_t>& bytes() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
    int64_t m_position = 0;
};

// A file opened for reading, or created (truncated) for reading and writing.
class TFileStream final : public TStream {
public:
    enum class Mode { OpenRead, Create };
    TFileStream(const std::string& fileName, Mode mode);

    size_t read(void* buffer, size_t count) override;
    void write(const void* buffer, size_t count) override;
    int64_t position() const override { return m_position; }
    void seek(int64_t position) override;
    int64_t size() const override { return m_size; }
    void setSize(int64_t size) override;

    const std::string& fileName() const { return m_fileName; }

private:
    std::string m_fileName;
    mutable std::fstream m_file;
    int64_t m_position = 0;
    int64_t m_size = 0;
};

} // namespace qv

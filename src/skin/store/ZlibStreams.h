#pragma once

#include "runtime/core/Exception.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace qv {

enum class TSeekOrigin { Beginning, Current, End };

// A byte stream: the little the skin store and its zlib wrappers need.
class TByteStream {
public:
    virtual ~TByteStream() = default;
    virtual int64_t read(void* buffer, int64_t count) = 0;
    virtual int64_t write(const void* buffer, int64_t count) = 0;
    virtual int64_t seek(int64_t offset, TSeekOrigin origin) = 0;
    int64_t position() { return seek(0, TSeekOrigin::Current); }
    void setPosition(int64_t p) { seek(p, TSeekOrigin::Beginning); }
    // Reads exactly count bytes or raises EStreamReadError "Stream read error".
    void readBuffer(void* buffer, int64_t count);
};

class EStreamReadError : public Exception {
public:
    EStreamReadError() : Exception("Stream read error") {}
};

// Growable in-memory bytes.
class TByteBuffer : public TByteStream {
public:
    TByteBuffer() = default;
    explicit TByteBuffer(std::string bytes) : m_bytes(std::move(bytes)) {}

    int64_t read(void* buffer, int64_t count) override;
    int64_t write(const void* buffer, int64_t count) override;
    int64_t seek(int64_t offset, TSeekOrigin origin) override;

    int64_t size() const { return static_cast<int64_t>(m_bytes.size()); }
    const std::string& bytes() const { return m_bytes; }
    void reserve(int64_t bytes) { m_bytes.reserve(static_cast<size_t>(std::max<int64_t>(0, bytes))); }
    void clear()
    {
        m_bytes.clear();
        m_position = 0;
    }

private:
    std::string m_bytes;
    int64_t m_position = 0;
};

class ECompressionError : public Exception {
public:
    using Exception::Exception;
};

class EDecompressionError : public Exception {
public:
    using Exception::Exception;
};

enum class TCompressionLevel { None, Fastest, Default, Max };

// Shared state of the two zlib wrappers: the stream underneath, where this
// wrapper last left it, and a callback after each 4096-byte block.
class TCustomZlibStream : public TByteStream {
public:
    static constexpr int blockSize = 4096;
    std::function<void()> OnProgress;

protected:
    explicit TCustomZlibStream(TByteStream& strm);
    ~TCustomZlibStream() override;
    void progress()
    {
        if (OnProgress)
            OnProgress();
    }

    struct State;
    TByteStream& m_strm;
    int64_t m_strmPos = 0;
    std::unique_ptr<State> m_z;
    char m_buffer[blockSize];
};

// Write-only: deflates what is written into the destination; destruction finishes the stream.
class TCompressionStream : public TCustomZlibStream {
public:
    TCompressionStream(TCompressionLevel level, TByteStream& dest);
    ~TCompressionStream() override;

    int64_t read(void* buffer, int64_t count) override;
    int64_t write(const void* buffer, int64_t count) override;
    // Only Seek(0, Current), answering the bytes taken in so far.
    int64_t seek(int64_t offset, TSeekOrigin origin) override;

private:
    void flushBuffer(int64_t count);
    void finish();
};

// Read-only: inflates the source as it is read.
class TDecompressionStream : public TCustomZlibStream {
public:
    explicit TDecompressionStream(TByteStream& source);
    ~TDecompressionStream() override;

    int64_t read(void* buffer, int64_t count) override;
    int64_t write(const void* buffer, int64_t count) override;
    // Rewind to 0 or move forward by reading; answers the bytes produced so far.
    int64_t seek(int64_t offset, TSeekOrigin origin) override;
};

} // namespace qv

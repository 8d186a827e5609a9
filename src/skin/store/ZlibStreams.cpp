#include "skin/store/ZlibStreams.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace qv {

namespace {

const char* const invalidOperation = "Invalid stream operation";

int zlibLevel(TCompressionLevel level)
{
    switch (level) {
    case TCompressionLevel::None:
        return 0;
    case TCompressionLevel::Fastest:
        return 1;
    case TCompressionLevel::Default:
        return -1;
    case TCompressionLevel::Max:
        return 9;
    }
    return -1;
}

int deflateCheck(int code)
{
    if (code < 0)
        throw ECompressionError("error");
    return code;
}

int inflateCheck(int code)
{
    if (code < 0)
        throw EDecompressionError("compression error");
    return code;
}

} // namespace

void TByteStream::readBuffer(void* buffer, int64_t count)
{
    if (count < 0 || read(buffer, count) != count)
        throw EStreamReadError();
}

int64_t TByteBuffer::read(void* buffer, int64_t count)
{
    int64_t available = std::max<int64_t>(0, size() - m_position);
    int64_t n = std::clamp<int64_t>(count, 0, available);
    if (n > 0)
        std::memcpy(buffer, m_bytes.data() + m_position, static_cast<size_t>(n));
    m_position += n;
    return n;
}

int64_t TByteBuffer::write(const void* buffer, int64_t count)
{
    if (count <= 0)
        return 0;
    // Appending, the common case, copies once; growing by resize would zero the room first.
    if (m_position == size()) {
        m_bytes.append(static_cast<const char*>(buffer), static_cast<size_t>(count));
        m_position += count;
        return count;
    }
    auto end = static_cast<size_t>(m_position + count);
    if (end > m_bytes.size())
        m_bytes.resize(end);
    std::memcpy(m_bytes.data() + m_position, buffer, static_cast<size_t>(count));
    m_position += count;
    return count;
}

int64_t TByteBuffer::seek(int64_t offset, TSeekOrigin origin)
{
    int64_t base = origin == TSeekOrigin::Beginning ? 0 : origin == TSeekOrigin::Current ? m_position : size();
    m_position = std::max<int64_t>(0, base + offset);
    return m_position;
}

struct TCustomZlibStream::State {
    z_stream z{};
};

TCustomZlibStream::TCustomZlibStream(TByteStream& strm) : m_strm(strm), m_strmPos(strm.position()), m_z(std::make_unique<State>()) {}

TCustomZlibStream::~TCustomZlibStream() = default;

// The deflate and inflate initialisations go through zlib's own macros, which pass
// the version and state size of the library this program is linked with.
TCompressionStream::TCompressionStream(TCompressionLevel level, TByteStream& dest) : TCustomZlibStream(dest)
{
    m_z->z.next_out = reinterpret_cast<Bytef*>(m_buffer);
    m_z->z.avail_out = blockSize;
    deflateCheck(deflateInit(&m_z->z, zlibLevel(level)));
}

TCompressionStream::~TCompressionStream()
{
    try {
        finish();
    } catch (...) {
        // A destructor cannot report; the caller sees a short stream.
    }
    deflateEnd(&m_z->z);
}

void TCompressionStream::flushBuffer(int64_t count)
{
    m_strm.write(m_buffer, count);
    m_z->z.next_out = reinterpret_cast<Bytef*>(m_buffer);
    m_z->z.avail_out = blockSize;
    m_strmPos = m_strm.position();
    progress();
}

void TCompressionStream::finish()
{
    m_z->z.next_in = nullptr;
    m_z->z.avail_in = 0;
    if (m_strm.position() != m_strmPos)
        m_strm.setPosition(m_strmPos);
    while (deflateCheck(deflate(&m_z->z, Z_FINISH)) != Z_STREAM_END && m_z->z.avail_out == 0)
        flushBuffer(blockSize);
    int64_t pending = blockSize - m_z->z.avail_out;
    if (pending > 0)
        m_strm.write(m_buffer, pending);
}

int64_t TCompressionStream::read(void*, int64_t) { throw ECompressionError(invalidOperation); }

int64_t TCompressionStream::write(const void* buffer, int64_t count)
{
    m_z->z.next_in = static_cast<Bytef*>(const_cast<void*>(buffer));
    m_z->z.avail_in = static_cast<uInt>(count);
    if (m_strm.position() != m_strmPos)
        m_strm.setPosition(m_strmPos);
    while (m_z->z.avail_in > 0) {
        deflateCheck(deflate(&m_z->z, Z_NO_FLUSH));
        if (m_z->z.avail_out == 0)
            flushBuffer(blockSize);
    }
    return count;
}

int64_t TCompressionStream::seek(int64_t offset, TSeekOrigin origin)
{
    if (offset == 0 && origin == TSeekOrigin::Current)
        return static_cast<int64_t>(m_z->z.total_in);
    throw ECompressionError(invalidOperation);
}

TDecompressionStream::TDecompressionStream(TByteStream& source) : TCustomZlibStream(source)
{
    m_z->z.next_in = reinterpret_cast<Bytef*>(m_buffer);
    m_z->z.avail_in = 0;
    inflateCheck(inflateInit(&m_z->z));
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(&m_z->z); }

int64_t TDecompressionStream::read(void* buffer, int64_t count)
{
    m_z->z.next_out = static_cast<Bytef*>(buffer);
    m_z->z.avail_out = static_cast<uInt>(count);
    if (m_strm.position() != m_strmPos)
        m_strm.setPosition(m_strmPos);
    while (m_z->z.avail_out > 0) {
        if (m_z->z.avail_in == 0) {
            int64_t got = m_strm.read(m_buffer, blockSize);
            if (got == 0)
                return count - m_z->z.avail_out;
            m_z->z.next_in = reinterpret_cast<Bytef*>(m_buffer);
            m_z->z.avail_in = static_cast<uInt>(got);
            m_strmPos = m_strm.position();
            progress();
        }
        // The end of the deflate data leaves input unread; what follows it is not ours.
        if (inflateCheck(inflate(&m_z->z, Z_NO_FLUSH)) == Z_STREAM_END)
            return count - m_z->z.avail_out;
    }
    return count;
}

int64_t TDecompressionStream::write(const void*, int64_t) { throw EDecompressionError(invalidOperation); }

int64_t TDecompressionStream::seek(int64_t offset, TSeekOrigin origin)
{
    if (offset == 0 && origin == TSeekOrigin::Beginning) {
        inflateCheck(inflateReset(&m_z->z));
        m_z->z.next_in = reinterpret_cast<Bytef*>(m_buffer);
        m_z->z.avail_in = 0;
        m_strm.setPosition(0);
        m_strmPos = 0;
        return 0;
    }
    int64_t produced = static_cast<int64_t>(m_z->z.total_out);
    if (origin == TSeekOrigin::Beginning && offset > produced) {
        offset -= produced;
        origin = TSeekOrigin::Current;
    }
    if (origin != TSeekOrigin::Current || offset < 0)
        throw EDecompressionError(invalidOperation);
    char scratch[blockSize];
    while (offset > 0) {
        int64_t step = std::min<int64_t>(offset, blockSize);
        int64_t got = read(scratch, step);
        if (got == 0)
            break;
        offset -= got;
    }
    return static_cast<int64_t>(m_z->z.total_out);
}

} // namespace qv

#pragma once

#include "report/snapshot/Stream.h"

#include <cstdint>
#include <vector>

namespace qv::snapshot {

// Collects small writes into 16 KB blocks before they reach the stream; a
// write larger than a block goes straight through. Positions are stream
// positions, so callers can fill in fields they wrote earlier.
class OutputBuffer {
public:
    static constexpr size_t kCapacity = 16384;

    explicit OutputBuffer(TStream& stream);

    void write(const void* data, size_t count);
    void write(const std::vector<uint8_t>& bytes) { write(bytes.data(), bytes.size()); }
    // Overwrites bytes written earlier, in the block or in the stream.
    void patch(int64_t position, const void* data, size_t count);
    void flush();
    int64_t position() const { return m_blockStart + static_cast<int64_t>(m_block.size()); }

private:
    TStream& m_stream;
    std::vector<uint8_t> m_block;
    int64_t m_blockStart = 0;
};

} // namespace qv::snapshot

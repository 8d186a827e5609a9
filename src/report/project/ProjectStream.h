#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv::report {

using Bytes = std::vector<std::uint8_t>;

// Block compression methods of the project format.
enum class BlockMethod : std::uint8_t {
    Stored = 0,
    Compressed = 2,
};

constexpr std::uint32_t MaxCount = 536'870'911;

// Reads the primitive encodings of a project file from memory. Every count, size and
// position taken from the data is checked against what is left before it is used;
// running short raises EReadError.
class ProjectReader {
public:
    explicit ProjectReader(std::span<const std::uint8_t> data);

    std::uint8_t readByte();
    std::int32_t readInt32();
    std::uint32_t readCount();
    std::string readString();
    long double readExtended();
    Bytes readBytes(std::size_t size);
    // Returns the payload of a block, decompressed.
    Bytes readBlock();
    void skip(std::size_t size);

    bool atEnd() const { return m_position >= m_data.size(); }
    std::size_t position() const { return m_position; }
    std::size_t remaining() const { return m_data.size() - m_position; }

    // Caps the total size of decompressed blocks read through this reader and every reader
    // made over its blocks, so a small corrupt file cannot expand without bound.
    void setExpansionBudget(std::size_t* budget) { m_budget = budget; }
    std::size_t* expansionBudget() const { return m_budget; }

private:
    void require(std::size_t size) const;

    std::span<const std::uint8_t> m_data;
    std::size_t m_position = 0;
    std::size_t* m_budget = nullptr;
};

class ProjectWriter {
public:
    void writeByte(std::uint8_t value);
    void writeInt32(std::int32_t value);
    void writeCount(std::uint32_t value);
    void writeString(const std::string& value);
    void writeExtended(long double value);
    void writeBytes(std::span<const std::uint8_t> bytes);
    void writeBlock(BlockMethod method, std::span<const std::uint8_t> payload);

    const Bytes& bytes() const { return m_bytes; }
    Bytes take() { return std::move(m_bytes); }

private:
    Bytes m_bytes;
};

} // namespace qv::report

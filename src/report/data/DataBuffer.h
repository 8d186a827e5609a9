#pragma once

#include "runtime/core/SharedMemory.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// The exchange area shared by a data connection and the engine: named blocks, either
// private to the process (an engine reading a connection of its own process) or in the
// user's shared memory, so that a connection in one process can answer an engine in
// another. A block may also be plain bytes (answers read back in tests and tools).
namespace databuffer {

// Where a block lives. A run that serves its own data never uses what another process
// can reach: neither can disturb or stall the other.
enum class Reach { Process, Machine };

inline constexpr const char* kBufferName = "RPBUFFER";
inline constexpr const char* kOverflowPrefix = "RPBUFFERALT";
constexpr int32_t kBufferSize = 65536;
constexpr int32_t kUsedOffset = 0;
constexpr int32_t kOverflowOffset = 4;
constexpr int32_t kDataOffset = 8;
constexpr int32_t kParamOffset = 12;

class Block {
public:
    Block(size_t size, uint8_t fill) : m_bytes(size, fill) { }
    template <class It> Block(It first, It last) : m_bytes(first, last) { }
    explicit Block(std::unique_ptr<SharedMemory> memory) : m_memory(std::move(memory)) { }

    uint8_t* data() { return m_memory ? m_memory->data() : m_bytes.data(); }
    const uint8_t* data() const { return m_memory ? m_memory->data() : m_bytes.data(); }
    size_t size() const { return m_memory ? m_memory->size() : m_bytes.size(); }
    uint8_t& operator[](size_t i) { return data()[i]; }
    const uint8_t& operator[](size_t i) const { return data()[i]; }
    const uint8_t* begin() const { return data(); }
    const uint8_t* end() const { return data() + size(); }

private:
    std::unique_ptr<SharedMemory> m_memory;
    std::vector<uint8_t> m_bytes;
};

// Opens the named block, creating it with this size when nobody holds it.
std::shared_ptr<Block> openOrCreate(Reach reach, const std::string& name, size_t size);
// Creates the block afresh (a holder of an older block keeps that one).
std::shared_ptr<Block> create(Reach reach, const std::string& name, size_t size);
// The named block when someone holds it.
std::shared_ptr<Block> open(Reach reach, const std::string& name);
std::string overflowName(int number);

void putInt32(Block& block, size_t offset, int32_t value);
int32_t getInt32(const Block& block, size_t offset);

} // namespace databuffer

} // namespace qv

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// The exchange area shared by a data connection and the engine. Blocks are
// looked up by name; inside one process they live in ordinary memory and
// disappear when the last holder lets go.
namespace databuffer {

inline constexpr const char* kBufferName = "RPBUFFER";
inline constexpr const char* kOverflowPrefix = "RPBUFFERALT";
constexpr int32_t kBufferSize = 65536;
constexpr int32_t kUsedOffset = 0;
constexpr int32_t kOverflowOffset = 4;
constexpr int32_t kDataOffset = 8;
constexpr int32_t kParamOffset = 12;

using Block = std::vector<uint8_t>;

// Opens the named block, creating it with this size when nobody holds it.
std::shared_ptr<Block> openOrCreate(const std::string& name, size_t size);
// Creates the block afresh (a holder of an older block keeps that one).
std::shared_ptr<Block> create(const std::string& name, size_t size);
// The named block when someone holds it.
std::shared_ptr<Block> open(const std::string& name);
std::string overflowName(int number);

void putInt32(Block& block, size_t offset, int32_t value);
int32_t getInt32(const Block& block, size_t offset);

} // namespace databuffer

} // namespace qv

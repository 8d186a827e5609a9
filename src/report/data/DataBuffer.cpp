#include "report/data/DataBuffer.h"


namespace qv::databuffer {

std::shared_ptr<Block> openOrCreate(const std::string& name, size_t size)
{
    auto block = std::make_shared<Block>(SharedMemory::openOrCreate(name, size));
    if (block->size() < size)
        throw ESharedObjectError("The shared object \"" + name + "\" is too small");
    return block;
}

std::shared_ptr<Block> create(const std::string& name, size_t size)
{
    return std::make_shared<Block>(SharedMemory::create(name, size));
}

std::shared_ptr<Block> open(const std::string& name)
{
    auto memory = SharedMemory::open(name);
    if (!memory)
        return nullptr;
    return std::make_shared<Block>(std::move(memory));
}

std::string overflowName(int number)
{
    return kOverflowPrefix + std::to_string(number);
}

void putInt32(Block& block, size_t offset, int32_t value)
{
    auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        block[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

int32_t getInt32(const Block& block, size_t offset)
{
    uint32_t v = block[offset] | (block[offset + 1] << 8) | (block[offset + 2] << 16)
        | (static_cast<uint32_t>(block[offset + 3]) << 24);
    return static_cast<int32_t>(v);
}

} // namespace qv::databuffer

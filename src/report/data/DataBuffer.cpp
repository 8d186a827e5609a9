#include "report/data/DataBuffer.h"

#include <map>
#include <mutex>

namespace qv::databuffer {

namespace {

struct Registry {
    std::mutex lock;
    std::map<std::string, std::weak_ptr<Block>> blocks;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

} // namespace

std::shared_ptr<Block> openOrCreate(const std::string& name, size_t size)
{
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    if (auto existing = r.blocks[name].lock())
        return existing;
    auto block = std::make_shared<Block>(size, 0);
    r.blocks[name] = block;
    return block;
}

std::shared_ptr<Block> create(const std::string& name, size_t size)
{
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    auto block = std::make_shared<Block>(size, 0);
    r.blocks[name] = block;
    return block;
}

std::shared_ptr<Block> open(const std::string& name)
{
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    auto found = r.blocks.find(name);
    if (found == r.blocks.end())
        return nullptr;
    return found->second.lock();
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

#include "report/data/DataBuffer.h"

#include <map>
#include <mutex>

namespace qv::databuffer {

namespace {

// Blocks private to this process, by name; a block lives while someone holds it.
class ProcessBlocks {
public:
    static ProcessBlocks& instance()
    {
        static ProcessBlocks blocks;
        return blocks;
    }
    std::shared_ptr<Block> find(const std::string& name)
    {
        std::lock_guard guard(m_lock);
        auto found = m_blocks.find(name);
        return found == m_blocks.end() ? nullptr : found->second.lock();
    }
    std::shared_ptr<Block> create(const std::string& name, size_t size)
    {
        auto block = std::make_shared<Block>(size, uint8_t(0));
        std::lock_guard guard(m_lock);
        m_blocks[name] = block;
        return block;
    }
    std::shared_ptr<Block> openOrCreate(const std::string& name, size_t size)
    {
        std::lock_guard guard(m_lock);
        std::shared_ptr<Block> block = m_blocks[name].lock();
        if (!block) {
            block = std::make_shared<Block>(size, uint8_t(0));
            m_blocks[name] = block;
        }
        return block;
    }

private:
    std::mutex m_lock;
    std::map<std::string, std::weak_ptr<Block>> m_blocks;
};

} // namespace

std::shared_ptr<Block> openOrCreate(Reach reach, const std::string& name, size_t size)
{
    auto block = reach == Reach::Process ? ProcessBlocks::instance().openOrCreate(name, size)
                                         : std::make_shared<Block>(SharedMemory::openOrCreate(name, size));
    if (block->size() < size)
        throw ESharedObjectError("The shared object \"" + name + "\" is too small");
    return block;
}

std::shared_ptr<Block> create(Reach reach, const std::string& name, size_t size)
{
    if (reach == Reach::Process)
        return ProcessBlocks::instance().create(name, size);
    return std::make_shared<Block>(SharedMemory::create(name, size));
}

std::shared_ptr<Block> open(Reach reach, const std::string& name)
{
    if (reach == Reach::Process)
        return ProcessBlocks::instance().find(name);
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

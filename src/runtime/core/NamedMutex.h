#pragma once

#include "runtime/core/SharedMemory.h"

#include <chrono>
#include <memory>
#include <string>

namespace qv {

// A mutex named across the user's processes. The thread that locks it unlocks it. When
// its owner dies holding it, the next one to lock it gets it at once.
class NamedMutex {
public:
    static std::unique_ptr<NamedMutex> open(const std::string& name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    const std::string& name() const { return m_memory->name(); }
    // False after the timeout, or when this thread holds it already.
    bool tryLockFor(std::chrono::milliseconds timeout);
    void unlock();

private:
    explicit NamedMutex(std::unique_ptr<SharedMemory> memory);

    std::unique_ptr<SharedMemory> m_memory;
};

} // namespace qv

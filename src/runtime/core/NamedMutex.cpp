#include "runtime/core/NamedMutex.h"

#include <cerrno>
#include <ctime>
#include <pthread.h>

namespace qv {

namespace {

pthread_mutex_t* mutexIn(SharedMemory& memory)
{
    return reinterpret_cast<pthread_mutex_t*>(memory.data());
}

void initialise(uint8_t* data, size_t)
{
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_setpshared(&attributes, PTHREAD_PROCESS_SHARED);
    pthread_mutexattr_setrobust(&attributes, PTHREAD_MUTEX_ROBUST);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_ERRORCHECK);
    pthread_mutex_init(reinterpret_cast<pthread_mutex_t*>(data), &attributes);
    pthread_mutexattr_destroy(&attributes);
}

} // namespace

NamedMutex::NamedMutex(std::unique_ptr<SharedMemory> memory)
    : m_memory(std::move(memory))
{
}

NamedMutex::~NamedMutex() = default;

std::unique_ptr<NamedMutex> NamedMutex::open(const std::string& name)
{
    auto memory = SharedMemory::openOrCreate(name, sizeof(pthread_mutex_t), initialise);
    if (memory->size() < sizeof(pthread_mutex_t))
        throw ESharedObjectError("The shared object \"" + name + "\" is not a mutex");
    return std::unique_ptr<NamedMutex>(new NamedMutex(std::move(memory)));
}

bool NamedMutex::tryLockFor(std::chrono::milliseconds timeout)
{
    timespec deadline {};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    auto total = std::chrono::nanoseconds(deadline.tv_nsec) + timeout;
    deadline.tv_sec += static_cast<time_t>(std::chrono::duration_cast<std::chrono::seconds>(total).count());
    deadline.tv_nsec = static_cast<long>((total % std::chrono::seconds(1)).count());
    int result;
    do
        result = pthread_mutex_clocklock(mutexIn(*m_memory), CLOCK_MONOTONIC, &deadline);
    while (result == EINTR);
    if (result == EOWNERDEAD) {
        // The owner died holding it; what it guarded is rewritten by every run anyway.
        pthread_mutex_consistent(mutexIn(*m_memory));
        return true;
    }
    if (result == ENOTRECOVERABLE)
        throw ESharedObjectError("The shared mutex \"" + name() + "\" cannot be recovered");
    return result == 0;
}

void NamedMutex::unlock()
{
    pthread_mutex_unlock(mutexIn(*m_memory));
}

} // namespace qv

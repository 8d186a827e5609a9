#include "runtime/core/NamedEvent.h"

#include <cerrno>
#include <climits>
#include <ctime>
#include <linux/futex.h>
#include <map>
#include <mutex>
#include <sys/syscall.h>
#include <unistd.h>

namespace qv {

// Lives in the event's shared block; only ever touched through atomic_ref.
struct EventState {
    uint32_t signalled;
    uint32_t pulses;
    uint32_t waiters;
    uint32_t pulseToken; // auto-reset pulse: one waiter may pass
    uint32_t manual;
};

namespace {

using Clock = std::chrono::steady_clock;

std::atomic_ref<uint32_t> word(uint32_t& value) { return std::atomic_ref<uint32_t>(value); }

void futexWait(uint32_t* address, uint32_t expected, std::chrono::nanoseconds timeout)
{
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout);
    timespec relative {static_cast<time_t>(seconds.count()), static_cast<long>((timeout - seconds).count())};
    ::syscall(SYS_futex, address, FUTEX_WAIT, expected, &relative, nullptr, 0);
}

void futexWakeAll(uint32_t* address)
{
    ::syscall(SYS_futex, address, FUTEX_WAKE, INT_MAX, nullptr, nullptr, 0);
}

} // namespace

// Events can be waited for together across processes: every change of any event in the
// scope bumps one shared sequence word and wakes whoever sleeps on it, and the waiters
// look at their own events again.
class SignalBell {
public:
    explicit SignalBell(std::unique_ptr<SharedMemory> memory)
        : m_memory(std::move(memory))
    {
    }

    static std::shared_ptr<SignalBell> forScope()
    {
        static std::mutex lock;
        static std::map<std::string, std::weak_ptr<SignalBell>> bells;
        std::lock_guard guard(lock);
        std::string path = sharedObjectPath("");
        if (auto existing = bells[path].lock())
            return existing;
        auto bell = std::make_shared<SignalBell>(SharedMemory::openOrCreate("QVSIGNALS", sizeof(uint32_t)));
        bells[path] = bell;
        return bell;
    }

    uint32_t sequence() const { return word(value()).load(std::memory_order_acquire); }
    void ring()
    {
        word(value()).fetch_add(1, std::memory_order_acq_rel);
        futexWakeAll(&value());
    }
    void sleep(uint32_t seen, std::chrono::nanoseconds timeout) { futexWait(&value(), seen, timeout); }

private:
    uint32_t& value() const { return *reinterpret_cast<uint32_t*>(m_memory->data()); }

    std::unique_ptr<SharedMemory> m_memory;
};

NamedEvent::NamedEvent(std::unique_ptr<SharedMemory> memory, std::shared_ptr<SignalBell> bell)
    : m_memory(std::move(memory))
    , m_bell(std::move(bell))
{
}

NamedEvent::~NamedEvent() = default;

std::unique_ptr<NamedEvent> NamedEvent::open(const std::string& name, Reset reset)
{
    auto bell = SignalBell::forScope();
    auto memory = SharedMemory::openOrCreate(name, sizeof(EventState), [reset](uint8_t* data, size_t) {
        reinterpret_cast<EventState*>(data)->manual = reset == Reset::Manual ? 1 : 0;
    });
    if (memory->size() < sizeof(EventState))
        throw ESharedObjectError("The shared object \"" + name + "\" is not an event");
    return std::unique_ptr<NamedEvent>(new NamedEvent(std::move(memory), std::move(bell)));
}

EventState& NamedEvent::state() const
{
    return *reinterpret_cast<EventState*>(m_memory->data());
}

NamedEvent::Reset NamedEvent::reset() const
{
    return word(state().manual).load() ? Reset::Manual : Reset::Auto;
}

void NamedEvent::set()
{
    word(state().signalled).store(1, std::memory_order_release);
    m_bell->ring();
}

void NamedEvent::resetEvent()
{
    word(state().signalled).store(0, std::memory_order_release);
}

void NamedEvent::pulse()
{
    EventState& s = state();
    if (reset() == Reset::Manual) {
        word(s.signalled).store(0, std::memory_order_release);
        word(s.pulses).fetch_add(1, std::memory_order_acq_rel);
    } else {
        word(s.signalled).store(0, std::memory_order_release);
        if (word(s.waiters).load() > 0)
            word(s.pulseToken).store(1, std::memory_order_release);
        word(s.pulses).fetch_add(1, std::memory_order_acq_rel);
    }
    m_bell->ring();
}

bool NamedEvent::isSet() const
{
    return word(state().signalled).load(std::memory_order_acquire) != 0;
}

uint32_t NamedEvent::pulseCount() const
{
    return word(state().pulses).load(std::memory_order_acquire);
}

uint32_t NamedEvent::waiterCount() const { return word(state().waiters).load(std::memory_order_acquire); }

bool NamedEvent::take(uint32_t pulsesSeen)
{
    EventState& s = state();
    if (reset() == Reset::Manual)
        return isSet() || pulseCount() != pulsesSeen;
    uint32_t one = 1;
    if (word(s.signalled).compare_exchange_strong(one, 0, std::memory_order_acq_rel))
        return true;
    one = 1;
    return pulseCount() != pulsesSeen && word(s.pulseToken).compare_exchange_strong(one, 0, std::memory_order_acq_rel);
}

void NamedEvent::countWaiter(int delta)
{
    if (delta > 0)
        word(state().waiters).fetch_add(1);
    else
        word(state().waiters).fetch_sub(1);
}

bool NamedEvent::wait(std::chrono::milliseconds timeout)
{
    EventWait self = waitingOn(*this);
    return waitForAny(std::span(&self, 1), timeout) == 0;
}

void NamedEvent::wakeWaiters()
{
    m_bell->ring();
}

int waitForAny(std::span<const EventWait> events, std::chrono::milliseconds timeout, const std::atomic<bool>* stop)
{
    if (events.empty())
        return kWaitTimedOut;
    SignalBell& bell = *events.front().event->m_bell;
    for (const EventWait& entry : events)
        entry.event->countWaiter(1);
    auto deadline = Clock::now() + timeout;
    int result = kWaitTimedOut;
    for (;;) {
        uint32_t seen = bell.sequence();
        bool taken = false;
        for (size_t i = 0; i < events.size() && !taken; ++i) {
            if (events[i].event->take(events[i].pulsesSeen)) {
                result = static_cast<int>(i);
                taken = true;
            }
        }
        if (taken)
            break;
        if (stop && stop->load()) {
            result = kWaitStopped;
            break;
        }
        auto now = Clock::now();
        if (now >= deadline)
            break;
        bell.sleep(seen, deadline - now);
    }
    for (const EventWait& entry : events)
        entry.event->countWaiter(-1);
    return result;
}

} // namespace qv

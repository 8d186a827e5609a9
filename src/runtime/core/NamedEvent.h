#pragma once

#include "runtime/core/SharedMemory.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace qv {

struct EventState;
class SignalBell;
class NamedEvent;

// One event of a multiple wait, with the pulse count seen when the wait began.
struct EventWait {
    NamedEvent* event;
    uint32_t pulsesSeen;
};

constexpr int kWaitTimedOut = -1;
constexpr int kWaitStopped = -2;

// Waits until one of the events is signalled and returns its index (an auto-reset event
// is taken), kWaitTimedOut after the timeout, or kWaitStopped once *stop is true.
int waitForAny(std::span<const EventWait> events, std::chrono::milliseconds timeout,
    const std::atomic<bool>* stop = nullptr);

// A named event shared by the user's processes. Set stays signalled until a waiter
// takes it (auto-reset: exactly one waiter) or until Reset (manual-reset: every waiter
// passes). Pulse releases the threads waiting at that moment and leaves it unsignalled.
class NamedEvent {
public:
    enum class Reset { Auto, Manual };

    // Opens the event, creating it unsignalled when no process holds it. The reset kind
    // is fixed by whoever created it.
    static std::unique_ptr<NamedEvent> open(const std::string& name, Reset reset);
    ~NamedEvent();
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;

    const std::string& name() const { return m_memory->name(); }
    Reset reset() const;

    void set();
    void resetEvent();
    void pulse();
    bool isSet() const;
    // Pulses so far; a waiter compares it with the count it saw when it began.
    uint32_t pulseCount() const;
    // Threads of any process inside a wait on the event at this moment.
    uint32_t waiterCount() const;

    // True when the event was signalled (or pulsed) within the timeout.
    bool wait(std::chrono::milliseconds timeout);

    // True while another holder has the event open (its other side is alive).
    bool heldElsewhere() const { return m_memory->heldElsewhere(); }

    // Wakes every waiter of this scope without signalling anything, so that a waiting
    // thread of this process notices its stop flag.
    void wakeWaiters();

private:
    friend int waitForAny(std::span<const EventWait>, std::chrono::milliseconds, const std::atomic<bool>*);
    NamedEvent(std::unique_ptr<SharedMemory> memory, std::shared_ptr<SignalBell> bell);
    EventState& state() const;
    bool take(uint32_t pulsesSeen);
    void countWaiter(int delta);

    std::unique_ptr<SharedMemory> m_memory;
    std::shared_ptr<SignalBell> m_bell;
};

inline EventWait waitingOn(NamedEvent& event) { return {&event, event.pulseCount()}; }


} // namespace qv

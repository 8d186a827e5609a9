#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace qv {

class TManualTimerClock;

// Fires OnTimer on the user-interface thread every interval while enabled.
class TTimer {
public:
    TTimer();
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    int interval() const { return m_interval; }
    void setInterval(int milliseconds);
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    std::function<void()> onTimer;

private:
    friend class TManualTimerClock;
    void restart();
    void fire();
    class Impl;
    std::unique_ptr<Impl> m_impl;
    int m_interval = 1000;
    bool m_enabled = false;
};

// Milliseconds since an arbitrary start, on the clock the timers run on.
std::int64_t tickCount();

// While one exists, every timer runs on its time instead of the wall clock, and
// tickCount() reads it: time moves only when advance() moves it. Tests hold
// buttons and pause between clicks for exact times, however loaded the machine.
class TManualTimerClock {
public:
    TManualTimerClock();
    ~TManualTimerClock();
    TManualTimerClock(const TManualTimerClock&) = delete;
    TManualTimerClock& operator=(const TManualTimerClock&) = delete;

    // Fires each timer that falls due on the way, in time order, as the message
    // loop would; a handler may start, stop or free timers.
    void advance(int milliseconds);
    std::int64_t now() const { return m_now; }

private:
    std::int64_t m_now = 0;
};

} // namespace qv

#include "runtime/ui/Timer.h"

#include "runtime/ui/Application.h"

#include <QTimer>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <vector>

namespace qv {

namespace {

TManualTimerClock* g_manualClock = nullptr;

std::vector<TTimer*>& liveTimers()
{
    static std::vector<TTimer*> timers;
    return timers;
}

} // namespace

class TTimer::Impl {
public:
    QTimer timer;
    // Due point on the manual clock; meaningful only while one runs.
    std::int64_t due = 0;
};

TTimer::TTimer() : m_impl(std::make_unique<Impl>())
{
    QObject::connect(&m_impl->timer, &QTimer::timeout, [this] { fire(); });
    liveTimers().push_back(this);
}

TTimer::~TTimer()
{
    auto& timers = liveTimers();
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

void TTimer::setInterval(int milliseconds)
{
    m_interval = milliseconds;
    restart();
}

void TTimer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    restart();
}

void TTimer::restart()
{
    m_impl->timer.stop();
    if (!m_enabled || m_interval <= 0)
        return;
    if (g_manualClock) {
        m_impl->due = g_manualClock->now() + m_interval;
        return;
    }
    m_impl->timer.start(m_interval);
}

void TTimer::fire()
{
    if (!onTimer)
        return;
    // The handler may free the timer; run a copy.
    std::function<void()> tick = onTimer;
    TApplication::guard(tick);
}

std::int64_t tickCount()
{
    if (g_manualClock)
        return g_manualClock->now();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

TManualTimerClock::TManualTimerClock()
{
    if (g_manualClock)
        throw std::logic_error("only one manual timer clock at a time");
    // Time goes on from where the wall clock is, so stored tick counts stay in the past.
    m_now = tickCount();
    g_manualClock = this;
    for (TTimer* timer : liveTimers())
        timer->restart();
}

TManualTimerClock::~TManualTimerClock()
{
    g_manualClock = nullptr;
    for (TTimer* timer : liveTimers())
        timer->restart();
}

void TManualTimerClock::advance(int milliseconds)
{
    std::int64_t const end = m_now + std::max(milliseconds, 0);
    for (;;) {
        TTimer* next = nullptr;
        for (TTimer* timer : liveTimers()) {
            bool running = timer->m_enabled && timer->m_interval > 0;
            if (running && timer->m_impl->due <= end && (!next || timer->m_impl->due < next->m_impl->due))
                next = timer;
        }
        if (!next)
            break;
        m_now = next->m_impl->due;
        next->m_impl->due += next->m_interval;
        next->fire();
    }
    m_now = end;
}

} // namespace qv

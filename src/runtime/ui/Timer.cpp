#include "runtime/ui/Timer.h"

#include "runtime/ui/Application.h"

#include <QTimer>

namespace qv {

class TTimer::Impl {
public:
    QTimer timer;
};

TTimer::TTimer() : m_impl(std::make_unique<Impl>())
{
    QObject::connect(&m_impl->timer, &QTimer::timeout, [this] {
        if (!onTimer)
            return;
        // The handler may free the timer; run a copy.
        std::function<void()> tick = onTimer;
        TApplication::guard(tick);
    });
}

TTimer::~TTimer() = default;

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
    if (m_enabled && m_interval > 0)
        m_impl->timer.start(m_interval);
}

} // namespace qv

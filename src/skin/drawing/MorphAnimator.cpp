#include "skin/drawing/MorphAnimator.h"

#include "runtime/ui/Timer.h"

#include <utility>

namespace qv {

bool TbsMorph::stepTowards(bool active)
{
    if (reached(active))
        return false;
    m_step += active ? 1 : -1;
    return true;
}

TbsMorphAnimator::TbsMorphAnimator(std::function<bool()> step) : m_step(std::move(step)) {}

TbsMorphAnimator::~TbsMorphAnimator() = default;

void TbsMorphAnimator::start()
{
    if (!m_timer) {
        m_timer = std::make_unique<TTimer>();
        m_timer->setInterval(morphInterval);
        m_timer->onTimer = [this] { tick(); };
    }
    if (!m_timer->enabled())
        m_timer->setEnabled(true);
}

void TbsMorphAnimator::stop()
{
    // Stopped, not freed: this may run inside the timer's own callback.
    if (m_timer)
        m_timer->setEnabled(false);
}

bool TbsMorphAnimator::running() const { return m_timer && m_timer->enabled(); }

void TbsMorphAnimator::tick()
{
    if (!m_step())
        stop();
}

} // namespace qv

// Caption commands and the window states the frame keeps itself: minimized, maximized, rolled up.

#include "skin/frame/SkinForm.h"

#include "runtime/ui/Application.h"

#include <algorithm>

namespace qv {

void TbsSkinForm::runCommand(TbsStdCommand command)
{
    switch (command) {
    case cmClose: close(); break;
    case cmMaximize:
        if (m_windowState == TbsWindowState::Maximized)
            restore();
        else
            maximize();
        break;
    case cmMinimize:
        if (m_windowState == TbsWindowState::Minimized)
            restore();
        else
            minimize();
        break;
    case cmRollUp: rollUp(); break;
    case cmSysMenu:
    case cmDefault:
    case cmMinimizeToTray: break;
    }
}

void TbsSkinForm::setBounds(const TRect& bounds)
{
    m_form.frameChanged();
    m_form.setWindowBounds(bounds);
    relayout();
}

TRect TbsSkinForm::minimizedSlot() const
{
    TRect const area = m_form.workArea();
    int const w = minimumWidth(), h = minimumHeight();
    auto taken = [&](int left, int top) {
        for (auto* target : TbsSkinNoticeTarget::formOrder()) {
            auto* other = dynamic_cast<TbsSkinForm*>(target);
            if (!other || other == this || !other->m_form.showing() || other->m_windowState != TbsWindowState::Minimized)
                continue;
            if (TApplication::exists() && TApplication::instance().mainForm() == &other->m_form)
                continue;
            TRect b = other->m_form.windowBounds();
            if (b.left == left && b.top == top)
                return true;
        }
        return false;
    };
    int left = area.left, top = area.bottom - h;
    for (;;) {
        if (!taken(left, top))
            return TRect{left, top, left + w, top + h};
        left += w;
        if (left + w > area.right) {
            left = area.left;
            top -= h;
        }
        if (top < area.top)
            return TRect{area.left, area.bottom - h, area.left + w, area.bottom};
    }
}

void TbsSkinForm::minimize()
{
    if (!(m_borderIcons & biMinimize) || m_windowState == TbsWindowState::Minimized)
        return;
    if (TApplication::exists() && TApplication::instance().mainForm() == &m_form) {
        m_form.minimizeToTaskBar();
        return;
    }
    if (!m_oldBounds)
        m_oldBounds = m_form.windowBounds();
    m_windowState = TbsWindowState::Minimized;
    setBounds(minimizedSlot());
}

void TbsSkinForm::maximize()
{
    if (!(m_borderIcons & biMaximize) || m_windowState == TbsWindowState::Maximized)
        return;
    if (!m_oldBounds)
        m_oldBounds = m_form.windowBounds();
    TRect const monitor = m_form.monitorBounds();
    TRect area = m_maximizeOnFullScreen ? monitor : m_form.workArea();
    // A monitor with nothing reserved on it: keep a pixel free on each side, so
    // that a task bar that hides itself still finds the screen edge.
    if (area == monitor && m_form.onPrimaryMonitor())
        area = TRect{area.left + 1, area.top + 1, area.right - 1, area.bottom - 1};
    m_windowState = TbsWindowState::Maximized;
    if (m_rollUpState)
        m_maxRollUpState = true;
    setBounds(TRect{area.left, area.top, area.right, m_rollUpState ? area.top + minimumHeight() : area.bottom});
}

void TbsSkinForm::restore()
{
    if (m_windowState == TbsWindowState::Normal) {
        if (m_rollUpState)
            rollUp();
        return;
    }
    if (m_maxRollUpState)
        m_rollUpState = false;
    m_maxRollUpState = false;
    m_windowState = TbsWindowState::Normal;
    if (m_oldBounds) {
        TRect b = *m_oldBounds;
        m_oldBounds.reset();
        if (m_rollUpState)
            b.bottom = b.top + minimumHeight();
        setBounds(b);
    } else {
        relayout();
    }
    m_mouseTimer.setEnabled(true);
    m_form.invalidateFrame();
}

void TbsSkinForm::rollUp()
{
    if (!(m_borderIcons & biRollUp) || m_windowState == TbsWindowState::Minimized)
        return;
    bool const maximized = m_windowState == TbsWindowState::Maximized;
    if (m_rollUpState && maximized && !m_maxRollUpState)
        return;
    m_rollUpState = !m_rollUpState;
    if (maximized)
        m_maxRollUpState = m_rollUpState;
    TRect b = m_form.windowBounds();
    if (m_rollUpState) {
        m_oldHeight = b.height();
        b.bottom = b.top + minimumHeight();
    } else {
        b.bottom = b.top + std::max(m_oldHeight, minimumHeight());
    }
    setBounds(b);
    if (OnChangeRollUpState)
        OnChangeRollUpState();
}

} // namespace qv

// Where the pointer is on the frame: hit codes, the hover test and the non-client mouse.

#include "skin/frame/SkinForm.h"

namespace qv {

bool TbsSkinForm::sizeable() const { return m_form.sizeable(); }

bool TbsSkinForm::onCaption(TPoint p) const
{
    for (auto& o : m_objects) {
        if (o->visible() && dynamic_cast<TbsSkinCaptionObject*>(o.get()) && o->objectRect().contains(p))
            return true;
    }
    return false;
}

bool TbsSkinForm::insideRegion(TPoint p) const
{
    // The region is the solid mask area and the strips' black runs: the pixel test.
    return m_region.contains(p);
}

THitCode TbsSkinForm::hitTest(TPoint p)
{
    THitCode code = m_skinSupport ? skinHitTest(p) : plainHitTest(p);
    if (code == THitCode::Object && !m_mouseTimer.enabled()) {
        hoverTest(p);
        m_mouseTimer.setEnabled(true);
    }
    return code;
}

THitCode TbsSkinForm::skinHitTest(TPoint p) const
{
    const TbsFrameGeometry& g = m_geometry;
    bool const folded = m_rollUpState || m_windowState == TbsWindowState::Minimized;
    if (!folded) {
        if (m_activeObject != -1 && !onCaption(p) && !g.client.contains(p) && !m_sizeMove)
            return THitCode::Object;
        if (m_windowState != TbsWindowState::Maximized && sizeable()) {
            int const bw = m_skinData->frame().BorderWidth;
            TPoint const probes[] = {{p.x - bw, p.y}, {p.x, p.y - bw}, {p.x + bw, p.y}, {p.x, p.y + bw}};
            TRect const window{0, 0, g.W, g.H};
            bool near = false;
            bool const masked = !m_region.isEmpty();
            for (TPoint q : probes)
                near = near || (masked ? !insideRegion(q) : !window.contains(q));
            if (masked && g.mask.contains(p))
                near = false;
            if (near) {
                if (p.x <= g.HLT.x && p.y <= g.HLT.y) return THitCode::TopLeft;
                if (p.x >= g.HRT.x && p.y <= g.HRT.y) return THitCode::TopRight;
                if (p.x <= g.HLB.x && p.y >= g.HLB.y) return THitCode::BottomLeft;
                if (p.x >= g.HRB.x && p.y >= g.HRB.y) return THitCode::BottomRight;
                if (TRect{g.HLT.x, 0, g.HRT.x, g.client.top}.contains(p)) return THitCode::Top;
                if (TRect{g.HLB.x, g.client.bottom, g.HRB.x, g.H}.contains(p)) return THitCode::Bottom;
                if (TRect{0, g.HLT.y, g.client.left, g.HLB.y}.contains(p)) return THitCode::Left;
                if (TRect{g.client.right, g.HRT.y, g.W, g.HRB.y}.contains(p)) return THitCode::Right;
            }
            if (g.client.contains(p))
                return THitCode::Client;
            return onCaption(p) ? THitCode::Caption : THitCode::Object;
        }
        if (g.client.contains(p))
            return THitCode::Client;
    }
    return onCaption(p) ? THitCode::Caption : THitCode::Object;
}

THitCode TbsSkinForm::plainHitTest(TPoint p) const
{
    int const W = m_form.width(), H = m_form.height();
    bool const folded = m_rollUpState || m_windowState != TbsWindowState::Normal;
    if (m_plainHot != cmDefault || plainButtonAt(p) != cmDefault)
        return THitCode::Object;
    if (sizeable() && !folded) {
        bool const left = p.x < 3, right = p.x >= W - 3, top = p.y < 3, bottom = p.y >= H - 3;
        if (left && top) return THitCode::TopLeft;
        if (right && top) return THitCode::TopRight;
        if (left && bottom) return THitCode::BottomLeft;
        if (right && bottom) return THitCode::BottomRight;
        if (left) return THitCode::Left;
        if (right) return THitCode::Right;
        if (top) return THitCode::Top;
        if (bottom) return THitCode::Bottom;
    }
    if (TRect{3, 3, W - 3, 3 + defaultCaptionHeight}.contains(p))
        return THitCode::Caption;
    if (TRect{3, defaultCaptionHeight + 3, W - 3, H - 3}.contains(p))
        return THitCode::Client;
    return THitCode::Object;
}

// ---- hover ----

void TbsSkinForm::hoverTest(TPoint p)
{
    if (m_sizeMove) {
        m_mouseTimer.setEnabled(false);
        return;
    }
    if (!m_skinSupport) {
        TbsStdCommand hot = plainButtonAt(p);
        if (hot != m_plainHot) {
            m_plainHot = hot;
            m_form.invalidateFrame();
        }
        return;
    }
    int next = -1;
    if (!(m_geometry.client.contains(p) && m_activeObject != -1)) {
        for (int i = 0; i < objectCount(); ++i) {
            const TbsActiveSkinObject& o = object(i);
            if (o.visible() && o.enabled() && o.objectRect().contains(p)) {
                next = i;
                break;
            }
        }
        if (m_captureObject != -1 && next != m_captureObject)
            next = -1;
    }
    if (next == m_activeObject)
        return;
    m_oldActiveObject = m_activeObject;
    m_activeObject = next;
    if (m_oldActiveObject != -1)
        object(m_oldActiveObject).mouseLeave();
    if (m_activeObject != -1)
        object(m_activeObject).mouseEnter();
}

void TbsSkinForm::mouseTick()
{
    if (!m_form.showing())
        return;
    hoverTest(m_form.cursorInWindow());
}

// ---- mouse ----

void TbsSkinForm::pressObject(MouseButton button, TPoint p)
{
    if (m_activeObject != -1) {
        TbsActiveSkinObject& o = object(m_activeObject);
        m_captureObject = m_activeObject;
        o.mouseDown(button, p.x, p.y);
    }
    if (onCaption(p))
        m_captureObject = -1;
}

void TbsSkinForm::ncMouseDown(MouseButton button, TPoint p)
{
    if (!m_skinSupport) {
        m_plainHot = plainButtonAt(p);
        m_plainDown = button == MouseButton::Left ? m_plainHot : cmDefault;
        m_form.invalidateFrame();
        if (m_plainDown == cmSysMenu)
            showSystemMenu(screenRectOf(plainButtonRect(0)));
        else if (button == MouseButton::Right && plainHitTest(p) == THitCode::Caption)
            showSystemMenu(screenRectOf(TRect{p.x, p.y, p.x, p.y}));
        return;
    }
    hoverTest(p);
    pressObject(button, p);
    if (button == MouseButton::Right && onCaption(p)) {
        m_captureObject = -1;
        showSystemMenu(screenRectOf(TRect{p.x, p.y, p.x, p.y}));
    }
}

void TbsSkinForm::ncMouseUp(MouseButton button, TPoint p)
{
    if (!m_skinSupport) {
        TbsStdCommand const pressed = m_plainDown;
        m_plainDown = cmDefault;
        m_plainHot = plainButtonAt(p);
        m_form.invalidateFrame();
        if (button == MouseButton::Left && pressed != cmDefault && pressed != cmSysMenu && pressed == m_plainHot)
            runCommand(pressed);
        return;
    }
    if (m_captureObject == -1)
        return;
    hoverTest(p);
    int const captured = m_captureObject;
    m_captureObject = -1;
    if (captured < objectCount())
        object(captured).mouseUp(button, p.x, p.y);
    hoverTest(p);
}

void TbsSkinForm::ncMouseMove(TPoint p)
{
    hoverTest(p);
    int const target = m_captureObject != -1 ? m_captureObject : m_activeObject;
    if (target != -1 && target < objectCount())
        object(target).mouseMove(p.x, p.y);
}

void TbsSkinForm::ncDoubleClick(MouseButton button, TPoint p)
{
    bool caption = false;
    if (m_skinSupport) {
        hoverTest(p);
        pressObject(button, p);
        if (button == MouseButton::Left && m_activeObject != -1)
            object(m_activeObject).dblClick();
        caption = onCaption(p);
    } else {
        if (plainButtonAt(p) == cmSysMenu && button == MouseButton::Left) {
            runCommand(cmClose);
            return;
        }
        caption = plainHitTest(p) == THitCode::Caption;
    }
    m_captureObject = -1;
    if (button != MouseButton::Left || !caption)
        return;
    if (!sizeable())
        rollUp();
    else if (m_windowState == TbsWindowState::Minimized)
        restore();
    else if (m_windowState == TbsWindowState::Normal && !m_rollUpState && (m_borderIcons & biMaximize))
        maximize();
    else if (m_windowState == TbsWindowState::Maximized && !m_maxRollUpState)
        restore();
    else
        rollUp();
}

} // namespace qv

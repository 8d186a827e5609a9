#include "skin/controls/SkinButton.h"

#include "runtime/core/Property.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Menus.h"

namespace qv {

using namespace defaultlook;

TbsSkinButton::TbsSkinButton(TWinControl* parent) : TbsSkinControl(parent, "button")
{
    setBounds(0, 0, 75, 25);
    setTabStop(true);
}

void TbsSkinButton::setCaption(const std::string& caption)
{
    if (assignChanged(m_caption, caption))
        invalidate();
}

void TbsSkinButton::setDown(bool down)
{
    if (assignChanged(m_down, down))
        invalidate();
}

void TbsSkinButton::setCanFocused(bool canFocused)
{
    if (assignChanged(m_canFocused, canFocused))
        setTabStop(canFocused);
}

void TbsSkinButton::drawDefaultLook(Canvas& canvas)
{
    TRect r = clientRect();
    bool downLook = m_down && m_highlighted;
    if (downLook) {
        fillRect(canvas, r, downFill);
        frameRect(canvas, r, navyFrame);
    } else if (m_highlighted || (focused() && m_canFocused)) {
        fillRect(canvas, r, hotFill);
        frameRect(canvas, r, navyFrame);
    } else {
        fillRect(canvas, r, clBtnFace);
        frameRect(canvas, r, clBtnShadow);
    }
    canvas.font = textFont();
    if (!enabled())
        canvas.font.color = clBtnShadow;
    TRect textArea = r;
    if (downLook)
        textArea = TRect{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    centredText(canvas, textArea, stripAccelerator(m_caption));
}

void TbsSkinButton::mouseDown(MouseButton button, unsigned, int, int)
{
    if (button != MouseButton::Left || !enabled())
        return;
    if (m_canFocused && !focused()) {
        setFocus();
        // A leave check elsewhere may have kept the focus; the press is then dropped.
        if (TForm* form = parentForm(); form && form->activeControl() != this)
            return;
    }
    m_pressedByMouse = true;
    m_highlighted = true;
    setDown(true);
    invalidate();
}

void TbsSkinButton::mouseUp(MouseButton button, unsigned, int x, int y)
{
    if (button != MouseButton::Left || !m_pressedByMouse)
        return;
    m_pressedByMouse = false;
    bool over = clientRect().contains(TPoint{x, y});
    setDown(false);
    if (over && enabled())
        click();
}

void TbsSkinButton::mouseEnter()
{
    m_highlighted = true;
    invalidate();
    TbsSkinControl::mouseEnter();
}

void TbsSkinButton::mouseLeave()
{
    m_highlighted = false;
    invalidate();
    TbsSkinControl::mouseLeave();
}

void TbsSkinButton::keyDown(int& key, unsigned shift)
{
    TbsSkinControl::keyDown(key, shift);
    if (!m_canFocused || !enabled())
        return;
    if (key == VK_SPACE) {
        m_highlighted = true;
        setDown(true);
    } else if (key == VK_RETURN) {
        click();
    }
}

void TbsSkinButton::keyUp(int& key, unsigned shift)
{
    TbsSkinControl::keyUp(key, shift);
    if (key != VK_SPACE || !m_down || m_pressedByMouse)
        return;
    setDown(false);
    m_highlighted = mouseInside();
    if (enabled())
        click();
}

void TbsSkinButton::doEnter()
{
    invalidate();
    TbsSkinControl::doEnter();
}

void TbsSkinButton::doExit()
{
    if (!m_pressedByMouse)
        setDown(false);
    invalidate();
    TbsSkinControl::doExit();
}

void TbsSkinButton::enabledChanged()
{
    if (!enabled()) {
        m_down = false;
        m_pressedByMouse = false;
    }
    invalidate();
}

} // namespace qv

#include "skin/controls/SkinUpDown.h"

#include "runtime/core/Property.h"
#include "skin/bitmaps/SkinBitmaps.h"

#include <algorithm>

namespace qv {

using namespace defaultlook;

namespace {

// A rectangle of a section's own size scaled onto a control of another size.
TRect scaled(const TRect& r, int sw, int sh, int W, int H)
{
    if (sw <= 0 || sh <= 0)
        return r;
    return TRect{r.left * W / sw, r.top * H / sh, r.right * W / sw, r.bottom * H / sh};
}

void arrow(Canvas& canvas, const TRect& r, bool pointsRight, TColor color)
{
    int cx = r.left + r.width() / 2, cy = r.top + r.height() / 2;
    for (int i = 0; i < 4; ++i) {
        int x = pointsRight ? cx - 2 + i : cx + 1 - i;
        fillRect(canvas, TRect{x, cy - 3 + i, x + 1, cy + 4 - i}, color);
    }
}

} // namespace

TbsSkinUpDown::TbsSkinUpDown(TWinControl* parent) : TbsSkinControl(parent, "updown") { setBounds(0, 0, 40, 20); }

void TbsSkinUpDown::setMin(int min)
{
    if (assignChanged(m_min, min))
        setPosition(m_position);
}

void TbsSkinUpDown::setMax(int max)
{
    if (assignChanged(m_max, max))
        setPosition(m_position);
}

void TbsSkinUpDown::setPosition(int position)
{
    if (assignChanged(m_position, std::clamp(position, m_min, std::max(m_min, m_max))))
        invalidate();
}

void TbsSkinUpDown::bindSection()
{
    TbsSkinControl::bindSection();
    m_section = skin().sectionCopy<TbsDataSkinUpDownControl>();
}

TRect TbsSkinUpDown::partRect(Part part) const
{
    if (part == Part::None)
        return TRect{};
    if (m_section && !m_section->SkinRect.isEmpty()) {
        const TRect& r = part == Part::Up ? m_section->UpButtonRect : m_section->DownButtonRect;
        return scaled(r, m_section->SkinRect.width(), m_section->SkinRect.height(), width(), height());
    }
    int half = width() / 2;
    return part == Part::Down ? TRect{0, 0, half, height()} : TRect{half, 0, width(), height()};
}

TbsSkinUpDown::Part TbsSkinUpDown::partAt(int x, int y) const
{
    for (Part p : {Part::Down, Part::Up})
        if (partRect(p).contains(TPoint{x, y}))
            return p;
    return Part::None;
}

void TbsSkinUpDown::drawDefaultLook(Canvas& canvas)
{
    for (Part p : {Part::Down, Part::Up}) {
        TRect r = partRect(p);
        if (m_pressed == p && m_hot == p) {
            fillRect(canvas, r, downFill);
            frameRect(canvas, r, navyFrame);
        } else if (m_hot == p) {
            fillRect(canvas, r, hotFill);
            frameRect(canvas, r, navyFrame);
        } else {
            fillRect(canvas, r, clBtnFace);
            frameRect(canvas, r, clBtnShadow);
        }
        arrow(canvas, r, p == Part::Up, enabled() ? clBtnText : clBtnShadow);
    }
}

void TbsSkinUpDown::drawSkinLook(Canvas& canvas)
{
    const TbsSkinSectionPieces& pieces = skin().pieces();
    if (!m_section || !pieces.picture || pieces.fields.skinRect.isEmpty()) {
        drawDefaultLook(canvas);
        return;
    }
    const TRect& S = pieces.fields.skinRect;
    TbsSkinPicture out(width(), height());
    out.copyRect(clientRect(), *pieces.picture, S);
    for (Part p : {Part::Down, Part::Up}) {
        bool up = p == Part::Up;
        const TRect& active = up ? m_section->ActiveUpButtonRect : m_section->ActiveDownButtonRect;
        const TRect& down = up ? m_section->DownUpButtonRect : m_section->DownDownButtonRect;
        const TRect* source = nullptr;
        if (m_pressed == p && m_hot == p)
            source = down.isEmpty() ? &active : &down;
        else if (m_hot == p)
            source = &active;
        if (source && !source->isEmpty())
            out.copyRect(partRect(p), *pieces.picture, *source);
    }
    drawSkinPicture(canvas, 0, 0, out);
}

void TbsSkinUpDown::step(Part part)
{
    int before = m_position;
    setPosition(m_position + (part == Part::Up ? m_increment : -m_increment));
    if (m_position != before && onChange)
        onChange();
}

void TbsSkinUpDown::setHot(Part part)
{
    if (assignChanged(m_hot, part))
        invalidate();
}

void TbsSkinUpDown::mouseDown(MouseButton button, unsigned, int x, int y)
{
    if (button != MouseButton::Left || !enabled())
        return;
    m_pressed = partAt(x, y);
    setHot(m_pressed);
    invalidate();
    // Like the platform's arrows: the step happens on the press.
    if (m_pressed != Part::None)
        step(m_pressed);
}

void TbsSkinUpDown::mouseUp(MouseButton button, unsigned, int, int)
{
    if (button != MouseButton::Left || m_pressed == Part::None)
        return;
    m_pressed = Part::None;
    invalidate();
}

void TbsSkinUpDown::mouseMove(unsigned, int x, int y) { setHot(partAt(x, y)); }

void TbsSkinUpDown::mouseLeave()
{
    setHot(Part::None);
    TbsSkinControl::mouseLeave();
}

} // namespace qv

#include "skin/dialogs/SkinSpeedButton.h"

#include "skin/dialogs/DialogGlyphs.h"
#include "skin/model/SkinBitmaps.h"

namespace qv {

using namespace defaultlook;

TbsSkinToolSpeedButton::TbsSkinToolSpeedButton(TWinControl* parent, const std::string& skinDataName)
    : TbsSkinControl(parent, skinDataName)
{
    setTabStop(false);
    setBounds(0, 0, 27, 25);
}

void TbsSkinToolSpeedButton::setGlyph(const Bitmap& glyph)
{
    m_glyph = glyph;
    invalidate();
}

void TbsSkinToolSpeedButton::bindSection()
{
    TbsSkinControl::bindSection();
    m_section.reset();
    if (!skin().hasSection())
        return;
    if (auto* s = dynamic_cast<const TbsDataSkinButtonControl*>(&SkinData()->skinControl(sectionIndex())))
        m_section = *s;
}

void TbsSkinToolSpeedButton::drawGlyph(Canvas& canvas)
{
    if (m_glyph.isEmpty())
        return;
    TRect area = glyphArea();
    int x = area.left + (area.width() - m_glyph.width()) / 2;
    int y = area.top + (area.height() - m_glyph.height()) / 2;
    if (showsDown()) {
        ++x;
        ++y;
    }
    if (enabled()) {
        canvas.drawTransparent(x, y, m_glyph, glyphTransparent);
        return;
    }
    // Disabled: the glyph's shape embossed in the system's disabled colours.
    for (int gy = 0; gy < m_glyph.height(); ++gy)
        for (int gx = 0; gx < m_glyph.width(); ++gx)
            if (m_glyph.pixel(gx, gy) != glyphTransparent)
                canvas.setPixel(x + gx, y + gy, (gx + gy) % 2 ? clBtnShadow : clBtnHighlight);
}

void TbsSkinToolSpeedButton::drawSkinLook(Canvas& canvas)
{
    if (!m_section) {
        drawDefaultLook(canvas);
        return;
    }
    const TbsSkinSectionPieces& pieces = skin().pieces();
    TbsPieceGeometry g = pieces.geometry(width(), height());
    TRect S = pieces.fields.skinRect;
    if (!enabled() && !m_section->DisabledSkinRect.isEmpty())
        S = m_section->DisabledSkinRect;
    else if (showsDown())
        S = m_section->DownSkinRect.isEmpty() ? m_section->ActiveSkinRect : m_section->DownSkinRect;
    else if (m_highlighted && !m_section->ActiveSkinRect.isEmpty())
        S = m_section->ActiveSkinRect;
    TbsSkinPicture picture;
    drawPiece(picture, pieces.picture, pieces.fields, pieces.mode, g, S);
    drawSkinPicture(canvas, 0, 0, picture);
    drawGlyph(canvas);
    drawExtras(canvas);
}

void TbsSkinToolSpeedButton::drawDefaultLook(Canvas& canvas)
{
    TRect r = clientRect();
    fillRect(canvas, r, clBtnFace);
    if (showsDown()) {
        fillRect(canvas, r, downFill);
        frameRect(canvas, r, navyFrame);
    } else if (m_highlighted && enabled()) {
        fillRect(canvas, r, hotFill);
        frameRect(canvas, r, navyFrame);
    }
    drawGlyph(canvas);
    drawExtras(canvas);
}

void TbsSkinToolSpeedButton::mouseDown(MouseButton button, unsigned shift, int x, int y)
{
    TbsSkinControl::mouseDown(button, shift, x, y);
    if (button != MouseButton::Left || !enabled())
        return;
    m_pressed = true;
    m_highlighted = true;
    invalidate();
}

void TbsSkinToolSpeedButton::mouseUp(MouseButton button, unsigned shift, int x, int y)
{
    TbsSkinControl::mouseUp(button, shift, x, y);
    if (button != MouseButton::Left || !m_pressed)
        return;
    m_pressed = false;
    invalidate();
    if (enabled() && clientRect().contains(TPoint{x, y}))
        click();
}

void TbsSkinToolSpeedButton::mouseEnter()
{
    m_highlighted = true;
    invalidate();
    TbsSkinControl::mouseEnter();
}

void TbsSkinToolSpeedButton::mouseLeave()
{
    m_highlighted = false;
    invalidate();
    TbsSkinControl::mouseLeave();
}

void TbsSkinToolSpeedButton::release()
{
    m_pressed = false;
    m_highlighted = mouseInside();
    invalidate();
}

void TbsSkinToolSpeedButton::enabledChanged()
{
    if (!enabled())
        m_pressed = false;
    invalidate();
}

TbsSkinMenuSpeedButton::TbsSkinMenuSpeedButton(TWinControl* parent) : TbsSkinToolSpeedButton(parent, "toolmenubutton")
{
    setWidth(37);
}

void TbsSkinMenuSpeedButton::menuNotice(TbsMenuNotice notice)
{
    if (notice == MenuClosed)
        release();
}

void TbsSkinMenuSpeedButton::bindSection()
{
    TbsSkinToolSpeedButton::bindSection();
    m_trackRect = TRect{};
    if (!skin().hasSection())
        return;
    if (auto* s = dynamic_cast<const TbsDataSkinMenuButtonControl*>(&SkinData()->skinControl(sectionIndex()))) {
        const TbsSkinSectionPieces& pieces = skin().pieces();
        m_trackRect = mapSubRect(s->TrackButtonRect, pieces.fields, pieces.mode, width() - pieces.fields.sw(),
                                 height() - pieces.fields.sh());
    }
}

TRect TbsSkinMenuSpeedButton::trackArea() const
{
    if (!m_trackRect.isEmpty())
        return m_trackRect;
    return TRect{width() - 12, 0, width(), height()};
}

TRect TbsSkinMenuSpeedButton::glyphArea() const { return TRect{0, 0, trackArea().left, height()}; }

void TbsSkinMenuSpeedButton::drawExtras(Canvas& canvas)
{
    TRect t = trackArea();
    int cx = t.left + t.width() / 2 + (showsDown() ? 1 : 0);
    int cy = t.top + t.height() / 2 + (showsDown() ? 1 : 0);
    TColor arrow = enabled() ? clBlack : clBtnShadow;
    for (int row = 0; row < 3; ++row)
        fillRect(canvas, TRect{cx - 2 + row, cy - 1 + row, cx + 3 - row, cy + row}, arrow);
}

void TbsSkinMenuSpeedButton::mouseDown(MouseButton button, unsigned shift, int x, int y)
{
    TbsSkinToolSpeedButton::mouseDown(button, shift, x, y);
    if (button == MouseButton::Left && enabled())
        dropDown();
}

void TbsSkinMenuSpeedButton::dropDown()
{
    TPoint topLeft = clientToScreen(TPoint{0, 0});
    m_menu.popup(this, m_menuModel ? m_menuModel : SkinData(), false, m_items,
                 TRect{topLeft.x, topLeft.y, topLeft.x + width(), topLeft.y + height()});
}

} // namespace qv

#include "skin/controls/SkinSpeedButton.h"

#include "runtime/core/Property.h"
#include "skin/bitmaps/SkinBitmaps.h"

namespace qv {

using namespace defaultlook;

TbsSkinSpeedButton::TbsSkinSpeedButton(TWinControl* parent, const std::string& skinDataName) : TbsSkinButton(parent)
{
    setSkinDataName(skinDataName);
    setCanFocused(false);
    setBounds(0, 0, 23, 23);
}

void TbsSkinSpeedButton::setGlyph(const Bitmap& glyph)
{
    m_glyph = glyph;
    invalidate();
}

void TbsSkinSpeedButton::setFlat(bool flat)
{
    if (assignChanged(m_flat, flat))
        invalidate();
}

TRect TbsSkinSpeedButton::glyphArea() const
{
    if (!boundToSection())
        return clientRect();
    const TbsSkinSectionPieces& pieces = skin().pieces();
    return pieces.mode == TbsPieceMode::None ? clientRect() : pieces.geometry(width(), height()).clientRect;
}

void TbsSkinSpeedButton::drawDefaultLook(Canvas& canvas)
{
    if (!m_flat) {
        TbsSkinButton::drawDefaultLook(canvas);
    } else {
        TRect r = clientRect();
        fillRect(canvas, r, clBtnFace);
        if (Down() && highlighted()) {
            fillRect(canvas, r, downFill);
            frameRect(canvas, r, navyFrame);
        } else if (highlighted() && enabled()) {
            fillRect(canvas, r, hotFill);
            frameRect(canvas, r, navyFrame);
        }
    }
    drawGlyph(canvas);
    drawExtras(canvas);
}

void TbsSkinSpeedButton::drawSkinLook(Canvas& canvas)
{
    TbsSkinButton::drawSkinLook(canvas);
    // Without a button section the default look was drawn, glyph and extras included.
    if (!boundToSection())
        return;
    drawGlyph(canvas);
    drawExtras(canvas);
}

// Centred in its area; pressed, one pixel right and down like a caption.
void TbsSkinSpeedButton::drawGlyph(Canvas& canvas)
{
    if (m_glyph.isEmpty())
        return;
    TRect area = glyphArea();
    int x = area.left + area.width() / 2 - m_glyph.width() / 2;
    int y = area.top + area.height() / 2 - m_glyph.height() / 2;
    if (drawnDown()) {
        ++x;
        ++y;
    }
    TColor see = m_glyph.pixel(0, m_glyph.height() - 1);
    if (enabled()) {
        canvas.drawTransparent(x, y, m_glyph, see);
        return;
    }
    // Disabled: the glyph's shape embossed in the system's disabled colours.
    for (int gy = 0; gy < m_glyph.height(); ++gy)
        for (int gx = 0; gx < m_glyph.width(); ++gx)
            if (m_glyph.pixel(gx, gy) != see)
                canvas.setPixel(x + gx, y + gy, (gx + gy) % 2 ? clBtnShadow : clBtnHighlight);
}

} // namespace qv

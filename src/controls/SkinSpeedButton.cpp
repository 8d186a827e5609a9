#include "controls/SkinSpeedButton.h"

namespace qv {

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

void TbsSkinSpeedButton::drawDefaultLook(Canvas& canvas)
{
    TbsSkinButton::drawDefaultLook(canvas);
    drawGlyph(canvas, clientRect());
}

void TbsSkinSpeedButton::drawSkinLook(Canvas& canvas)
{
    TbsSkinButton::drawSkinLook(canvas);
    // A section of another class fell back to the default look, glyph included.
    if (!dynamic_cast<const TbsDataSkinButtonControl*>(&SkinData()->skinControl(sectionIndex())))
        return;
    const TbsSkinSectionPieces& pieces = skin().pieces();
    drawGlyph(canvas, pieces.mode == TbsPieceMode::None ? clientRect() : pieces.geometry(width(), height()).clientRect);
}

// Centred in the area; pressed, one pixel right and down like a caption.
void TbsSkinSpeedButton::drawGlyph(Canvas& canvas, const TRect& area)
{
    if (m_glyph.isEmpty())
        return;
    int x = area.left + area.width() / 2 - m_glyph.width() / 2;
    int y = area.top + area.height() / 2 - m_glyph.height() / 2;
    if (drawnDown()) {
        ++x;
        ++y;
    }
    canvas.drawTransparent(x, y, m_glyph, m_glyph.pixel(0, m_glyph.height() - 1));
}

} // namespace qv

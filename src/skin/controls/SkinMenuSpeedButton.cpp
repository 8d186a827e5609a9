#include "skin/controls/SkinMenuSpeedButton.h"

#include "skin/bitmaps/SkinBitmaps.h"
#include "skin/model/SkinControlData.h"

namespace qv {

using namespace defaultlook;

TbsSkinMenuSpeedButton::TbsSkinMenuSpeedButton(TWinControl* parent, const std::string& skinDataName)
    : TbsSkinSpeedButton(parent, skinDataName)
{
    setWidth(37);
}

void TbsSkinMenuSpeedButton::menuNotice(TbsMenuNotice notice)
{
    // The menu took the mouse, so the press ends here rather than on a release.
    if (notice == MenuClosed)
        releasePress();
}

void TbsSkinMenuSpeedButton::bindSection()
{
    TbsSkinSpeedButton::bindSection();
    m_trackRect = TRect{};
    if (auto* s = skin().section<TbsDataSkinMenuButtonControl>()) {
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
    int shift = drawnDown() ? 1 : 0;
    int cx = t.left + t.width() / 2 + shift;
    int cy = t.top + t.height() / 2 + shift;
    TColor arrow = enabled() ? clBlack : clBtnShadow;
    for (int row = 0; row < 3; ++row)
        fillRect(canvas, TRect{cx - 2 + row, cy - 1 + row, cx + 3 - row, cy + row}, arrow);
}

void TbsSkinMenuSpeedButton::mouseDown(MouseButton button, unsigned shift, int x, int y)
{
    TbsSkinSpeedButton::mouseDown(button, shift, x, y);
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

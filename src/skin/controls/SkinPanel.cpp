#include "skin/controls/SkinPanel.h"

#include "runtime/core/Property.h"
#include "runtime/ui/Menus.h"
#include "skin/bitmaps/SkinBitmaps.h"

namespace qv {

using namespace defaultlook;

TbsSkinPanel::TbsSkinPanel(TWinControl* parent, const std::string& skinDataName) : TbsSkinControl(parent, skinDataName)
{
    setBounds(0, 0, 150, 150);
}

void TbsSkinPanel::setCaption(const std::string& caption)
{
    bool changed = m_caption != caption;
    m_caption = caption;
    invalidate();
    if (changed)
        accessibleNotify(TAccessibleEvent::NameChanged);
}

std::string TbsSkinPanel::accessibleName() const
{
    std::string name = TbsSkinControl::accessibleName();
    return name.empty() ? stripAccelerator(m_caption) : name;
}

void TbsSkinPanel::setBorderStyle(TbsSkinBorderStyle style)
{
    if (assignChanged(m_borderStyle, style))
        invalidate();
}

void TbsSkinPanel::setCaptionMode(bool captionMode)
{
    if (assignChanged(m_captionMode, captionMode))
        invalidate();
}

void TbsSkinPanel::setDefaultCaptionHeight(int height)
{
    if (assignChanged(m_defaultCaptionHeight, height))
        invalidate();
}

void TbsSkinPanel::setDefaultAlignment(TAlignment alignment)
{
    if (assignChanged(m_defaultAlignment, alignment))
        invalidate();
}

void TbsSkinPanel::bindSection()
{
    TbsSkinControl::bindSection();
    m_section = skin().sectionCopy<TbsDataSkinPanelControl>();
}

TRect TbsSkinPanel::panelClientRect() const
{
    if (m_section && m_section->BGPictureIndex == -1 && skin().pieces().mode != TbsPieceMode::None)
        return skin().pieces().geometry(width(), height()).clientRect;
    TRect r = clientRect();
    if (m_borderStyle != TbsSkinBorderStyle::bvNone)
        r = inflate(r, -1);
    if (m_captionMode)
        r.top += m_defaultCaptionHeight;
    return r;
}

void TbsSkinPanel::drawDefaultLook(Canvas& canvas)
{
    TRect r = clientRect();
    fillRect(canvas, r, clBtnFace);
    switch (m_borderStyle) {
    case TbsSkinBorderStyle::bvFrame: frameRect(canvas, r, clBtnShadow); break;
    case TbsSkinBorderStyle::bvRaised: bevel(canvas, r, true); break;
    case TbsSkinBorderStyle::bvLowered: bevel(canvas, r, false); break;
    case TbsSkinBorderStyle::bvNone: break;
    }
    if (!m_captionMode)
        return;
    TRect band = m_borderStyle == TbsSkinBorderStyle::bvNone ? r : inflate(r, -1);
    band.bottom = band.top + m_defaultCaptionHeight;
    bevel(canvas, band, true);
    bevel(canvas, inflate(band, -1), false);
    canvas.font = textFont();
    canvas.setBackgroundTransparent(true);
    int w = canvas.textWidth(m_caption);
    int h = canvas.textHeight(m_caption.empty() ? " " : m_caption);
    int x = band.left + 2;
    if (m_defaultAlignment == TAlignment::Center)
        x = band.left + band.width() / 2 - w / 2;
    else if (m_defaultAlignment == TAlignment::RightJustify)
        x = band.right - 2 - w;
    TRect clip = inflate(band, -2);
    canvas.textRect(clip, x, band.top + band.height() / 2 - h / 2, m_caption);
}

void TbsSkinPanel::drawSkinLook(Canvas& canvas)
{
    if (!m_section) {
        drawDefaultLook(canvas);
        return;
    }
    const TbsDataSkinPanelControl& s = *m_section;
    if (s.BGPictureIndex != -1) {
        const TbsSkinPicture* tile = SkinData()->activePicture(s.BGPictureIndex);
        if (!tile || tile->isEmpty())
            return;
        Bitmap b = toBitmap(*tile);
        for (int y = 0; y < height(); y += tile->height())
            for (int x = 0; x < width(); x += tile->width())
                canvas.draw(x, y, b);
        return;
    }
    const TbsSkinSectionPieces& pieces = skin().pieces();
    TbsPieceGeometry g = pieces.geometry(width(), height());
    TbsSkinPicture picture;
    drawPiece(picture, pieces.picture, pieces.fields, pieces.mode, g, pieces.fields.skinRect);
    drawSkinPicture(canvas, 0, 0, picture);

    int dW = width() - pieces.fields.sw();
    TRect band = mapSubRect(s.CaptionRect, pieces.fields, pieces.mode, dW, height() - pieces.fields.sh());
    // A band that starts on the left corner's edge and ends in the right corner
    // spans the repeated top border; it grows with the width like that border.
    if (band == s.CaptionRect && pieces.mode == TbsPieceMode::Framed && band.left <= pieces.fields.LT.x
        && band.right >= pieces.fields.RT.x)
        band.right += dW;
    if (m_caption.empty() || band.isEmpty())
        return;
    canvas.font = UseSkinFont() ? skinFont(s.Font, DefaultFont()) : DefaultFont();
    canvas.font.color = s.Font.FontColor;
    canvas.font.charset = skin().charset(DefaultFont());
    canvas.setBackgroundTransparent(true);
    int w = canvas.textWidth(m_caption);
    int h = canvas.textHeight(m_caption);
    int x = band.left;
    if (s.Alignment == TAlignment::Center)
        x = band.left + band.width() / 2 - w / 2;
    else if (s.Alignment == TAlignment::RightJustify)
        x = band.right - w;
    canvas.textRect(band, x, band.top + band.height() / 2 - h / 2, m_caption);
}

TbsSkinGroupBox::TbsSkinGroupBox(TWinControl* parent) : TbsSkinPanel(parent, "groupbox") { setCaptionMode(true); }

} // namespace qv

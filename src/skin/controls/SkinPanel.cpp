#include "skin/controls/SkinPanel.h"

namespace qv {

using namespace defaultlook;

TbsSkinPanel::TbsSkinPanel(TWinControl* parent, const std::string& skinDataName) : TbsSkinControl(parent, skinDataName)
{
    setBounds(0, 0, 150, 150);
}

void TbsSkinPanel::setCaption(const std::string& caption)
{
    m_caption = caption;
    invalidate();
}

void TbsSkinPanel::setBorderStyle(TbsSkinBorderStyle style)
{
    m_borderStyle = style;
    invalidate();
}

void TbsSkinPanel::setCaptionMode(bool captionMode)
{
    m_captionMode = captionMode;
    invalidate();
}

void TbsSkinPanel::setDefaultCaptionHeight(int height)
{
    m_defaultCaptionHeight = height;
    invalidate();
}

void TbsSkinPanel::setDefaultAlignment(TAlignment alignment)
{
    m_defaultAlignment = alignment;
    invalidate();
}

TRect TbsSkinPanel::panelClientRect() const
{
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

TbsSkinGroupBox::TbsSkinGroupBox(TWinControl* parent) : TbsSkinPanel(parent, "groupbox") { setCaptionMode(true); }

} // namespace qv

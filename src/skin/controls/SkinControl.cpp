#include "skin/controls/SkinControl.h"

#include "skin/controls/SkinEdit.h"

namespace qv {

TbsSkinControl::TbsSkinControl(TWinControl* parent, const std::string& skinDataName) : TCustomControl(parent), m_skin(skinDataName) {}

void TbsSkinControl::setSkinData(TbsSkinData* data)
{
    m_skin.setSkinData(data);
    if (data && !data->empty())
        skinChanged();
}

void TbsSkinControl::setSkinDataName(const std::string& name)
{
    m_skin.setSkinDataName(name);
    skinChanged();
}

void TbsSkinControl::setDefaultFont(const Font& font)
{
    m_skin.defaultFont = font;
    if (!m_skin.hasSection())
        fontChanged();
}

void TbsSkinControl::setUseSkinFont(bool use)
{
    m_skin.useSkinFont = use;
    invalidate();
}

void TbsSkinControl::setBounds(int left, int top, int width, int height)
{
    if (m_fitsSection) {
        bindSection();
        const TbsSkinSectionPieces& pieces = m_skin.pieces();
        if (m_skin.hasSection() && pieces.mode != TbsPieceMode::None && !pieces.fields.skinRect.isEmpty()) {
            TbsPieceGeometry g = pieces.geometry(width, height);
            width = g.width;
            height = g.height;
        } else if (!m_skin.hasSection()) {
            if (m_skin.defaultWidth > 0)
                width = m_skin.defaultWidth;
            if (m_skin.defaultHeight > 0)
                height = m_skin.defaultHeight;
        }
    }
    TCustomControl::setBounds(left, top, width, height);
}

void TbsSkinControl::skinChanged()
{
    bindSection();
    setBounds(left(), top(), width(), height());
    invalidate();
}

void relaySkinChanged(TWinControl& root)
{
    for (TControl* child : root.controls()) {
        if (auto* skinned = dynamic_cast<TbsSkinControl*>(child))
            skinned->skinChanged();
        else if (auto* edit = dynamic_cast<TbsSkinEdit*>(child))
            edit->setSkinData(edit->SkinData());
        if (auto* holder = dynamic_cast<TWinControl*>(child))
            relaySkinChanged(*holder);
    }
}

void TbsSkinControl::paint(Canvas& canvas)
{
    bindSection();
    if (m_skin.hasSection())
        drawSkinLook(canvas);
    else
        drawDefaultLook(canvas);
}

namespace defaultlook {

void fillRect(Canvas& canvas, const TRect& r, TColor color)
{
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = color;
    canvas.fillRect(r);
}

void frameRect(Canvas& canvas, const TRect& r, TColor color)
{
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = color;
    canvas.frameRect(r);
}

void bevel(Canvas& canvas, const TRect& r, bool raised)
{
    if (r.isEmpty())
        return;
    TColor topLeft = raised ? clBtnHighlight : clBtnShadow;
    TColor bottomRight = raised ? clBtnShadow : clBtnHighlight;
    fillRect(canvas, TRect{r.left, r.top, r.right, r.top + 1}, topLeft);
    fillRect(canvas, TRect{r.left, r.top, r.left + 1, r.bottom}, topLeft);
    fillRect(canvas, TRect{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    fillRect(canvas, TRect{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

TRect inflate(const TRect& r, int d) { return TRect{r.left - d, r.top - d, r.right + d, r.bottom + d}; }

void centredText(Canvas& canvas, const TRect& r, const std::string& text)
{
    canvas.setBackgroundTransparent(true);
    int w = canvas.textWidth(text);
    int h = canvas.textHeight(text.empty() ? " " : text);
    canvas.textOut(r.left + (r.width() - w) / 2, r.top + (r.height() - h) / 2, text);
}

} // namespace defaultlook

} // namespace qv

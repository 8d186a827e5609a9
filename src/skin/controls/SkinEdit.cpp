#include "skin/controls/SkinEdit.h"

#include "runtime/graphics/Bitmap.h"
#include "skin/model/SkinBitmaps.h"

namespace qv {

TbsSkinEdit::TbsSkinEdit(TWinControl* parent) : TCustomEdit(parent)
{
    setFont(m_skin.defaultFont);
    setBounds(0, 0, 121, 20);
}

void TbsSkinEdit::bind()
{
    m_skin.bind();
    m_section.reset();
    if (!m_skin.hasSection())
        return;
    if (auto* s = dynamic_cast<const TbsDataSkinEditControl*>(&SkinData()->skinControl(sectionIndex())))
        m_section = *s;
}

// A new section can change the height, the text area, the font and its colour.
void TbsSkinEdit::rebind()
{
    bind();
    setBounds(left(), top(), width(), height());
    updateEditor();
    invalidate();
}

void TbsSkinEdit::skinChangeBegins()
{
    m_skin.forget();
    m_section.reset();
}

void TbsSkinEdit::setSkinData(TbsSkinData* data)
{
    m_skin.setSkinData(data);
    rebind();
}

void TbsSkinEdit::setSkinDataName(const std::string& name)
{
    m_skin.setSkinDataName(name);
    rebind();
}

void TbsSkinEdit::setUseSkinFont(bool use)
{
    m_skin.useSkinFont = use;
    rebind();
}

void TbsSkinEdit::setDefaultFont(const Font& font)
{
    m_skin.defaultFont = font;
    setFont(font);
    rebind();
}

void TbsSkinEdit::setDefaultHeight(int height)
{
    m_skin.defaultHeight = height;
    setBounds(left(), top(), width(), this->height());
}

int TbsSkinEdit::textHeight() const
{
    Bitmap probe(1, 1);
    probe.canvas().font = m_skin.defaultFont;
    return probe.canvas().textHeight("Ag");
}

int TbsSkinEdit::naturalHeight() const
{
    if (skinned()) {
        const TRect& S = m_section->SkinRect;
        if (m_skin.useSkinFont)
            return S.height();
        return textHeight() + S.height() - m_section->ClRect.height();
    }
    if (m_skin.defaultHeight > 0)
        return m_skin.defaultHeight;
    return textHeight() + 4;
}

void TbsSkinEdit::setBounds(int left, int top, int width, int)
{
    bind();
    TCustomEdit::setBounds(left, top, width, naturalHeight());
}

TRect TbsSkinEdit::textRect() const
{
    if (!skinned())
        return TCustomEdit::textRect();
    const TRect& C = m_section->ClRect;
    const TRect& S = m_section->SkinRect;
    TRect r{C.left, C.top, width() + C.right - S.width(), C.bottom};
    if (!m_skin.useSkinFont)
        r.bottom += height() - S.height();
    return r;
}

Font TbsSkinEdit::textFont() const
{
    Font f = skinned() && m_skin.useSkinFont ? skinFont(m_section->Font, m_skin.defaultFont) : m_skin.defaultFont;
    f.charset = m_skin.charset(m_skin.defaultFont);
    return f;
}

// The frame and the text area's background are one picture: the section's image
// fitted to the width, its left and right parts kept, the middle tiled.
void TbsSkinEdit::paintFrame(Canvas& canvas)
{
    bind();
    if (!skinned()) {
        TCustomEdit::paintFrame(canvas);
        return;
    }
    const TbsDataSkinEditControl& s = *m_section;
    bool active = (m_hovered || focused()) && !s.ActiveSkinRect.isEmpty();
    TbsSkinPicture image;
    int leftWidth = s.LTPoint.x, rightWidth = s.SkinRect.width() - s.RTPoint.x;
    DrawHorizontalPiece(image, m_skin.pieces().picture, leftWidth, rightWidth, width(), active ? s.ActiveSkinRect : s.SkinRect);
    if (m_skin.useSkinFont || image.height() == height()) {
        drawSkinPicture(canvas, 0, 0, image);
        return;
    }
    TbsSkinPicture stretched(width(), height());
    stretched.copyRect(TRect{0, 0, width(), height()}, image, TRect{0, 0, image.width(), image.height()});
    drawSkinPicture(canvas, 0, 0, stretched);
}

bool TbsSkinEdit::contextMenu(TPoint p)
{
    m_contextMenu.popup(*this, SkinData(), p);
    return true;
}

TColor TbsSkinEdit::textColor() const
{
    if (!skinned())
        return enabled() ? m_skin.defaultFont.color : clGrayText;
    if (!enabled())
        return m_section->DisabledFontColor;
    if (focused() || m_hovered)
        return m_section->ActiveFontColor;
    return m_section->Font.FontColor;
}

void TbsSkinEdit::mouseEnter()
{
    m_hovered = true;
    TCustomEdit::mouseEnter();
}

void TbsSkinEdit::mouseLeave()
{
    m_hovered = false;
    TCustomEdit::mouseLeave();
}

void TbsSkinEdit::doExit()
{
    updateEditor();
    invalidate();
    TCustomEdit::doExit();
}

} // namespace qv

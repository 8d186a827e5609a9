#include "skin/controls/SkinEdit.h"

#include "runtime/graphics/Bitmap.h"

namespace qv {

TbsSkinEdit::TbsSkinEdit(TWinControl* parent) : TCustomEdit(parent)
{
    setFont(m_skin.defaultFont);
    setBounds(0, 0, 121, 20);
}

void TbsSkinEdit::setSkinData(TbsSkinData* data)
{
    m_skin.setSkinData(data);
    m_skin.bind();
    setBounds(left(), top(), width(), height());
    updateEditor();
    invalidate();
}

void TbsSkinEdit::setSkinDataName(const std::string& name)
{
    m_skin.setSkinDataName(name);
    m_skin.bind();
    invalidate();
}

void TbsSkinEdit::setDefaultFont(const Font& font)
{
    m_skin.defaultFont = font;
    setFont(font);
    setBounds(left(), top(), width(), height());
}

void TbsSkinEdit::setDefaultHeight(int height)
{
    m_skin.defaultHeight = height;
    setBounds(left(), top(), width(), this->height());
}

int TbsSkinEdit::naturalHeight() const
{
    if (m_skin.defaultHeight > 0)
        return m_skin.defaultHeight;
    Bitmap probe(1, 1);
    probe.canvas().font = m_skin.defaultFont;
    return probe.canvas().textHeight("Ag") + 4;
}

void TbsSkinEdit::setBounds(int left, int top, int width, int)
{
    TCustomEdit::setBounds(left, top, width, naturalHeight());
}

void TbsSkinEdit::paintFrame(Canvas& canvas)
{
    m_skin.bind();
    TCustomEdit::paintFrame(canvas);
}

bool TbsSkinEdit::contextMenu(TPoint p)
{
    m_contextMenu.popup(*this, SkinData(), p);
    return true;
}

TColor TbsSkinEdit::textColor() const
{
    if (!enabled())
        return clGrayText;
    return m_skin.defaultFont.color;
}

} // namespace qv

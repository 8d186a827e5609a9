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

} // namespace qv

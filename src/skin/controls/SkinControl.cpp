#include "skin/controls/SkinControl.h"

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

void TbsSkinControl::skinChanged()
{
    bindSection();
    invalidate();
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

#include "skin/controls/SkinBinding.h"

namespace qv {

TbsSkinBinding::TbsSkinBinding(std::string skinDataName) : defaultFont(skinDefaultFont()), m_skinDataName(std::move(skinDataName)) {}

int TbsSkinBinding::bind()
{
    if (!m_skinData || m_skinData->empty())
        m_sectionIndex = -1;
    else
        m_sectionIndex = m_skinData->findSkinControl(m_skinDataName);
    return m_sectionIndex;
}

Font skinDefaultFont()
{
    Font f;
    f.name = "Arial";
    f.height = 14;
    f.color = clBlack;
    return f;
}

} // namespace qv

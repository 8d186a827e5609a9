#include "skin/controls/SkinBinding.h"

namespace qv {

TbsSkinBinding::TbsSkinBinding(std::string skinDataName) : defaultFont(skinDefaultFont()), m_skinDataName(std::move(skinDataName)) {}

int TbsSkinBinding::bind()
{
    forget();
    if (!m_skinData || m_skinData->empty())
        return m_sectionIndex;
    m_sectionIndex = m_skinData->FindSkinControl(m_skinDataName);
    m_pieces.bind(*m_skinData, m_sectionIndex);
    return m_sectionIndex;
}

int TbsSkinBinding::charset(const Font& fallback) const
{
    if (m_skinData && m_skinData->ResourceStrData())
        return m_skinData->ResourceStrData()->CharSet;
    return fallback.charset;
}

Font skinDefaultFont()
{
    Font f;
    f.name = "Arial";
    f.cellHeight = 14;
    f.color = clBlack;
    return f;
}

Font skinFont(const TbsSkinFontFields& fields, const Font& fallback)
{
    Font f = fallback;
    f.name = fields.FontName;
    f.cellHeight = fields.FontHeight;
    f.height = 0;
    f.style = fields.FontStyle;
    f.color = fields.FontColor;
    return f;
}

} // namespace qv

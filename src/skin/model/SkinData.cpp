#include "skin/model/SkinData.h"

namespace qv {

int TbsSkinData::findSkinControl(const std::string& name) const
{
    for (size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i]->name() == name)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace qv

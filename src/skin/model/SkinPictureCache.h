#pragma once

#include "skin/model/SkinPicture.h"

#include <utility>

namespace qv {

// A composed look kept while what it was composed from stays the same: a control
// repainted without a change puts the kept pixels on screen instead of composing
// them again. The key holds everything the composition reads; a skin change must
// clear the cache, since a new skin's pictures may reuse the old ones' addresses.
template <class Key>
class TbsPictureCache {
public:
    template <class Compose>
    const TbsSkinPicture& get(const Key& key, Compose&& compose)
    {
        if (m_valid && m_key == key)
            return m_picture;
        m_valid = false;
        m_picture = TbsSkinPicture();
        std::forward<Compose>(compose)(m_picture);
        m_key = key;
        m_valid = true;
        return m_picture;
    }
    void clear()
    {
        m_valid = false;
        m_picture = TbsSkinPicture();
    }
    bool holds(const Key& key) const { return m_valid && m_key == key; }

private:
    Key m_key{};
    TbsSkinPicture m_picture;
    bool m_valid = false;
};

} // namespace qv

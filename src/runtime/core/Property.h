#pragma once

#include <utility>

namespace qv {

// The one way a setter stores a property: compare, store, and tell the caller
// whether anything changed, so that it repaints or re-lays out only then.
//
//     if (assignChanged(m_caption, caption))
//         invalidate();
template <class T, class U> bool assignChanged(T& field, U&& value)
{
    if (field == value)
        return false;
    field = std::forward<U>(value);
    return true;
}

} // namespace qv

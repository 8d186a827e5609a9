#include "controls/GridAxis.h"

#include "controls/GridTypes.h"

#include <algorithm>

namespace qv {

int GridAxis::size(int index) const
{
    if (index < 0 || index >= count)
        throw bsEInvalidGridOperation(griderrors::indexOutOfRange);
    return sizes.empty() ? defaultSize : sizes[index];
}

bool GridAxis::setSize(int index, int value)
{
    if (index < 0 || index >= count)
        throw bsEInvalidGridOperation(griderrors::indexOutOfRange);
    if (sizes.empty())
        sizes.assign(count, defaultSize);
    if (sizes[index] == value)
        return false;
    sizes[index] = value;
    return true;
}

void GridAxis::resize(int value)
{
    count = std::max(1, value);
    if (fixed >= count)
        fixed = count - 1;
    if (!sizes.empty())
        sizes.resize(count, defaultSize);
}

int GridAxis::fixedExtent() const
{
    int extent = 0;
    for (int i = 0; i < fixed; ++i)
        extent += size(i) + lineWidth;
    return extent;
}

int GridAxis::start(int index, int extent) const
{
    if (index < fixed) {
        int position = 0;
        for (int i = 0; i < index; ++i)
            position += size(i) + lineWidth;
        return position;
    }
    if (index < first)
        return -1;
    int position = fixedExtent();
    for (int i = first; i < index && position < extent; ++i)
        position += size(i) + lineWidth;
    return position;
}

int GridAxis::visibleCount(int extent) const
{
    int position = fixedExtent();
    int visible = 0;
    for (int i = first; i < count; ++i) {
        position += size(i);
        if (position > extent)
            break;
        position += lineWidth;
        ++visible;
    }
    return visible;
}

int GridAxis::firstShowing(int index, int extent) const
{
    // Walk back from the item until the ones behind it no longer fit below the fixed items.
    int available = extent - fixedExtent();
    int taken = 0;
    int candidate = index;
    while (candidate >= fixed) {
        taken += size(candidate) + lineWidth;
        if (taken > available)
            break;
        --candidate;
    }
    return std::max(fixed, std::min(index, candidate + 1));
}

int GridAxis::itemAt(int position, int extent) const
{
    if (position < 0 || position >= extent)
        return -1;
    bool inFixed = position < fixedExtent();
    int end = inFixed ? fixed : count;
    for (int i = inFixed ? 0 : first, edge = inFixed ? 0 : fixedExtent(); i < end && edge < extent; ++i) {
        edge += size(i) + lineWidth;
        if (position < edge)
            return i;
    }
    return -1;
}

int GridAxis::clampToScrolling(int index) const { return std::max(fixed, std::min(index, count - 1)); }

int GridAxis::clampFirst(int wanted, int extent) const { return std::max(fixed, std::min(wanted, maxFirst(extent))); }

} // namespace qv

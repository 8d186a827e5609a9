#pragma once

#include <vector>

namespace qv {

// One direction of a grid, its columns or its rows: how many there are, how many
// of them are fixed, their sizes, the first scrolling one in view, and the
// geometry that follows for a window `extent` pixels long. The grid keeps one
// for each direction and writes its rules once, here.
struct GridAxis {
    GridAxis(int count, int defaultSize) : count(count), defaultSize(defaultSize) {}

    int count;
    int fixed = 1;
    int defaultSize;
    std::vector<int> sizes; // empty until the first assignment
    int first = 1;          // the first scrolling column or row in view
    int lineWidth = 1;

    // Size of one item; an index outside the count raises "Grid index out of range".
    int size(int index) const;
    // False when the size was already that.
    bool setSize(int index, int value);
    // New count (at least 1): the fixed count stays below it, sizes keep their entries.
    void resize(int value);

    // Pixels taken by the fixed items and their lines.
    int fixedExtent() const;
    // Leading edge of an item, or -1 when it is scrolled out before the window.
    int start(int index, int extent) const;
    // Scrolling items fully in view from `first`.
    int visibleCount(int extent) const;
    // The smallest `first` that still shows the whole of `index`.
    int firstShowing(int index, int extent) const;
    // The largest `first` that still fills the window.
    int maxFirst(int extent) const { return firstShowing(count - 1, extent); }
    // The item under a position, -1 when there is none.
    int itemAt(int position, int extent) const;
    // An index brought into the scrolling items.
    int clampToScrolling(int index) const;
    // `first` for a wanted value, kept between the fixed items and maxFirst.
    int clampFirst(int wanted, int extent) const;
};

} // namespace qv

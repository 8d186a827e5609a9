#pragma once

#include "runtime/core/Exception.h"

#include <cstdint>

namespace qv {

// Grid options, stored as a 16-bit set; bit n is member n.
using TGridOptions = uint16_t;
enum TGridOption : TGridOptions {
    goFixedVertLine = 1 << 0,
    goFixedHorzLine = 1 << 1,
    goVertLine = 1 << 2,
    goHorzLine = 1 << 3,
    goRangeSelect = 1 << 4,
    goDrawFocusSelected = 1 << 5,
    goRowSizing = 1 << 6,
    goColSizing = 1 << 7,
    goRowMoving = 1 << 8,
    goColMoving = 1 << 9,
    goEditing = 1 << 10,
    goTabs = 1 << 11,
    goRowSelect = 1 << 12,
    goAlwaysShowEditor = 1 << 13,
    goThumbTracking = 1 << 14,
};

// How a cell is painted: any combination of these bits.
using TGridDrawState = unsigned;
enum TGridDrawStateBit : TGridDrawState { gdSelected = 1, gdFocused = 2, gdFixed = 4 };

struct TGridCoord {
    int x = 0; // column
    int y = 0; // row
    bool operator==(const TGridCoord&) const = default;
};

// Selection rectangle in cells, inclusive on all sides.
struct TGridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool contains(int col, int row) const { return col >= left && col <= right && row >= top && row <= bottom; }
    bool operator==(const TGridRect&) const = default;
};

class bsEInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};

namespace griderrors {
inline constexpr const char* indexOutOfRange = "Grid index out of range";
inline constexpr const char* fixedColsTooMany = "Fixed column count must be less than column count";
inline constexpr const char* fixedRowsTooMany = "Fixed row count must be less than row count";
} // namespace griderrors

} // namespace qv

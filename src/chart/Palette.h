#pragma once

#include "runtime/graphics/Graphics.h"

namespace qv {

constexpr int paletteSize = 16;

// Entry i of the default series palette, i taken modulo 16 (negative i wraps too).
TColor PaletteColor(int index);

} // namespace qv

#pragma once

#include "runtime/graphics/Bitmap.h"

namespace qv {

// The mark as the About window draws it. Up to 32 pixels it is drawn straight onto
// the pixel grid (32 is the About window's picture); larger sides are drawn four
// times larger and averaged down, so the slanted line stays smooth.
Bitmap programIconImage(int side);

} // namespace qv

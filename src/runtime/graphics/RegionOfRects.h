#pragma once

#include "runtime/graphics/Bitmap.h"

#include <span>

namespace qv {

// The union of any rectangles, built in one sweep instead of one union per rectangle;
// the same region, in the toolkit's own sorted form, as uniting them one by one.
Region regionOfRects(std::span<const TRect> rects);

// The same outline held in the same form.
bool sameRegion(const Region& a, const Region& b);

} // namespace qv

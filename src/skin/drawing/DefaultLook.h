#pragma once

#include "runtime/graphics/Canvas.h"

#include <string>

namespace qv {

// Shared drawing helpers of the default looks.
namespace defaultlook {

constexpr TColor navyFrame = 8388608;
constexpr TColor downFill = 11899781;
constexpr TColor hotFill = 13811126;

void fillRect(Canvas& canvas, const TRect& r, TColor color);
void frameRect(Canvas& canvas, const TRect& r, TColor color);
// Highlight on the top and left, shadow on the bottom and right (raised), or the reverse.
void bevel(Canvas& canvas, const TRect& r, bool raised);
TRect inflate(const TRect& r, int d);
// One line of text centred in r, background transparent.
void centredText(Canvas& canvas, const TRect& r, const std::string& text);

} // namespace defaultlook

} // namespace qv

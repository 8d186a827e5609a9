#pragma once

#include "runtime/graphics/Canvas.h"

#include <string>

namespace qv {

// The program's mark, a blue tile with a falling balance line over three bars,
// filling the square (0, 0)..(side, side). Designed on 32 pixels, where the About
// window shows it; other sides scale the same figure.
void paintProgramMark(Canvas& canvas, int side);

// The same figure as a scalable SVG document on a 32 x 32 view box.
std::string programMarkSvg();

} // namespace qv

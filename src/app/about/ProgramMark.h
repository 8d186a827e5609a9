#pragma once

#include "runtime/graphics/Canvas.h"

namespace qv {

// The program's mark, a blue tile with a falling balance line over three bars,
// filling the square (0, 0)..(side, side). Designed on 32 pixels, where the About
// window shows it; other sides scale the same figure.
void paintProgramMark(Canvas& canvas, int side);

} // namespace qv

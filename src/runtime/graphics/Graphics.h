#pragma once

#include "runtime/core/GraphicTypes.h"

namespace qv {

// The plain 0x00BBGGRR value of a colour, system colours looked up.
TColor colorToRGB(TColor color);

} // namespace qv

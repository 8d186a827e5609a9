#pragma once

#include "runtime/graphics/Bitmap.h"

#include <string>

namespace qv {

// The program's pictures of the calendar's buttons, by resource name:
// "BS_PRIORYEAR", "BS_PRIORMONTH", "BS_NEXTMONTH", "BS_NEXTYEAR". Each is one
// glyph cell whose bottom-left pixel gives the transparent colour; an unknown
// name gives an empty bitmap.
Bitmap calendarGlyph(const std::string& resourceName);

} // namespace qv

#pragma once

#include "runtime/core/DateTime.h"

#include <string>

namespace qv::report {

// A number in a display format such as "#,##0.00" or "0.0;(0.0);zero": digit
// placeholders "0" and "#", "," for thousands, "." for the decimal separator, quoted
// literals, up to three ";" sections (positive, negative, zero). An empty format gives
// the general 15-digit form.
std::string formatNumber(const std::string& format, long double value);

// A date-time in a format such as "mm/dd/yy hh:nn": d, dd, ddd, dddd, ddddd (short
// date), m, mm, mmm, mmmm, yy, yyyy, h, hh, n, nn, s, ss, t, tt, am/pm, ampm, quoted
// literals. An empty format gives the short date and, when there is one, the time.
std::string formatDateTime(const std::string& format, TDateTime value);

} // namespace qv::report

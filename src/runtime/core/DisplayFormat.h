#pragma once

#include "runtime/core/DateTime.h"

#include <string>

namespace qv {

// The one formatter of numbers and dates by display patterns; every separator and
// name comes from the regional settings.

// A number by a pattern such as "#,##0.###" or "0.00;(0.00);'zero'": "0" forces a
// digit, "#" allows one, "," anywhere in the integer part groups the digits the
// regional way, the first "." places the decimal separator; quoted texts and any
// other characters are copied. Up to three ";" sections: positive, negative (shown
// without its minus sign), zero (for a value that rounds to zero). Rounds half away
// from zero. An empty pattern gives the general 15-digit form.
std::string formatFloat(const std::string& pattern, long double value);

// A date-time by a pattern: d dd ddd dddd, ddddd (short date), dddddd (long date),
// m mm mmm mmmm (minutes right after an hour), yy yyyy, h hh, n nn, s ss, z zzz,
// t (short time), tt (long time), c (short date and, when not midnight, long time),
// am/pm, a/p and ampm (the regional strings; any of them makes hours 12-hour),
// "/" the date separator, ":" the time separator, quoted texts. Letters are read
// case-insensitively. An empty pattern is "c".
std::string formatDateTime(const std::string& pattern, TDateTime value);

// A date in the regional token form (d dd ddd dddd, M MM MMM MMMM, yy yyyy, "/" the
// date separator, quoted texts), as the short and long date formats are written.
std::string formatRegionalDate(const std::string& format, TDateTime date);

} // namespace qv

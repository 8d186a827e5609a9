#pragma once

#include <string>

namespace qv {

// Formats a value by a digit pattern such as "#,##0.###": '0' forces a digit, '#'
// allows one, ',' in the integer part groups thousands, '.' places the decimal
// separator; text before and after the digits is copied. Separators are the user's.
std::string formatFloat(const std::string& pattern, double value);

} // namespace qv

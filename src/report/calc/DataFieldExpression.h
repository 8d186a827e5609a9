#pragma once

#include "report/calc/ExpressionContext.h"

#include <string>

namespace qv::report {

// The text an expression such as  'Total: ' & PARAM.Amount  prints: literals, references
// with REPORT, PIVAR, PARAM or data-view prefixes, joined by "+" (nothing between) or
// "&" (a space after a non-empty item). Unknown references read "(invalid)".
std::string evaluateExpression(const std::string& expression, const TRpBaseDataView* dataView, ExpressionContext& context);

struct NumberRead {
    long double value = 0;
    bool isNull = false;
};

// The number a data field or expression stands for: a field of the view by its value
// (a string field converted whole, 0 when it is no number); anything else evaluated to
// text and stripped to its digits, first decimal separator and a leading "-".
NumberRead readNumber(const std::string& expression, const TRpBaseDataView* dataView, ExpressionContext& context);

// The text without anything but digits, the first decimal separator and a leading "-",
// converted; 0 when nothing numeric is left.
long double cleanedNumber(const std::string& text);
// The text converted as a whole with the regional decimal separator; 0 when it is no number.
long double wholeNumber(const std::string& text);

} // namespace qv::report

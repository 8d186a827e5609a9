#pragma once

#include <cstdint>
#include <string>

namespace qv {

// Rounds x to a multiple of 10^d the way the loan arithmetic does: the factor by
// binary exponentiation in extended precision stored as a double, the quotient
// rounded to the nearest integer with ties to even. d must lie in -37..37.
// A quotient beyond the 64-bit integer range is an invalid operation.
double roundDecimal(double x, int d);

// 15 significant digits, no trailing zeros, the regional decimal separator,
// scientific form when the decimal exponent leaves -3..15 (1E-5, 1.5E20).
std::string numberText(long double x);

// Regional text-to-float: blanks around, sign, digits with the regional decimal
// separator, optional exponent. Raises "'%s' is not a valid floating point value".
long double parseNumber(const std::string& text);

// Text-to-integer: leading blanks, sign, decimal digits or hex after "$", "x" or
// "0x". Raises "'%s' is not a valid integer value".
int32_t parseInteger(const std::string& text);

struct ParsedRate {
    long double value = 0;
    int errorPosition = 0; // 0 = whole text consumed, else 1-based position of the first misfit
};

// The rate field's parse: "." as decimal point whatever the region, leading
// blanks only. A value beyond the extended range is an overflow.
ParsedRate parseRate(const std::string& text);

// Binary exponentiation from the lowest exponent bit up, in extended precision.
long double integerPower(long double base, int exponent);

} // namespace qv

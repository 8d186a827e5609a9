#pragma once

#include "runtime/core/FloatFaults.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// Rounds x to a multiple of 10^d the way the loan arithmetic does: the factor by
// binary exponentiation in extended precision stored as a double, the quotient
// rounded to the nearest integer with ties to even. d must lie in -37..37.
// A quotient beyond the 64-bit integer range is an invalid operation.
double roundDecimal(double x, int d);
// The same rounding with a fault left in the sticky flags for the caller to test.
double roundDecimalDeferred(double x, int d);

// How a step of the loan arithmetic stores an extended result and rounds it:
// checking the fault flags after every store, or leaving them for one test at
// the end of the step.
struct CheckedStores {
    static double toDouble(long double value) { return storeDouble(value); }
    static double round(double x, int d) { return roundDecimal(x, d); }
};
struct DeferredStores {
    static double toDouble(long double value) { return static_cast<double>(value); }
    static double round(double x, int d) { return roundDecimalDeferred(x, d); }
};

// Runs step(DeferredStores) and tests the flags once. A step that faulted runs
// again with CheckedStores, which raises at the store that faulted first, so the
// error is the one checking every store gives. The flags must be clear on entry
// and the step free of effects until it returns.
template<typename Step>
auto runFloatStep(Step step)
{
    auto result = step(DeferredStores{});
    if (!floatFaultsRaised())
        return result;
    clearFloatFaults();
    return step(CheckedStores{});
}

// 15 significant digits, no trailing zeros, the regional decimal separator,
// scientific form when the decimal exponent leaves -3..15 (1E-5, 1.5E20).
std::string numberText(long double x);

// numberText in a buffer of its own, for texts copied on at once (a schedule row).
class NumberText {
public:
    explicit NumberText(long double x);
    // Money figures are doubles: this one keeps them off the x87 unit.
    explicit NumberText(double x);
    std::string_view view() const { return {m_text, m_size}; }

private:
    char m_text[64];
    std::size_t m_size;
};

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

#pragma once

namespace qv::report {

// Report geometry is compared to a ten-thousandth of an inch, so that fifteen 0.2-inch
// bands fill a 3-inch region exactly.
constexpr double geometryTolerance = 0.0001;

// a exceeds b by at least the tolerance.
constexpr bool exceeds(double a, double b)
{
    return a - b >= geometryTolerance;
}

constexpr bool sameLength(double a, double b)
{
    return !exceeds(a, b) && !exceeds(b, a);
}

} // namespace qv::report

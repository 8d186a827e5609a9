#pragma once

#include <cfenv>

namespace qv {

// The loan arithmetic traps invalid operations, division by zero and overflow
// (underflow and precision loss stay silent). The hardware flags are sticky, so
// a computation clears them, does one step, and asks whether that step faulted.
void clearFloatFaults();
// Raises EInvalidOp, EZeroDivide or EOverflow for a fault since the last clear,
// and clears the flags either way.
void raiseFloatFaults();
// Whether an operation faulted since the last clear. Only reads the flags:
// clearing them costs far more than a step of loan arithmetic.
inline bool floatFaultsRaised()
{
    return std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) != 0;
}

// Store an extended result at the width a step keeps it, faulting as the
// hardware does when the value does not fit (or an earlier operation of the step faulted).
// The volatile store pins the conversion before the test: the compiler may
// otherwise move it past the call, and its fault would surface a step late.
inline double storeDouble(long double value)
{
    double volatile const stored = static_cast<double>(value);
    raiseFloatFaults();
    return stored;
}

inline float storeSingle(long double value)
{
    float volatile const stored = static_cast<float>(value);
    raiseFloatFaults();
    return stored;
}

// Clears on entry; call check() after each step that stores a value.
class FloatFaultScope {
public:
    FloatFaultScope() { clearFloatFaults(); }
    void check() { raiseFloatFaults(); }
};

} // namespace qv

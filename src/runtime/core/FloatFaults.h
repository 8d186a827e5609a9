#pragma once

namespace qv {

// The loan arithmetic traps invalid operations, division by zero and overflow
// (underflow and precision loss stay silent). The hardware flags are sticky, so
// a computation clears them, does one step, and asks whether that step faulted.
void clearFloatFaults();
// Raises EInvalidOp, EZeroDivide or EOverflow for a fault since the last clear,
// and clears the flags either way.
void raiseFloatFaults();

// Clears on entry; call check() after each step that stores a value.
class FloatFaultScope {
public:
    FloatFaultScope() { clearFloatFaults(); }
    void check() { raiseFloatFaults(); }
};

} // namespace qv

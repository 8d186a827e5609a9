#include "runtime/core/FloatFaults.h"

#include "runtime/core/Exception.h"

#include <cfenv>

namespace qv {

void clearFloatFaults()
{
    std::feclearexcept(FE_ALL_EXCEPT);
}

void raiseFloatFaults()
{
    int const raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    std::feclearexcept(FE_ALL_EXCEPT);
    if (raised & FE_INVALID)
        throw EInvalidOp();
    if (raised & FE_DIVBYZERO)
        throw EZeroDivide();
    if (raised & FE_OVERFLOW)
        throw EOverflow();
}

} // namespace qv

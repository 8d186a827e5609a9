#pragma once

#include "runtime/core/Exception.h"

namespace qv {

// Raised by chart property setters that refuse a value; the old value stays.
class ChartException : public Exception {
public:
    using Exception::Exception;
};

} // namespace qv

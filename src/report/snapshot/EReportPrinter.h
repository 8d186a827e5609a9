#pragma once

#include "runtime/core/Exception.h"

namespace qv {

// Raised by the page writer and the snapshot reader; the message is shown as is.
class EReportPrinter : public Exception {
public:
    using Exception::Exception;
};

} // namespace qv

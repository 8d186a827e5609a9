#pragma once

#include "report/snapshot/Translation.h"
#include "runtime/core/Exception.h"

#include <algorithm>
#include <string>

namespace qv {

// Raised by the page writer and the snapshot reader. The fixed text (or pattern) is
// translated before a value is put into it.
class EReportPrinter : public Exception {
public:
    explicit EReportPrinter(const std::string& message)
        : Exception(report::translate(message))
    {
    }
    // The value takes the place of the pattern's first "%s" or "%d".
    EReportPrinter(const std::string& pattern, const std::string& value)
        : Exception(fill(report::translate(pattern), value))
    {
    }

private:
    static std::string fill(const std::string& pattern, const std::string& value)
    {
        auto at = std::min(pattern.find("%s"), pattern.find("%d"));
        if (at == std::string::npos)
            return pattern;
        return pattern.substr(0, at) + value + pattern.substr(at + 2);
    }
};

} // namespace qv

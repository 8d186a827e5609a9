#pragma once

#include "report/snapshot/Translation.h"

#include <string>
#include <utility>

namespace qv {

// Raised by the page writer and the snapshot reader.
class EReportPrinter : public report::ETranslatable {
public:
    explicit EReportPrinter(report::ReportText text) : ETranslatable(std::move(text)) {}
    explicit EReportPrinter(const std::string& message) : ETranslatable({message, std::nullopt}) {}
    // The value takes the place of the pattern's first "%s" or "%d".
    EReportPrinter(const std::string& pattern, const std::string& value) : ETranslatable({pattern, value}) {}
};

} // namespace qv

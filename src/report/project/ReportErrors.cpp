#include "report/project/ReportErrors.h"

#include <cstdio>

namespace qv::report {

void showMessage(const MessageSink& sink, const std::string& text)
{
    if (sink) {
        sink(text);
        return;
    }
    std::fprintf(stderr, "%s\n", text.c_str());
}

ERpException::ERpException(const std::string& message) : ETranslatable({message, std::nullopt}) {}

ERpException::ERpException(const std::string& pattern, const std::string& value) : ETranslatable({pattern, value}) {}

ERpException::ERpException(ReportText text) : ETranslatable(std::move(text)) {}

} // namespace qv::report

#include "report/project/ReportErrors.h"
#include "report/project/TRpProjectManager.h"

#include <cstdlib>

// Any byte string must load or fail with an engine error; a project that loaded must
// save to a file that loads again.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qv::report;
    auto const quiet = [](const std::string&) {};
    TRpProjectManager project;
    project.setMessages(quiet);
    try {
        project.loadFromStream(std::span<const std::uint8_t>(data, size));
    } catch (const qv::Exception&) {
        return 0;
    }
    auto saved = project.saveToStream(BlockMethod::Compressed);
    TRpProjectManager again;
    again.setMessages(quiet);
    try {
        again.loadFromStream(saved);
    } catch (const qv::Exception&) {
        std::abort();
    }
    if (!project.reports().empty())
        (void)project.saveReportToStream(*project.reports().front());
    return 0;
}

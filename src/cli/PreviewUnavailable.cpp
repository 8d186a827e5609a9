#include "cli/Commands.h"

#include "runtime/core/Exception.h"

#include <algorithm>

namespace qv::cli {

// Builds without the graphics layer (fuzzing, headless servers) have no windows.
bool wantsPreview(const std::vector<std::string>& args)
{
    return std::find(args.begin(), args.end(), "--preview") != args.end();
}

int runReportPreview(const std::vector<std::string>&, DataCommunication&)
{
    throw Exception("The report preview needs the graphics layer, which this build leaves out");
}

} // namespace qv::cli

#include "cli/Commands.h"

#include "runtime/core/Exception.h"

#include <algorithm>

namespace qv::cli {

// Builds without the graphics layer (fuzzing, headless servers) have no printer output.
int runPrinters(const std::vector<std::string>&)
{
    throw Exception("Printer output needs the graphics layer, which this build leaves out");
}

bool wantsPrint(const std::vector<std::string>& args)
{
    return std::find(args.begin(), args.end(), "--print") != args.end();
}

int runReportPrint(const std::vector<std::string>& args, DataCommunication&) { return runPrinters(args); }

} // namespace qv::cli

#include "cli/Commands.h"

#include "runtime/core/Exception.h"

namespace qv::cli {

// Builds without the graphics layer (fuzzing, headless servers) have no chart output.
int runChart(const std::vector<std::string>&)
{
    throw Exception("Chart output needs the graphics layer, which this build leaves out");
}

} // namespace qv::cli

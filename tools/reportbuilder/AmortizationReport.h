#pragma once

#include "report/project/TRpProjectManager.h"

#include <memory>
#include <string>

namespace qv::tools {

// The program's amortization report "rptQVR1": a Letter page with the title, the loan
// summary of the parameters (the loan and its rounding model), a column header repeated
// on every sheet, one row per month over the "RvCustomConnection1" data view, totals,
// and a footer with the run date and "Page N of M".
std::unique_ptr<report::TRpProjectManager> buildAmortizationProject();

// Writes it as a project file (compressed blocks).
void writeAmortizationProject(const std::string& path);

} // namespace qv::tools

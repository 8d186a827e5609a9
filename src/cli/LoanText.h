#pragma once

#include "loan/LoanEngine.h"
#include "loan/MemoryLoanView.h"

#include <string>

namespace qv::cli {

// What show prints for a loaded loan: the inputs and totals, then the schedule as a
// table whose columns are at most showCellWidth characters wide.
std::string showText(const LoanEngine& engine, const MemoryLoanView& view);
// What csv prints: the schedule rows the grid shows, every cell whole.
std::string csvText(const MemoryLoanView& view);

constexpr std::size_t showCellWidth = 40;

} // namespace qv::cli

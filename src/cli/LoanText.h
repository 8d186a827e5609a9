#pragma once

#include "loan/LoanEngine.h"
#include "loan/MemoryLoanView.h"

#include <string>

namespace qv::cli {

// What show prints for a loaded loan: the inputs and totals, then the schedule as a
// table whose columns are at most showCellWidth characters wide.
std::string showText(const LoanEngine& engine, const MemoryLoanView& view);
// What csv prints: the schedule rows the grid shows, every cell whole. A bank-rounded
// loan adds a last column "Rounding" holding "bank" in every row; a classic loan's
// CSV keeps its six columns as it always had them.
std::string csvText(const MemoryLoanView& view, RoundingModel rounding = RoundingModel::Classic);

constexpr std::size_t showCellWidth = 40;

} // namespace qv::cli

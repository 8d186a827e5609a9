#pragma once

#include "loan/LoanEngine.h"

#include <string>

namespace qv {

// The file's bytes: 12 header lines and five lines per month, each ended by CR LF.
std::string loanFileText(const LoanEngine& engine);

// Writes the loan as Save does. Goes through a temporary file in the same folder
// renamed over the target, so a failed save leaves the previous file intact.
bool writeLoanFile(const std::string& path, const LoanEngine& engine);

// Reads a loan as Open does, applying each value to engine and view as it goes.
bool readLoanFile(const std::string& path, LoanEngine& engine, LoanView& view);

} // namespace qv

#pragma once

#include "loan/LoanEngine.h"
#include "runtime/core/TextFile.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The file's bytes: 12 header lines and five lines per month, each ended by CR LF;
// a bank-rounded loan adds the line "rounding=bank" after its last month.
std::string loanFileText(const LoanEngine& engine);

// Writes the loan as Save does. Goes through a temporary file in the same folder
// renamed over the target, so a failed save leaves the previous file intact.
bool writeLoanFile(const std::string& path, const LoanEngine& engine);

// A loan file converted and checked whole, ready to be applied.
struct LoanFileContents {
    std::array<std::string, 13> line; // header lines 1 to 12 as read
    TDateTime loanDate = 0;
    LoanRecord record;
    LoanTotals totals;
    // Cells 1 to 5 of rows 1 to term x 12 where they lie in the reader the file was
    // parsed from: valid as long as that reader.
    std::vector<std::array<std::string_view, 5>> months;
    BankFigures bank; // the money lines as written, for a bank-rounded loan
};

// Raises the first conversion error, or an I/O error naming the file when it ends
// before the lines its term needs. Changes nothing.
LoanFileContents parseLoanFile(TextFileReader& file, const std::string& name);

// The longest loan file read: every line of the longest term accepted, with room for
// 256 bytes each, far beyond what the writer writes.
extern std::uint64_t const maxLoanFileBytes;

// Reads a loan as Open does. The file is checked whole before anything is applied:
// a file that cannot be read leaves engine and view as they were.
bool readLoanFile(const std::string& path, LoanEngine& engine, LoanView& view);

// Whether the reader would take back what the writer writes for this loan.
bool loanFileReadable(const LoanEngine& engine);

} // namespace qv

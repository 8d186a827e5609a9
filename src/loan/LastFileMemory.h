#pragma once

#include "loan/LoanEngine.h"

#include <string>

namespace qv {

// "info.ini" in the user's files folder (beside the executable unless that is
// read-only) remembers the last loan file saved and the rounding model chosen
// for new loans.
class LastFileMemory {
public:
    explicit LastFileMemory(std::string folder); // keeps its trailing separator

    std::string iniPath() const { return m_folder + "info.ini"; }
    std::string exampleFile() const { return m_folder + "example.qvl"; }
    // The remembered file if it exists, otherwise the example file.
    std::string startupFile() const;
    // Raises "Unable to write to %s" when info.ini cannot be written.
    void remember(const std::string& loanFile) const;
    // True when a start would look for the example file and find none: the
    // window then shows the example loan, calculated in the user's own formats.
    bool firstStart() const;

    // Classic unless bank was chosen (an unknown value reads as classic).
    RoundingModel roundingForNewLoans() const;
    // Raises "Unable to write to %s" when info.ini cannot be written.
    void rememberRounding(RoundingModel model) const;

private:
    std::string m_folder;
};

// The loan a first start shows: 200000 at 5 % over 30 years from 15 March 2024.
CalculateInput exampleLoan();

} // namespace qv

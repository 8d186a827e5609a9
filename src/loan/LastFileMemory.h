#pragma once

#include "loan/LoanRecord.h"

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
    // A user's folder without an example file starts with a copy of the one in
    // shippedFolder, so a fresh installation opens on a loan instead of an error.
    void seedExampleFrom(const std::string& shippedFolder) const;

    // Classic unless bank was chosen (an unknown value reads as classic).
    RoundingModel roundingForNewLoans() const;
    // Raises "Unable to write to %s" when info.ini cannot be written.
    void rememberRounding(RoundingModel model) const;

private:
    std::string m_folder;
};

} // namespace qv

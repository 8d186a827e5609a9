#pragma once

#include "loan/MemoryLoanView.h"
#include "loan/LoanEngine.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace qv::cli {

// A mistake in how the program was called (exit code 2, with usage).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Options of the form "--name value"; repeated names keep every value in order.
class Options {
public:
    Options(const std::vector<std::string>& args, const std::vector<std::string>& known);
    bool has(const std::string& name) const;
    std::string value(const std::string& name) const; // UsageError when missing
    std::vector<std::string> values(const std::string& name) const;
    const std::vector<std::string>& positional() const { return m_positional; }

private:
    std::vector<std::pair<std::string, std::string>> m_values;
    std::vector<std::string> m_positional;
};

// "subject: message", or the message alone when it already names the subject
// (starting with it, or quoting it outside the input it echoes).
std::string concerning(const std::string& subject, const std::string& message);
// An option and the text it was given, as an error names it: --rate "abc".
std::string optionText(const std::string& option, const std::string& text);

// Opens a loan file the way Open does; errors name the file.
void loadLoan(const std::string& path, LoanEngine& engine, MemoryLoanView& view);

// Writes bytes to a file through a temporary file, or to standard output for "" or "-".
// Every failure raises an error naming the file (or standard output); a file that
// cannot be written whole keeps its previous contents.
void writeOutput(const std::string& path, const std::string& bytes);

} // namespace qv::cli

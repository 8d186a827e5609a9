#include "loan/LastFileMemory.h"

#include "loan/BankRounding.h"

#include "runtime/core/FileErrors.h"
#include "runtime/core/IniFile.h"


namespace qv {

namespace {
constexpr const char* section = "user saved";
constexpr const char* key = "filename";
constexpr const char* choicesSection = "user choices";
constexpr const char* roundingKey = "rounding";
}

LastFileMemory::LastFileMemory(std::string folder)
    : m_folder(std::move(folder))
{
    if (!m_folder.empty() && m_folder.back() != '/')
        m_folder += '/';
}

std::string LastFileMemory::startupFile() const
{
    std::string const remembered = IniFile(iniPath()).readString(section, key, "");
    if (remembered.empty() || !fileExists(remembered))
        return exampleFile();
    return remembered;
}

void LastFileMemory::remember(const std::string& loanFile) const
{
    IniFile(iniPath()).writeString(section, key, loanFile);
}

bool LastFileMemory::firstStart() const { return startupFile() == exampleFile() && !fileExists(exampleFile()); }

// Calculated rather than read, so that its numbers and date take the user's
// regional formats: a file written under other settings would not read back.
CalculateInput exampleLoan() { return CalculateInput{"30", "200000", "5", encodeDate(2024, 3, 15)}; }

RoundingModel LastFileMemory::roundingForNewLoans() const
{
    std::string const keyword = IniFile(iniPath()).readString(choicesSection, roundingKey, "");
    return roundingFromKeyword(keyword).value_or(RoundingModel::Classic);
}

void LastFileMemory::rememberRounding(RoundingModel model) const
{
    IniFile(iniPath()).writeString(choicesSection, roundingKey, roundingKeyword(model));
}

} // namespace qv

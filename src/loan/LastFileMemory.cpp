#include "loan/LastFileMemory.h"

#include "loan/BankRounding.h"

#include "runtime/core/FileErrors.h"
#include "runtime/core/IniFile.h"

#include <filesystem>

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

void LastFileMemory::seedExampleFrom(const std::string& shippedFolder) const
{
    std::string const shipped = LastFileMemory(shippedFolder).exampleFile();
    if (shipped == exampleFile() || fileExists(exampleFile()) || !fileExists(shipped))
        return;
    // Best effort: without the copy the start-up load reports the missing file as usual.
    namespace fs = std::filesystem;
    std::error_code ignored;
    if (fs::copy_file(shipped, exampleFile(), ignored)) // the copy is the user's to rewrite, whatever the original's mode
        fs::permissions(exampleFile(), fs::perms::owner_read | fs::perms::owner_write, ignored);
}

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

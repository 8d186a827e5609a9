#include "loan/LastFileMemory.h"

#include "runtime/core/FileErrors.h"
#include "runtime/core/IniFile.h"

namespace qv {

namespace {
constexpr const char* section = "user saved";
constexpr const char* key = "filename";
}

LastFileMemory::LastFileMemory(std::string exeDir)
    : m_exeDir(std::move(exeDir))
{
    if (!m_exeDir.empty() && m_exeDir.back() != '/')
        m_exeDir += '/';
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

} // namespace qv

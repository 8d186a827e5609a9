#pragma once

#include <string>

namespace qv {

// "info.ini" beside the executable remembers the last loan file saved.
class LastFileMemory {
public:
    explicit LastFileMemory(std::string exeDir); // keeps its trailing separator

    std::string iniPath() const { return m_exeDir + "info.ini"; }
    std::string exampleFile() const { return m_exeDir + "example.qvl"; }
    // The remembered file if it exists, otherwise the example file.
    std::string startupFile() const;
    // Raises "Unable to write to %s" when info.ini cannot be written.
    void remember(const std::string& loanFile) const;

private:
    std::string m_exeDir;
};

} // namespace qv

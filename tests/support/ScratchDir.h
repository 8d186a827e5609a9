#pragma once

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace qv::test {

// A new private folder under the temporary folder, removed with all it holds when
// the object goes. Names never repeat, so test programs of several build trees and
// several runs at once cannot meet in it.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& prefix = "qv-test")
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (!::mkdtemp(pattern.data()))
            throw std::system_error(errno, std::generic_category(), "cannot make a scratch folder " + pattern);
        m_path = pattern;
    }
    ~ScratchDir()
    {
        // A forked child (a death test) leaves the folder to the process that made it.
        if (::getpid() != m_owner)
            return;
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }
    // The folder with its trailing separator, the way executable folders are given.
    std::string folder() const { return m_path.string() + "/"; }

private:
    std::filesystem::path m_path;
    pid_t m_owner = ::getpid();
};

} // namespace qv::test

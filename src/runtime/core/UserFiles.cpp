#include "runtime/core/UserFiles.h"

#include "runtime/core/FileErrors.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qv {

namespace {

constexpr const char* folderName = "quorvane";

std::string withSeparator(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string homeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

bool inGroup(gid_t group)
{
    if (group == ::getegid())
        return true;
    int const count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    int const got = ::getgroups(count, groups.data());
    for (int i = 0; i < got; ++i) {
        if (groups[static_cast<std::size_t>(i)] == group)
            return true;
    }
    return false;
}

} // namespace

bool folderIsWritable(const std::string& folder)
{
    std::string const path = folder.empty() ? "." : folder;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return false;
    mode_t bit = S_IWOTH;
    if (info.st_uid == ::geteuid())
        bit = S_IWUSR;
    else if (inGroup(info.st_gid))
        bit = S_IWGRP;
    // Write permission is useless without search permission on the folder.
    mode_t const search = bit == S_IWUSR ? S_IXUSR : bit == S_IWGRP ? S_IXGRP : S_IXOTH;
    if ((info.st_mode & bit) == 0 || (info.st_mode & search) == 0)
        return false;
    // Catches read-only mounts and access rules beyond the mode bits.
    return ::access(path.c_str(), W_OK | X_OK) == 0;
}

std::string userDataFolder()
{
    // Relative values are invalid by the XDG rules and are ignored.
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string base = data && data[0] == '/' ? std::string(data) : withSeparator(homeFolder()) + ".local/share";
    return withSeparator(withSeparator(base) + folderName);
}

void createPrivateFolder(const std::string& folder)
{
    std::string partial;
    std::string::size_type start = 0;
    while (start < folder.size()) {
        std::string::size_type slash = folder.find('/', start);
        if (slash == std::string::npos)
            slash = folder.size();
        partial = folder.substr(0, slash);
        start = slash + 1;
        if (partial.empty() || directoryExists(partial))
            continue;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            throw ioError(errno, withSeparator(partial));
    }
}

std::string userFilesFolder(const std::string& programFolder)
{
    if (folderIsWritable(programFolder))
        return withSeparator(programFolder);
    std::string const folder = userDataFolder();
    createPrivateFolder(folder);
    return folder;
}

} // namespace qv

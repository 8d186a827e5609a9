#include "runtime/core/FileErrors.h"

#include <cerrno>
#include <sys/stat.h>

namespace qv {

EInOutError ioError(int errnoValue, const std::string& path)
{
    switch (errnoValue) {
    case ENOENT:
        if (!path.empty() && directoryExists(directoryOf(path)))
            return EInOutError("File not found", 2);
        return EInOutError("Invalid filename", 3);
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
        return EInOutError("Invalid filename", 3);
    case EMFILE:
    case ENFILE:
        return EInOutError("Too many open files", 4);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EBUSY:
        return EInOutError("File access denied", 5);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return EInOutError("Disk full", 101);
    default:
        return EInOutError("I/O error " + std::to_string(errnoValue), errnoValue);
    }
}

bool directoryExists(const std::string& path)
{
    struct stat info{};
    return stat(path.empty() ? "." : path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool fileExists(const std::string& path)
{
    struct stat info{};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string directoryOf(const std::string& path)
{
    std::string::size_type const slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace qv

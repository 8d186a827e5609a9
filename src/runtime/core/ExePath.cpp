#include "runtime/core/ExePath.h"

#include "runtime/core/FileErrors.h"

#include <climits>
#include <cstdlib>
#include <unistd.h>

namespace qv {

std::string executableDirectory(const char* argv0)
{
    char buffer[PATH_MAX];
    ssize_t const n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n > 0)
        return directoryOf(std::string(buffer, static_cast<std::size_t>(n)));
    if (argv0 != nullptr) {
        char resolved[PATH_MAX];
        if (::realpath(argv0, resolved) != nullptr)
            return directoryOf(resolved);
    }
    return "./";
}

} // namespace qv

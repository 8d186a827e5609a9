#pragma once

#include "runtime/core/Exception.h"

#include <string>

namespace qv {

// The runtime's I/O error for an errno value met while opening, reading or writing path
// ("File not found", "File access denied", "Invalid filename", "Disk full", ...).
EInOutError ioError(int errnoValue, const std::string& path);

// An existing directory, or the current one for a name without a folder part.
bool directoryExists(const std::string& path);
bool fileExists(const std::string& path); // a regular file
std::string directoryOf(const std::string& path); // with its trailing separator, "" for a bare name

} // namespace qv

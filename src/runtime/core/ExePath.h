#pragma once

#include <string>

namespace qv {

// The folder of the running program with its trailing separator; argv0 is the
// fallback when the system cannot say.
std::string executableDirectory(const char* argv0);

} // namespace qv

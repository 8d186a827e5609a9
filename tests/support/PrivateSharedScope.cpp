#include "runtime/core/SharedMemory.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// Each test process gets shared objects of its own, so that parallel test runs on one
// machine never meet. Processes a test starts inherit the scope through the environment.
struct PrivateSharedScope {
    PrivateSharedScope()
    {
        if (!std::getenv("QV_SHARED_SCOPE"))
            ::setenv("QV_SHARED_SCOPE", ("t" + std::to_string(::getpid())).c_str(), 1);
        qv::setSharedObjectScope(std::getenv("QV_SHARED_SCOPE"));
    }
} privateSharedScope;

} // namespace

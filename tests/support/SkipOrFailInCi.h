#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace qv::test {

// True when the tests run in continuous integration (CI=true), where the test command
// (scripts/test.sh) sets up the print queue and the locales and runs as root.
inline bool runningInCi()
{
    const char* ci = std::getenv("CI");
    return ci != nullptr && (std::string(ci) == "true" || std::string(ci) == "1");
}

} // namespace qv::test

// For a test that needs something of the machine (a print queue, a locale, root): skips
// with the reason on a developer's machine, fails with it in CI, where a missing one
// means printing, regional formats or permissions went untested. Returns from the test.
#define SKIP_OR_FAIL_IN_CI(reason)                                                                         \
    do {                                                                                                   \
        std::string const skipOrFailReason = (reason);                                                     \
        if (::qv::test::runningInCi())                                                                     \
            GTEST_FAIL() << "CI must run this test, but: " << skipOrFailReason;                            \
        GTEST_SKIP() << skipOrFailReason;                                                                  \
    } while (false)

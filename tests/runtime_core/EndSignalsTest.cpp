#include "runtime/core/EndSignals.h"
#include "runtime/core/SharedMemory.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

using namespace qv;

namespace {

namespace fs = std::filesystem;

bool shmExists(const std::string& path) { return fs::exists("/dev/shm" + path); }

// One folder for a test and the child processes its death tests run it in again.
const std::string& scratchFolder()
{
    static const std::string folder = [] {
        if (const char* inherited = std::getenv("QV_END_SIGNALS_TEST_DIR"))
            return std::string(inherited);
        static test::ScratchDir scratch("quorvane-end-signals");
        ::setenv("QV_END_SIGNALS_TEST_DIR", scratch.folder().c_str(), 1);
        return scratch.folder();
    }();
    return folder;
}

} // namespace

// Without a taker the first signal ends the process at once: what it holds in
// /dev/shm and its temporary files go, and the status is the signal's.
TEST(EndSignals, ASignalEndsAtOnceAndRemovesSharedObjectsAndTemporaryFiles)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::string const temp = scratchFolder() + "report.tmp";
    std::string const name = "EndSignalsTest" + fs::path(scratchFolder()).parent_path().filename().string();
    std::string const path = sharedObjectPath(name);
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(signal);
        EXPECT_EXIT(
            {
                watchEndSignals();
                auto block = SharedMemory::openOrCreate(name, 64);
                std::ofstream(temp) << "snapshot";
                ExitCleanup removeTemp([temp] { ::unlink(temp.c_str()); });
                if (!shmExists(path) || !fs::exists(temp))
                    std::exit(3);
                ::kill(::getpid(), signal);
                for (;;)
                    std::this_thread::yield();
            },
            ::testing::KilledBySignal(signal), "");
        EXPECT_FALSE(shmExists(path));
        EXPECT_FALSE(fs::exists(temp));
    }
}

// A taker gets the first signal and the process goes on; a second one ends it
// at once, even while the first is still being handled.
TEST(EndSignals, TheFirstSignalGoesToItsTakerTheSecondEndsAtOnce)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::string const temp = scratchFolder() + "left.tmp";
    EXPECT_EXIT(
        {
            static std::atomic<int> taken{0};
            watchEndSignals([](int signal) {
                taken = signal;
                return true;
            });
            std::ofstream(temp) << "x";
            ExitCleanup removeTemp([temp] { ::unlink(temp.c_str()); });
            ::kill(::getpid(), SIGHUP);
            while (taken == 0)
                std::this_thread::yield();
            if (taken != SIGHUP || !fs::exists(temp))
                std::exit(3);
            ::kill(::getpid(), SIGTERM);
            for (;;)
                std::this_thread::yield();
        },
        ::testing::KilledBySignal(SIGTERM), "");
    EXPECT_FALSE(fs::exists(temp));

    // Registrations end with their owners: nothing is removed for a file let go.
    std::ofstream(temp) << "kept";
    EXPECT_EXIT(
        {
            watchEndSignals();
            { ExitCleanup gone([temp] { ::unlink(temp.c_str()); }); }
            ::kill(::getpid(), SIGINT);
            for (;;)
                std::this_thread::yield();
        },
        ::testing::KilledBySignal(SIGINT), "");
    EXPECT_TRUE(fs::exists(temp));
}

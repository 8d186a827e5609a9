#include "ChildProcess.h"

#include "runtime/core/MainThreadCall.h"
#include "runtime/core/NamedEvent.h"
#include "runtime/core/NamedMutex.h"
#include "runtime/core/SharedMemory.h"
#include "support/SkipOrFailInCi.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace qv;
using namespace std::chrono_literals;

namespace {

bool systemObjectExists(const std::string& name)
{
    return std::filesystem::exists("/dev/shm" + sharedObjectPath(name));
}

ChildProcess helper(const std::vector<std::string>& args)
{
    return ChildProcess(QV_HELPER, args);
}

// Runs the helper as another user (root only); its exit code, or -1000.
int runAsOtherUser(uid_t uid, const std::vector<std::string>& args)
{
    pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(uid) != 0 || ::setuid(uid) != 0)
            ::_exit(100);
        std::vector<char*> argv {const_cast<char*>(QV_HELPER)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(QV_HELPER, argv.data());
        ::_exit(101);
    }
    for (int i = 0; i < 1000; ++i) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::this_thread::sleep_for(10ms);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return -1000;
}

} // namespace

TEST(SharedMemory, HoldersShareBytesAndTheLastOneRemovesTheName)
{
    auto first = SharedMemory::openOrCreate("Block", 100);
    EXPECT_TRUE(first->created());
    EXPECT_EQ(first->size(), 100u);
    first->data()[7] = 42;

    auto second = SharedMemory::open("Block");
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->created());
    EXPECT_EQ(second->data()[7], 42);
    EXPECT_TRUE(first->heldElsewhere());

    first.reset();
    EXPECT_TRUE(systemObjectExists("Block"));
    EXPECT_FALSE(second->heldElsewhere());
    second.reset();
    EXPECT_FALSE(systemObjectExists("Block"));
    EXPECT_EQ(SharedMemory::open("Block"), nullptr);
}

TEST(SharedMemory, CreateGivesANewBlockWhileAnOldHolderKeepsItsOwn)
{
    auto old = SharedMemory::create("Alt", 64);
    old->data()[0] = 1;
    auto fresh = SharedMemory::create("Alt", 128);
    EXPECT_EQ(fresh->data()[0], 0);
    EXPECT_EQ(old->data()[0], 1);
    // The old holder leaving must not take the name of the new block with it.
    old.reset();
    auto reader = SharedMemory::open("Alt");
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->size(), 128u);
}

TEST(SharedMemory, OwnerOnlyAndRefusedToOtherUsers)
{
    auto block = SharedMemory::openOrCreate("Private", 64);
    struct stat info {};
    ASSERT_EQ(::stat(("/dev/shm" + sharedObjectPath("Private")).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(info.st_uid, ::geteuid());
    EXPECT_NE(sharedObjectPath("Private").find("-" + std::to_string(::geteuid()) + "-"), std::string::npos);

    if (::geteuid() != 0)
        SKIP_OR_FAIL_IN_CI("not root: another user's process cannot be started, permissions checked only");
    const uid_t nobody = 65534;
    EXPECT_EQ(runAsOtherUser(nobody, {"open-raw", sharedObjectPath("Private")}), 3);
    // An object planted under one of our names by someone else is never used.
    ASSERT_EQ(runAsOtherUser(nobody, {"squat", sharedObjectPath("Planted")}), 0);
    EXPECT_THROW(SharedMemory::openOrCreate("Planted", 64), ESharedObjectError);
    ::unlink(("/dev/shm" + sharedObjectPath("Planted")).c_str());
}

TEST(SharedMemory, BlockLeftByAKilledProcessStartsAfresh)
{
    ChildProcess child = helper({"hold-block", "Left"});
    ASSERT_TRUE(child.expectLine("ready"));
    {
        auto joined = SharedMemory::open("Left");
        ASSERT_NE(joined, nullptr);
        EXPECT_EQ(joined->data()[0], 0x5A);
    }
    child.signal(SIGKILL);
    EXPECT_EQ(child.wait(), -SIGKILL);
    // Whether another process has swept it away meanwhile or not, it starts afresh.
    auto again = SharedMemory::openOrCreate("Left", 4096);
    EXPECT_TRUE(again->created());
    EXPECT_EQ(again->data()[0], 0);
}

TEST(NamedEvent, AutoResetReleasesOneWaiterManualResetEvery)
{
    auto automatic = NamedEvent::open("Auto", NamedEvent::Reset::Auto);
    automatic->set();
    EXPECT_TRUE(automatic->wait(0ms));
    EXPECT_FALSE(automatic->wait(20ms));

    auto manual = NamedEvent::open("Manual", NamedEvent::Reset::Manual);
    manual->set();
    EXPECT_TRUE(manual->wait(0ms));
    EXPECT_TRUE(manual->wait(0ms));
    manual->resetEvent();
    EXPECT_FALSE(manual->wait(20ms));
    // The kind is the creator's.
    EXPECT_EQ(NamedEvent::open("Manual", NamedEvent::Reset::Auto)->reset(), NamedEvent::Reset::Manual);

    // A pulse with nobody waiting leaves nothing behind.
    manual->pulse();
    automatic->pulse();
    EXPECT_FALSE(manual->isSet());
    EXPECT_FALSE(automatic->wait(20ms));
}

TEST(NamedEvent, SignalsCrossProcesses)
{
    auto event = NamedEvent::open("Cross", NamedEvent::Reset::Auto);
    ChildProcess waiter = helper({"wait-event", "Cross", "auto", "10000"});
    ASSERT_TRUE(waiter.expectLine("waiting"));
    event->set();
    EXPECT_EQ(waiter.wait(), 0);
    EXPECT_FALSE(event->isSet()); // the child took it

    ChildProcess setter = helper({"set-event", "Cross", "auto"});
    EXPECT_EQ(setter.wait(), 0);
    EXPECT_TRUE(event->wait(5s));

    // A pulse releases a process that is waiting at that moment (its wait began before it
    // said so), and leaves nothing behind.
    auto manual = NamedEvent::open("CrossPulse", NamedEvent::Reset::Manual);
    ChildProcess pulsed = helper({"wait-event", "CrossPulse", "manual", "10000"});
    ASSERT_TRUE(pulsed.expectLine("waiting"));
    manual->pulse();
    EXPECT_EQ(pulsed.wait(), 0);
    EXPECT_FALSE(manual->isSet());
}

TEST(NamedEvent, WaitForAnyNamesTheEventAndStopsOnRequest)
{
    auto a = NamedEvent::open("A", NamedEvent::Reset::Auto);
    auto b = NamedEvent::open("B", NamedEvent::Reset::Auto);
    EventWait both[] = {waitingOn(*a), waitingOn(*b)};
    b->set();
    EXPECT_EQ(waitForAny(both, 1s), 1);
    EXPECT_EQ(waitForAny(both, 20ms), kWaitTimedOut);

    // The stop comes once the wait has begun, and ends it: stopped, not timed out.
    std::atomic<bool> stop {false};
    std::thread stopper([&] {
        while (a->waiterCount() == 0 || b->waiterCount() == 0)
            std::this_thread::yield();
        stop = true;
        a->wakeWaiters();
    });
    EXPECT_EQ(waitForAny(both, 10s, &stop), kWaitStopped);
    stopper.join();
    EXPECT_EQ(a->waiterCount(), 0u);
}

TEST(NamedMutex, TimedWaitAndADeadOwnerDoesNotBlock)
{
    auto mutex = NamedMutex::open("Lock");
    {
        ChildProcess holder = helper({"hold-mutex", "Lock"});
        ASSERT_TRUE(holder.expectLine("held"));
        EXPECT_FALSE(mutex->tryLockFor(50ms));
        holder.signal(SIGTERM);
        EXPECT_TRUE(mutex->tryLockFor(10s));
        mutex->unlock();
        EXPECT_EQ(holder.wait(), 0);
    }
    ChildProcess crashing = helper({"hold-mutex-and-die", "Lock"});
    ASSERT_TRUE(crashing.expectLine("held"));
    EXPECT_EQ(crashing.wait(), -SIGKILL);
    // Taken at once, not after the wait runs out.
    auto began = std::chrono::steady_clock::now();
    EXPECT_TRUE(mutex->tryLockFor(20s));
    EXPECT_LT(std::chrono::steady_clock::now() - began, 10s);
    EXPECT_FALSE(mutex->tryLockFor(0ms)); // held by this thread already
    mutex->unlock();
}

TEST(MainThreadCall, RunsOnTheMainThreadOrIsGivenUpOnStop)
{
    std::atomic<bool> stop {false};
    std::thread::id ranOn;
    bool handedOver = false;
    std::thread worker([&] { handedOver = callOnMainThread([&] { ranOn = std::this_thread::get_id(); }, stop); });
    while (runMainThreadCalls(5s) == 0) {
    }
    worker.join();
    EXPECT_TRUE(handedOver);
    EXPECT_EQ(ranOn, std::this_thread::get_id());

    // Errors come back to the caller.
    std::string caught;
    std::thread failing([&] {
        try {
            callOnMainThread([] { throw std::runtime_error("handler failed"); }, stop);
        } catch (const std::exception& error) {
            caught = error.what();
        }
    });
    while (runMainThreadCalls(5s) == 0) {
    }
    failing.join();
    EXPECT_EQ(caught, "handler failed");

    // Stopped before the main thread took it: the work never runs.
    bool ran = false;
    stop = true;
    EXPECT_FALSE(callOnMainThread([&] { ran = true; }, stop));
    runMainThreadCalls(0ms);
    EXPECT_FALSE(ran);
}

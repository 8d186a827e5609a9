// The other process of the cross-process tests: serves connections the way the main
// window does, or pulls rows as an engine, or holds shared objects, on command.

#include "ChildProcess.h"

#include "views/report/ScheduleReport.h"
#include "loan/LoanFile.h"
#include "loan/MemoryLoanView.h"
#include "report/data/DataCommunication.h"
#include "report/data/TRpDataViewLink.h"
#include "runtime/core/MainThreadCall.h"
#include "runtime/core/NamedEvent.h"
#include "runtime/core/NamedMutex.h"
#include "runtime/core/RegionalSettings.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <span>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace qv;

namespace {

std::atomic<bool> g_stop {false};

void say(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// The main thread: runs what a listener hands it until told to stop (SIGTERM); the
// bound only ends a helper whose test has gone.
void runUntilStopped(int seconds)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!g_stop && std::chrono::steady_clock::now() < deadline)
        runMainThreadCalls(std::chrono::milliseconds(50));
}

int serveUntilStopped(int seconds)
{
    say("ready");
    runUntilStopped(seconds);
    return 0;
}

// With dieAt > 0 the process kills itself while writing that schedule row.
int serveLoan(const std::string& file, const std::string& name, int dieAt)
{
    LoanEngine engine;
    MemoryLoanView view;
    if (!readLoanFile(file, engine, view))
        return 3;
    DataCommunication data;
    ScheduleReport schedule(engine, data.connections());
    TRvCustomConnection& connection = schedule.RvCustomConnection1();
    connection.SetName(name);
    if (dieAt > 0) {
        connection.OnGetRow = [&schedule, dieAt](TRvCustomConnection& c) {
            if (c.RowIndex + 1 == dieAt)
                ::raise(SIGKILL);
            schedule.RvCustomConnection1GetRow(c);
        };
    }
    schedule.offerParameters([&view] {
        return ReportFieldTexts {view.amountText, view.rateText, view.termText, view.label(ResultLabel::MonthlyPayment),
            view.label(ResultLabel::TotalInterest), view.label(ResultLabel::TotalPayment),
            view.label(ResultLabel::InterestSaved)};
    });
    return serveUntilStopped(60);
}

// One text field "Text"; row i is `size` copies of the letter 'a' + i. With dieAt > 0 the
// process kills itself while writing that row; with failAt > 0 that row's handler fails.
int serveRows(const std::string& name, int rows, size_t size, int dieAt, int failAt)
{
    DataCommunication data;
    TRvCustomConnection connection(name, data.connections());
    connection.OnOpen = [rows](TRvCustomConnection& c) {
        c.RowCount = rows;
        c.RowIndex = 0;
    };
    connection.OnGetCols = [](TRvCustomConnection& c) { c.DeclareField("Text", TRPDataType::dtString, 0, "", ""); };
    connection.OnGetRow = [size, dieAt, failAt](TRvCustomConnection& c) {
        if (dieAt > 0 && c.RowIndex + 1 == dieAt)
            ::raise(SIGKILL);
        c.WriteStringValue("", std::string(size, static_cast<char>('a' + c.RowIndex % 26)));
        if (failAt > 0 && c.RowIndex + 1 == failAt)
            c.WriteStringValue("", "one value too many");
    };
    connection.SetRuntimeVisibility(TRuntimeVisibility::rtEndUser);
    return serveUntilStopped(60);
}

// An engine run: takes the data control, pulls every row of the named fields, prints
// each row tab-separated, and reports when it held the control (monotonic nanoseconds).
int pull(const std::string& name, const std::vector<std::string>& fields, int holdMs)
{
    DataCommunication data;
    TRpDataSystem& system = data.system();
    system.DeveloperMode = true;
    if (!system.GainControl(std::chrono::milliseconds(10000)))
        return 4;
    say("gained " + std::to_string(monotonicNanos()));
    TRpDataViewLink view(system);
    view.ConnectionName = name;
    for (const std::string& field : fields)
        view.Fields.push_back({field, TRPDataType::dtString, "", -1});
    int code = 0;
    try {
        if (!view.Open()) {
            code = 5;
        } else {
            for (view.First(); !view.Eof(); view.Next()) {
                std::string line;
                for (const TRpViewField& field : view.Fields)
                    line += (line.empty() ? "" : "\t") + view.FieldText(field);
                say(line);
            }
            view.Close();
        }
    } catch (const std::exception& error) {
        say(std::string("error ") + error.what());
        code = 6;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
    say("released " + std::to_string(monotonicNanos()));
    system.ReleaseControl();
    say("end");
    return code;
}

// Holds the mutex until told to stop, so the test decides when it is free again.
int holdMutex(const std::string& name, bool die)
{
    auto mutex = NamedMutex::open(name);
    if (!mutex->tryLockFor(std::chrono::milliseconds(5000)))
        return 4;
    say("held");
    if (die)
        ::raise(SIGKILL);
    runUntilStopped(60);
    mutex->unlock();
    say("released");
    return 0;
}

NamedEvent::Reset resetKind(const std::string& text)
{
    return text == "manual" ? NamedEvent::Reset::Manual : NamedEvent::Reset::Auto;
}

// The wait counts from the pulses seen before "waiting" is said, as a listener counts
// from its last answer: a pulse the test sends after reading the line is never missed,
// however late this process gets to sleep.
int waitEvent(const std::string& name, const std::string& kind, int ms)
{
    auto event = NamedEvent::open(name, resetKind(kind));
    EventWait const wait = waitingOn(*event);
    say("waiting");
    return waitForAny(std::span(&wait, 1), std::chrono::milliseconds(ms)) == 0 ? 0 : 1;
}

int setEvent(const std::string& name, const std::string& kind)
{
    NamedEvent::open(name, resetKind(kind))->set();
    return 0;
}

// Holds a block, writes a mark into it and waits to be killed.
int holdBlock(const std::string& name)
{
    auto block = SharedMemory::openOrCreate(name, 4096);
    block->data()[0] = 0x5A;
    return serveUntilStopped(60);
}

// As some other user: 0 when the system object opened for reading, 3 when refused.
int openRaw(const std::string& path)
{
    int fd = ::shm_open(path.c_str(), O_RDONLY, 0);
    if (fd < 0)
        return errno == EACCES ? 3 : 2;
    ::close(fd);
    return 0;
}

// As some other user: plants an object under a name of ours, open to everybody.
int squat(const std::string& path)
{
    int fd = ::shm_open(path.c_str(), O_RDWR | O_CREAT | O_EXCL, 0666);
    if (fd < 0)
        return 2;
    ::fchmod(fd, 0666);
    ::ftruncate(fd, 4096);
    ::close(fd);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::signal(SIGTERM, [](int) { g_stop = true; });
    loadRegionalSettingsFromLocale();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return 2;
    const std::string& command = args[0];
    auto arg = [&](size_t i) { return i < args.size() ? args[i] : std::string(); };
    auto number = [&](size_t i) { return i < args.size() ? std::stoi(args[i]) : 0; };
    if (command == "serve-loan")
        return serveLoan(arg(1), args.size() > 2 ? arg(2) : "RvCustomConnection1", number(3));
    if (command == "serve-rows")
        return serveRows(arg(1), number(2), static_cast<size_t>(number(3)), number(4), number(5));
    if (command == "pull")
        return pull(arg(1), std::vector<std::string>(args.begin() + 3, args.end()), number(2));
    if (command == "hold-mutex")
        return holdMutex(arg(1), false);
    if (command == "hold-mutex-and-die")
        return holdMutex(arg(1), true);
    if (command == "wait-event")
        return waitEvent(arg(1), arg(2), number(3));
    if (command == "set-event")
        return setEvent(arg(1), arg(2));
    if (command == "hold-block")
        return holdBlock(arg(1));
    if (command == "open-raw")
        return openRaw(arg(1));
    if (command == "squat")
        return squat(arg(1));
    return 2;
}

#include "../app/AppTestSupport.h"
#include "ChildProcess.h"
#include "runtime/core/SharedMemory.h"
#include "runtime/ui/FirstFrame.h"
#include "runtime/ui/Timer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using namespace qv;
using namespace qv::test;
using namespace std::chrono_literals;

namespace {

// Runs the helper as an engine pulling the named fields while this thread keeps the
// window's message loop going; the lines it printed between taking and giving back the
// data control.
std::vector<std::string> pullFromWindow(const std::string& connection, const std::vector<std::string>& fields)
{
    std::vector<std::string> args {"pull", connection, "0"};
    args.insert(args.end(), fields.begin(), fields.end());
    ChildProcess engine(QV_HELPER, args);
    std::vector<std::string> lines;
    std::future<void> reader = std::async(std::launch::async, [&] {
        for (std::string line = engine.readLine(20s); !line.empty() && line != "end"; line = engine.readLine(20s))
            lines.push_back(line);
    });
    auto deadline = std::chrono::steady_clock::now() + 30s;
    while (reader.wait_for(10ms) != std::future_status::ready && std::chrono::steady_clock::now() < deadline)
        app().processMessages();
    reader.wait_for(5s);
    EXPECT_EQ(engine.wait(), 0);
    if (lines.size() < 2)
        return {};
    return std::vector<std::string>(lines.begin() + 1, lines.end() - 1);
}

// A scope of shared objects no earlier test of this process has touched; the processes
// started from here on share it.
void freshSharedScope(const std::string& name)
{
    std::string const scope = "t" + std::to_string(::getpid()) + name;
    ::setenv("QV_SHARED_SCOPE", scope.c_str(), 1);
    setSharedObjectScope(scope);
}

// The user-wide shared objects (blocks and events) of the current scope.
std::vector<std::string> sharedObjectsNow()
{
    std::string const prefix = sharedObjectPath("").substr(1);
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/shm")) {
        std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0)
            found.push_back(name);
    }
    return found;
}

// What one Report click of the window did: the previews shown and the months served.
struct ReportClick {
    int previews = 0;
    int rows = 0;
};

// Clicks Report, accepts the output options and closes the preview.
ReportClick clickReport(TfrmMain& w)
{
    AcceptOutputOptions accept;
    ReportClick result;
    ClosePreviews close([&](TRpPreviewForm&) { result.rows = w.scheduleReport.reportRowCursor() - 1; });
    sendClick(w.btnPrerpt, 5, 5);
    result.previews = close.shown();
    return result;
}

} // namespace

// Listener threads and user-wide shared objects are nothing the first frame shows: the
// program makes them once it is painted, and then another process reads the window.
TEST_F(MainWindowTest, OtherProcessesAreAnsweredOnceTheFirstFrameIsPainted)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            freshSharedScope("late");
            auto& main = app().createForm<TfrmMain>(std::string(), ui());
            bool const quietUntilPainted = !main.scheduleReport.offered()
                && !main.scheduleReport.RvCustomConnection1().Listening() && sharedObjectsNow().empty();
            afterFirstFrame([&] {
                bool const listening = main.scheduleReport.RvCustomConnection1().Listening();
                postToMainThread([&, listening] {
                    std::vector<std::string> const rows = pullFromWindow("RvCustomConnection1", {"No"});
                    std::vector<std::string> const parameters = pullFromWindow("RvReportParameters", {"Amount"});
                    bool const served = !rows.empty() && rows.size() == std::size_t(main.loan.totals.scheduleMonths)
                        && parameters == std::vector<std::string> {main.txtAmount.text()};
                    std::exit(quietUntilPainted && listening && served ? 7 : 8);
                });
            });
            app().run();
            std::exit(9);
        },
        ::testing::ExitedWithCode(7), "");
}

// The window's own report reads the schedule in the process: it runs before the window
// has offered anything to others, and offers nothing by running.
TEST_F(MainWindowTest, AReportRunsBeforeOtherProcessesAreAnswered)
{
    std::filesystem::copy_file(QV_REPORT_PROJECT, exeDir() + "rptQVR1.rav",
        std::filesystem::copy_options::overwrite_existing);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            freshSharedScope("early");
            TfrmMain& w = start();
            calculate("10000", "7", "1");
            boxes.clear();
            ReportClick const report = clickReport(w);
            bool const ran = report.previews == 1 && report.rows == 12 && boxes.empty();
            bool const quiet = !w.scheduleReport.offered() && sharedObjectsNow().empty();
            std::exit(ran && quiet ? 7 : 8);
        },
        ::testing::ExitedWithCode(7), "");
    std::filesystem::remove(exeDir() + "rptQVR1.rav");
}

// A window closed before its first frame is never offered, and its leftover start-up
// work does not touch it: the next window is offered as usual.
TEST_F(MainWindowTest, AWindowClosedBeforeItsFirstFrameIsNeverOffered)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            freshSharedScope("closed");
            start();
            form.reset();
            app().processMessages();
            bool const quiet = sharedObjectsNow().empty();
            auto& main = app().createForm<TfrmMain>(std::string(), ui());
            afterFirstFrame([&] {
                bool const offered = main.scheduleReport.RvCustomConnection1().Listening();
                std::exit(quiet && offered ? 7 : 8);
            });
            app().run();
            std::exit(9);
        },
        ::testing::ExitedWithCode(7), "");
}

TEST_F(MainWindowTest, AnotherProcessReadsTheScheduleAndParametersTheWindowShows)
{
    TfrmMain& w = start();
    // What the program does once the first frame is painted.
    w.offerReportData();
    calculate("12000", "6", "1");
    // Typed after Calculate: the report gets the field as shown.
    w.txtAmount.setText("12500");
    EXPECT_NE(w.scheduleReport.RvCustomConnection1().ApplicationHandle.load(), 0u);

    std::vector<std::string> rows = pullFromWindow("RvCustomConnection1", {"No", "balance"});
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows.front(), "1\t" + w.loan.table.cell(1, 5));
    EXPECT_EQ(rows.back(), "12\t" + w.loan.table.cell(12, 5));

    std::vector<std::string> parameters = pullFromWindow("RvReportParameters", {"Amount", "Rate", "Term", "MonPay"});
    ASSERT_EQ(parameters.size(), 1u);
    EXPECT_EQ(parameters[0], "12500\t6\t1\t" + w.lblMonPay.Caption());
}

TEST_F(MainWindowTest, TheWindowsReportNeverWaitsForTheDataControlOfAnotherProcess)
{
    std::filesystem::copy_file(QV_REPORT_PROJECT, exeDir() + "rptQVR1.rav",
        std::filesystem::copy_options::overwrite_existing);
    TfrmMain& w = start();
    calculate("10000", "7", "1");
    // Another process runs a report that reads another program's data: it holds the
    // user-wide data control, which a report served by the window itself never needs.
    ChildProcess other(QV_HELPER, {"hold-mutex", "RPCONTROLER"});
    ASSERT_TRUE(other.expectLine("held"));
    boxes.clear();
    opened.clear();
    AcceptOutputOptions accept;
    ClosePreviews close;
    sendClick(w.btnPrerpt, 5, 5);
    std::filesystem::remove(exeDir() + "rptQVR1.rav");
    EXPECT_EQ(accept.shown(), 1);
    EXPECT_EQ(boxes.size(), 0u) << (boxes.empty() ? "" : boxes[0].text);
    EXPECT_EQ(close.shown(), 1) << "the report reached its preview";
    other.signal(SIGKILL);
    EXPECT_EQ(other.wait(), -SIGKILL) << "the other run held the control all along";
}

namespace {

// Something another user could leave in /dev/shm under one of the window's names.
enum class Planted { OpenToAll, OtherOwner, Folder, Link };

class PlantedObject {
public:
    PlantedObject(const std::string& systemPath, Planted kind)
        : m_path("/dev/shm" + systemPath)
    {
        switch (kind) {
        case Planted::OpenToAll:
        case Planted::OtherOwner:
            writeFile(m_path, std::string(64, '\0'));
            ::chmod(m_path.c_str(), kind == Planted::OpenToAll ? 0666 : 0600);
            if (kind == Planted::OtherOwner && ::chown(m_path.c_str(), 65534, 65534) != 0)
                m_refused = true;
            break;
        case Planted::Folder:
            std::filesystem::create_directory(m_path);
            break;
        case Planted::Link:
            writeFile(m_path + ".target", std::string(64, '\0'));
            ::chmod((m_path + ".target").c_str(), 0600);
            std::filesystem::create_symlink(m_path + ".target", m_path);
            break;
        }
    }
    ~PlantedObject()
    {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
        std::filesystem::remove(m_path + ".target", ignored);
    }
    // Only root can give a file away.
    bool refused() const { return m_refused; }

private:
    std::string m_path;
    bool m_refused = false;
};

} // namespace

TEST_F(MainWindowTest, ObjectsPlantedUnderTheSharedNamesLeaveAWorkingWindowAndOneMessage)
{
    struct Case {
        std::string path;
        Planted kind;
    };
    std::vector<Case> cases;
    for (Planted kind : {Planted::OpenToAll, Planted::OtherOwner, Planted::Folder, Planted::Link})
        cases.push_back({sharedObjectPath("RPBUFFER"), kind});
    Planted kind = Planted::OpenToAll;
    for (const char* name : {"QVSIGNALS", "RPCOMPLETED", "RPDISCONNECT", "RPCONNECT", "RPRTDATA_RvCustomConnection1",
             "RPRTACK_RvCustomConnection1", "RPRTDATA_RvReportParameters", "RPRTACK_RvReportParameters"}) {
        cases.push_back({sharedObjectPath(name), kind});
        kind = kind == Planted::Link ? Planted::OpenToAll : Planted(int(kind) + 1);
    }

    std::string const offerProblem = "Other programs cannot read this window's report data.\r";
    auto offerMessages = [&] {
        return std::count_if(boxes.begin(), boxes.end(), [&](const MessageBoxCall& box) {
            return box.text.rfind(offerProblem, 0) == 0 && box.text.size() > offerProblem.size();
        });
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " planted as kind " + std::to_string(int(c.kind)));
        PlantedObject planted(c.path, c.kind);
        if (planted.refused())
            continue;
        boxes.clear();
        TManualTimerClock clock;
        TfrmMain& w = start();
        ASSERT_TRUE(w.showing());
        w.offerReportData();
        EXPECT_EQ(offerMessages(), 0) << "not before the window is on screen";
        clock.advance(1);
        ASSERT_EQ(offerMessages(), 1);
        calculate("10000", "7", "1");
        EXPECT_EQ(w.lblMonPay.Caption(), "865.25");
        clock.advance(1000);
        EXPECT_EQ(offerMessages(), 1) << "said once";
        form.reset();
        app().processMessages();
    }
}

TEST_F(MainWindowTest, AReportOfTheWindowRunsBesideAPlantedSharedBuffer)
{
    std::filesystem::copy_file(QV_REPORT_PROJECT, exeDir() + "rptQVR1.rav",
        std::filesystem::copy_options::overwrite_existing);
    PlantedObject planted(sharedObjectPath("RPBUFFER"), Planted::OpenToAll);
    TfrmMain* started = nullptr;
    {
        TManualTimerClock clock;
        started = &start();
        started->offerReportData();
        std::size_t const startBoxes = boxes.size();
        clock.advance(1);
        ASSERT_EQ(boxes.size(), startBoxes + 1) << "other programs cannot read the report data";
    }
    TfrmMain& w = *started;
    calculate("10000", "7", "1");
    boxes.clear();
    ReportClick const report = clickReport(w);
    std::filesystem::remove(exeDir() + "rptQVR1.rav");
    EXPECT_EQ(report.previews, 1) << "the report reached its preview";
    EXPECT_EQ(report.rows, 12);
    EXPECT_EQ(boxes.size(), 0u);
}

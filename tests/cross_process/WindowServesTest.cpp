#include "../app/AppTestSupport.h"
#include "ChildProcess.h"

#include <gtest/gtest.h>

#include <future>

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

} // namespace

TEST_F(MainWindowTest, AnotherProcessReadsTheScheduleAndParametersTheWindowShows)
{
    TfrmMain& w = start();
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

TEST_F(MainWindowTest, ReportWaitsForTheDataControlOfAnotherProcessWhenTheUserSaysRetry)
{
    std::filesystem::copy_file(QV_REPORT_PROJECT, exeDir() + "rptQVR1.rav",
        std::filesystem::copy_options::overwrite_existing);
    TfrmMain& w = start();
    calculate("10000", "7", "1");
    // Another process runs a report: the first wait of 5 s runs out, the second succeeds.
    ChildProcess other(QV_HELPER, {"hold-mutex", "RPCONTROLER", "6500"});
    ASSERT_TRUE(other.expectLine("held"));
    boxes.clear();
    opened.clear();
    setMessageBoxHook([this](const MessageBoxCall& call) {
        boxes.push_back(call);
        return int(IDRETRY);
    });
    AcceptOutputOptions accept;
    ClosePreviews close;
    sendClick(w.btnPrerpt, 5, 5);
    std::filesystem::remove(exeDir() + "rptQVR1.rav");
    EXPECT_EQ(accept.shown(), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Unable to gain control of Report Data Communication System.");
    EXPECT_EQ(boxes[0].flags & 0xF, unsigned(MB_RETRYCANCEL));
    EXPECT_EQ(close.shown(), 1) << "the report reached its preview";
    EXPECT_EQ(other.wait(), 0);
}

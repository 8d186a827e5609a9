#include "ChildProcess.h"

#include "views/report/ScheduleReport.h"
#include "loan/LoanFile.h"
#include "loan/MemoryLoanView.h"
#include "report/data/DataBuffer.h"
#include "report/data/DataCommunication.h"
#include "report/data/TRpDataViewLink.h"
#include "report/project/ReportErrors.h"
#include "report/snapshot/EReportPrinter.h"
#include "runtime/core/MainThreadCall.h"
#include "runtime/core/RegionalSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <future>
#include <thread>
#include <unistd.h>

using namespace qv;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kScheduleFields {"No", "date", "interest", "principal", "extra", "balance"};

// A 30-year loan with an extra payment in month 12, written the way Save writes it.
class CrossProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        setRegionalSettings(RegionalSettings::posix());
        m_dir = fs::temp_directory_path() / ("qv-xproc-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
        m_loanFile = (m_dir / "loan.qvl").string();
        std::string command = std::string("LC_ALL=C " QV_CLI " schedule --amount 200000 --rate 5 --term 30")
            + " --date 2024-03-15 --extra 12=5000 -o " + m_loanFile;
        ASSERT_EQ(std::system(command.c_str()), 0);
        MemoryLoanView view;
        ASSERT_TRUE(readLoanFile(m_loanFile, m_engine, view));
        TRpDataSystem& system = m_data.system();
        system.DeveloperMode = true;
        system.RemoteWaitLimit = 100;
        ASSERT_TRUE(system.GainControl(5s));
    }
    void TearDown() override
    {
        m_data.system().ReleaseControl();
        fs::remove_all(m_dir);
    }

    std::vector<std::string> tableRows() const
    {
        std::vector<std::string> rows;
        for (int row = 1; row <= m_engine.totals.scheduleMonths; ++row) {
            std::string line;
            for (int column = 0; column < 6; ++column)
                line += (column ? "\t" : "") + m_engine.table.cell(row, column);
            rows.push_back(line);
        }
        return rows;
    }

    static std::vector<std::string> pullAll(TRpDataViewLink& view)
    {
        std::vector<std::string> rows;
        for (view.First(); !view.Eof(); view.Next()) {
            std::string line;
            for (const TRpViewField& field : view.Fields)
                line += (line.empty() ? "" : "\t") + view.FieldText(field);
            rows.push_back(line);
        }
        return rows;
    }

    TRpDataViewLink view(const std::string& connection, const std::vector<std::string>& fields)
    {
        TRpDataViewLink link(m_data.system());
        link.ConnectionName = connection;
        for (const std::string& field : fields)
            link.Fields.push_back({field, TRPDataType::dtString, "", -1});
        return link;
    }

    // This test's program: its engine and the connections it serves.
    DataCommunication m_data;
    fs::path m_dir;
    std::string m_loanFile;
    LoanEngine m_engine;
};

ChildProcess helper(const std::vector<std::string>& args)
{
    return ChildProcess(QV_HELPER, args);
}

} // namespace

TEST_F(CrossProcess, EnginePullsTheScheduleAndParametersOfAnotherProcess)
{
    ChildProcess window = helper({"serve-loan", m_loanFile});
    ASSERT_TRUE(window.expectLine("ready"));
    std::vector<std::string> expected = tableRows();
    ASSERT_LT(expected.size(), 360u); // the extra payment shortened it

    TRpDataViewLink schedule = view("RvCustomConnection1", kScheduleFields);
    ASSERT_TRUE(schedule.Open());
    EXPECT_EQ(pullAll(schedule), expected);
    // A second walk starts at the first row again.
    EXPECT_EQ(pullAll(schedule), expected);
    schedule.Close();

    std::vector<std::string> names;
    for (const ReportParameter& parameter : reportParameters)
        names.push_back(parameter.name);
    TRpDataViewLink parameters = view(kParametersConnectionName, names);
    ASSERT_TRUE(parameters.Open());
    std::vector<std::string> row = pullAll(parameters);
    ASSERT_EQ(row.size(), 1u);
    EXPECT_EQ(row[0].substr(0, row[0].find('\t')), "200000");
    EXPECT_EQ(window.stop(), 0);
}

TEST_F(CrossProcess, AnotherProcessPullsFromThisOne)
{
    // The connection lives here; the main thread serves what the listener hands it.
    ScheduleReport schedule(m_engine, m_data.connections());
    m_data.system().ReleaseControl();
    std::vector<std::string> args {"pull", "RvCustomConnection1", "0"};
    args.insert(args.end(), kScheduleFields.begin(), kScheduleFields.end());
    ChildProcess engine = helper(args);
    std::vector<std::string> pulled;
    auto deadline = std::chrono::steady_clock::now() + 30s;
    std::future<void> reader = std::async(std::launch::async, [&] {
        ASSERT_EQ(engine.readLine().substr(0, 7), "gained ");
        for (std::string line = engine.readLine(); line.substr(0, 9) != "released " && !line.empty(); line = engine.readLine())
            pulled.push_back(line);
    });
    while (reader.wait_for(0ms) != std::future_status::ready && std::chrono::steady_clock::now() < deadline)
        runMainThreadCalls(20ms);
    reader.get();
    EXPECT_EQ(engine.wait(), 0);
    EXPECT_EQ(pulled, tableRows());
    ASSERT_TRUE(m_data.system().GainControl(5s));
}

TEST_F(CrossProcess, OversizeRowsTravelThroughAlternatingOverflowBlocks)
{
    const size_t size = 70000;
    ChildProcess server = helper({"serve-rows", "Wide", "3", std::to_string(size), "0"});
    ASSERT_TRUE(server.expectLine("ready"));
    TRpDataViewLink wide = view("Wide", {"Text"});
    ASSERT_TRUE(wide.Open());
    auto buffer = databuffer::open(databuffer::Reach::Machine, databuffer::kBufferName);
    ASSERT_NE(buffer, nullptr);
    int expectedBlock = 1;
    char letter = 'a';
    for (wide.First(); !wide.Eof(); wide.Next()) {
        EXPECT_EQ(databuffer::getInt32(*buffer, databuffer::kOverflowOffset), expectedBlock);
        EXPECT_EQ(wide.FieldText(wide.Fields[0]), std::string(size, letter));
        expectedBlock = expectedBlock == 1 ? 2 : 1;
        ++letter;
    }
    EXPECT_EQ(letter, 'd');
    wide.Close();
}

TEST_F(CrossProcess, AServerKilledMidRunEndsTheRunAndTheNextRunWorks)
{
    {
        ChildProcess dying = helper({"serve-rows", "Fragile", "10", "8", "4"});
        ASSERT_TRUE(dying.expectLine("ready"));
        TRpDataViewLink fragile = view("Fragile", {"Text"});
        ASSERT_TRUE(fragile.Open());
        fragile.First();
        fragile.Next();
        fragile.Next();
        EXPECT_EQ(fragile.FieldText(fragile.Fields[0]), "cccccccc");
        auto began = std::chrono::steady_clock::now();
        EXPECT_THROW(fragile.Next(), EReportPrinter);
        // Noticed as gone well before the minute a silent peer gets.
        EXPECT_LT(std::chrono::steady_clock::now() - began, 5s);
        EXPECT_EQ(dying.wait(), -SIGKILL);
    }
    ChildProcess healthy = helper({"serve-rows", "Fragile", "3", "4", "0"});
    ASSERT_TRUE(healthy.expectLine("ready"));
    TRpDataViewLink again = view("Fragile", {"Text"});
    ASSERT_TRUE(again.Open());
    EXPECT_EQ(pullAll(again), (std::vector<std::string> {"aaaa", "bbbb", "cccc"}));
}

TEST_F(CrossProcess, AFailingHandlerAnswersEmptyAndTheServerCarriesOn)
{
    ChildProcess server = helper({"serve-rows", "Faulty", "5", "2", "0", "3"});
    ASSERT_TRUE(server.expectLine("ready"));
    for (int run = 0; run < 2; ++run) {
        TRpDataViewLink faulty = view("Faulty", {"Text"});
        ASSERT_TRUE(faulty.Open());
        // The third row's handler fails over there: the view ends instead of waiting.
        auto began = std::chrono::steady_clock::now();
        EXPECT_EQ(pullAll(faulty), (std::vector<std::string> {"aa", "bb"}));
        EXPECT_LT(std::chrono::steady_clock::now() - began, 5s);
        faulty.Close();
    }
    EXPECT_EQ(server.stop(), 0);
}

TEST_F(CrossProcess, NamesakesInTwoProcessesAreRefusedAndAMissingOneIsReported)
{
    std::vector<std::string> shown;
    auto const record = [&](const std::string& text) { shown.push_back(text); };
    ChildProcess one = helper({"serve-rows", "Twin", "1", "1", "0"});
    ChildProcess two = helper({"serve-rows", "Twin", "1", "1", "0"});
    ASSERT_TRUE(one.expectLine("ready"));
    ASSERT_TRUE(two.expectLine("ready"));
    TRpDataViewLink twin = view("twin", {"Text"});
    twin.Messages = record;
    EXPECT_FALSE(twin.Open());
    TRpDataViewLink missing = view("Nobody", {"Text"});
    missing.Messages = record;
    EXPECT_FALSE(missing.Open());
    EXPECT_EQ(shown, (std::vector<std::string> {
                         "Error!  Duplicate data connections found with name \"twin\".  Aborting report.",
                         "Error!  Could not open data connection \"Nobody\".  Aborting report.",
                     }));
    // Both listeners keep answering listings afterwards.
    EXPECT_EQ(m_data.system().ListConnections().size(), 2u);
}

TEST_F(CrossProcess, TwoRunsAtOnceTakeTurnsOnTheDataControl)
{
    ChildProcess window = helper({"serve-loan", m_loanFile});
    ASSERT_TRUE(window.expectLine("ready"));
    m_data.system().ReleaseControl();
    std::vector<std::string> args {"pull", "RvCustomConnection1", "300", "No"};
    ChildProcess first = helper(args);
    ChildProcess second = helper(args);
    auto timesOf = [](ChildProcess& engine, int64_t& gained, int64_t& released, size_t& rows) {
        for (std::string line = engine.readLine(); !line.empty() && line != "end"; line = engine.readLine()) {
            if (line.rfind("gained ", 0) == 0)
                gained = std::stoll(line.substr(7));
            else if (line.rfind("released ", 0) == 0)
                released = std::stoll(line.substr(9));
            else
                ++rows;
        }
    };
    int64_t gained[2] {}, released[2] {};
    size_t rows[2] {};
    std::thread other([&] { timesOf(second, gained[1], released[1], rows[1]); });
    timesOf(first, gained[0], released[0], rows[0]);
    other.join();
    EXPECT_EQ(first.wait(), 0);
    EXPECT_EQ(second.wait(), 0);
    EXPECT_EQ(rows[0], tableRows().size());
    EXPECT_EQ(rows[1], tableRows().size());
    ASSERT_TRUE(gained[0] && gained[1] && released[0] && released[1]);
    // One run holds the control from start to end; the other starts after it.
    bool firstWentFirst = gained[0] < gained[1];
    EXPECT_GE(firstWentFirst ? gained[1] : gained[0], firstWentFirst ? released[0] : released[1]);
    ASSERT_TRUE(m_data.system().GainControl(5s));
}

#include "ChildProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class CliConnect : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("qv-cliconnect-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    int cli(const std::string& arguments) const
    {
        std::string command = "LC_ALL=C timeout 120 " QV_CLI " " + arguments + " 2>" + path("err");
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string errors() const { return slurp(path("err")); }

    fs::path m_dir;
};

} // namespace

TEST_F(CliConnect, ReportOfTheRunningWindowEqualsTheReportOfItsLoan)
{
    ASSERT_EQ(cli("schedule --amount 200000 --rate 5 --term 30 --date 2024-03-15 --extra 12=5000 -o " + path("loan.qvl")), 0);
    ChildProcess window(QV_HELPER, {"serve-loan", path("loan.qvl")});
    ASSERT_TRUE(window.expectLine("ready"));

    ASSERT_EQ(cli("report --connect -o " + path("connected.ndr")), 0) << errors();
    ASSERT_EQ(cli("report " + path("loan.qvl") + " -o " + path("direct.ndr")), 0) << errors();
    std::string connected = slurp(path("connected.ndr"));
    EXPECT_GT(connected.size(), 10000u);
    EXPECT_TRUE(connected == slurp(path("direct.ndr")));

    // A connection name the window does not offer aborts the report with the reason.
    EXPECT_EQ(cli("report --connect --connection Elsewhere -o " + path("none.ndr")), 1);
    EXPECT_NE(errors().find("Could not open data connection \"Elsewhere\""), std::string::npos) << errors();
    EXPECT_FALSE(fs::exists(path("none.ndr")));
    EXPECT_FALSE(fs::exists(path("none.ndr.part")));
    EXPECT_EQ(window.stop(), 0);
}

TEST_F(CliConnect, AWindowKilledMidReportEndsTheRunCleanlyAndTheNextRunWorks)
{
    ASSERT_EQ(cli("schedule --amount 50000 --rate 4 --term 10 --date 2024-03-15 -o " + path("loan.qvl")), 0);
    {
        ChildProcess dying(QV_HELPER, {"serve-loan", path("loan.qvl"), "RvCustomConnection1", "40"});
        ASSERT_TRUE(dying.expectLine("ready"));
        EXPECT_EQ(cli("report --connect -o " + path("lost.pdf")), 1);
        EXPECT_EQ(errors(), "The data connection \"RvCustomConnection1\" did not answer.  Aborting report.\n");
        EXPECT_FALSE(fs::exists(path("lost.pdf")));
        EXPECT_FALSE(fs::exists(path("lost.pdf.part")));
        EXPECT_EQ(dying.wait(), -SIGKILL);
    }
    ChildProcess window(QV_HELPER, {"serve-loan", path("loan.qvl")});
    ASSERT_TRUE(window.expectLine("ready"));
    EXPECT_EQ(cli("report --connect -o " + path("next.ndr")), 0) << errors();
    EXPECT_TRUE(fs::exists(path("next.ndr")));
}

TEST_F(CliConnect, WithoutARunningWindowItSaysSoAndFails)
{
    EXPECT_EQ(cli("report --connect -o " + path("x.pdf")), 1);
    EXPECT_EQ(errors(), "No Quorvane window is running: no program offers its report data.\n");
    EXPECT_FALSE(fs::exists(path("x.pdf")));
    EXPECT_EQ(cli("report --connect --connection -o " + path("x.pdf")), 2);
}

TEST_F(CliConnect, AReportOfALoanFileNeitherWaitsForNorMeetsOtherProcessesRuns)
{
    ASSERT_EQ(cli("schedule --amount 200000 --rate 5 --term 30 --date 2024-03-15 -o " + path("loan.qvl")), 0);
    std::ofstream(path("old.ndr")) << "old";
    // Another program's run holds the user-wide data control all through this run.
    ChildProcess other(QV_HELPER, {"hold-mutex", "RPCONTROLER"});
    ASSERT_TRUE(other.expectLine("held"));
    ASSERT_EQ(cli("report " + path("loan.qvl") + " -o " + path("old.ndr")), 0) << errors();
    std::string const report = slurp(path("old.ndr"));
    EXPECT_GT(report.size(), 10000u);
    EXPECT_EQ(report.substr(0, 1), "Z");
    other.signal(SIGKILL);
    EXPECT_EQ(other.wait(), -SIGKILL) << "the other run still held the control";
}

#include "ChartTestSupport.h"

#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <string>

using namespace qv;
using namespace qv::test;

namespace {

int runCli(const std::string& arguments)
{
    std::string command = std::string(QV_CLI_PATH) + " " + arguments + " >/dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ChartCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        loanFile = (dir / "loan.qvl").string();
        ASSERT_EQ(runCli("schedule --amount 200000 --rate 5 --term 30 --date 2024-03-15 -o " + loanFile), 0);
    }
    ScratchDir scratch{"qv-chart-cli"};
    std::filesystem::path dir = scratch.path();
    std::string loanFile;
};

} // namespace

TEST_F(ChartCommand, DrawsTheSamePicturesAsTheChartPage)
{
    std::string png = (dir / "loan.png").string();
    ASSERT_EQ(runCli("chart " + loanFile + " -o " + png), 0);
    Bitmap fromCli;
    fromCli.loadFromFile(png);
    ASSERT_EQ(fromCli.width(), 585);
    ASSERT_EQ(fromCli.height(), 281);

    LoanEngine loan = calculatedLoan("200000", "5", "30");
    ChartPage page;
    page.redraw(loan.table, loan.totals.scheduleMonths);
    Bitmap window(585, 281);
    page.chartAmo().Paint(window.canvas());
    EXPECT_TRUE(samePixels(fromCli, window));
}

TEST_F(ChartCommand, SizeOptionAndMistakes)
{
    std::string png = (dir / "small.png").string();
    ASSERT_EQ(runCli("chart " + loanFile + " -o " + png + " --size 300x200"), 0);
    Bitmap small;
    small.loadFromFile(png);
    EXPECT_EQ(small.width(), 300);
    EXPECT_EQ(small.height(), 200);

    EXPECT_EQ(runCli("chart " + loanFile + " -o " + png + " --size 300"), 2);
    EXPECT_EQ(runCli("chart " + loanFile + " -o " + png + " --size 0x10"), 2);
    EXPECT_EQ(runCli("chart " + loanFile), 2);
    EXPECT_EQ(runCli("chart " + (dir / "missing.qvl").string() + " -o " + png), 1);
}

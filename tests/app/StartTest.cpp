#include "AppTestSupport.h"

#include "app/main/StartArguments.h"
#include "loan/LoanFile.h"
#include "loan/MemoryLoanView.h"

#include <cstdlib>
#include <filesystem>
#include <optional>

using namespace qv;
using qv::test::MainWindowTest;
using qv::test::app;
namespace fs = std::filesystem;

namespace {

using Action = StartRequest::Action;

std::string loanFileText(const std::string& amount)
{
    LoanEngine engine;
    MemoryLoanView view;
    engine.calculate(CalculateInput{"1", amount, "7", encodeDate(2024, 3, 15)}, view);
    std::string const scratch = test::exeDir() + "scratch.qvl";
    writeLoanFile(scratch, engine);
    std::string text = test::readFile(scratch);
    fs::remove(scratch);
    return text;
}

// The user's data folder of these tests, and a program folder nobody may write into.
class InstalledStart : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        m_data = test::exeDir() + "data-home";
        fs::remove_all(m_data);
        if (const char* old = std::getenv("XDG_DATA_HOME"))
            m_oldData = old;
        ::setenv("XDG_DATA_HOME", m_data.c_str(), 1);
    }
    void TearDown() override
    {
        readOnlyProgramFolder(false);
        MainWindowTest::TearDown();
        fs::remove_all(m_data);
        if (m_oldData)
            ::setenv("XDG_DATA_HOME", m_oldData->c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
    }
    static void readOnlyProgramFolder(bool readOnly)
    {
        fs::perms const write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        fs::permissions(test::exeDir(), write, readOnly ? fs::perm_options::remove : fs::perm_options::add);
    }
    std::string userFile(const std::string& name) const { return m_data + "/quorvane/" + name; }

    std::string m_data;
    std::optional<std::string> m_oldData;
};

} // namespace

TEST(StartArguments, HelpVersionAndStrayLongOptionsAreDecidedBeforeTheDisplayIsNeeded)
{
    EXPECT_EQ(readEarlyArguments({}).action, Action::Run);
    EXPECT_EQ(readEarlyArguments({"loan.qvl", "-platform", "offscreen"}).action, Action::Run);
    EXPECT_EQ(readEarlyArguments({"--help"}).action, Action::Help);
    EXPECT_EQ(readEarlyArguments({"loan.qvl", "-h"}).action, Action::Help);
    EXPECT_EQ(readEarlyArguments({"--version"}).action, Action::Version);
    StartRequest const unknown = readEarlyArguments({"--verbose"});
    EXPECT_EQ(unknown.action, Action::UsageError);
    EXPECT_EQ(unknown.error, "unknown option --verbose");
    // After "--" everything is a file name.
    EXPECT_EQ(readEarlyArguments({"--", "--help"}).action, Action::Run);
    EXPECT_EQ(versionText(), "Quorvane 1.31");
}

TEST(StartArguments, AtMostOneLoanFileMadeAbsolute)
{
    EXPECT_EQ(readStartArguments({}).fileToOpen, "");
    StartRequest const relative = readStartArguments({"sub/../loan.qvl"});
    EXPECT_EQ(relative.action, Action::Run);
    EXPECT_EQ(relative.fileToOpen, (fs::current_path() / "loan.qvl").string());
    EXPECT_EQ(readStartArguments({"/tmp/a.qvl"}).fileToOpen, "/tmp/a.qvl");
    EXPECT_EQ(readStartArguments({"--", "-odd.qvl"}).fileToOpen, (fs::current_path() / "-odd.qvl").string());

    EXPECT_EQ(readStartArguments({"a.qvl", "b.qvl"}).error, "one loan file at a time");
    EXPECT_EQ(readStartArguments({"-x"}).error, "unknown option -x");
    EXPECT_EQ(readStartArguments({""}).action, Action::UsageError);
}

TEST_F(MainWindowTest, AFileNamedOnTheCommandLineOpensInsteadOfTheRememberedOne)
{
    test::writeFile(test::exeDir() + "remembered.qvl", loanFileText("5000"));
    test::writeFile(test::exeDir() + "info.ini", "[user saved]\nfilename=" + test::exeDir() + "remembered.qvl\n");
    test::writeFile(test::exeDir() + "argument.qvl", loanFileText("10000"));

    TfrmMain& w = start(test::exeDir() + "argument.qvl");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(w.txtAmount.text(), "10000");
    EXPECT_EQ(w.lblMonPay.Caption(), "865.25");
    EXPECT_EQ(w.grid().rowCount(), 13);

    // Opened as Open opens: not remembered; closing saves it as the example as usual.
    w.close();
    app().processMessages();
    EXPECT_EQ(test::readFile(test::exeDir() + "example.qvl"), loanFileText("10000"));
    EXPECT_NE(test::readFile(test::exeDir() + "info.ini").find("filename=" + test::exeDir() + "example.qvl"),
              std::string::npos);
    fs::remove(test::exeDir() + "remembered.qvl");
    fs::remove(test::exeDir() + "argument.qvl");
}

TEST_F(MainWindowTest, AMissingCommandLineFileIsReportedOnceAndTheWindowStillOpens)
{
    test::writeFile(test::exeDir() + "example.qvl", loanFileText("5000"));
    TfrmMain& w = start(test::exeDir() + "no-such-loan.qvl");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "File not found\n\n" + test::exeDir() + "no-such-loan.qvl");
    EXPECT_TRUE(w.showing());
    // The remembered file is not loaded in its place, and no result shows.
    EXPECT_EQ(w.txtAmount.text(), "0");
    EXPECT_EQ(w.lblMonPay.Caption(), "");
}

TEST_F(InstalledStart, AReadOnlyProgramFolderKeepsTheUsersFilesInTheDataFolder)
{
    // An example loan beside the executable, as an older package installed it: it
    // is left alone, and a new user starts on the example calculated afresh.
    test::writeFile(test::exeDir() + "example.qvl", loanFileText("10000"));
    readOnlyProgramFolder(true);

    TfrmMain& first = start();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(first.txtAmount.text(), "200000");
    EXPECT_FALSE(fs::exists(userFile("example.qvl")));
    calculate("20000", "7", "1");
    first.close();
    app().processMessages();
    EXPECT_FALSE(first.showing());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(test::readFile(userFile("example.qvl")), loanFileText("20000"));
    EXPECT_EQ(test::readFile(userFile("info.ini")), "[user saved]\r\nfilename=" + userFile("example.qvl") + "\r\n");
    EXPECT_EQ(test::readFile(test::exeDir() + "example.qvl"), loanFileText("10000"));
    EXPECT_FALSE(fs::exists(test::exeDir() + "info.ini"));

    // The next start shows the loan as it was left.
    TfrmMain& next = start();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(next.txtAmount.text(), "20000");

    // Save remembers its file in the data folder too.
    std::string const saved = m_data + "/mine.qvl";
    test::answerFileDialogs(next, saved);
    next.mnuSaveClick();
    EXPECT_EQ(test::readFile(userFile("info.ini")), "[user saved]\r\nfilename=" + saved + "\r\n");
}

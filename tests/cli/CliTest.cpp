#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class Cli : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    Outcome run(const std::string& arguments) const
    {
        std::string const command = "LC_ALL=C " QV_CLI " " + arguments + " >" + path("out") + " 2>" + path("err");
        int const status = std::system(command.c_str());
        Outcome r;
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = slurp(path("out"));
        r.err = slurp(path("err"));
        return r;
    }

    qv::test::ScratchDir m_scratch{"qv-cli"};
    fs::path m_dir = m_scratch.path();
};

} // namespace

TEST_F(Cli, ScheduleWritesTheLoanFileSaveWouldWrite)
{
    Outcome const r = run("schedule --amount 10000 --rate 7 --term 1 --date 2024-03-15");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    std::string const header = "10000\r\n7\r\n0.00583000015467405\r\n1\r\n2024-03-15\r\n865.25\r\n10383\r\n10383\r\n"
                               "383\r\n383\r\n0\r\n12\r\n2024-04-15\r\n58.3\r\n806.95\r\n0\r\n9193.05\r\n";
    EXPECT_EQ(r.out.substr(0, header.size()), header);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 72);

    Outcome const toFile = run("schedule --amount 10000 --rate 7 --term 1 --date 2024-03-15 -o " + path("a.qvl"));
    EXPECT_EQ(toFile.exitCode, 0);
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(slurp(path("a.qvl")), r.out);
}

TEST_F(Cli, ExtraPaymentsApplyInOrder)
{
    std::string const loan = "schedule --amount 10000 --rate 7 --term 1 --date 2024-03-15";
    Outcome const typed = run(loan + " --extra 3=1000");
    EXPECT_EQ(typed.exitCode, 0);
    EXPECT_NE(typed.out.find("\r\n330.36\r\n52.64\r\n11\r\n"), std::string::npos);
    // Setting it back to "0" afterwards restores the full schedule; the same text again changes nothing.
    EXPECT_EQ(run(loan + " --extra 3=1000 --extra 3=0").out, run(loan).out);
    EXPECT_EQ(run(loan + " --extra 5=0").out, run(loan).out);
}

TEST_F(Cli, EveryErrorGoesToStandardErrorOnly)
{
    struct Case {
        std::string arguments;
        std::string message;
    };
    std::string const base = " --date 2024-03-15";
    for (Case const& c : std::initializer_list<Case>{
             {"schedule --amount 1e39 --rate 5 --term 1" + base, "--amount \"1e39\": Floating point overflow\n"},
             {"schedule --amount 1000 --rate 5,5 --term 1" + base, "--rate \"5,5\": number 44\n"},
             {"schedule --amount 0 --rate 5 --term 1" + base, "--amount \"0\": Data Error!\n"},
             {"schedule --amount 1000 --rate 5 --term x" + base, "--term \"x\": 'x' is not a valid integer value\n"},
             {"schedule --amount 1000 --rate 5 --term 1 --date 2024-02-30", "--date \"2024-02-30\": '2024-02-30' is not a valid date\n"},
             {"schedule --amount 1000 --rate 5 --term 1 --extra 3=1.2.3" + base,
                 "--extra \"3=1.2.3\": '1.2.3' is not a valid floating point value\n"},
             {"schedule --amount 10000 --rate 7 --term 1 --extra 1=20000 --extra 5=1" + base,
                 "--extra \"5=1\": Month 5 is not shown in the schedule (it shows months 1 to 1)\n"},
             {"schedule --amount 1000 --rate 5 --term 1 --extra 13=1" + base,
                 "--extra \"13=1\": Month 13 is not shown in the schedule (it shows months 1 to 12)\n"},
             {"schedule --amount 1000 --rate 5 --term 1 --extra 3=1k" + base,
                 "--extra \"3=1k\": '1k' is not a valid floating point value\n"},
             {"schedule --amount 1000 --rate 5 --term 1 --extra 3=" + base,
                 "--extra \"3=\": '' is not a valid floating point value\n"},
             {"show " + path("missing.qvl"), path("missing.qvl") + ": File not found\n"},
         }) {
        Outcome const r = run(c.arguments);
        EXPECT_EQ(r.exitCode, 1) << c.arguments;
        EXPECT_EQ(r.out, "") << c.arguments;
        EXPECT_EQ(r.err, c.message) << c.arguments;
    }
    Outcome const usage = run("schedule --amount 1");
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_EQ(usage.out, "");
    EXPECT_NE(usage.err.find("missing option --term"), std::string::npos);
}

TEST_F(Cli, ShowAndCsvReadTheFileAsOpenDoes)
{
    run("schedule --amount 10000 --rate 7 --term 1 --date 2024-03-15 --extra 3=1000 -o " + path("a.qvl"));
    Outcome const shown = run("show " + path("a.qvl"));
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_NE(shown.out.find("Interest saved   52.64\n"), std::string::npos);
    EXPECT_NE(shown.out.find("11  2025-02-15                3.93             673.93              0        0\n"),
        std::string::npos);
    EXPECT_EQ(shown.out.find("2025-03-15"), std::string::npos); // month 12 is past the payoff

    Outcome const csv = run("csv " + path("a.qvl"));
    EXPECT_EQ(csv.exitCode, 0);
    std::string const start =
        "No,Payment Date,Interest Payment,Principal Payment,Extra Payment,Balance\r\n1,2024-04-15,58.3,806.95,0,9193.05\r\n";
    EXPECT_EQ(csv.out.substr(0, start.size()), start);
    std::size_t rows = 0;
    for (std::size_t pos = 0; (pos = csv.out.find("\r\n", pos)) != std::string::npos; pos += 2)
        ++rows;
    EXPECT_EQ(rows, 12u);
}

TEST_F(Cli, BankRoundingTravelsThroughTheFileToShowAndCsv)
{
    std::string const loan = "schedule --amount 162000 --rate 3.875 --term 30 --date 2024-03-15";
    Outcome const bank = run(loan + " --rounding bank -o " + path("bank.qvl"));
    EXPECT_EQ(bank.exitCode, 0);
    EXPECT_EQ(bank.err, "");
    std::string const file = slurp(path("bank.qvl"));
    EXPECT_EQ(file.substr(0, 52), "162000\r\n3.875\r\n0.00322916666666667\r\n30\r\n2024-03-15\r\n");
    EXPECT_NE(file.find("\r\n761.78\r\n274243.7\r\n274243.7\r\n112243.7\r\n112243.7\r\n0\r\n360\r\n"),
        std::string::npos);
    EXPECT_TRUE(file.ends_with("\r\n0\r\nrounding=bank\r\n"));

    Outcome const shown = run("show " + path("bank.qvl"));
    EXPECT_NE(shown.out.find("Monthly payment  761.78\n"), std::string::npos);
    EXPECT_NE(shown.out.find("Rounding         Bank\n"), std::string::npos);
    Outcome const csv = run("csv " + path("bank.qvl"));
    EXPECT_TRUE(csv.out.starts_with("No,Payment Date,Interest Payment,Principal Payment,Extra Payment,Balance,Rounding\r\n"
                                    "1,2024-04-15,523.13,238.65,0,161761.35,bank\r\n"));

    // Classic stays the default and its file and CSV keep their bytes.
    Outcome const classic = run(loan + " --rounding classic");
    EXPECT_EQ(classic.out, run(loan).out);
    EXPECT_EQ(classic.out.find("rounding"), std::string::npos);
    run(loan + " -o " + path("classic.qvl"));
    EXPECT_NE(run("show " + path("classic.qvl")).out.find("Rounding         Classic\n"), std::string::npos);
    EXPECT_TRUE(run("csv " + path("classic.qvl")).out.starts_with(
        "No,Payment Date,Interest Payment,Principal Payment,Extra Payment,Balance\r\n1,2024-04-15,"));

    Outcome const refused = run("schedule --amount 0 --rate 5 --term 1 --date 2024-03-15 --rounding bank");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "--amount \"0\": Amount '0' is refused: a loan amount must be above 0\n");
    Outcome const wrong = run(loan + " --rounding banker");
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.err.find("--rounding takes classic or bank, not 'banker'"), std::string::npos);
}

TEST_F(Cli, HelpAndVersionGoToStandardOutputWithExitCodeZero)
{
    Outcome const help = run("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.err, "");
    for (const char* command : {"schedule", "show", "csv", "chart", "report"})
        EXPECT_NE(help.out.find("quorvane-cli " + std::string(command) + " "), std::string::npos) << command;
    EXPECT_NE(help.out.find("[--rounding classic|bank]"), std::string::npos);
    EXPECT_NE(help.out.find("162000 at 3.875 % for 30 years: bank 761.78, classic 761.88"), std::string::npos);
    EXPECT_EQ(run("-h").out, help.out);

    // A command's help shows that command only, wherever the option stands.
    for (std::string const arguments : {"chart --help", "chart a.qvl -o a.png -h", "chart --size 3x3 --help"}) {
        Outcome const chart = run(arguments);
        EXPECT_EQ(chart.exitCode, 0) << arguments;
        EXPECT_EQ(chart.err, "") << arguments;
        EXPECT_EQ(chart.out, "usage:\n  quorvane-cli chart FILE.qvl -o FILE.png [--size WxH]\n") << arguments;
    }

    Outcome const version = run("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "Quorvane 1.31\n");
    EXPECT_EQ(version.err, "");
}

TEST_F(Cli, UsageErrorsGoToStandardErrorWithExitCodeTwo)
{
    for (std::string const arguments : {"", "--helpme", "bogus --help", "bogus", "show a.qvl --verbose x"}) {
        Outcome const r = run(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments;
        EXPECT_EQ(r.out, "") << arguments;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << arguments;
    }
    // "--help" taken as an option's value is that value, not a request for help.
    Outcome const value = run("schedule --amount --help --rate 5 --term 1 --date 2024-03-15");
    EXPECT_EQ(value.exitCode, 1);
    EXPECT_EQ(value.err, "--amount \"--help\": '--help' is not a valid floating point value\n");
}

TEST_F(Cli, ThePreviewNeedsADisplay)
{
    std::string const command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LC_ALL=C " QV_CLI " report "
        + path("any.qvl") + " --preview >" + path("out") + " 2>" + path("err");
    int const status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(slurp(path("out")), "");
    EXPECT_EQ(slurp(path("err")), "report --preview shows windows and needs a display\n");
}

TEST_F(Cli, ExtraEveryWritesTheFileOfTheSameMonthsGivenOneByOne)
{
    struct Case {
        const char* every;  // --extra-every options
        const char* single; // --extra options
        int from;
        // Month -> text of the same amounts given month by month.
        std::function<std::string(int)> textOf;
    };
    std::string const classic = "schedule --date 2024-01-31 --amount 200000 --rate 5 --term 30";
    std::string const bank = "schedule --date 2024-01-31 --rounding bank --amount 162000 --rate 3.875 --term 30";
    std::string const shortLoan = "schedule --date 2024-01-31 --amount 10000 --rate 7 --term 1";
    for (std::string const& loan : {classic, bank, shortLoan}) {
        for (Case const& c : std::initializer_list<Case>{
                 {" --extra-every 7=100", "", 7, [](int) { return "100"; }},
                 // Large enough to pay the loan off early: the months after it are not given.
                 {" --extra-every 2=2500", "", 2, [](int) { return "2500"; }},
                 {" --extra-every 1=50 --extra-every 6=75.5", " --extra 8=0 --extra 3=1000", 1,
                  [](int m) { return m == 3 ? "1000" : m == 8 ? "0" : m < 6 ? "50" : "75.5"; }},
                 // --extra overrides its month wherever it stands.
                 {" --extra 4=300 --extra-every 2=0", "", 2, [](int m) { return m == 4 ? "300" : "0"; }},
             }) {
            std::string const every = c.every;
            Outcome const bulk = run(loan + every + c.single + " -o " + path("every.qvl"));
            ASSERT_EQ(bulk.exitCode, 0) << loan << every << bulk.err;
            // The file tells how many months the schedule runs; give exactly those.
            std::string const file = slurp(path("every.qvl"));
            std::istringstream lines(file);
            std::string line;
            for (int k = 0; k < 12; ++k)
                std::getline(lines, line);
            int const months = std::stoi(line);
            std::string oneByOne;
            for (int month = c.from; month <= months; ++month)
                oneByOne += " --extra " + std::to_string(month) + "=" + c.textOf(month);
            Outcome const typed = run(loan + oneByOne + " -o " + path("typed.qvl"));
            ASSERT_EQ(typed.exitCode, 0) << typed.err;
            EXPECT_EQ(file, slurp(path("typed.qvl"))) << loan << every << c.single;
        }
    }

    // A month the loan no longer reaches, or outside the term, is refused as typing it would be.
    Outcome const past = run(shortLoan + " --extra-every 2=3000 --extra 11=5");
    EXPECT_EQ(past.exitCode, 1);
    EXPECT_EQ(past.err, "--extra \"11=5\": Month 11 is not shown in the schedule (it shows months 1 to 4)\n");
    Outcome const outside = run(shortLoan + " --extra-every 13=5");
    EXPECT_EQ(outside.err, "--extra-every \"13=5\": Month 13 is outside the loan term of 12 months\n");
    Outcome const text = run(shortLoan + " --extra-every 3=1.2.3");
    EXPECT_EQ(text.err, "--extra-every \"3=1.2.3\": '1.2.3' is not a valid floating point value\n");
    Outcome const form = run(shortLoan + " --extra-every 3");
    EXPECT_EQ(form.exitCode, 2);
    EXPECT_NE(form.err.find("--extra-every takes MONTH=TEXT, not '3'"), std::string::npos);
}

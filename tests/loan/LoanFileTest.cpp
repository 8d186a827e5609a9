#include "LoanTestSupport.h"

#include "loan/LastFileMemory.h"
#include "loan/LoanFile.h"
#include "runtime/core/IniFile.h"
#include "runtime/core/Numbers.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace qv;
using namespace qv::test;
namespace fs = std::filesystem;

namespace {

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void spit(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> lines(const std::string& bytes)
{
    std::vector<std::string> out;
    std::string::size_type start = 0;
    for (;;) {
        auto const end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            break;
        out.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return out;
}

class LoanFile : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    ScopedRegionalSettings m_posix{RegionalSettings::posix()};
    test::ScratchDir m_scratch{"qv-loanfile"};
    fs::path m_dir = m_scratch.path();
    LoanEngine engine;
    RecordingView view;
    TDateTime const march15 = encodeDate(2024, 3, 15);
};

} // namespace

TEST_F(LoanFile, WritesTwelveHeaderLinesAndFivePerMonth)
{
    engine.calculate(input("10000", "7", "1", march15), view);
    writeLoanFile(path("a.qvl"), engine);
    std::vector<std::string> const l = lines(slurp(path("a.qvl")));
    ASSERT_EQ(l.size(), 12u + 60u);
    std::vector<std::string> const header(l.begin(), l.begin() + 12);
    EXPECT_EQ(header, (std::vector<std::string>{"10000", "7", "0.00583000015467405", "1", "2024-03-15", "865.25",
                          "10383", "10383", "383", "383", "0", "12"}));
    EXPECT_EQ(std::vector<std::string>(l.begin() + 12, l.begin() + 17),
        (std::vector<std::string>{"2024-04-15", "58.3", "806.95", "0", "9193.05"}));
    EXPECT_EQ(l.back(), "0");
}

TEST_F(LoanFile, SaveThenOpenRestoresEverything)
{
    engine.calculate(input("123456.78", "5.25", "2", march15), view);
    typeExtra(engine, view, 4, "20000");
    writeLoanFile(path("a.qvl"), engine);

    LoanEngine loaded;
    RecordingView shown;
    EXPECT_TRUE(readLoanFile(path("a.qvl"), loaded, shown));
    EXPECT_EQ(shown.amountText, "123456.78125");
    EXPECT_EQ(shown.rateText, "5.25");
    EXPECT_EQ(shown.termText, "2");
    EXPECT_EQ(shown.loanDate, march15);
    EXPECT_EQ(shown.labels, view.labels);
    EXPECT_EQ(loaded.record.amount, engine.record.amount);
    EXPECT_EQ(loaded.record.monthlyRate, engine.record.monthlyRate);
    EXPECT_EQ(loaded.record.rateText, engine.record.rateText);
    EXPECT_EQ(loaded.record.loanDate, engine.record.loanDate);
    EXPECT_EQ(loaded.totals.scheduleMonths, engine.totals.scheduleMonths);
    // Totals travel as 15-digit texts: equal as shown, not necessarily to the last bit.
    EXPECT_EQ(numberText(loaded.totals.totalInterest), numberText(engine.totals.totalInterest));
    EXPECT_EQ(numberText(loaded.totals.baselineInterest), numberText(engine.totals.baselineInterest));
    EXPECT_EQ(loaded.totals.interestSaved, engine.totals.interestSaved);
    EXPECT_EQ(shown.rowCount(), engine.totals.scheduleMonths + 1);
    for (int row = 0; row < engine.table.rowCount(); ++row)
        EXPECT_EQ(loaded.table.row(row), engine.table.row(row)) << "row " << row;
    // The grid shows what the table holds, month by month.
    for (int row = 1; row < engine.table.rowCount(); ++row) {
        for (int col = colNumber; col <= colBalance; ++col)
            EXPECT_EQ(shown.grid().cellText(col, row), engine.table.cell(row, col)) << "row " << row << " cell " << col;
    }
    EXPECT_EQ(shown.chartRedraws, 1);
    writeLoanFile(path("b.qvl"), loaded);
    EXPECT_EQ(slurp(path("a.qvl")), slurp(path("b.qvl")));

    // A further extra payment continues from the loaded working rate and payment.
    typeExtra(engine, view, 2, "300");
    typeExtra(loaded, shown, 2, "300");
    EXPECT_EQ(numberText(loaded.totals.totalPayment), numberText(engine.totals.totalPayment));
    EXPECT_EQ(loaded.table.cell(2, colBalance), engine.table.cell(2, colBalance));
}

TEST_F(LoanFile, MissingFileChangesNothing)
{
    engine.calculate(input("10000", "7", "1", march15), view);
    EXPECT_EQ(errorText([&] { readLoanFile(path("none.qvl"), engine, view); }), "File not found");
    EXPECT_EQ(engine.record.term, 1);
    EXPECT_EQ(view.amountText, "");
}

TEST_F(LoanFile, AFileThatCannotBeReadChangesNothing)
{
    engine.calculate(input("10000", "7", "1", march15), view);
    std::vector<std::string> const good = lines(slurp((writeLoanFile(path("a.qvl"), engine), path("a.qvl"))));
    LoanEngine const before = engine;
    RecordingView const shown = view;
    auto unchanged = [&] {
        EXPECT_EQ(view.amountText, shown.amountText);
        EXPECT_EQ(view.termText, shown.termText);
        EXPECT_EQ(view.loanDate, shown.loanDate);
        EXPECT_EQ(view.labels, shown.labels);
        EXPECT_EQ(view.rowCount(), shown.rowCount());
        EXPECT_EQ(view.cell(colInterest, 1), shown.cell(colInterest, 1));
        EXPECT_EQ(view.chartRedraws, shown.chartRedraws);
        EXPECT_EQ(engine.record.term, before.record.term);
        EXPECT_EQ(engine.record.rateText, before.record.rateText);
        EXPECT_EQ(engine.totals.totalPayment, before.totals.totalPayment);
        EXPECT_EQ(engine.working.payment, before.working.payment);
        EXPECT_EQ(engine.table.rowCount(), before.table.rowCount());
        EXPECT_EQ(engine.table.row(1), before.table.row(1));
    };

    // A 2-year loan whose 'months in use' is bad: everything before line 12 converts.
    std::vector<std::string> other = good;
    other[0] = "5000";
    other[1] = "3";
    other[3] = "2";
    other[11] = "x";
    std::string bytes;
    for (auto const& line : other)
        bytes += line + "\r\n";
    for (int i = 0; i < 60; ++i)
        bytes += "1\r\n";
    spit(path("late.qvl"), bytes);
    EXPECT_EQ(errorText([&] { readLoanFile(path("late.qvl"), engine, view); }), "'x' is not a valid integer value");
    unchanged();

    // What a close writes when nothing was ever calculated: the date is the first bad line.
    LoanEngine never;
    writeLoanFile(path("first.qvl"), never);
    ASSERT_EQ(lines(slurp(path("first.qvl"))).size(), 12u);
    EXPECT_FALSE(loanFileReadable(never));
    EXPECT_TRUE(loanFileReadable(engine));
    EXPECT_EQ(errorText([&] { readLoanFile(path("first.qvl"), engine, view); }), "'' is not a valid date");
    unchanged();
}

TEST_F(LoanFile, ATruncatedFileNamesTheFileAndTheLineItEndsAt)
{
    engine.calculate(input("10000", "7", "1", march15), view);
    std::vector<std::string> const l = lines(slurp((writeLoanFile(path("a.qvl"), engine), path("a.qvl"))));
    auto firstLines = [&](std::size_t count) {
        std::string cut;
        for (std::size_t i = 0; i < count; ++i)
            cut += l[i] + "\r\n";
        spit(path("cut.qvl"), cut);
        return path("cut.qvl");
    };
    LoanEngine loaded;
    RecordingView shown;
    EXPECT_EQ(errorText([&] { readLoanFile(firstLines(20), loaded, shown); }),
        path("cut.qvl") + " ends at line 20; a 1-year loan needs 72 lines");
    EXPECT_EQ(errorText([&] { readLoanFile(firstLines(71), loaded, shown); }),
        path("cut.qvl") + " ends at line 71; a 1-year loan needs 72 lines");
    EXPECT_EQ(errorText([&] { readLoanFile(firstLines(6), loaded, shown); }),
        path("cut.qvl") + " ends at line 6; a 1-year loan needs 72 lines");
    EXPECT_EQ(errorText([&] { readLoanFile(firstLines(3), loaded, shown); }),
        path("cut.qvl") + " ends at line 3; a loan file needs at least 12 lines");
    EXPECT_EQ(errorText([&] { readLoanFile(firstLines(0), loaded, shown); }),
        path("cut.qvl") + " is empty; a loan file needs at least 12 lines");
    EXPECT_EQ(shown.amountText, "");
    EXPECT_EQ(loaded.table.rowCount(), 0);

    // A last line without its line end still counts.
    std::string whole = slurp(path("a.qvl"));
    spit(path("open-end.qvl"), whole.substr(0, whole.size() - 2));
    EXPECT_TRUE(readLoanFile(path("open-end.qvl"), loaded, shown));
    EXPECT_EQ(loaded.table.cell(12, colBalance), "0");
}

TEST_F(LoanFile, RejectsTermsAndMonthsTheTableCannotHold)
{
    engine.calculate(input("10000", "7", "1", march15), view);
    std::vector<std::string> l = lines(slurp((writeLoanFile(path("a.qvl"), engine), path("a.qvl"))));
    auto withLine = [&](int index, const std::string& text) {
        std::vector<std::string> copy = l;
        copy[index] = text;
        std::string out;
        for (auto const& line : copy)
            out += line + "\r\n";
        spit(path("bad.qvl"), out);
        return path("bad.qvl");
    };
    LoanEngine loaded;
    RecordingView shown;
    EXPECT_EQ(errorText([&] { readLoanFile(withLine(11, "13"), loaded, shown); }),
        "'13' is not a valid number of months in use");
    EXPECT_EQ(errorText([&] { readLoanFile(withLine(11, "-1"), loaded, shown); }),
        "'-1' is not a valid number of months in use");
    EXPECT_EQ(errorText([&] { readLoanFile(withLine(3, "-2"), loaded, shown); }), "'-2' is not a valid loan term");
    EXPECT_EQ(errorText([&] { readLoanFile(withLine(3, "99999999"), loaded, shown); }),
        "'99999999' is not a valid loan term");
    EXPECT_EQ(errorText([&] { readLoanFile(withLine(0, "1e39"), loaded, shown); }), "Floating point overflow");
    EXPECT_EQ(errorText([&] { readLoanFile(withLine(8, "x"), loaded, shown); }),
        "'x' is not a valid floating point value");

    // Zero months in use is a loan whose grid shows only the header row.
    EXPECT_TRUE(readLoanFile(withLine(11, "0"), loaded, shown));
    EXPECT_EQ(shown.rowCount(), 1);
}

TEST_F(LoanFile, RefusedCalculateWithALongerTermWritesEmptyMonths)
{
    engine.calculate(input("10000", "7", "1", march15), view);
    engine.calculate(input("0", "7", "2", march15), view); // Data Error: term 2, table of 13 rows
    writeLoanFile(path("a.qvl"), engine);
    std::vector<std::string> const l = lines(slurp(path("a.qvl")));
    ASSERT_EQ(l.size(), 12u + 120u);
    EXPECT_EQ(l[3], "2");
    EXPECT_EQ(l[12 + 60], "");
    LoanEngine loaded;
    RecordingView shown;
    EXPECT_TRUE(readLoanFile(path("a.qvl"), loaded, shown));
    EXPECT_EQ(loaded.table.rowCount(), 25);
}

TEST_F(LoanFile, CommaLocaleWritesAndReadsItsOwnForm)
{
    RegionalSettings german = RegionalSettings::posix();
    german.decimalSeparator = ',';
    german.shortDateFormat = "dd/MM/yyyy";
    german.dateSeparator = '.';
    ScopedRegionalSettings scope(german);
    engine.calculate(input("10000,5", "7.5", "1", march15), view);
    writeLoanFile(path("a.qvl"), engine);
    std::vector<std::string> const l = lines(slurp(path("a.qvl")));
    EXPECT_EQ(l[0], "10000,5");
    EXPECT_EQ(l[1], "7.5");
    EXPECT_EQ(l[4], "15.03.2024");
    EXPECT_NE(l[13].find(','), std::string::npos);
    EXPECT_EQ(l[13].find('.'), std::string::npos);
    LoanEngine loaded;
    RecordingView shown;
    EXPECT_TRUE(readLoanFile(path("a.qvl"), loaded, shown));
    EXPECT_EQ(numberText(loaded.totals.totalPayment), numberText(engine.totals.totalPayment));

    // The same file under "." settings fails at the first number with a comma.
    ScopedRegionalSettings posix(RegionalSettings::posix());
    EXPECT_EQ(errorText([&] { readLoanFile(path("a.qvl"), loaded, shown); }), "'15.03.2024' is not a valid date");
}

TEST_F(LoanFile, FailedSaveKeepsThePreviousFile)
{
    engine.calculate(input("10000", "7", "1", march15), view);
    writeLoanFile(path("a.qvl"), engine);
    std::string const before = slurp(path("a.qvl"));
    EXPECT_EQ(errorText([&] { writeLoanFile(path("missing/a.qvl"), engine); }), "Invalid filename");
    fs::create_directory(path("dir.qvl"));
    EXPECT_EQ(errorText([&] { writeLoanFile(path("dir.qvl"), engine); }), "File access denied");
    EXPECT_EQ(slurp(path("a.qvl")), before);
}

TEST_F(LoanFile, LastFileMemory)
{
    LastFileMemory memory(m_dir.string()); // without the trailing separator: it is added
    EXPECT_EQ(memory.exampleFile(), path("example.qvl"));
    EXPECT_EQ(memory.startupFile(), path("example.qvl"));
    spit(path("mine.qvl"), "x");
    memory.remember(path("mine.qvl"));
    EXPECT_EQ(IniFile(path("info.ini")).readString("user saved", "filename", ""), path("mine.qvl"));
    EXPECT_EQ(memory.startupFile(), path("mine.qvl"));
    fs::remove(path("mine.qvl"));
    EXPECT_EQ(memory.startupFile(), path("example.qvl"));

    LastFileMemory nowhere(path("gone") + "/");
    EXPECT_EQ(errorText([&] { nowhere.remember("x"); }), "Unable to write to " + path("gone/info.ini"));
}

TEST_F(LoanFile, TheRoundingForNewLoansIsRememberedBesideTheFile)
{
    LastFileMemory memory(m_dir.string());
    EXPECT_EQ(memory.roundingForNewLoans(), RoundingModel::Classic);
    memory.remember(path("mine.qvl"));
    memory.rememberRounding(RoundingModel::Bank);
    EXPECT_EQ(memory.roundingForNewLoans(), RoundingModel::Bank);
    EXPECT_EQ(IniFile(path("info.ini")).readString("user saved", "filename", ""), path("mine.qvl"));
    IniFile(path("info.ini")).writeString("user choices", "rounding", "daily");
    EXPECT_EQ(memory.roundingForNewLoans(), RoundingModel::Classic);
    EXPECT_EQ(errorText([&] { LastFileMemory(path("gone") + "/").rememberRounding(RoundingModel::Bank); }),
        "Unable to write to " + path("gone/info.ini"));
}

TEST_F(LoanFile, AFirstStartIsOneWithoutAnExampleToLoad)
{
    LastFileMemory memory(m_dir.string());
    EXPECT_TRUE(memory.firstStart());
    // A remembered file that is gone still means the example, which is not there.
    spit(path("mine.qvl"), "x");
    memory.remember(path("mine.qvl"));
    EXPECT_FALSE(memory.firstStart());
    fs::remove(path("mine.qvl"));
    EXPECT_TRUE(memory.firstStart());
    spit(path("example.qvl"), "x");
    EXPECT_FALSE(memory.firstStart());

    CalculateInput const example = exampleLoan();
    EXPECT_EQ(example.amountText, "200000");
    EXPECT_EQ(example.rateText, "5");
    EXPECT_EQ(example.termText, "30");
    EXPECT_EQ(example.loanDate, encodeDate(2024, 3, 15));
}

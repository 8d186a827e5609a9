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

TEST_F(LoanFile, ShortFileStopsAtTheFirstBadLineKeepingWhatCameBefore)
{
    // What the first close writes when nothing was ever calculated.
    writeLoanFile(path("first.qvl"), engine);
    std::vector<std::string> const l = lines(slurp(path("first.qvl")));
    ASSERT_EQ(l.size(), 12u);
    EXPECT_EQ(l[1], "");
    EXPECT_EQ(l[4], "");

    view.amountText = view.rateText = view.termText = "old";
    EXPECT_EQ(errorText([&] { readLoanFile(path("first.qvl"), engine, view); }), "'' is not a valid date");
    EXPECT_EQ(view.amountText, "0");
    EXPECT_EQ(view.rateText, "");
    EXPECT_EQ(view.termText, "0");
    EXPECT_TRUE(view.labels.empty());

    spit(path("short.qvl"), "10000\r\n7\r\n0.00583\r\n1\r\n2024-03-15\r\n865.25\r\n");
    EXPECT_EQ(errorText([&] { readLoanFile(path("short.qvl"), engine, view); }),
        "'' is not a valid floating point value");
    EXPECT_EQ(view.labels[ResultLabel::MonthlyPayment], "865.25");
    EXPECT_EQ(engine.record.term, 1);
}

TEST_F(LoanFile, TruncatedMonthBlocksReadAsEmptyCells)
{
    engine.calculate(input("10000", "7", "1", march15), view);
    std::string bytes = slurp((writeLoanFile(path("a.qvl"), engine), path("a.qvl")));
    std::vector<std::string> l = lines(bytes);
    std::string cut;
    for (std::size_t i = 0; i < 20; ++i)
        cut += l[i] + "\r\n";
    spit(path("cut.qvl"), cut);
    LoanEngine loaded;
    RecordingView shown;
    EXPECT_TRUE(readLoanFile(path("cut.qvl"), loaded, shown));
    EXPECT_EQ(loaded.table.cell(2, colDate), "2024-05-15");
    EXPECT_EQ(loaded.table.cell(2, colInterest), "53.6");
    EXPECT_EQ(loaded.table.cell(2, colPrincipal), "811.65");
    EXPECT_EQ(loaded.table.cell(2, colExtra), "");
    EXPECT_EQ(loaded.table.cell(12, colBalance), "");
    EXPECT_EQ(loaded.table.rowCount(), 13);
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

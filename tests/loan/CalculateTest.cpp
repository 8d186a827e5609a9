#include "LoanTestSupport.h"

#include "runtime/core/Numbers.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test;

namespace {

class Calculate : public ::testing::Test {
protected:
    ScopedRegionalSettings m_posix{RegionalSettings::posix()};
    LoanEngine engine;
    RecordingView view;
    TDateTime const march15 = encodeDate(2024, 3, 15);

    void expectRow(int row, const std::string& date, const std::string& interest, const std::string& principal,
        const std::string& balance)
    {
        EXPECT_EQ(engine.table.cell(row, colNumber), std::to_string(row));
        EXPECT_EQ(engine.table.cell(row, colDate), date) << "row " << row;
        EXPECT_EQ(engine.table.cell(row, colInterest), interest) << "row " << row;
        EXPECT_EQ(engine.table.cell(row, colPrincipal), principal) << "row " << row;
        EXPECT_EQ(engine.table.cell(row, colExtra), "0") << "row " << row;
        EXPECT_EQ(engine.table.cell(row, colBalance), balance) << "row " << row;
        for (int col = 0; col < 6; ++col)
            EXPECT_EQ(view.cell(col, row), engine.table.cell(row, col)) << "grid and table differ in row " << row;
    }
};

} // namespace

TEST_F(Calculate, ThirtyYearWorkedExample)
{
    ASSERT_EQ(engine.calculate(input("200000", "5", "30", march15), view), CalculateOutcome::Done);
    EXPECT_EQ(engine.record.monthlyRate, 0.00417f);
    EXPECT_EQ(engine.totals.monthlyPayment, 1074.13);
    expectRow(1, "2024-04-15", "834", "240.13", "199759.87");
    expectRow(2, "2024-05-15", "833", "241.13", "199518.74");
    expectRow(3, "2024-06-15", "831.99", "242.14", "199276.6");
    expectRow(360, "2054-03-15", "4.47", "1069.66", "0");
    EXPECT_EQ(engine.table.rowCount(), 361);
    EXPECT_EQ(view.rowCount(), 361);
    EXPECT_EQ(engine.table.cell(0, colBalance), "200000");
    EXPECT_EQ(numberText(engine.working.balance), "1.88"); // the residual is kept for the total
    EXPECT_EQ(engine.totals.totalPayment, 386688.68);
    EXPECT_EQ(engine.totals.totalInterest, 186688.68);
    EXPECT_EQ(engine.totals.baselinePayment, 386688.68);
    EXPECT_EQ(engine.totals.scheduleMonths, 360);
    EXPECT_EQ(view.labels[ResultLabel::MonthlyPayment], "1074.13");
    EXPECT_EQ(view.labels[ResultLabel::TotalPayment], "386688.68");
    EXPECT_EQ(view.labels[ResultLabel::TotalInterest], "186688.68");
    EXPECT_EQ(view.labels[ResultLabel::InterestSaved], "0");
    EXPECT_EQ(view.chartRedraws, 1);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(Calculate, OneYearWorkedExample)
{
    ASSERT_EQ(engine.calculate(input("10000", "7", "1", march15), view), CalculateOutcome::Done);
    EXPECT_EQ(view.labels[ResultLabel::MonthlyPayment], "865.25");
    expectRow(1, "2024-04-15", "58.3", "806.95", "9193.05");
    expectRow(12, "2025-03-15", "5.02", "860.23", "0");
    EXPECT_EQ(engine.totals.totalPayment, 10383);
    EXPECT_EQ(engine.totals.totalInterest, 383);
    EXPECT_EQ(engine.record.rateText, "7");
    EXPECT_EQ(engine.record.loanDate, "2024-03-15");
}

TEST_F(Calculate, AmountKeepsItsSinglePrecisionValue)
{
    engine.calculate(input("123456.78", "5", "1", march15), view);
    EXPECT_EQ(engine.table.cell(0, colBalance), "123456.78125");
}

TEST_F(Calculate, NegativeRateStillProducesASchedule)
{
    ASSERT_EQ(engine.calculate(input("1000", "-3", "1", march15), view), CalculateOutcome::Done);
    EXPECT_LT(engine.record.monthlyRate, 0.0f);
    EXPECT_EQ(engine.table.rowCount(), 13);
}

TEST_F(Calculate, PaymentDatesKeepTheDayWhereTheMonthHasIt)
{
    engine.calculate(input("1000", "5", "1", encodeDate(2024, 1, 31)), view);
    EXPECT_EQ(engine.table.cell(1, colDate), "2024-02-29");
    EXPECT_EQ(engine.table.cell(2, colDate), "2024-03-31");
    EXPECT_EQ(engine.table.cell(3, colDate), "2024-04-30");
    EXPECT_EQ(engine.table.cell(4, colDate), "2024-05-31");
    engine.calculate(input("1000", "5", "1", encodeDate(2099, 1, 30)), view);
    EXPECT_EQ(engine.table.cell(1, colDate), "2099-02-28");
    EXPECT_EQ(engine.table.cell(2, colDate), "2099-03-30");
    engine.calculate(input("1000", "5", "2", encodeDate(2099, 2, 5)), view);
    EXPECT_EQ(engine.table.cell(1, colDate), "2099-03-05");
    EXPECT_EQ(engine.table.cell(12, colDate), "2100-02-05");
    engine.calculate(input("1000", "5", "5", encodeDate(2099, 1, 29)), view);
    EXPECT_EQ(engine.table.cell(13, colDate), "2100-02-28"); // 2100 is no leap year
    EXPECT_EQ(engine.table.cell(25, colDate), "2101-02-28");
    engine.calculate(input("1000", "5", "1", encodeDate(2025, 12, 5)), view);
    EXPECT_EQ(engine.table.cell(1, colDate), "2026-01-05");
}

TEST_F(Calculate, TermErrorComesFirstAndChangesNothing)
{
    engine.calculate(input("10000", "7", "1", march15), view);
    EXPECT_EQ(errorText([&] { engine.calculate(input("x", "7", "", march15), view); }), "'' is not a valid integer value");
    EXPECT_EQ(errorText([&] { engine.calculate(input("", "7", "2", march15), view); }),
        "'' is not a valid floating point value");
    EXPECT_EQ(engine.record.term, 1);
    EXPECT_EQ(engine.table.rowCount(), 13);
}

TEST_F(Calculate, RateErrorShowsTheCharacterCodeAndEndsCalculate)
{
    engine.calculate(input("10000", "7", "1", march15), view);
    EXPECT_EQ(engine.calculate(input("20000", "5,5", "2", march15), view), CalculateOutcome::RateError);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0], "error: number 44");
    EXPECT_EQ(engine.record.term, 1);
    EXPECT_EQ(engine.record.rateText, "7");
    EXPECT_EQ(engine.table.rowCount(), 13);
    EXPECT_EQ(rateErrorMessage("", 1), "number 0");
    EXPECT_EQ(rateErrorMessage("-", 2), "number 0");
    EXPECT_EQ(rateErrorMessage("5\xE2\x82\xAC", 2), "number 8364"); // a euro sign, read as one character
}

TEST_F(Calculate, DataErrorUpdatesTheRecordOnly)
{
    engine.calculate(input("10000", "7", "1", march15), view);
    for (auto const& in : {input("0", "7", "2", march15), input("5000", "0.005", "2", march15),
             input("5000", "7", "0", march15), input("5000", "7", "-1", march15), input("5000", "7", "1001", march15)}) {
        view.messages.clear();
        EXPECT_EQ(engine.calculate(in, view), CalculateOutcome::DataError);
        EXPECT_EQ(view.messages, std::vector<std::string>{"Info: Data Error!"});
        EXPECT_EQ(engine.record.rateText, in.rateText);
        EXPECT_EQ(engine.table.rowCount(), 13);
        EXPECT_EQ(engine.table.cell(1, colInterest), "58.3");
        EXPECT_EQ(view.labels[ResultLabel::MonthlyPayment], "865.25");
        EXPECT_EQ(view.chartRedraws, 1);
    }
}

TEST_F(Calculate, FloatingPointFaultsEndAtTheirStep)
{
    engine.calculate(input("10000", "7", "1", march15), view);
    // An amount beyond single precision faults as it is read, before anything changes.
    EXPECT_EQ(errorText([&] { engine.calculate(input("1e39", "5", "3", march15), view); }), "Floating point overflow");
    EXPECT_EQ(engine.record.term, 1);
    // A monthly rate too large to round to five decimals in 64 bits faults before the
    // record takes the inputs.
    EXPECT_EQ(errorText([&] { engine.calculate(input("1000", "1e30", "3", march15), view); }),
        "Invalid floating point operation");
    EXPECT_EQ(engine.record.term, 1);
    // A growth factor (1 + rate)^months beyond single precision faults after the record
    // took the inputs; the schedule on screen stays.
    EXPECT_EQ(errorText([&] { engine.calculate(input("1000", "1e10", "3", march15), view); }), "Floating point overflow");
    EXPECT_EQ(engine.record.term, 3);
    EXPECT_EQ(engine.record.rateText, "1e10");
    EXPECT_EQ(engine.table.rowCount(), 13);
    // -2400 % a year is -2 a month: the growth factor (-1)^12 is 1 and the payment divides by zero.
    EXPECT_EQ(errorText([&] { engine.calculate(input("1000", "-2400", "1", march15), view); }),
        "Floating point division by zero");
    EXPECT_EQ(engine.record.monthlyRate, -2.0f);
    // -1200 % makes the growth factor 0: no fault, a schedule of zero payments.
    EXPECT_EQ(engine.calculate(input("1000", "-1200", "1", march15), view), CalculateOutcome::Done);
    EXPECT_EQ(engine.totals.monthlyPayment, 0.0);
}

TEST_F(Calculate, FaultInsideTheScheduleKeepsTheMonthsBeforeIt)
{
    engine.calculate(input("10000", "7", "1", march15), view);
    // -10000 % a year: the balance swings by a factor -7.33 a month until month 12
    // cannot be rounded to cents.
    EXPECT_EQ(errorText([&] { engine.calculate(input("1e16", "-10000", "1", march15), view); }),
        "Invalid floating point operation");
    EXPECT_EQ(engine.table.rowCount(), 13);
    EXPECT_EQ(view.rowCount(), 13);
    EXPECT_EQ(engine.table.cell(0, colBalance), "1.00000002725642E16"); // the amount as a 32-bit float
    for (int month = 1; month <= 11; ++month) {
        EXPECT_EQ(engine.table.cell(month, colNumber), std::to_string(month));
        EXPECT_NE(engine.table.cell(month, colBalance), "") << month;
        EXPECT_EQ(view.cell(colBalance, month), engine.table.cell(month, colBalance)) << month;
    }
    EXPECT_EQ(engine.table.cell(11, colDate), "2025-02-15");
    // Month 12 and everything after the loop keep what the last Calculate left.
    EXPECT_EQ(engine.table.cell(12, colDate), "2025-03-15");
    EXPECT_EQ(engine.table.cell(12, colBalance), "0");
    EXPECT_EQ(engine.totals.monthlyPayment, 865.25);
    EXPECT_EQ(view.labels[ResultLabel::TotalPayment], "10383");
}

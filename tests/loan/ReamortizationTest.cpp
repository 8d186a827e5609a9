#include "LoanTestSupport.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test;

namespace {

class Reamortize : public ::testing::Test {
protected:
    void SetUp() override { engine.calculate(input("10000", "7", "1", encodeDate(2024, 3, 15)), view); }

    ScopedRegionalSettings m_posix{RegionalSettings::posix()};
    LoanEngine engine;
    RecordingView view;
};

} // namespace

TEST_F(Reamortize, ExtraPaymentShortensTheLoan)
{
    typeExtra(engine, view, 3, "1000");
    EXPECT_EQ(engine.table.cell(3, colInterest), "48.86");
    EXPECT_EQ(engine.table.cell(3, colPrincipal), "816.39");
    EXPECT_EQ(engine.table.cell(3, colExtra), "1000");
    EXPECT_EQ(engine.table.cell(3, colBalance), "6565.01");
    EXPECT_EQ(engine.table.cell(11, colInterest), "3.93");
    EXPECT_EQ(engine.table.cell(11, colPrincipal), "673.93");
    EXPECT_EQ(engine.table.cell(11, colBalance), "0");
    EXPECT_EQ(engine.totals.scheduleMonths, 11);
    EXPECT_EQ(view.rowCount(), 12);
    for (int col = colInterest; col <= colBalance; ++col)
        EXPECT_EQ(engine.table.cell(12, col), "0");
    EXPECT_EQ(engine.table.cell(12, colDate), "2025-03-15"); // number and date survive the zero fill
    EXPECT_EQ(view.cell(colInterest, 12), "5.02");          // the grid keeps its hidden texts
    EXPECT_EQ(engine.totals.totalInterest, 330.36);
    EXPECT_EQ(engine.totals.interestSaved, 52.64);
    EXPECT_EQ(engine.totals.totalPayment, 10330.36);
    EXPECT_EQ(view.labels[ResultLabel::TotalInterest], "330.36");
    EXPECT_EQ(view.labels[ResultLabel::InterestSaved], "52.64");
    EXPECT_EQ(view.labels[ResultLabel::TotalPayment], "10330.36");
    EXPECT_EQ(view.labels[ResultLabel::MonthlyPayment], "865.25");
    EXPECT_EQ(view.chartRedraws, 1); // the chart waits for Draw
    EXPECT_EQ(engine.edit.armedRow, 0);
}

TEST_F(Reamortize, PayoffInTheFirstMonth)
{
    typeExtra(engine, view, 1, "20000");
    EXPECT_EQ(engine.totals.scheduleMonths, 1);
    EXPECT_EQ(engine.table.cell(1, colPrincipal), "10000");
    EXPECT_EQ(engine.table.cell(1, colBalance), "0");
    EXPECT_EQ(engine.totals.totalInterest, 58.3);
    EXPECT_EQ(engine.totals.interestSaved, 324.7);
    EXPECT_EQ(engine.totals.totalPayment, 10058.3);
    EXPECT_EQ(view.rowCount(), 2);
}

TEST_F(Reamortize, SameTextChangesNothing)
{
    engine.selectCell(4, 5, view);
    view.grid().setCellText(4, 5, "0");
    view.grid().setCellText(2, 5, "tampered");
    engine.selectCell(5, 5, view);
    EXPECT_EQ(view.cell(2, 5), "tampered");
    // "0.0" is another text and does recalculate, with the same figures.
    typeExtra(engine, view, 5, "0.0");
    EXPECT_EQ(view.cell(2, 5), engine.table.cell(5, colInterest));
    EXPECT_EQ(engine.totals.interestSaved, 0);
    EXPECT_EQ(engine.totals.scheduleMonths, 12);
}

TEST_F(Reamortize, ResettingToZeroReextendsTheSchedule)
{
    typeExtra(engine, view, 3, "1000");
    ASSERT_EQ(engine.totals.scheduleMonths, 11);
    typeExtra(engine, view, 3, "0");
    EXPECT_EQ(engine.totals.scheduleMonths, 12);
    EXPECT_EQ(view.rowCount(), 13);
    EXPECT_EQ(engine.table.cell(12, colExtra), "0");
    EXPECT_EQ(engine.table.cell(12, colBalance), "0");
    EXPECT_EQ(engine.table.cell(12, colPrincipal), engine.table.cell(11, colBalance));
    EXPECT_EQ(engine.totals.interestSaved, 0);
}

TEST_F(Reamortize, LaterExtraPaymentsApplyAgain)
{
    typeExtra(engine, view, 6, "500");
    std::string const afterSix = engine.table.cell(6, colBalance);
    typeExtra(engine, view, 2, "100");
    EXPECT_EQ(engine.table.cell(6, colExtra), "500");
    EXPECT_NE(engine.table.cell(6, colBalance), afterSix); // re-run from month 2 with month 6's 500 again
    EXPECT_GT(engine.totals.interestSaved, 0);
}

TEST_F(Reamortize, MovingToAnotherExtraCellRecalculatesThenArmsIt)
{
    engine.selectCell(4, 3, view);
    view.grid().setCellText(4, 3, "1000");
    engine.selectCell(4, 7, view);
    EXPECT_EQ(engine.totals.scheduleMonths, 11);
    EXPECT_EQ(engine.edit.armedRow, 7);
    EXPECT_EQ(engine.edit.armedText, "0");
}

TEST_F(Reamortize, NegativeExtraRunsToTheEndOfTheTerm)
{
    typeExtra(engine, view, 2, "-100");
    EXPECT_EQ(engine.totals.scheduleMonths, 12);
    EXPECT_LT(engine.totals.interestSaved, 0);
}

TEST_F(Reamortize, RejectedTextKeepsTheCellArmedAndRetries)
{
    engine.selectCell(4, 3, view);
    view.grid().setCellText(4, 3, "1.2.3");
    EXPECT_EQ(errorText([&] { engine.selectCell(5, 3, view); }), "'1.2.3' is not a valid floating point value");
    EXPECT_EQ(engine.edit.armedRow, 3);
    EXPECT_EQ(engine.table.cell(3, colExtra), "1.2.3");
    EXPECT_EQ(view.rowCount(), 13);
    view.grid().setCellText(4, 3, "-");
    EXPECT_EQ(errorText([&] { engine.selectCell(5, 3, view); }), "'-' is not a valid floating point value");
    view.grid().setCellText(4, 3, "1000");
    engine.selectCell(5, 3, view);
    EXPECT_EQ(engine.totals.scheduleMonths, 11);
}

TEST_F(Reamortize, ArithmeticFaultComesBeforeABadExtraPaymentOfTheSameMonth)
{
    // A balance no cent rounding can hold: month 1's interest faults before its
    // extra payment text is read.
    engine.table.setCell(0, colBalance, "1e20");
    engine.selectCell(4, 1, view);
    view.grid().setCellText(4, 1, "abc");
    EXPECT_EQ(errorText([&] { engine.selectCell(5, 1, view); }), "Invalid floating point operation");
    EXPECT_EQ(engine.table.cell(1, colInterest), "58.3"); // month 1 not rewritten

    // The same fault in the balance step, after a good extra payment: months before stay.
    engine.table.setCell(0, colBalance, "10000");
    view.grid().setCellText(4, 1, "0");
    engine.selectCell(5, 1, view);
    engine.table.setCell(5, colExtra, "-1e19");
    engine.selectCell(4, 2, view);
    view.grid().setCellText(4, 2, "1");
    EXPECT_EQ(errorText([&] { engine.selectCell(5, 2, view); }), "Invalid floating point operation");
    EXPECT_EQ(engine.table.cell(4, colExtra), "0");
    EXPECT_EQ(engine.table.cell(2, colExtra), "1");
    EXPECT_NE(engine.table.cell(4, colBalance), engine.table.cell(5, colBalance));
    EXPECT_EQ(view.cell(colExtra, 5), "0"); // month 5 never reached the grid
}

TEST_F(Reamortize, CalculateDoesNotDisarm)
{
    engine.selectCell(4, 2, view);
    view.grid().setCellText(4, 2, "50");
    engine.calculate(input("10000", "7", "1", encodeDate(2024, 3, 15)), view); // rewrites the cell with "0"
    EXPECT_EQ(engine.edit.armedRow, 2);
    EXPECT_EQ(engine.edit.armedText, "0");
    engine.selectCell(5, 2, view); // "0" equals the armed text: nothing to do
    EXPECT_EQ(engine.totals.interestSaved, 0);
}

TEST_F(Reamortize, MonthsBeyondTheTermAreRefused)
{
    // A refused Calculate shortens the term while the grid still shows the old months.
    engine.calculate(input("10000", "7", "30", encodeDate(2024, 3, 15)), view);
    engine.calculate(input("0", "7", "1", encodeDate(2024, 3, 15)), view);
    engine.selectCell(4, 100, view);
    view.grid().setCellText(4, 100, "5");
    EXPECT_EQ(errorText([&] { engine.selectCell(5, 100, view); }), "Month 100 is outside the loan term of 12 months");
    EXPECT_EQ(engine.table.rowCount(), 361);

    LoanEngine fresh; // nothing calculated: the grid's one row has no loan behind it
    RecordingView empty;
    fresh.selectCell(4, 1, empty);
    EXPECT_EQ(fresh.edit.armedText, "");
    empty.grid().setCellText(4, 1, "5");
    EXPECT_EQ(errorText([&] { fresh.selectCell(5, 1, empty); }), "Month 1 is outside the loan term of 0 months");
}

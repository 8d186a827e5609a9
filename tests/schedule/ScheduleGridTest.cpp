#include "ScheduleWindow.h"

#include "loan/LoanFile.h"
#include "runtime/core/DateTime.h"
#include "runtime/core/RegionalSettings.h"
#include "runtime/ui/Dialogs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <vector>

using namespace qv;
using namespace qv::test;

namespace {

class ScheduleGridFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        boxes.clear();
        window.showAndRaise();
        app().processMessages();
    }

    void calculate(const std::string& amount, const std::string& rate, const std::string& term)
    {
        window.loan.calculate(CalculateInput{term, amount, rate, encodeDate(2024, 3, 15)}, window);
        app().processMessages();
    }

    // Scrolls the row into view, as a user would before clicking it.
    void clickRow(int col, int row)
    {
        window.gridPayment.setTopRow(row);
        clickCell(window.gridPayment, col, row);
        app().processMessages();
    }

    TApplication& application = app();
    ScopedRegionalSettings posix{RegionalSettings::posix()};
    ScheduleWindow window;
    std::vector<MessageBoxCall>& boxes = recordedBoxes();
};

} // namespace

TEST_F(ScheduleGridFlow, StructureAfterCreation)
{
    TbsSkinStringGrid& grid = window.gridPayment;
    EXPECT_EQ(grid.ColCount(), 6);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.Options(), 31);
    const int widths[] = {30, 88, 110, 110, 110, 110};
    const char* headers[] = {"No", "Payment Date", "Interest Payment", "Principal Payment", "Extra Payment", "Balance"};
    for (int col = 0; col < 6; ++col) {
        EXPECT_EQ(grid.ColWidths(col), widths[col]) << col;
        EXPECT_EQ(grid.Cells(col, 0), headers[col]) << col;
    }
    EXPECT_EQ(grid.boundsRect(), (TRect{16, 16, 625, 193}));
    EXPECT_EQ(window.schedule.bsSkinScrollBar1.boundsRect(), (TRect{608, 16, 627, 193}));
    EXPECT_EQ(grid.VScrollBar(), &window.schedule.bsSkinScrollBar1);
    EXPECT_FALSE(window.schedule.bsSkinScrollBar1.visible());
}

TEST_F(ScheduleGridFlow, TypedExtraPaymentReamortizesOnEnter)
{
    calculate("10000", "7", "1");
    TbsSkinStringGrid& grid = window.gridPayment;
    ASSERT_EQ(grid.RowCount(), 13);
    int redraws = window.chartRedraws;

    clickRow(4, 3);
    EXPECT_EQ(grid.Col(), 4);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Options(), 1055);
    EXPECT_FALSE(grid.EditorMode()); // a click on another cell only moves

    typeInto(grid, "1000");
    EXPECT_TRUE(grid.EditorMode());
    EXPECT_EQ(grid.Cells(4, 3), "1000"); // every keystroke is in the cell at once
    pressKey(grid, VK_RETURN);
    app().processMessages();

    EXPECT_EQ(grid.Col(), 5);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Options(), 31);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.Cells(5, 3), "6565.01");
    EXPECT_EQ(grid.Cells(3, 11), "673.93");
    EXPECT_EQ(grid.Cells(5, 11), "0");
    EXPECT_EQ(grid.RowCount(), 12);
    EXPECT_EQ(window.labels[ResultLabel::TotalInterest], "330.36");
    EXPECT_EQ(window.labels[ResultLabel::InterestSaved], "52.64");
    EXPECT_EQ(window.labels[ResultLabel::TotalPayment], "10330.36");
    EXPECT_EQ(window.chartRedraws, redraws); // the chart waits for Draw
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(window.beeps, 0);
}

TEST_F(ScheduleGridFlow, ClickOnTheCurrentExtraCellOpensTheEditorWithItsText)
{
    calculate("10000", "7", "1");
    TbsSkinStringGrid& grid = window.gridPayment;
    clickRow(4, 2);
    clickCell(grid, 4, 2);
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(grid.InplaceEditor()->text(), "0");
    EXPECT_EQ(grid.InplaceEditor()->selLength(), 1); // the old text is selected
    typeInto(grid, "5");
    pressKey(grid, VK_DOWN); // moving down also leaves the cell
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 4);
    EXPECT_EQ(window.loan.table.cell(2, colExtra), "5");
    EXPECT_EQ(window.loan.edit.armedRow, 3);
    EXPECT_EQ(grid.Options(), 1055);
}

TEST_F(ScheduleGridFlow, LettersBeepAndAreDropped)
{
    calculate("10000", "7", "1");
    TbsSkinStringGrid& grid = window.gridPayment;
    clickRow(4, 2);
    typeInto(grid, "x1a2-.");
    EXPECT_EQ(window.beeps, 2);
    EXPECT_EQ(grid.Cells(4, 2), "12-.");
    pressKey(grid, VK_BACK);
    EXPECT_EQ(grid.Cells(4, 2), "12-");
    EXPECT_EQ(window.beeps, 2);
}

TEST_F(ScheduleGridFlow, TypingOutsideTheExtraColumnDoesNothing)
{
    calculate("10000", "7", "1");
    TbsSkinStringGrid& grid = window.gridPayment;
    clickRow(2, 2);
    std::string before = grid.Cells(2, 2);
    typeInto(grid, "9x");
    pressKey(grid, VK_F1 + 1);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.Cells(2, 2), before);
    EXPECT_EQ(window.beeps, 0);
    EXPECT_EQ(grid.Options(), 31);
}

TEST_F(ScheduleGridFlow, RejectedTextKeepsTheCellAndShowsTheConversionError)
{
    calculate("10000", "7", "1");
    TbsSkinStringGrid& grid = window.gridPayment;
    clickRow(4, 3);
    typeInto(grid, "1.2.3");
    pressKey(grid, VK_RETURN);
    app().processMessages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "'1.2.3' is not a valid floating point value");
    EXPECT_EQ(grid.Col(), 4);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Options(), 1055);
    EXPECT_EQ(grid.Cells(4, 3), "1.2.3");
    EXPECT_EQ(window.loan.edit.armedRow, 3);

    // The edit stays armed: a corrected text goes through on the next move.
    clickCell(grid, 4, 3);
    ASSERT_TRUE(grid.EditorMode());
    typeInto(grid, "100");
    pressKey(grid, VK_RETURN);
    app().processMessages();
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(grid.Col(), 5);
    EXPECT_EQ(window.loan.table.cell(3, colExtra), "100");
    EXPECT_NE(window.labels[ResultLabel::InterestSaved], "0");
}

TEST_F(ScheduleGridFlow, NewLeavesOneEmptyRowAndKeepsTheOthers)
{
    calculate("10000", "7", "1");
    TbsSkinStringGrid& grid = window.gridPayment;
    std::string month5 = grid.Cells(2, 5);
    ASSERT_FALSE(month5.empty());
    window.schedule.New();
    EXPECT_EQ(grid.RowCount(), 2);
    for (int col = 0; col < 6; ++col)
        EXPECT_EQ(grid.Cells(col, 1), "") << col;
    EXPECT_EQ(grid.Cells(2, 0), "Interest Payment");
    grid.setRowCount(13);
    EXPECT_EQ(grid.Cells(2, 5), month5);
    EXPECT_EQ(grid.Cells(2, 1), "");
}

TEST_F(ScheduleGridFlow, ExternalBarFollowsTheRowCount)
{
    TbsSkinScrollBar& bar = window.schedule.bsSkinScrollBar1;
    calculate("200000", "6", "30");
    TbsSkinStringGrid& grid = window.gridPayment;
    ASSERT_EQ(grid.RowCount(), 361);
    EXPECT_TRUE(bar.visible());
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 127);
    EXPECT_EQ(bar.Position(), 0);

    // Down to the last month with the keyboard.
    grid.setFocus();
    pressKey(grid, VK_END, ssCtrl);
    EXPECT_EQ(grid.Row(), 360);
    EXPECT_EQ(grid.TopRow(), grid.maxTopRow());
    EXPECT_EQ(bar.Position(), 127);

    window.schedule.New();
    EXPECT_FALSE(bar.visible());
    EXPECT_EQ(bar.Max(), 0);
}

TEST_F(ScheduleGridFlow, LoadedLoanWithNoMonthsLetsTheHeaderScroll)
{
    calculate("10000", "7", "1");
    ScratchDir scratch("qv-schedule");
    std::string path = scratch.file("empty.qvl");
    window.loan.totals.scheduleMonths = 0;
    ASSERT_TRUE(writeLoanFile(path, window.loan));
    ASSERT_TRUE(readLoanFile(path, window.loan, window));
    TbsSkinStringGrid& grid = window.gridPayment;
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.FixedRows(), 0);
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.Cells(0, 0), "No");
    // The header row is an ordinary row now: clicking it is allowed.
    clickCell(grid, 2, 0);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 0);
}


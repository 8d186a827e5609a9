// The recurring extra payment menu of the schedule grid, worked by mouse and keyboard on
// the main window and checked against typing the same amounts month by month.
#include "AppTestSupport.h"

#include "controls/SkinInplaceEdit.h"
#include "loan/MemoryLoanView.h"
#include "runtime/ui/Input.h"

#include <functional>

using namespace qv;
using qv::test::app;
using qv::test::MainWindowTest;

namespace {

constexpr int repeatItem = 0;
constexpr int clearFromHereItem = 1;
constexpr int clearAllItem = 2;

// What the window shows of the loan, cells and labels as text.
std::string shown(TfrmMain& w)
{
    std::string text = w.lblMonPay.Caption() + " " + w.lblTotalInt.Caption() + " " + w.lblTotalPay.Caption() + " "
        + w.lblSavePay.Caption() + "\n";
    auto& grid = w.schedule.gridPayment;
    for (int row = 1; row < grid.RowCount(); ++row) {
        for (int col = 0; col <= 5; ++col)
            text += grid.Cells(col, row) + "|";
        text += "\n";
    }
    return text;
}

// The same loan in an engine of its own, its amounts typed month by month from `first`.
std::string typedMonthByMonth(TfrmMain& w, RoundingModel model, int first,
                              const std::function<std::string(int)>& textOf)
{
    LoanEngine engine;
    MemoryLoanView view;
    CalculateInput in{w.txtTerm.text(), w.txtAmount.text(), w.txtRate.text(), w.txtLoanDate.Date(), model};
    engine.calculate(in, view);
    for (int month = first; month <= engine.totals.scheduleMonths; ++month) {
        engine.selectCell(LoanEngine::extraColumn, month, view);
        view.grid().setCellText(LoanEngine::extraColumn, month, textOf(month));
        engine.selectCell(LoanEngine::extraColumn + 1, month, view);
    }
    std::string text = view.label(ResultLabel::MonthlyPayment) + " " + view.label(ResultLabel::TotalInterest) + " "
        + view.label(ResultLabel::TotalPayment) + " " + view.label(ResultLabel::InterestSaved) + "\n";
    for (int row = 1; row < view.grid().rowCount(); ++row) {
        for (int col = 0; col <= 5; ++col)
            text += view.grid().cellText(col, row) + "|";
        text += "\n";
    }
    return text;
}

TPoint cellCentre(TbsSkinStringGrid& grid, int col, int row)
{
    TRect const r = grid.CellRect(col, row);
    return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void rightClick(TbsSkinStringGrid& grid, int col, int row)
{
    TPoint const p = cellCentre(grid, col, row);
    sendMouseDown(grid, p.x, p.y, MouseButton::Right);
    sendMouseUp(grid, p.x, p.y, MouseButton::Right);
    app().processMessages();
}

// Picks an item of the open popup with the mouse.
void pick(TbsSkinMenu& engine, int index)
{
    ASSERT_TRUE(engine.visible());
    TbsSkinPopupWindow& menu = engine.level(0);
    TRect const item = menu.itemRect(index);
    sendMouseUp(menu, item.left + 5, item.top + 5);
    app().processMessages();
}

// Moves the highlight with Down to the item and presses Enter, as a keyboard user does.
void choose(TbsSkinStringGrid& grid, TbsSkinMenu& engine, int index)
{
    ASSERT_TRUE(engine.visible());
    for (int step = 0; step < 5 && engine.level(0).activeItem() != index; ++step)
        sendKeyStroke(grid, VK_DOWN);
    ASSERT_EQ(engine.level(0).activeItem(), index);
    sendKeyStroke(grid, VK_RETURN);
    app().processMessages();
}

} // namespace

TEST_F(MainWindowTest, RightClickOnAnExtraPaymentCellRepeatsItsAmountToTheEnd)
{
    TfrmMain& w = start();
    calculate("200000", "5", "30");
    boxes.clear(); // the first start's missing example file
    auto& grid = w.schedule.gridPayment;
    auto& engine = w.skinForm.menus().engine();

    // Nowhere but the Extra Payment column has the menu.
    rightClick(grid, 3, 2);
    EXPECT_FALSE(engine.visible());

    // Typed into month 3 and not committed yet: the right click on its own cell takes it.
    grid.setFocus();
    sendClick(grid, cellCentre(grid, 4, 3).x, cellCentre(grid, 4, 3).y);
    sendChars(grid, "250");
    ASSERT_TRUE(grid.EditorMode());
    // The editor covers the cell: the right click lands on it and still brings this menu.
    sendContextMenu(*grid.InplaceEditor(), 5, 5);
    app().processMessages();
    ASSERT_TRUE(engine.visible());
    TbsSkinPopupWindow& menu = engine.level(0);
    ASSERT_EQ(menu.itemCount(), 3);
    EXPECT_EQ(menu.item(repeatItem).caption(), "Repeat to the End of the Loan");
    EXPECT_EQ(menu.item(clearFromHereItem).caption(), "Clear Extra Payments from Here");
    EXPECT_EQ(menu.item(clearAllItem).caption(), "Clear All Extra Payments");
    EXPECT_TRUE(menu.skinned());
    pick(engine, repeatItem);
    EXPECT_FALSE(engine.visible());

    EXPECT_EQ(shown(w), typedMonthByMonth(w, RoundingModel::Classic, 3, [](int) { return "250"; }));
    EXPECT_EQ(w.lblSavePay.Caption(), "69601.67");
    EXPECT_EQ(w.loan.totals.scheduleMonths, 240);
    // The chart follows at once.
    EXPECT_EQ(w.chartPage.Series1().PointCount(), w.loan.totals.scheduleMonths - 1);
    // Leaving the cell has nothing left to re-amortize.
    std::string const before = shown(w);
    sendKeyStroke(grid, VK_DOWN);
    app().processMessages();
    EXPECT_EQ(shown(w), before);
    EXPECT_TRUE(boxes.empty());

    // Clear All is an undo: the loan as calculated.
    rightClick(grid, 4, 2);
    pick(engine, clearAllItem);
    EXPECT_EQ(w.lblTotalInt.Caption(), "186688.68");
    EXPECT_EQ(w.lblTotalPay.Caption(), "386688.68");
    EXPECT_EQ(w.lblSavePay.Caption(), "0");
    EXPECT_EQ(grid.RowCount(), 361);
    EXPECT_TRUE(w.loan.extraPayments().empty());
}

TEST_F(MainWindowTest, ShiftF10AndTheMenuKeyOpenTheMenuOfTheCurrentCell)
{
    TfrmMain& w = start();
    w.mnuBankRoundingClick();
    calculate("162000", "3.875", "30");
    ASSERT_EQ(w.lblMonPay.Caption(), "761.78");
    boxes.clear(); // the first start's missing example file
    auto& grid = w.schedule.gridPayment;
    auto& engine = w.skinForm.menus().engine();
    grid.setFocus();
    grid.setRow(2);
    grid.setCol(4);
    sendChars(grid, "3000");
    sendKeyStroke(grid, VK_RETURN); // commits month 2 and moves on to the Balance column
    app().processMessages();

    // Off the Extra Payment column the keys open nothing.
    sendKeyStroke(grid, VK_F10, ssShift);
    EXPECT_FALSE(engine.visible());

    grid.setCol(4);
    grid.setRow(5);
    sendChars(grid, "100");
    sendKeyStroke(grid, VK_F10, ssShift); // from inside the cell editor
    ASSERT_TRUE(engine.visible());
    // Esc closes it and changes nothing.
    sendKeyStroke(grid, VK_ESCAPE);
    EXPECT_FALSE(engine.visible());
    EXPECT_EQ(w.loan.table.cell(6, colExtra), "0");

    sendKeyStroke(grid, VK_APPS);
    choose(grid, engine, repeatItem);
    EXPECT_FALSE(engine.visible());
    auto const expected = [](int month) { return month == 2 ? "3000" : month < 5 ? "0" : "100"; };
    EXPECT_EQ(shown(w), typedMonthByMonth(w, RoundingModel::Bank, 2, expected));

    // Clear from month 40 on keeps months 2 to 39.
    grid.setRow(40);
    sendKeyStroke(grid, VK_F10, ssShift);
    choose(grid, engine, clearFromHereItem);
    auto const cleared = [&](int month) { return month < 40 ? expected(month) : "0"; };
    EXPECT_EQ(shown(w), typedMonthByMonth(w, RoundingModel::Bank, 2, cleared));
    EXPECT_EQ(w.loan.extraPayments().back(), (std::pair<int, std::string>{39, "100"}));
    EXPECT_TRUE(boxes.empty());
}

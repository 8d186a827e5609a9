#include "GridTestSupport.h"
#include "skin/popupmenu/SkinFormMenus.h"

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/Dialogs.h"
#include "runtime/ui/Timer.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test;

namespace {

class GridEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        boxes.clear();
        window.showAndRaise();
        app().processMessages();
    }

    template <class Fn> std::string gridError(Fn fn)
    {
        try {
            fn();
        } catch (const bsEInvalidGridOperation& e) {
            return e.message();
        }
        return "(no error)";
    }

    TApplication& application = app();
    // Held buttons and double clicks depend on time: it passes only when a test says so.
    TManualTimerClock clock;
    GridWindow window;
    TbsSkinStringGrid& grid = window.grid;
    std::vector<MessageBoxCall>& boxes = recordedBoxes();
};

} // namespace

TEST_F(GridEngine, CountsFollowTheirRulesAndErrorsCarryTheirTexts)
{
    EXPECT_EQ(grid.ColCount(), 5);
    EXPECT_EQ(grid.RowCount(), 5);
    grid.setRowCount(0);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.FixedRows(), 0); // one fixed row does not fit into one row
    grid.setColCount(-4);
    EXPECT_EQ(grid.ColCount(), 1);
    EXPECT_EQ(grid.FixedCols(), 0);

    grid.setColCount(6);
    grid.setRowCount(4);
    EXPECT_EQ(gridError([&] { grid.setFixedRows(-1); }), "Grid index out of range");
    EXPECT_EQ(gridError([&] { grid.setFixedRows(4); }), "Fixed row count must be less than row count");
    EXPECT_EQ(gridError([&] { grid.setFixedCols(6); }), "Fixed column count must be less than column count");
    EXPECT_EQ(gridError([&] { grid.setColWidths(6, 10); }), "Grid index out of range");
    EXPECT_EQ(gridError([&] { grid.setRow(4); }), "Grid index out of range");
    EXPECT_EQ(gridError([&] { grid.setCol(-1); }), "Grid index out of range");
    grid.setFixedRows(3);
    grid.setFixedCols(2);
    EXPECT_EQ(grid.Row(), 3); // the current cell never sits in the fixed part
    EXPECT_EQ(grid.Col(), 2);

    window.selections.clear();
    grid.setRowCount(4); // unchanged: nothing happens
    EXPECT_TRUE(window.selections.empty());
}

TEST_F(GridEngine, ShrinkingMovesTheCurrentCellThroughOnSelectCell)
{
    grid.setRowCount(300);
    grid.setRow(200);
    EXPECT_GT(grid.TopRow(), 1);
    window.selections.clear();
    grid.setRowCount(2);
    EXPECT_EQ(grid.Row(), 1);
    ASSERT_EQ(window.selections.size(), 1u);
    EXPECT_EQ(window.selections[0], (TGridCoord{1, 1}));
    EXPECT_EQ(grid.TopRow(), 1);
    EXPECT_EQ(grid.Selection().bottom, 1);
}

TEST_F(GridEngine, CellsOutsideTheCountsAreKept)
{
    grid.setRowCount(10);
    grid.setCells(3, 400, "far");
    EXPECT_EQ(grid.Cells(3, 400), "far");
    EXPECT_EQ(grid.storedCellCount(), 1u);
    grid.setRowCount(401);
    grid.setTopRow(400);
    EXPECT_FALSE(grid.CellRect(3, 400).isEmpty());
    EXPECT_EQ(grid.Cells(3, 400), "far");
    grid.setRowCount(3);
    EXPECT_EQ(grid.Cells(3, 400), "far");
    grid.setCells(3, 400, "");
    EXPECT_EQ(grid.storedCellCount(), 0u); // an emptied cell costs nothing
    EXPECT_EQ(grid.Cells(2, 2), "");
}

TEST_F(GridEngine, TextsKeepTheirColumnsInWhateverOrderTheyArrive)
{
    grid.setCells(4, 1, "d");
    grid.setCells(1, 1, "a");
    grid.setCells(3, 1, "c");
    grid.setCells(2, 1, "b");
    grid.setCells(3, 1, "C");
    grid.setCells(3, 2, "other row");
    EXPECT_EQ(grid.storedCellCount(), 5u);
    grid.setCells(2, 1, "");
    EXPECT_EQ(grid.storedCellCount(), 4u);
    EXPECT_EQ(grid.Cells(0, 1), "");
    EXPECT_EQ(grid.Cells(1, 1), "a");
    EXPECT_EQ(grid.Cells(2, 1), "");
    EXPECT_EQ(grid.Cells(3, 1), "C");
    EXPECT_EQ(grid.Cells(4, 1), "d");
    EXPECT_EQ(grid.Cells(5, 1), "");
    EXPECT_EQ(grid.Cells(3, 2), "other row");
    EXPECT_EQ(grid.Cells(3, 3), "");
}

TEST_F(GridEngine, OnSelectCellRunsBeforeAnythingChangesAndCanRefuse)
{
    grid.setRowCount(20);
    TGridCoord seen{-1, -1};
    grid.onSelectCell = [&](TbsSkinDrawGrid& sender, int, int, bool&) { seen = TGridCoord{sender.Col(), sender.Row()}; };
    grid.setRow(5);
    EXPECT_EQ(seen, (TGridCoord{1, 1}));
    EXPECT_EQ(grid.Row(), 5);

    grid.onSelectCell = [](TbsSkinDrawGrid&, int, int, bool& canSelect) { canSelect = false; };
    grid.setRow(7);
    EXPECT_EQ(grid.Row(), 5);

    grid.onSelectCell = [](TbsSkinDrawGrid&, int, int, bool&) { throw Exception("handler failed"); };
    EXPECT_THROW(grid.setCol(3), Exception);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 5);

    // A key that reaches a failing handler shows the error and leaves the cell alone.
    grid.setFocus();
    pressKey(grid, VK_DOWN);
    EXPECT_EQ(grid.Row(), 5);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "handler failed");
}

TEST_F(GridEngine, HandlerThatLowersTheCountCanLeaveTheCurrentRowOutside)
{
    grid.setRowCount(20);
    grid.onSelectCell = [&](TbsSkinDrawGrid& sender, int, int row, bool&) {
        if (row == 9)
            sender.setRowCount(5);
    };
    grid.setRow(9);
    EXPECT_EQ(grid.Row(), 9);
    EXPECT_EQ(grid.RowCount(), 5);
    // Nothing may reach outside the grid from there.
    grid.setOptions(grid.Options() | goEditing);
    grid.setFocus();
    typeInto(grid, "1");
    EXPECT_FALSE(grid.EditorMode());
    Bitmap picture(grid.width(), grid.height());
    grid.paintTo(picture.canvas());
    pressKey(grid, VK_UP);
    EXPECT_EQ(grid.Row(), 4);
}

TEST_F(GridEngine, OptionsAreASixteenBitSet)
{
    EXPECT_EQ(grid.Options(), 31);
    EXPECT_EQ(TGridOptions(31 | goEditing), 1055);
    grid.setOptions(goRowSelect | goAlwaysShowEditor | goEditing);
    EXPECT_EQ(grid.Options(), goRowSelect | goEditing);
    EXPECT_FALSE(grid.EditorMode()); // row select never edits
}

TEST_F(GridEngine, TypingOpensTheEditorAndEveryChangeReachesTheCell)
{
    grid.setCells(1, 1, "old");
    grid.setOptions(31 | goEditing);
    std::vector<std::string> setTexts;
    grid.onSetEditText = [&](TbsSkinDrawGrid&, int, int, const std::string& text) { setTexts.push_back(text); };
    grid.setFocus();
    typeInto(grid, "7");
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(grid.InplaceEditor()->text(), "7");
    EXPECT_EQ(grid.Cells(1, 1), "7");
    typeInto(grid, "8");
    EXPECT_EQ(grid.Cells(1, 1), "78");
    EXPECT_EQ(setTexts, (std::vector<std::string>{"7", "78"}));
    EXPECT_TRUE(grid.InplaceEditor()->focused());
    EXPECT_EQ(grid.InplaceEditor()->boundsRect(), grid.CellRect(1, 1));

    // Escape does not bring the old text back; Enter closes the editor.
    pressKey(grid, VK_ESCAPE);
    EXPECT_TRUE(grid.EditorMode());
    pressKey(grid, VK_RETURN);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.Cells(1, 1), "78");
    EXPECT_TRUE(grid.focused());

    // Enter opens it again, F2 too, with the whole text selected.
    pressKey(grid, VK_RETURN);
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(grid.InplaceEditor()->selLength(), 2);
    pressKey(grid, VK_RETURN);
    pressKey(grid, VK_F2);
    EXPECT_TRUE(grid.EditorMode());
}

TEST_F(GridEngine, ClosingTheEditorGivesTheFocusStraightBackToTheGrid)
{
    grid.setOptions(31 | goEditing);
    grid.setFocus();
    pressKey(grid, VK_F2);
    ASSERT_TRUE(grid.InplaceEditor()->focused());
    pressKey(grid, VK_RETURN);
    EXPECT_TRUE(grid.focused());
    pressKey(grid, VK_F2);
    pressKey(grid, VK_DOWN);
    EXPECT_TRUE(grid.focused());
    EXPECT_EQ(window.otherEnters, 0); // no other control saw the focus pass by
}

TEST_F(GridEngine, EditorContextMenuEditsTheCell)
{
    grid.setOptions(31 | goEditing);
    grid.setCells(1, 1, "42");
    grid.setFocus();
    pressKey(grid, VK_F2);
    TbsSkinInplaceEdit& editor = *grid.InplaceEditor();
    // Context menus open through the menu side of the window's skinned frame.
    TbsSkinData model;
    TbsSkinFormMenus menus(window);
    menus.setSkinData(&model);
    sendContextMenu(editor, 5, 5);
    TbsSkinMenu* engine = editor.contextMenuEngine();
    ASSERT_NE(engine, nullptr);
    ASSERT_TRUE(engine->visible());
    auto& popup = engine->level(0);
    ASSERT_EQ(popup.itemCount(), 8);
    auto index = [&](const std::string& name) {
        for (int i = 0; i < popup.itemCount(); ++i)
            if (popup.item(i).name() == name)
                return i;
        return -1;
    };
    EXPECT_FALSE(popup.item(index("EDIT_SELECTALL")).enabled()); // the text is all selected on opening
    engine->choose(popup, index("EDIT_DELETE"));
    EXPECT_TRUE(grid.EditorMode());
    EXPECT_EQ(grid.Cells(1, 1), ""); // the change reached the cell at once
}

TEST_F(GridEngine, MovingHidesTheEditorAndWritesOnlyTheEditedCell)
{
    grid.setOptions(31 | goEditing);
    grid.setCells(2, 1, "right");
    grid.setFocus();
    typeInto(grid, "5");
    pressKey(grid, VK_RIGHT); // caret keys stay in the editor
    EXPECT_TRUE(grid.EditorMode());
    pressKey(grid, VK_DOWN);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Cells(1, 1), "5");
    EXPECT_EQ(grid.Cells(1, 2), "");
    EXPECT_EQ(grid.Cells(2, 1), "right");
}

TEST_F(GridEngine, ProgramWritesToTheEditedCellReloadTheEditor)
{
    grid.setOptions(31 | goEditing);
    grid.onGetEditText = [](TbsSkinDrawGrid&, int, int, std::string& text) { text = "[" + text + "]"; };
    grid.setCells(1, 1, "a");
    grid.setFocus();
    pressKey(grid, VK_F2);
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(grid.InplaceEditor()->text(), "[a]");
    grid.setCells(1, 1, "b");
    EXPECT_EQ(grid.InplaceEditor()->text(), "[b]");
}

TEST_F(GridEngine, WithoutEditingTypingChangesNothing)
{
    grid.setCells(1, 1, "keep");
    grid.setFocus();
    typeInto(grid, "x");
    pressKey(grid, VK_F2);
    pressKey(grid, VK_RETURN);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.Cells(1, 1), "keep");
}

TEST_F(GridEngine, ClicksMoveOrOpenTheEditor)
{
    grid.setOptions(31 | goEditing);
    clickCell(grid, 2, 2);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_FALSE(grid.EditorMode());
    clickCell(grid, 2, 2);
    EXPECT_TRUE(grid.EditorMode());
    clickCell(grid, 3, 3);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.Col(), 3);
    window.selections.clear();
    clickCell(grid, 0, 2); // fixed cells never become current
    clickCell(grid, 3, 0);
    EXPECT_TRUE(window.selections.empty());
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(grid.Row(), 3);
}

TEST_F(GridEngine, SecondQuickPressIsADoubleClick)
{
    int doubles = 0;
    grid.onDblClick = [&] { ++doubles; };
    clickCell(grid, 2, 2);
    clickCell(grid, 2, 2);
    EXPECT_EQ(doubles, 1);
    clickCell(grid, 2, 2); // a third press starts over
    EXPECT_EQ(doubles, 1);
    clickCell(grid, 3, 3); // far from the last press
    EXPECT_EQ(doubles, 1);
    clock.advance(499);
    clickCell(grid, 3, 3);
    EXPECT_EQ(doubles, 2);
    clickCell(grid, 3, 3);
    clock.advance(500);
    clickCell(grid, 3, 3); // too late for a double click
    EXPECT_EQ(doubles, 2);
}

TEST_F(GridEngine, MouseAndShiftExtendTheSelection)
{
    grid.setRowCount(10);
    clickCell(grid, 1, 1);
    TPoint to = cellCentre(grid, 3, 4);
    TPoint from = cellCentre(grid, 1, 1);
    sendMouseDown(grid, from.x, from.y);
    sendMouseMove(grid, to.x, to.y);
    sendMouseUp(grid, to.x, to.y);
    TGridRect sel = grid.Selection();
    EXPECT_EQ(sel.left, 1);
    EXPECT_EQ(sel.top, 1);
    EXPECT_EQ(sel.right, 3);
    EXPECT_EQ(sel.bottom, 4);

    grid.setFocus();
    pressKey(grid, VK_DOWN, ssShift);
    EXPECT_EQ(grid.Selection().bottom, 5);
    EXPECT_EQ(grid.Selection().top, 1);
    pressKey(grid, VK_DOWN);
    EXPECT_EQ(grid.Selection().top, 6);

    grid.setOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine);
    pressKey(grid, VK_DOWN, ssShift);
    EXPECT_EQ(grid.Selection().top, 7); // without range select the anchor follows
}

TEST_F(GridEngine, HeldButtonBelowTheGridKeepsExtendingTheSelection)
{
    grid.setRowCount(100);
    TPoint from = cellCentre(grid, 1, 2);
    sendMouseDown(grid, from.x, from.y);
    sendMouseMove(grid, from.x, grid.height() + 10);
    int const moved = grid.Row(); // the move itself reaches the last row in view
    clock.advance(TbsSkinCustomGrid::selectInterval - 1);
    EXPECT_EQ(grid.Row(), moved);
    clock.advance(1);
    EXPECT_EQ(grid.Row(), moved + 1);
    clock.advance(4 * TbsSkinCustomGrid::selectInterval);
    EXPECT_EQ(grid.Row(), moved + 5); // one row per tick
    EXPECT_EQ(grid.Selection().top, 2);
    EXPECT_EQ(grid.Selection().bottom, moved + 5);
    EXPECT_GT(grid.TopRow(), 1);
    sendMouseUp(grid, from.x, grid.height() + 10);
    clock.advance(10 * TbsSkinCustomGrid::selectInterval);
    EXPECT_EQ(grid.Row(), moved + 5); // the release stopped it
}

TEST_F(GridEngine, KeyboardNavigationStaysInTheScrollingArea)
{
    grid.setColCount(8);
    grid.setRowCount(50);
    grid.setFocus();
    pressKey(grid, VK_UP);
    pressKey(grid, VK_LEFT);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 1);
    pressKey(grid, VK_END);
    EXPECT_EQ(grid.Col(), 7);
    pressKey(grid, VK_HOME);
    EXPECT_EQ(grid.Col(), 1);
    pressKey(grid, VK_END, ssCtrl);
    EXPECT_EQ(grid.Col(), 7);
    EXPECT_EQ(grid.Row(), 49);
    EXPECT_EQ(grid.TopRow(), grid.maxTopRow());
    pressKey(grid, VK_HOME, ssCtrl);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.TopRow(), 1);

    int page = grid.VisibleRowCount();
    ASSERT_EQ(page, 7); // 177 pixels: a 21-pixel header and seven whole 21-pixel rows
    pressKey(grid, VK_NEXT);
    EXPECT_EQ(grid.Row(), 1 + page);
    EXPECT_EQ(grid.TopRow(), 1 + page);
    pressKey(grid, VK_NEXT, ssCtrl);
    EXPECT_EQ(grid.Row(), grid.TopRow() + page - 1);
    pressKey(grid, VK_PRIOR, ssCtrl);
    EXPECT_EQ(grid.Row(), grid.TopRow());
    int row = grid.Row();
    pressKey(grid, VK_DOWN, ssCtrl);
    EXPECT_EQ(grid.Row(), row); // Ctrl+Down scrolls only
    EXPECT_EQ(grid.TopRow(), row + 1);
    pressKey(grid, VK_PRIOR);
    pressKey(grid, VK_PRIOR);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.TopRow(), 1);
}

TEST_F(GridEngine, TabMovesOnlyWithTheTabsOption)
{
    grid.setColCount(3);
    grid.setRowCount(3);
    grid.setOptions(31 | goTabs);
    grid.setFocus();
    int key = VK_TAB;
    grid.editorKeyDown(key, 0);
    EXPECT_EQ(grid.Col(), 2);
    key = VK_TAB;
    grid.editorKeyDown(key, 0);
    EXPECT_EQ(grid.Col(), 1); // wraps to the next row
    EXPECT_EQ(grid.Row(), 2);
    key = VK_TAB;
    grid.editorKeyDown(key, ssShift);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(GridEngine, WheelMovesTheCurrentRowWithinTheScrollingRows)
{
    grid.setRowCount(3);
    sendMouseWheel(grid, -120);
    EXPECT_EQ(grid.Row(), 2);
    sendMouseWheel(grid, -120);
    EXPECT_EQ(grid.Row(), 2);
    sendMouseWheel(grid, 120);
    sendMouseWheel(grid, 120);
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(GridEngine, ExternalBarsShowWhenRowsDoNotFit)
{
    TbsSkinScrollBar& bar = window.vbar;
    grid.setRowCount(361);
    EXPECT_TRUE(bar.visible());
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 127);
    EXPECT_EQ(bar.SmallChange(), 1);
    EXPECT_EQ(grid.maxTopRow(), 354);
    grid.setTopRow(177);
    EXPECT_EQ(bar.Position(), 63); // MulDiv(177 - 1, 127, 354 - 1)
    grid.setRowCount(20);
    EXPECT_EQ(bar.LargeChange(), 127 / (20 - 7 - 1));
    grid.setRowCount(8);
    EXPECT_FALSE(bar.visible());
    EXPECT_EQ(bar.Max(), 0);
    EXPECT_TRUE(window.hbar.visible()); // five columns of 64 need 325 of the 300 pixels
    grid.setColCount(4);
    EXPECT_FALSE(window.hbar.visible());
    grid.setColCount(20);
    EXPECT_TRUE(window.hbar.visible());
    grid.hide();
    EXPECT_FALSE(window.hbar.visible());
    EXPECT_FALSE(window.vbar.visible());
}

TEST_F(GridEngine, BarInputScrollsTheGrid)
{
    TbsSkinScrollBar& bar = window.vbar;
    grid.setRowCount(361);
    app().processMessages();
    TRect up = bar.partRect(TbsSkinScrollBar::partUp);
    sendClick(bar, (up.left + up.right) / 2, (up.top + up.bottom) / 2);
    EXPECT_EQ(grid.TopRow(), 2);
    EXPECT_EQ(grid.Row(), 1); // scrolling leaves the current cell
    TRect down = bar.partRect(TbsSkinScrollBar::partDown);
    sendClick(bar, (down.left + down.right) / 2, (down.top + down.bottom) / 2);
    EXPECT_EQ(grid.TopRow(), 1);

    TRect thumb = bar.partRect(TbsSkinScrollBar::partThumb);
    int x = (thumb.left + thumb.right) / 2;
    sendClick(bar, x, thumb.bottom + 20); // the track below the thumb pages down
    EXPECT_EQ(grid.TopRow(), 1 + grid.VisibleRowCount());

    thumb = bar.partRect(TbsSkinScrollBar::partThumb);
    int y = (thumb.top + thumb.bottom) / 2;
    sendMouseDown(bar, x, y);
    sendMouseMove(bar, x, bar.height() + 50);
    EXPECT_EQ(grid.TopRow(), 1 + grid.VisibleRowCount()); // no live tracking
    sendMouseUp(bar, x, bar.height() + 50);
    EXPECT_EQ(grid.TopRow(), grid.maxTopRow());
    EXPECT_EQ(bar.Position(), 127);
}

TEST_F(GridEngine, PlainLookPaintsFixedSelectedAndPlainCells)
{
    grid.setColor(clWindow);
    grid.setCells(2, 2, "Text");
    clickCell(grid, 1, 1);
    grid.setFocus();
    pressKey(grid, VK_DOWN, ssShift);
    app().processMessages();
    Bitmap picture(grid.width(), grid.height());
    grid.paintTo(picture.canvas());

    auto inside = [&](int col, int row) {
        TRect r = grid.CellRect(col, row);
        return picture.pixel(r.left + 3, r.bottom - 3);
    };
    EXPECT_EQ(inside(0, 0), colorToRGB(clBtnFace));
    EXPECT_EQ(inside(3, 0), colorToRGB(clBtnFace));
    EXPECT_EQ(inside(1, 1), colorToRGB(clHighlight)); // selected, not the focused cell
    EXPECT_EQ(inside(1, 2), colorToRGB(clWindow));    // the focused cell shows a focus frame instead
    EXPECT_EQ(inside(3, 3), colorToRGB(clWindow));
    TRect fixed = grid.CellRect(0, 1);
    EXPECT_EQ(picture.pixel(fixed.left, fixed.top + 5), colorToRGB(clBtnHighlight)); // raised frame
    TRect plain = grid.CellRect(3, 3);
    EXPECT_EQ(picture.pixel(plain.right, plain.top + 5), colorToRGB(clWindowText)); // grid line
    EXPECT_EQ(picture.pixel(grid.width() - 2, plain.top + 5), colorToRGB(clWindow)); // beyond the last column

    TRect text = grid.CellRect(2, 2);
    int dark = 0;
    for (int x = text.left; x < text.right; ++x)
        for (int y = text.top; y < text.bottom; ++y)
            dark += picture.pixel(x, y) != colorToRGB(clWindow);
    EXPECT_GT(dark, 10);

    grid.setColor(clSilver);
    grid.paintTo(picture.canvas());
    EXPECT_EQ(picture.pixel(plain.right, plain.top + 5), colorToRGB(clGray));
    grid.setOptions(goFixedVertLine | goFixedHorzLine);
    grid.paintTo(picture.canvas());
    EXPECT_EQ(picture.pixel(plain.right, plain.top + 5), colorToRGB(clSilver)); // a line that is off
}

TEST_F(GridEngine, OnDrawCellRunsForVisibleCellsOnly)
{
    grid.setRowCount(100);
    int calls = 0;
    int maxRow = 0;
    grid.onDrawCell = [&](TbsSkinDrawGrid& sender, int, int row, const TRect&, TGridDrawState) {
        ++calls;
        maxRow = std::max(maxRow, row);
        EXPECT_NE(sender.paintCanvas(), nullptr);
    };
    Bitmap picture(grid.width(), grid.height());
    grid.paintTo(picture.canvas());
    EXPECT_EQ(maxRow, 8); // seven whole rows and part of the eighth
    EXPECT_EQ(calls, 9 * 5);
}

// Random counts, moves, keys and scrolling: the position state always stays
// inside the grid and every refusal is the grid's own error.
TEST_F(GridEngine, RandomOperationsKeepThePositionStateInsideTheGrid)
{
    window.grid.onSelectCell = nullptr;
    grid.setOptions(31 | goEditing);
    grid.setFocus();
    unsigned seed = 12345;
    auto next = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<unsigned>(n));
    };
    const int keys[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT, VK_HOME, VK_END, VK_RETURN, VK_F2};
    for (int step = 0; step < 3000; ++step) {
        try {
            switch (next(9)) {
            case 0: grid.setRowCount(next(400) - 2); break;
            case 1: grid.setColCount(next(30) - 2); break;
            case 2: grid.setFixedRows(next(4)); break;
            case 3: grid.setFixedCols(next(4)); break;
            case 4: grid.setRow(grid.FixedRows() + next(grid.RowCount() - grid.FixedRows() + 2)); break;
            case 5: grid.setCol(grid.FixedCols() + next(grid.ColCount() - grid.FixedCols() + 2)); break;
            case 6: pressKey(grid, keys[next(10)], next(3) == 0 ? unsigned(ssShift) : next(4) == 0 ? unsigned(ssCtrl) : 0u); break;
            case 7: grid.setTopRow(next(500)); break;
            default: typeInto(grid, std::string(1, char('0' + next(10)))); break;
            }
        } catch (const bsEInvalidGridOperation&) {
        }
        ASSERT_LT(grid.Col(), grid.ColCount()) << step;
        ASSERT_LT(grid.Row(), grid.RowCount()) << step;
        ASSERT_GE(grid.Col(), grid.FixedCols()) << step;
        ASSERT_GE(grid.Row(), grid.FixedRows()) << step;
        ASSERT_GE(grid.TopRow(), grid.FixedRows()) << step;
        ASSERT_LE(grid.TopRow(), grid.maxTopRow()) << step;
        ASSERT_LE(grid.LeftCol(), grid.maxLeftCol()) << step;
        TGridRect sel = grid.Selection();
        ASSERT_LT(sel.bottom, grid.RowCount()) << step;
        ASSERT_LT(sel.right, grid.ColCount()) << step;
    }
    EXPECT_TRUE(boxes.empty());
}

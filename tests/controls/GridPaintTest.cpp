#include "GridTestSupport.h"

#include "runtime/graphics/Bitmap.h"
#include "skin/store/CompressedStoredSkin.h"

#include "skin/quorvane/QuorvaneSkin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>

using namespace qv;
using namespace qv::test;

namespace {

constexpr TColor untouched = 0xFF00FF;

// A schedule-sized grid, every cell written, recording the cells it paints;
// its bar lies over the grid's right edge, as in the main window.
struct ScheduleWindow : TForm {
    explicit ScheduleWindow(bool skinned)
    {
        setClientSize(400, 260);
        grid.setBounds(10, 10, 330, 177);
        vbar.setBounds(10 + barLeft, 10, 19, 177);
        grid.setVScrollBar(&vbar);
        grid.setColCount(6);
        grid.setRowCount(361);
        grid.setColWidths(0, 30);
        for (int row = 0; row < grid.RowCount(); ++row)
            for (int col = 0; col < grid.ColCount(); ++col)
                grid.setCells(col, row, std::to_string(row * 10 + col));
        grid.onDrawCell = [this](TbsSkinDrawGrid&, int col, int row, const TRect&, TGridDrawState) {
            painted.insert(std::pair{col, row});
        };
        if (!skinned)
            return;
        store.FileName = "SKIN.INI";
        store.setCompressedData(std::string(quorvaneCompressedSkin()));
        model.setCompressedStoredSkin(&store);
        grid.setSkinData(&model);
        grid.skinChanged();
    }
    ~ScheduleWindow() override { grid.setVScrollBar(nullptr); }

    // Where the bar starts, in the grid's coordinates.
    static constexpr int barLeft = 313;
    TbsCompressedStoredSkin store;
    TbsSkinData model;
    TbsSkinStringGrid grid{this};
    TbsSkinScrollBar vbar{this};
    std::set<std::pair<int, int>> painted;
};

Bitmap fullPaint(TbsSkinCustomGrid& grid)
{
    Bitmap picture(grid.width(), grid.height());
    grid.paintTo(picture.canvas());
    return picture;
}

// Differing pixels left of `right`.
int differences(const Bitmap& a, const Bitmap& b, int right = 100000)
{
    if (a.width() != b.width() || a.height() != b.height())
        return -1;
    int wrong = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < std::min(right, a.width()); ++x)
            wrong += a.pixel(x, y) != b.pixel(x, y);
    return wrong;
}

class GridPaint : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        window.showAndRaise();
        app().processMessages();
        grid.setFocus();
        app().processMessages();
        ASSERT_TRUE(grid.focused());
        ASSERT_EQ(grid.skinUsable(), GetParam());
    }

    // Pixels where the screen, beside the bar, differs from a full paint; the
    // full paint's cells are not counted as painted.
    int wrongOnScreen()
    {
        EXPECT_TRUE(window.vbar.visible());
        int wrong = differences(screenImage(grid), fullPaint(grid), ScheduleWindow::barLeft);
        window.painted.clear();
        return wrong;
    }

    // The rows that painted since the last look.
    std::set<int> paintedRows()
    {
        std::set<int> rows;
        for (auto [col, row] : window.painted)
            rows.insert(row);
        window.painted.clear();
        return rows;
    }

    TApplication& application = app();
    ScheduleWindow window{GetParam()};
    TbsSkinStringGrid& grid = window.grid;
};

} // namespace

TEST_P(GridPaint, ABatchOfCellChangesRepaintsOnceAtItsEnd)
{
    ASSERT_EQ(wrongOnScreen(), 0);
    {
        TbsGridUpdate const batch(grid);
        for (int row = 1; row < 6; ++row)
            grid.setCells(2, row, "changed " + std::to_string(row));
        app().processMessages();
        EXPECT_TRUE(paintedRows().empty()) << "nothing repaints while the batch lasts";
    }
    app().processMessages();
    EXPECT_EQ(paintedRows().count(3), 1u);
    EXPECT_EQ(wrongOnScreen(), 0) << "the screen shows every text of the batch";
}

TEST_P(GridPaint, PaintingARegionDrawsOnlyItsCellsAndTheSamePixels)
{
    grid.setCol(2);
    sendKeyStroke(grid, VK_DOWN, ssShift); // a selected cell besides the focused one
    Bitmap full = fullPaint(grid);
    window.painted.clear();

    // Across the fixed row, two columns and parts of three rows.
    TRect region{45, 12, 170, 62};
    Bitmap part(grid.width(), grid.height());
    defaultlook::fillRect(part.canvas(), grid.clientRect(), untouched);
    part.canvas().intersectClipRect(region);
    grid.paintTo(part.canvas());

    int wrong = 0, outside = 0;
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < full.width(); ++x) {
            if (region.contains(TPoint{x, y}))
                wrong += part.pixel(x, y) != full.pixel(x, y);
            else
                outside += part.pixel(x, y) != untouched;
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(outside, 0);

    std::set<std::pair<int, int>> expected;
    for (int row = 0; row < grid.RowCount(); ++row)
        for (int col = 0; col < grid.ColCount(); ++col) {
            TRect r = grid.CellRect(col, row);
            if (!r.isEmpty() && std::max(r.left, region.left) < std::min(r.right, region.right)
                && std::max(r.top, region.top) < std::min(r.bottom, region.bottom))
                expected.insert(std::pair{col, row});
        }
    EXPECT_EQ(expected.size(), 9u);
    EXPECT_EQ(window.painted, expected);
}

TEST_P(GridPaint, ScrollingOneRowPaintsOnlyTheRowThatComesIntoView)
{
    window.painted.clear();
    int const top = grid.TopRow();
    sendKeyStroke(grid, VK_DOWN, ssCtrl);
    app().processMessages();
    ASSERT_EQ(grid.TopRow(), top + 1);
    // The last row, shown in part before, moves up; what it uncovers is the row after it.
    int const last = grid.TopRow() + grid.VisibleRowCount();
    std::set<int> rows = paintedRows();
    EXPECT_FALSE(rows.empty());
    EXPECT_TRUE(std::all_of(rows.begin(), rows.end(), [&](int row) { return row >= last - 1 && row <= last; }))
        << *rows.begin();
    EXPECT_EQ(wrongOnScreen(), 0);

    sendKeyStroke(grid, VK_UP, ssCtrl);
    app().processMessages();
    ASSERT_EQ(grid.TopRow(), top);
    EXPECT_EQ(paintedRows(), std::set<int>{top});
    EXPECT_EQ(wrongOnScreen(), 0);
}

TEST_P(GridPaint, MovingDownPastTheLastRowScrollsAndRepaintsBothCurrentCells)
{
    int const lastFull = grid.TopRow() + grid.VisibleRowCount() - 1;
    grid.setRow(lastFull);
    app().processMessages();
    window.painted.clear();
    sendKeyStroke(grid, VK_DOWN);
    app().processMessages();
    ASSERT_EQ(grid.Row(), lastFull + 1);
    ASSERT_EQ(grid.TopRow(), 2);
    std::set<int> rows = paintedRows();
    EXPECT_LE(rows.size(), 3u);
    EXPECT_TRUE(rows.count(lastFull));
    EXPECT_TRUE(rows.count(lastFull + 1));
    EXPECT_EQ(wrongOnScreen(), 0);

    // Typing into a cell repaints that cell alone.
    grid.setCells(3, 5, "changed");
    app().processMessages();
    EXPECT_EQ(window.painted, (std::set<std::pair<int, int>>{{3, 5}}));
    EXPECT_EQ(wrongOnScreen(), 0);
}

TEST_P(GridPaint, ThumbJumpsAndPagesStillMatchAFullPaint)
{
    sendKeyStroke(grid, VK_NEXT);
    app().processMessages();
    EXPECT_EQ(wrongOnScreen(), 0);
    grid.setTopRow(200);
    app().processMessages();
    EXPECT_EQ(wrongOnScreen(), 0);
    grid.setColWidths(1, 150); // columns scroll too
    grid.setLeftCol(3);
    app().processMessages();
    grid.setLeftCol(2);
    app().processMessages();
    EXPECT_EQ(wrongOnScreen(), 0);
}

INSTANTIATE_TEST_SUITE_P(Looks, GridPaint, ::testing::Values(false, true),
    [](const auto& info) { return info.param ? std::string("Skinned") : std::string("Plain"); });

namespace {

// The lines as they were drawn cell by cell: right of and below each visible
// cell, the vertical one first; a line that is off in the area's background.
Bitmap linesCellByCell(TbsSkinCustomGrid& grid, TColor background, TColor lines)
{
    Bitmap picture(grid.width(), grid.height());
    Canvas& c = picture.canvas();
    defaultlook::fillRect(c, grid.clientRect(), background);
    int const lw = grid.GridLineWidth();
    for (int row = 0; row < grid.RowCount(); ++row)
        for (int col = 0; col < grid.ColCount(); ++col) {
            TRect r = grid.CellRect(col, row);
            if (r.isEmpty())
                continue;
            bool fixed = col < grid.FixedCols() || row < grid.FixedRows();
            bool vert = grid.Options() & (fixed ? goFixedVertLine : goVertLine);
            bool horz = grid.Options() & (fixed ? goFixedHorzLine : goHorzLine);
            TColor off = fixed ? grid.FixedColor() : background;
            defaultlook::fillRect(c, TRect{r.right, r.top, r.right + lw, r.bottom + lw}, vert ? lines : off);
            defaultlook::fillRect(c, TRect{r.left, r.bottom, r.right + lw, r.bottom + lw}, horz ? lines : off);
        }
    return picture;
}

} // namespace

TEST(GridLines, OneCallPerAreaDrawsExactlyTheCellByCellLines)
{
    app();
    ScheduleWindow window(false);
    TbsSkinStringGrid& grid = window.grid;
    grid.setDefaultDrawing(false); // cells leave the background alone: only lines show
    grid.setFixedCols(2);
    grid.setFixedRows(2);
    grid.setColWidths(3, 0);
    grid.setRowHeights(5, 7);
    grid.setGridLineColor(0x204080);
    TGridOptions const optionSets[] = {31, 31 & ~goVertLine, 31 & ~goFixedHorzLine, 31 & ~(goHorzLine | goFixedVertLine), 16};
    int checked = 0;
    for (int lw : {1, 2, 3})
        for (TGridOptions options : optionSets)
            for (TColor color : {TColor(0xF0F0F0), clSilver})
                for (int top : {2, 4}) {
                    grid.setGridLineWidth(lw);
                    grid.setOptions(options);
                    grid.setColor(color);
                    grid.setTopRow(top);
                    TColor lines = color == clSilver ? clGray : grid.GridLineColor();
                    ASSERT_EQ(differences(fullPaint(grid), linesCellByCell(grid, color, lines)), 0)
                        << "width " << lw << " options " << options << " colour " << color << " top " << top;
                    ++checked;
                }
    EXPECT_EQ(checked, 60);
}

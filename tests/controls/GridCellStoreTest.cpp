#include "GridTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <random>
#include <utility>

using namespace qv;
using namespace qv::test;

namespace {

class GridCellStore : public ::testing::Test {
protected:
    TApplication& application = app();
    GridWindow window;
    TbsSkinStringGrid& grid = window.grid;
};

std::string cellName(int col, int row) { return std::to_string(col) + ":" + std::to_string(row); }

// Whatever order texts arrive in (a schedule row by row, a column top to bottom,
// backwards), each cell reads back what was written last, across the rows that a
// page of the store holds and beyond.
TEST_F(GridCellStore, EveryOrderOfWritingReadsBack)
{
    int const rows = 200;
    for (int col = 5; col >= 0; --col) {
        for (int row = rows - 1; row >= 0; row -= 2)
            grid.setCells(col, row, cellName(col, row));
    }
    for (int row = 0; row < rows; row += 2) {
        for (int col = 0; col < 6; ++col)
            grid.setCells(col, row, cellName(col, row));
    }
    EXPECT_EQ(grid.storedCellCount(), static_cast<size_t>(rows * 6));
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < 6; ++col)
            ASSERT_EQ(grid.Cells(col, row), cellName(col, row)) << cellName(col, row);
        EXPECT_EQ(grid.Cells(6, row), "");
    }
    // Rewriting in the middle replaces, it does not add.
    grid.setCells(3, 64, "again");
    grid.setCells(0, 63, "before");
    EXPECT_EQ(grid.Cells(3, 64), "again");
    EXPECT_EQ(grid.Cells(0, 63), "before");
    EXPECT_EQ(grid.Cells(4, 64), cellName(4, 64));
    EXPECT_EQ(grid.storedCellCount(), static_cast<size_t>(rows * 6));
}

// Emptying every text of a run of rows frees them; writing there again starts afresh,
// and the neighbours on both sides are untouched.
TEST_F(GridCellStore, EmptiedRowsCostNothingAndFillAgain)
{
    for (int row = 0; row < 192; ++row)
        grid.setCells(1, row, cellName(1, row));
    for (int row = 64; row < 128; ++row)
        grid.setCells(1, row, "");
    EXPECT_EQ(grid.storedCellCount(), 128u);
    EXPECT_EQ(grid.Cells(1, 63), cellName(1, 63));
    EXPECT_EQ(grid.Cells(1, 64), "");
    EXPECT_EQ(grid.Cells(1, 127), "");
    EXPECT_EQ(grid.Cells(1, 128), cellName(1, 128));
    grid.setCells(1, 100, "back");
    grid.setCells(1, 100, ""); // emptying an empty cell does nothing
    grid.setCells(2, 100, "");
    grid.setCells(1, 100, "back");
    EXPECT_EQ(grid.Cells(1, 100), "back");
    EXPECT_EQ(grid.storedCellCount(), 129u);
}

// The far corners of the index range are cells like any other; a negative index
// is refused and reads as empty.
TEST_F(GridCellStore, ExtremeIndexesAreStoredAndNegativeOnesRefused)
{
    grid.setCells(INT_MAX, INT_MAX, "corner");
    grid.setCells(0, INT_MAX, "left");
    grid.setCells(INT_MAX, 0, "top");
    EXPECT_EQ(grid.Cells(INT_MAX, INT_MAX), "corner");
    EXPECT_EQ(grid.Cells(0, INT_MAX), "left");
    EXPECT_EQ(grid.Cells(INT_MAX, 0), "top");
    EXPECT_EQ(grid.Cells(INT_MAX - 1, INT_MAX), "");
    EXPECT_EQ(grid.storedCellCount(), 3u);

    EXPECT_THROW(grid.setCells(-1, 0, "x"), bsEInvalidGridOperation);
    EXPECT_THROW(grid.setCells(0, -1, "x"), bsEInvalidGridOperation);
    EXPECT_THROW(grid.setCells(0, INT_MIN, "x"), bsEInvalidGridOperation);
    EXPECT_EQ(grid.Cells(-1, 0), "");
    EXPECT_EQ(grid.Cells(0, -1), "");
    EXPECT_EQ(grid.Cells(0, -64), "");
    EXPECT_EQ(grid.storedCellCount(), 3u);
}

// A long random run of writes and erasures against a plain map of the same cells.
TEST_F(GridCellStore, RandomWritesAgreeWithAPlainMap)
{
    std::mt19937 random(31);
    std::uniform_int_distribution<int> rowOf(0, 300);
    std::uniform_int_distribution<int> colOf(0, 7);
    std::uniform_int_distribution<int> textOf(0, 3);
    std::map<std::pair<int, int>, std::string> expected;
    for (int step = 0; step < 20000; ++step) {
        int const col = colOf(random);
        int const row = rowOf(random);
        // One write in four empties its cell.
        std::string const text = textOf(random) == 0 ? std::string() : std::to_string(step);
        grid.setCells(col, row, text);
        if (text.empty())
            expected.erase({col, row});
        else
            expected[{col, row}] = text;
    }
    ASSERT_EQ(grid.storedCellCount(), expected.size());
    for (int row = 0; row <= 300; ++row) {
        for (int col = 0; col <= 7; ++col) {
            auto const it = expected.find({col, row});
            ASSERT_EQ(grid.Cells(col, row), it == expected.end() ? "" : it->second) << cellName(col, row);
        }
    }
}

} // namespace

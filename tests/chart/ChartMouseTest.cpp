#include "ChartTestSupport.h"

#include "chart/Chart.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test;

namespace {

class MouseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        loan = calculatedLoan("200000", "5", "30");
        page.redraw(loan.table, loan.totals.scheduleMonths);
        chart().Paint(window.canvas());
    }
    TChart& chart() { return page.chartAmo(); }
    void drag(TMouseButton button, int x0, int y0, int x1, int y1)
    {
        chart().MouseDown(button, 0, x0, y0);
        chart().MouseMove(0, (x0 + x1) / 2, (y0 + y1) / 2);
        chart().MouseMove(0, x1, y1);
        chart().MouseUp(button, 0, x1, y1);
        chart().Paint(window.canvas());
    }

    LoanEngine loan;
    ChartPage page;
    Bitmap window{585, 281};
};

} // namespace

TEST_F(MouseTest, RightAndDownDragZoomsToTheValuesUnderThePixels)
{
    TChartAxis& bottom = chart().BottomAxis();
    TChartAxis& left = chart().LeftAxis();
    double x0 = bottom.PixelToValue(100);
    double x1 = bottom.PixelToValue(200);
    double yLow = left.PixelToValue(150);
    double yHigh = left.PixelToValue(50);
    drag(mbLeft, 100, 50, 200, 150);
    EXPECT_TRUE(chart().Zoomed());
    EXPECT_FALSE(bottom.Automatic());
    EXPECT_DOUBLE_EQ(bottom.Minimum(), x0);
    EXPECT_DOUBLE_EQ(bottom.Maximum(), x1);
    EXPECT_DOUBLE_EQ(left.Minimum(), yLow);
    EXPECT_DOUBLE_EQ(left.Maximum(), yHigh);
    EXPECT_DOUBLE_EQ(bottom.rangeMin(), x0);

    // Clear and Draw keep the zoom.
    page.redraw(loan.table, loan.totals.scheduleMonths);
    chart().Paint(window.canvas());
    EXPECT_DOUBLE_EQ(bottom.rangeMin(), x0);

    // The reverse drag restores the automatic ranges and the whole data.
    drag(mbLeft, 200, 150, 100, 50);
    EXPECT_FALSE(chart().Zoomed());
    EXPECT_TRUE(bottom.Automatic());
    EXPECT_EQ(bottom.rangeMin(), 1);
    EXPECT_EQ(bottom.rangeMax(), 359);
}

TEST_F(MouseTest, ShortDragsDoNothingAndRightButUpUndoes)
{
    drag(mbLeft, 100, 50, 116, 150);
    drag(mbLeft, 100, 50, 200, 66);
    EXPECT_TRUE(chart().BottomAxis().Automatic());
    EXPECT_FALSE(chart().Zoomed());

    drag(mbLeft, 100, 50, 200, 150);
    ASSERT_TRUE(chart().Zoomed());
    drag(mbLeft, 100, 150, 200, 50); // right but up
    EXPECT_FALSE(chart().Zoomed());
    EXPECT_TRUE(chart().LeftAxis().Automatic());
}

TEST_F(MouseTest, RubberBandLeavesTheWindowAsItWas)
{
    Bitmap screen(585, 281);
    chart().SetWindowCanvas(&screen.canvas());
    chart().Paint(screen.canvas());
    Bitmap before = screen;
    int invalidations = 0;
    chart().OnInvalidate = [&] { ++invalidations; };

    chart().MouseDown(mbLeft, 0, 100, 50);
    chart().MouseMove(0, 140, 90);
    EXPECT_FALSE(samePixels(before, screen));
    chart().MouseMove(0, 110, 60);
    chart().MouseUp(mbLeft, 0, 110, 60); // too short to zoom
    EXPECT_TRUE(samePixels(before, screen));
    EXPECT_EQ(invalidations, 0);
    chart().SetWindowCanvas(nullptr);
}

TEST_F(MouseTest, RubberBandWithoutAWindowCanvasIsDrawnByRepaints)
{
    int drawsBefore = chart().drawCount();
    Bitmap clean = window;
    int invalidations = 0;
    chart().OnInvalidate = [&] { ++invalidations; };
    chart().MouseDown(mbLeft, 0, 100, 50);
    chart().MouseMove(0, 150, 100);
    EXPECT_EQ(invalidations, 1);
    chart().Paint(window.canvas());
    EXPECT_EQ(chart().drawCount(), drawsBefore); // a copy plus the band, no drawing
    EXPECT_NE(window.pixel(100, 75), clean.pixel(100, 75));
    EXPECT_EQ(window.pixel(120, 75), clean.pixel(120, 75));
    chart().MouseUp(mbLeft, 0, 110, 55);
    chart().Paint(window.canvas());
    EXPECT_TRUE(samePixels(clean, window));
}

TEST_F(MouseTest, PanningMovesTheRangeByTheValuesUnderThePixels)
{
    TChartAxis& bottom = chart().BottomAxis();
    TChartAxis& left = chart().LeftAxis();
    double minX = bottom.Minimum();
    double maxY = left.Maximum();
    double dx = bottom.PixelToValue(200) - bottom.PixelToValue(230);
    double dy = left.PixelToValue(100) - left.PixelToValue(120);
    chart().MouseDown(mbRight, 0, 200, 100);
    chart().MouseMove(0, 230, 120);
    chart().MouseUp(mbRight, 0, 230, 120);
    EXPECT_DOUBLE_EQ(bottom.Minimum(), minX + dx);
    EXPECT_LT(bottom.Minimum(), minX); // dragging right shows smaller X
    EXPECT_DOUBLE_EQ(left.Maximum(), maxY + dy);
    EXPECT_GT(left.Maximum(), maxY); // dragging down shows larger Y

    // Leaving the plot stops panning.
    double shifted = bottom.Minimum();
    chart().MouseDown(mbRight, 0, 200, 100);
    chart().MouseMove(0, 2, 100);
    chart().MouseMove(0, 150, 100);
    EXPECT_DOUBLE_EQ(bottom.Minimum(), shifted);
    chart().MouseUp(mbRight, 0, 150, 100);

    // An undo brings back what the first pan saved.
    chart().RevertZoom();
    chart().Paint(window.canvas());
    EXPECT_EQ(bottom.rangeMin(), 1);
    EXPECT_TRUE(left.Automatic());
}

TEST_F(MouseTest, WheelShiftsTheVerticalRangeByThreePercent)
{
    TChartAxis& left = chart().LeftAxis();
    double low = left.Minimum();
    double high = left.Maximum();
    chart().MouseWheel(-1);
    EXPECT_DOUBLE_EQ(left.Minimum(), low + (high - low) * 0.03);
    chart().MouseWheel(+1);
    EXPECT_NEAR(left.Minimum(), low, 1e-9);
    EXPECT_FALSE(left.Automatic());
}

TEST_F(MouseTest, PressesOnLegendOrTitleStartNothing)
{
    const TRect& box = chart().Legend().legendRect();
    chart().MouseDown(mbLeft, 0, box.left + 5, box.top + 5);
    EXPECT_FALSE(chart().ZoomState().Active);
    chart().MouseUp(mbLeft, 0, box.left + 5, box.top + 5);
    chart().MouseDown(mbRight, 0, 290, 14); // the title line
    EXPECT_FALSE(chart().PanningState().Active);
    chart().MouseUp(mbRight, 0, 290, 14);
    chart().MouseDown(mbLeft, 0, 3, 3); // the frame, outside everything
    EXPECT_FALSE(chart().ZoomState().Active);
}

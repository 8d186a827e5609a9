#include "chart/Chart.h"
#include "chart/ChartException.h"
#include "chart/CustomSeries.h"
#include "runtime/graphics/Bitmap.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(AxisStep, NiceStepsClimbOneTwoFive)
{
    EXPECT_EQ(TChartAxis::NextNiceStep(1), 2);
    EXPECT_EQ(TChartAxis::NextNiceStep(2), 5);
    EXPECT_EQ(TChartAxis::NextNiceStep(5), 10);
    EXPECT_EQ(TChartAxis::NextNiceStep(10), 20);
    EXPECT_EQ(TChartAxis::NextNiceStep(50), 100);
    EXPECT_DOUBLE_EQ(TChartAxis::NextNiceStep(0.05), 0.1);
    EXPECT_DOUBLE_EQ(TChartAxis::NextNiceStep(0.1), 0.2);
}

TEST(AxisStep, ExamplesOfTheStepSearch)
{
    // 400 pixels, range 1 to 360, labels 20 wide: room for 18, so 1, 2, 5, 10, 20.
    EXPECT_EQ(TChartAxis::LabelStepFor(20, 400, 359, 0, 10), 20);
    // 200-pixel vertical axis, 0 to 1,000, 14-pixel labels: room for 13.
    EXPECT_EQ(TChartAxis::LabelStepFor(14, 200, 1000, 0, 10), 100);
    // 0.2 to 0.9 with room for 8 labels starts from 1e-12 and climbs to 0.1.
    EXPECT_DOUBLE_EQ(TChartAxis::LabelStepFor(10, 88, 0.7, 0, 10), 0.1);
    // Without separation the step stays 1 whatever the size.
    EXPECT_EQ(TChartAxis::LabelStepFor(20, 40, 100000, 0, 0), 1);
    // A wished increment is the starting point.
    EXPECT_EQ(TChartAxis::LabelStepFor(20, 400, 359, 25, 10), 25);
    EXPECT_EQ(TChartAxis::LabelStepFor(20, 110, 359, 25, 10), 100);
    // No room at all, and a zero range, give the tiny step.
    EXPECT_EQ(TChartAxis::LabelStepFor(20, 5, 359, 0, 10), 1e-12);
    EXPECT_EQ(TChartAxis::LabelStepFor(20, 400, 0, 0, 10), 1e-12);
}

namespace {

struct PaintedChart {
    TChart chart;
    TLineSeries series{"S"};
    Bitmap window{300, 200};
    PaintedChart()
    {
        chart.SetSize(300, 200);
        chart.SetView3D(false);
        series.SetParentChart(&chart);
    }
    void paint() { chart.Paint(window.canvas()); }
};

} // namespace

TEST(AxisMapping, ValuesAtTheTopOfTheDoubleRangeStillMapAcrossThePlot)
{
    PaintedChart p;
    p.series.AddPoint(0, 9e307);
    p.series.AddPoint(10, 1e308);
    p.paint();
    TChartAxis& left = p.chart.LeftAxis();
    const TRect& plot = p.chart.PlotRect();
    EXPECT_EQ(left.ValueToPixel(9e307), plot.bottom);
    EXPECT_EQ(left.ValueToPixel(1e308), plot.top);
    EXPECT_NEAR(left.PixelToValue(plot.top), 1e308, 1e292);
}

TEST(AxisMapping, ValuesAndPixelsMapBothWays)
{
    PaintedChart p;
    p.series.AddPoint(0, 100);
    p.series.AddPoint(10, 200);
    p.paint();
    TChartAxis& bottom = p.chart.BottomAxis();
    TChartAxis& left = p.chart.LeftAxis();
    EXPECT_EQ(bottom.rangeMin(), 0);
    EXPECT_EQ(bottom.rangeMax(), 10);
    EXPECT_EQ(left.rangeMin(), 100);
    EXPECT_EQ(left.rangeMax(), 200);
    const TRect& plot = p.chart.PlotRect();
    EXPECT_EQ(bottom.startPixel(), plot.left);
    EXPECT_EQ(bottom.endPixel(), plot.right);
    EXPECT_EQ(bottom.ValueToPixel(0), plot.left);
    EXPECT_EQ(bottom.ValueToPixel(10), plot.right);
    EXPECT_EQ(left.ValueToPixel(100), plot.bottom);
    EXPECT_EQ(left.ValueToPixel(200), plot.top);
    EXPECT_DOUBLE_EQ(bottom.PixelToValue(plot.left), 0);
    EXPECT_DOUBLE_EQ(left.PixelToValue(plot.top), 200);
    EXPECT_NEAR(left.PixelToValue(left.ValueToPixel(150)), 150, 100.0 / plot.height());
    // Only the bottom and left axes have series.
    EXPECT_TRUE(bottom.IsVisibleOnChart());
    EXPECT_FALSE(p.chart.TopAxis().IsVisibleOnChart());
    EXPECT_FALSE(p.chart.RightAxis().IsVisibleOnChart());
}

TEST(AxisMapping, ZeroRangeMapsToTheCentreWithOneLabel)
{
    PaintedChart p;
    p.series.AddPoint(5, 7);
    p.paint();
    TChartAxis& bottom = p.chart.BottomAxis();
    EXPECT_EQ(bottom.rangeSpan(), 0);
    EXPECT_EQ(bottom.ValueToPixel(123), bottom.centerPixel());
    ASSERT_EQ(bottom.ticks().size(), 1u);
    EXPECT_EQ(bottom.ticks()[0], bottom.centerPixel());
    ASSERT_EQ(p.chart.LeftAxis().ticks().size(), 1u);
}

TEST(AxisMapping, LargeZeroRangeStillShowsOneLabel)
{
    PaintedChart p;
    p.series.AddPoint(1e6, 250000.5);
    p.paint();
    EXPECT_EQ(p.chart.BottomAxis().ticks().size(), 1u);
    EXPECT_EQ(p.chart.LeftAxis().ticks().size(), 1u);
}

TEST(AxisRange, ManualRangesAndRefusedSettings)
{
    TChart chart;
    TChartAxis& axis = chart.LeftAxis();
    axis.SetManualRange(5, 5);
    EXPECT_FALSE(axis.Automatic());
    EXPECT_EQ(axis.Minimum(), 5);
    EXPECT_DOUBLE_EQ(axis.Maximum(), 5.0000000001);
    axis.SetManualRange(9, 2);
    EXPECT_EQ(axis.Minimum(), 2);
    EXPECT_EQ(axis.Maximum(), 9);
    axis.ShiftRange(1);
    EXPECT_EQ(axis.Minimum(), 3);
    EXPECT_EQ(axis.Maximum(), 10);

    try {
        axis.SetIncrement(-1);
        FAIL();
    } catch (const ChartException& e) {
        EXPECT_EQ(e.message(), "Axis increment must be >= 0");
    }
    EXPECT_THROW(axis.SetMinimum(11), ChartException);
    EXPECT_THROW(axis.SetMaximum(2), ChartException);
    EXPECT_THROW(axis.SetLabelsSeparation(-1), ChartException);
    EXPECT_EQ(axis.Minimum(), 3);
    EXPECT_EQ(axis.Maximum(), 10);
    EXPECT_THROW(chart.SetChart3DPercent(0), ChartException);
    EXPECT_EQ(chart.Chart3DPercent(), 15);
}

TEST(AxisRange, ManualRangeSurvivesPaintsAndClipsTheLine)
{
    PaintedChart p;
    p.series.SetSeriesColor(clRed);
    for (int i = 1; i <= 300; ++i)
        p.series.AddPoint(i, i);
    p.chart.BottomAxis().SetManualRange(100, 200);
    p.paint();
    EXPECT_EQ(p.chart.BottomAxis().rangeMin(), 100);
    EXPECT_EQ(p.chart.BottomAxis().rangeMax(), 200);
    // The line starts at the plot's left edge at the height it has there and runs to the right edge.
    EXPECT_EQ(p.series.FirstValueIndex(), 99);
    EXPECT_EQ(p.series.LastValueIndex(), 199);
    const TRect& plot = p.chart.PlotRect();
    int redLeft = plot.right;
    int redRight = 0;
    for (int y = plot.top; y < plot.bottom; ++y)
        for (int x = 0; x < plot.right + 3; ++x)
            if (p.window.pixel(x, y) == clRed) {
                redLeft = std::min(redLeft, x);
                redRight = std::max(redRight, x);
            }
    EXPECT_EQ(redLeft, plot.left + 1);
    EXPECT_EQ(redRight, plot.right - 1);

    // A range after the last point draws nothing.
    p.chart.BottomAxis().SetManualRange(400, 500);
    p.paint();
    EXPECT_EQ(p.series.FirstValueIndex(), -1);
}

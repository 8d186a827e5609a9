#include "ChartTestSupport.h"

#include "chart/Chart.h"
#include "chart/CustomSeries.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test;

TEST(ChartLayout, MarginsGiveThePlotRectangleOfTheMainWindow)
{
    TChart chart;
    chart.SetSize(585, 281);
    Bitmap window(585, 281);
    chart.Paint(window.canvas());
    // Nothing to lay out (no series, no title text): the margins alone.
    EXPECT_EQ(chart.PlotRect(), rectOf(18, 11, 567, 270));
    EXPECT_EQ(chart.BoundsRect(), rectOf(0, 0, 585, 281));
}

TEST(ChartLayout, BackgroundAndRaisedBevel)
{
    TChart chart;
    chart.SetSize(100, 60);
    Bitmap window(100, 60);
    chart.Paint(window.canvas());
    EXPECT_EQ(window.pixel(50, 30), colorToRGB(clBtnFace));
    EXPECT_EQ(window.pixel(0, 0), clWhite);
    EXPECT_EQ(window.pixel(50, 0), clWhite);
    EXPECT_EQ(window.pixel(0, 30), clWhite);
    EXPECT_EQ(window.pixel(99, 30), clGray);
    EXPECT_EQ(window.pixel(50, 59), clGray);
    EXPECT_EQ(window.pixel(0, 59), clGray);
    EXPECT_EQ(window.pixel(1, 1), colorToRGB(clBtnFace));
}

TEST(ChartLayout, EmptySeriesStillDrawLegendAndBothAxesWithZero)
{
    ChartPage page;
    TChart& chart = page.chartAmo();
    Bitmap window(585, 281);
    chart.Paint(window.canvas());

    const TChartLegend& legend = chart.Legend();
    EXPECT_EQ(legend.effectiveStyle(), lsSeries);
    EXPECT_EQ(legend.rowCount(), 2);
    const TRect& box = legend.legendRect();
    EXPECT_GT(countColor(window, clRed, box), 0);
    EXPECT_GT(countColor(window, clGreen, box), 0);
    // The shadow sits below and right of the framed white box.
    EXPECT_EQ(window.pixel(box.right + 2, box.bottom + 2), clBlack);
    EXPECT_EQ(window.pixel(box.left, box.top), clWhite);
    EXPECT_EQ(window.pixel(box.left - 1, box.top - 1), clBlack);

    for (TChartAxis* axis : {&chart.BottomAxis(), &chart.LeftAxis()}) {
        EXPECT_TRUE(axis->IsVisibleOnChart());
        EXPECT_EQ(axis->rangeMin(), 0);
        EXPECT_EQ(axis->rangeMax(), 0);
        ASSERT_EQ(axis->ticks().size(), 1u);
        EXPECT_EQ(axis->ticks()[0], axis->centerPixel());
    }
    const TRect& plot = chart.PlotRect();
    TRect inside{plot.left + 1, plot.top + 1, plot.right, plot.bottom};
    EXPECT_EQ(countColor(window, clRed, inside), 0);
    EXPECT_EQ(countColor(window, clGreen, inside), 0);
    // The back wall outline around the plot.
    EXPECT_EQ(window.pixel(plot.left + 5, plot.top), clBlack);
    EXPECT_EQ(window.pixel(plot.right, plot.top + 5), clBlack);
}

TEST(ChartLayout, LegendTakesItsWidthAndAGapFromThePlot)
{
    ChartPage page;
    TChart& chart = page.chartAmo();
    Bitmap window(585, 281);
    chart.Paint(window.canvas());
    const TChartLegend& legend = chart.Legend();
    const TRect& box = legend.legendRect();
    // Box right edge: plot right (567) minus frame and one pixel, minus the shadow.
    EXPECT_EQ(box.right, 567 - 2 - 3);
    EXPECT_EQ(box.top, 28); // 10 % of 281
    EXPECT_EQ(box.bottom, 28 + 2 * legend.itemHeight() + 2);
    EXPECT_EQ(box.width(), (box.right - legend.legendTextX() - 2) + legend.symbolWidth() + 10);
    // The plot ends 3 % of its former width (549 -> 16) left of the legend.
    EXPECT_EQ(chart.PlotRect().right, box.left - 16);
    // The title sits over what the legend leaves, the plot 5 pixels below it.
    Bitmap probe(1, 1);
    probe.canvas().font = defaultChartFont();
    EXPECT_EQ(chart.LeftAxis().startPixel(), 11 + probe.canvas().textHeight("W") + 5);
}

TEST(ChartLayout, HiddenLegendCentresTheTitleOverTheFullWidth)
{
    ChartPage page;
    TChart& chart = page.chartAmo();
    chart.Legend().SetVisible(false);
    chart.Title().SetTitleFont([] {
        Font f = defaultChartFont();
        f.color = clBlue;
        return f;
    }());
    Bitmap window(585, 281);
    chart.Paint(window.canvas());
    int left = 585;
    int right = 0;
    auto bluish = [](TColor c) { return int((c >> 16) & 0xFF) > int(c & 0xFF) + 60; };
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 585; ++x)
            if (bluish(window.pixel(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    Bitmap probe(1, 1);
    probe.canvas().font = defaultChartFont();
    int width = probe.canvas().textWidth("Interest & Principal");
    int start = (18 + 567) / 2 - width / 2;
    EXPECT_GE(left, start);
    EXPECT_LE(left, start + 3);
    EXPECT_LT(right, start + width);
    EXPECT_GE(right, start + width - 4);
}

TEST(ChartLayout, TinyWindowStillPaintsWithoutLegend)
{
    ChartPage page;
    TChart& chart = page.chartAmo();
    chart.SetSize(585, 12);
    Bitmap window(585, 12);
    chart.Paint(window.canvas());
    EXPECT_GE(chart.PlotRect().height(), 1);
    EXPECT_EQ(chart.Legend().rowCount(), 0);
}

TEST(ChartBuffer, AdditionsCauseOneRedrawAndCleanRepaintsOnlyCopy)
{
    ChartPage page;
    TChart& chart = page.chartAmo();
    int invalidations = 0;
    chart.OnInvalidate = [&] { ++invalidations; };
    Bitmap window(585, 281);
    chart.Paint(window.canvas());
    EXPECT_EQ(chart.drawCount(), 1);

    for (int i = 1; i <= 360; ++i)
        page.Series1().AddPoint(i, 1000.0 - i);
    EXPECT_GT(invalidations, 0);
    EXPECT_EQ(chart.drawCount(), 1); // adding draws nothing
    chart.Paint(window.canvas());
    EXPECT_EQ(chart.drawCount(), 2);

    Bitmap copy(585, 281);
    chart.Paint(copy.canvas());
    EXPECT_EQ(chart.drawCount(), 2);
    EXPECT_TRUE(samePixels(window, copy));
    EXPECT_EQ(chart.ChartCanvas().bufferCreations(), 1);
}

TEST(ChartBuffer, ResizeRecreatesTheBufferAtTheNextPaint)
{
    TChart chart;
    chart.SetSize(200, 100);
    Bitmap window(300, 150);
    chart.Paint(window.canvas());
    EXPECT_EQ(chart.ChartCanvas().buffer()->width(), 200);
    chart.SetSize(300, 150);
    chart.Paint(window.canvas());
    EXPECT_EQ(chart.ChartCanvas().bufferCreations(), 2);
    EXPECT_EQ(chart.ChartCanvas().buffer()->width(), 300);
    EXPECT_EQ(chart.drawCount(), 2);
}

TEST(ChartBuffer, ClearingBothSeriesKeepsTitleLegendAxesAndWall)
{
    LoanEngine loan = calculatedLoan("10000", "7", "1");
    ChartPage page;
    page.redraw(loan.table, loan.totals.scheduleMonths);
    Bitmap window(585, 281);
    page.chartAmo().Paint(window.canvas());
    page.btnClearChartClick();
    page.chartAmo().Paint(window.canvas());
    const TRect& plot = page.chartAmo().PlotRect();
    TRect inside{plot.left + 1, plot.top + 1, plot.right, plot.bottom};
    EXPECT_EQ(countColor(window, clRed, inside), 0);
    EXPECT_EQ(countColor(window, clBlue, rectOf(0, 0, 585, 30)) > 0, true);
    EXPECT_GT(countColor(window, clRed, page.chartAmo().Legend().legendRect()), 0);
    EXPECT_EQ(page.chartAmo().BottomAxis().ticks().size(), 1u);
}

TEST(LineDrawing, SinglePointNullPointsAndCoveredLines)
{
    TChart chart;
    chart.SetSize(300, 200);
    chart.Legend().SetVisible(false);
    TLineSeries red("R");
    red.SetSeriesColor(clRed);
    red.SetParentChart(&chart);
    Bitmap window(300, 200);

    red.AddPoint(1, 1);
    chart.Paint(window.canvas());
    EXPECT_EQ(countColor(window, clRed, rectOf(0, 0, 300, 200)), 0);

    // A null point breaks the line on both sides.
    red.ClearPoints();
    red.AddPoint(0, 0);
    red.AddPoint(1, 1, "", clNone);
    red.AddPoint(2, 0);
    chart.Paint(window.canvas());
    EXPECT_EQ(countColor(window, clRed, rectOf(0, 0, 300, 200)), 0);
    red.AddPoint(3, 1);
    chart.Paint(window.canvas());
    int x2 = chart.BottomAxis().ValueToPixel(2);
    const TRect& plot = chart.PlotRect();
    EXPECT_EQ(countColor(window, clRed, rectOf(plot.left, plot.top, x2, plot.bottom)), 0);
    EXPECT_GT(countColor(window, clRed, rectOf(x2, plot.top, plot.right, plot.bottom)), 0);

    // The later series covers the earlier one where they meet.
    TLineSeries green("G");
    green.SetSeriesColor(clGreen);
    green.SetParentChart(&chart);
    red.ClearPoints();
    for (int i = 0; i <= 3; ++i) {
        red.AddPoint(i, 0.5);
        green.AddPoint(i, 0.5);
    }
    chart.Paint(window.canvas());
    EXPECT_EQ(countColor(window, clRed, chart.PlotRect()), 0);
    EXPECT_GT(countColor(window, clGreen, chart.PlotRect()), 0);
}

TEST(Legend, TextsComeFromTitlesOrNamesAndOneActiveSeriesListsItsPoints)
{
    ChartPage page;
    TChart& chart = page.chartAmo();
    std::vector<std::string> texts;
    chart.OnGetLegendText = [&](TCustomAxisPanel&, int, int, std::string& text) { texts.push_back(text); };
    page.Series2().SetTitle("");
    Bitmap window(585, 281);
    chart.Paint(window.canvas());
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2], "Interest Payment");
    EXPECT_EQ(texts.back(), "Series2");

    page.Series1().AddPoint(1, 1250);
    page.Series1().AddPoint(2, 87.5);
    page.Series2().SetActive(false);
    texts.clear();
    chart.Paint(window.canvas());
    EXPECT_EQ(chart.Legend().effectiveStyle(), lsValues);
    EXPECT_EQ(chart.Legend().rowCount(), 2);
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts.back(), "87.5");
}

TEST(Legend, TooLowForOneRowDrawsNothingAndKeepsThePlotWidth)
{
    ChartPage page;
    TChart& chart = page.chartAmo();
    chart.SetSize(585, 15); // (14 - 2 - 2) div 13 = 0 rows
    Bitmap window(585, 15);
    chart.Paint(window.canvas());
    EXPECT_EQ(chart.Legend().rowCount(), 0);
    EXPECT_EQ(chart.BottomAxis().endPixel(), 567);
}

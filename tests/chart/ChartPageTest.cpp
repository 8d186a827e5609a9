#include "ChartTestSupport.h"

#include "runtime/core/Exception.h"
#include "runtime/core/RegionalSettings.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test;

TEST(ChartPage, DesignSettings)
{
    ChartPage page;
    TChart& chart = page.chartAmo();
    EXPECT_EQ(chart.Width(), 585);
    EXPECT_EQ(chart.Height(), 281);
    EXPECT_FALSE(chart.View3D());
    ASSERT_EQ(chart.Title().Text().size(), 1u);
    EXPECT_EQ(chart.Title().Text()[0], "Interest & Principal");
    ASSERT_EQ(chart.NumSeries(), 2);
    EXPECT_EQ(&chart.SeriesAt(0), &page.Series1());
    EXPECT_EQ(page.Series1().SeriesColor(), clRed);
    EXPECT_EQ(page.Series2().SeriesColor(), clGreen);
    EXPECT_EQ(page.Series1().Title(), "Interest Payment");
    EXPECT_EQ(page.Series2().Title(), "Principal Payment");
    EXPECT_FALSE(page.Series1().Pointer().Visible);
    EXPECT_EQ(chart.BackWall().Brush.Style, BrushStyle::Clear);
}

TEST(ChartPage, ThirtyYearLoanPlotsMonthsOneTo359)
{
    ScopedRegionalSettings posix(RegionalSettings::posix());
    LoanEngine loan = calculatedLoan("200000", "5", "30");
    ASSERT_EQ(loan.totals.scheduleMonths, 360);
    ChartPage page;
    page.redraw(loan.table, loan.totals.scheduleMonths);
    ASSERT_EQ(page.Series1().PointCount(), 359);
    ASSERT_EQ(page.Series2().PointCount(), 359);
    EXPECT_EQ(page.Series1().XValueAt(0), 1);
    EXPECT_EQ(page.Series1().XValueAt(358), 359);
    EXPECT_EQ(page.Series1().YValueAt(0), 834);
    EXPECT_EQ(page.Series2().YValueAt(0), 240.13);

    Bitmap window(585, 281);
    page.chartAmo().Paint(window.canvas());
    TChartAxis& bottom = page.chartAmo().BottomAxis();
    EXPECT_EQ(bottom.rangeMin(), 1);
    EXPECT_EQ(bottom.rangeMax(), 359);
    // Labels run from the highest multiple of the step at or below the maximum
    // down to the lowest at or above the minimum; 1 itself gets none.
    double step = bottom.LabelStep();
    EXPECT_EQ(step, 20);
    std::vector<int> expected;
    for (double v = 340; v >= 1; v -= step)
        expected.push_back(bottom.ValueToPixel(v));
    EXPECT_EQ(bottom.ticks(), expected);

    const TRect& plot = page.chartAmo().PlotRect();
    TRect inside{plot.left + 1, plot.top + 1, plot.right, plot.bottom - 1};
    EXPECT_GT(countColor(window, clRed, inside), 300);
    EXPECT_GT(countColor(window, clGreen, inside), 300);
}

TEST(ChartPage, DrawWithoutClearAddsEveryPointAgain)
{
    LoanEngine loan = calculatedLoan("200000", "5", "30");
    ChartPage page;
    page.btnDrawChartClick(loan.table, loan.totals.scheduleMonths);
    page.btnDrawChartClick(loan.table, loan.totals.scheduleMonths);
    EXPECT_EQ(page.Series1().PointCount(), 718);
    EXPECT_EQ(page.Series2().PointCount(), 718);
    // Each duplicate sits right after its equal.
    EXPECT_EQ(page.Series1().XValueAt(0), 1);
    EXPECT_EQ(page.Series1().XValueAt(1), 1);
    EXPECT_EQ(page.Series1().XValueAt(717), 359);
    page.btnClearChartClick();
    EXPECT_EQ(page.Series1().PointCount(), 0);
    EXPECT_EQ(page.Series2().PointCount(), 0);
}

TEST(ChartPage, NoPointsForZeroOrOneMonthAndConversionErrorsKeepEarlierPoints)
{
    LoanEngine loan = calculatedLoan("10000", "7", "1");
    ChartPage page;
    page.btnDrawChartClick(loan.table, 1);
    page.btnDrawChartClick(loan.table, 0);
    EXPECT_EQ(page.Series1().PointCount(), 0);

    loan.table.setCell(3, colPrincipal, "");
    try {
        page.btnDrawChartClick(loan.table, loan.totals.scheduleMonths);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), "'' is not a valid floating point value");
    }
    EXPECT_EQ(page.Series1().PointCount(), 3);
    EXPECT_EQ(page.Series2().PointCount(), 2);
}

namespace {

// Every point of both series, in order.
std::vector<std::pair<double, double>> pointsOf(TChart& chart)
{
    std::vector<std::pair<double, double>> points;
    for (int s = 0; s < chart.NumSeries(); ++s) {
        TChartSeries& series = chart.SeriesAt(s);
        for (int i = 0; i < series.PointCount(); ++i)
            points.emplace_back(series.XValueAt(i), series.YValueAt(i));
        points.emplace_back(-1, -1); // between the series
    }
    return points;
}

Bitmap pictureOf(TChart& chart)
{
    Bitmap picture(ChartPage::chartWidth, ChartPage::chartHeight);
    chart.Paint(picture.canvas());
    return picture;
}

} // namespace

// A page not shown leaves its chart alone on redraw; shown again, the chart holds and
// paints exactly what a page that was shown all along does.
TEST(ChartPage, HiddenChartTakesTheNewLoanWhenShown)
{
    ScopedRegionalSettings posix(RegionalSettings::posix());
    LoanEngine thirty = calculatedLoan("200000", "5", "30");
    LoanEngine ten = calculatedLoan("50000", "3.5", "10");
    ChartPage page;
    // Held as the window's control holds it: past the page's accessors.
    TChart& chart = page.chartAmo();
    page.redraw(thirty.table, thirty.totals.scheduleMonths);
    EXPECT_EQ(chart.SeriesAt(0).PointCount(), 359);

    page.setShown(false);
    page.redraw(ten.table, ten.totals.scheduleMonths);
    EXPECT_EQ(chart.SeriesAt(0).PointCount(), 359);
    page.setShown(true);

    ChartPage shownAllAlong;
    shownAllAlong.redraw(thirty.table, thirty.totals.scheduleMonths);
    shownAllAlong.redraw(ten.table, ten.totals.scheduleMonths);
    EXPECT_EQ(chart.SeriesAt(0).PointCount(), 119);
    EXPECT_EQ(pointsOf(chart), pointsOf(shownAllAlong.chartAmo()));
    EXPECT_TRUE(samePixels(pictureOf(chart), pictureOf(shownAllAlong.chartAmo())));
}

// Reading the chart or its series while hidden, and Draw or Clear, see every point as
// if each had gone straight in.
TEST(ChartPage, HiddenChartReadsAndCommandsSeeEveryPoint)
{
    LoanEngine loan = calculatedLoan("10000", "7", "1");
    ChartPage page;
    page.setShown(false);
    page.redraw(loan.table, loan.totals.scheduleMonths);
    EXPECT_EQ(page.Series1().PointCount(), 11);
    page.btnDrawChartClick(loan.table, loan.totals.scheduleMonths);
    EXPECT_EQ(page.Series2().PointCount(), 22);
    page.redraw(loan.table, loan.totals.scheduleMonths);
    page.btnClearChartClick();
    EXPECT_EQ(page.chartAmo().SeriesAt(0).PointCount(), 0);
    page.btnDrawChartClick(loan.table, loan.totals.scheduleMonths);
    page.redraw(loan.table, 4);
    EXPECT_EQ(page.Series1().PointCount(), 3);
}

// A cell that does not convert stops a hidden redraw at once, as a shown one; the
// points read before it reach the chart at once when shown, else when it is shown.
TEST(ChartPage, RedrawRaisesAtOnceAndKeepsThePointsBeforeTheBadCell)
{
    LoanEngine loan = calculatedLoan("10000", "7", "1");
    loan.table.setCell(5, colPrincipal, "x");
    for (bool shown : {true, false}) {
        ChartPage page;
        TChart& chart = page.chartAmo();
        page.setShown(shown);
        EXPECT_THROW(page.redraw(loan.table, loan.totals.scheduleMonths), EConvertError);
        EXPECT_EQ(chart.SeriesAt(0).PointCount(), shown ? 5 : 0);
        page.setShown(true);
        EXPECT_EQ(chart.SeriesAt(0).PointCount(), 5);
        EXPECT_EQ(chart.SeriesAt(1).PointCount(), 4);
    }
}

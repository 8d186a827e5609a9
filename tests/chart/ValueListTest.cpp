#include "chart/Chart.h"
#include "chart/CustomSeries.h"
#include "chart/Palette.h"
#include "runtime/core/Exception.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(ValueList, AscendingInsertionKeepsYAndColourWithTheirX)
{
    TLineSeries s;
    s.AddPoint(1, 10, "", clDefault);
    s.AddPoint(3, 30, "", clDefault);
    EXPECT_EQ(s.AddPoint(2, 20, "two", clBlue), 1);
    EXPECT_EQ(s.XValueAt(0), 1);
    EXPECT_EQ(s.XValueAt(1), 2);
    EXPECT_EQ(s.XValueAt(2), 3);
    EXPECT_EQ(s.YValueAt(1), 20);
    EXPECT_EQ(s.PointColor(1), clBlue);
    EXPECT_EQ(s.PointLabel(1), "two");
    EXPECT_EQ(s.PointLabel(0), "");
    EXPECT_EQ(s.PointLabel(99), "");
}

TEST(ValueList, EqualValuesGoAfterTheirEqualsAndDescendingListsReverse)
{
    TChartValueList up(nullptr, "X", loAscending);
    for (double v : {1.0, 2.0, 3.0})
        up.InsertOrdered(v);
    EXPECT_EQ(up.InsertOrdered(2), 2);
    EXPECT_EQ(up.InsertOrdered(0), 0);

    TChartValueList down(nullptr, "X", loDescending);
    for (double v : {3.0, 1.0, 2.0})
        down.InsertOrdered(v);
    EXPECT_EQ(down.ValueAt(0), 3);
    EXPECT_EQ(down.ValueAt(1), 2);
    EXPECT_EQ(down.ValueAt(2), 1);

    TChartValueList none(nullptr, "Y", loNone);
    none.InsertOrdered(5);
    EXPECT_EQ(none.InsertOrdered(1), 1);
}

TEST(ValueList, StatisticsFollowMultiplierAndChanges)
{
    TChartValueList list(nullptr, "Y", loNone);
    EXPECT_EQ(list.Lowest(), 0);
    EXPECT_EQ(list.Highest(), 0);
    EXPECT_EQ(list.Sum(), 0);
    list.InsertOrdered(1);
    list.InsertOrdered(-3);
    list.SetMultiplier(2);
    EXPECT_EQ(list.Lowest(), -6);
    EXPECT_EQ(list.Highest(), 2);
    EXPECT_EQ(list.Sum(), -4);
    EXPECT_EQ(list.SumOfMagnitudes(), 8);
    list.ReplaceAt(1, 10);
    EXPECT_EQ(list.Highest(), 20);
    list.RemoveAll();
    EXPECT_EQ(list.ValueCount(), 0);
    EXPECT_EQ(list.Sum(), 0);
}

TEST(ValueList, IndexErrorsCarryTheIndex)
{
    TChartValueList list(nullptr, "X", loAscending);
    try {
        list.ValueAt(3);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.message(), "List index out of bounds (3)");
    }
    TChart chart;
    EXPECT_THROW(chart.SeriesAt(0), EListError);
}

TEST(Series, PointColoursAndClearing)
{
    TLineSeries s;
    s.SetSeriesColor(clRed);
    s.AddPoint(1, 1, "", clDefault);
    s.AddPoint(2, 2, "", clBlue);
    s.SetSeriesColor(clGreen);
    EXPECT_EQ(s.PointColor(0), clGreen);
    EXPECT_EQ(s.PointColor(1), clBlue);
    s.SetColorEachPoint(true);
    EXPECT_EQ(s.PointColor(1), clBlue);
    s.SetColorEachPoint(false); // forgets the points' own colours
    EXPECT_EQ(s.PointColor(1), clGreen);

    s.ClearPoints();
    EXPECT_EQ(s.PointCount(), 0);
    EXPECT_EQ(s.AddPoint(7, 7, "", clDefault), 0);
}

TEST(Series, EventsCanRefuseAndObservePoints)
{
    TLineSeries s;
    int added = -1;
    bool cleared = false;
    s.OnBeforeAdd = [](TChartSeries& series) { return series.PointCount() < 1; };
    s.OnAfterAdd = [&](TChartSeries&, int index) { added = index; };
    s.OnClearValues = [&](TChartSeries&) { cleared = true; };
    EXPECT_EQ(s.AddPoint(1, 1), 0);
    EXPECT_EQ(added, 0);
    EXPECT_EQ(s.AddPoint(2, 2), -1);
    EXPECT_EQ(s.PointCount(), 1);
    EXPECT_EQ(s.AppendValue(5), -1);
    s.ClearPoints();
    EXPECT_TRUE(cleared);
}

TEST(Series, JoiningAChartPicksAFreePaletteColour)
{
    TChart chart;
    TLineSeries red("A");
    red.SetSeriesColor(clRed);
    red.SetParentChart(&chart);
    TLineSeries next("B");
    next.SetParentChart(&chart);
    EXPECT_EQ(next.SeriesColor(), clGreen);
    EXPECT_EQ(chart.NumSeries(), 2);
    EXPECT_EQ(&chart.SeriesAt(1), &next);
    EXPECT_EQ(PaletteColor(16), clRed);
    EXPECT_EQ(PaletteColor(-1), clBlack);

    // Leaving and being destroyed take the series out of the list.
    next.SetParentChart(nullptr);
    EXPECT_EQ(chart.NumSeries(), 1);
    {
        TLineSeries temporary("C");
        temporary.SetParentChart(&chart);
        EXPECT_EQ(chart.NumSeries(), 2);
    }
    EXPECT_EQ(chart.NumSeries(), 1);
}

TEST(Series, SeriesOutliveTheirChartSafely)
{
    TLineSeries s("S");
    {
        TChart chart;
        s.SetParentChart(&chart);
        s.AddPoint(1, 1);
    }
    EXPECT_EQ(s.ParentChart(), nullptr);
    s.AddPoint(2, 2); // no chart to ask for a redraw
    EXPECT_EQ(s.PointCount(), 2);
}


#include "views/chart/ChartPage.h"

#include "runtime/core/Numbers.h"

namespace qv {

namespace {

void setUpSeries(TLineSeries& series, TColor color, const std::string& title)
{
    series.SetSeriesColor(color);
    series.SetTitle(title);
    series.Marks().Visible = false;
    series.Marks().ArrowLength = 8;
    series.Pointer().Visible = false;
    series.Pointer().Style = psRectangle;
    series.Pointer().InflateMargins = true;
    for (TChartValueList* list : {&series.XValues(), &series.YValues()}) {
        list->SetMultiplier(1.0);
        list->SetDateTime(false);
    }
    series.XValues().SetName("X");
    series.XValues().SetOrder(loAscending);
    series.YValues().SetName("Y");
    series.YValues().SetOrder(loNone);
}

} // namespace

void setUpChartAmo(TChart& chart, TLineSeries& interest, TLineSeries& principal)
{
    chart.SetSize(ChartPage::chartWidth, ChartPage::chartHeight);
    chart.Title().SetText({"Interest & Principal"});
    chart.SetView3D(false);
    TChartWall wall = chart.BackWall();
    wall.Brush.Color = clWhite;
    wall.Brush.Style = BrushStyle::Clear;
    chart.SetBackWall(wall);
    setUpSeries(interest, clRed, "Interest Payment");
    setUpSeries(principal, clGreen, "Principal Payment");
    interest.SetParentChart(&chart);
    principal.SetParentChart(&chart);
}

ChartPage::ChartPage()
{
    setUpChartAmo(m_chart, m_series1, m_series2);
}

void ChartPage::btnDrawChartClick(const ScheduleTable& table, int scheduleMonths)
{
    for (int i = 1; i < scheduleMonths; ++i) {
        m_chart.SeriesAt(0).AddPoint(i, static_cast<double>(parseNumber(table.cell(i, colInterest))), "", clDefault);
        m_chart.SeriesAt(1).AddPoint(i, static_cast<double>(parseNumber(table.cell(i, colPrincipal))), "", clDefault);
    }
}

void ChartPage::btnClearChartClick()
{
    m_chart.SeriesAt(0).ClearPoints();
    m_chart.SeriesAt(1).ClearPoints();
}

void ChartPage::redraw(const ScheduleTable& table, int scheduleMonths)
{
    btnClearChartClick();
    btnDrawChartClick(table, scheduleMonths);
}

} // namespace qv

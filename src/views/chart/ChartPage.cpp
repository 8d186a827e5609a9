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
    try {
        readPoints(table, scheduleMonths);
    } catch (...) {
        // The points read before the cell that failed belong to the chart all the same.
        if (m_shown)
            settle();
        throw;
    }
    if (m_shown)
        settle();
}

void ChartPage::readPoints(const ScheduleTable& table, int scheduleMonths)
{
    for (int i = 1; i < scheduleMonths; ++i) {
        m_pending[0].push_back({static_cast<double>(i), static_cast<double>(parseNumber(table.cell(i, colInterest)))});
        m_pending[1].push_back({static_cast<double>(i), static_cast<double>(parseNumber(table.cell(i, colPrincipal)))});
    }
}

void ChartPage::btnClearChartClick()
{
    m_clearPending = false;
    for (auto& points : m_pending)
        points.clear();
    m_chart.SeriesAt(0).ClearPoints();
    m_chart.SeriesAt(1).ClearPoints();
}

void ChartPage::redraw(const ScheduleTable& table, int scheduleMonths)
{
    // Hidden, the series keep their old points, unseen, until the new ones replace them.
    for (auto& points : m_pending)
        points.clear();
    m_clearPending = true;
    btnDrawChartClick(table, scheduleMonths);
}

void ChartPage::setShown(bool shown)
{
    m_shown = shown;
    if (m_shown)
        settle();
}

void ChartPage::settle()
{
    if (m_clearPending) {
        m_clearPending = false;
        m_chart.SeriesAt(0).ClearPoints();
        m_chart.SeriesAt(1).ClearPoints();
    }
    for (int series = 0; series < 2; ++series) {
        auto& points = m_pending[static_cast<std::size_t>(series)];
        for (const PendingPoint& point : points)
            m_chart.SeriesAt(series).AddPoint(point.x, point.y, "", clDefault);
        points.clear();
    }
}

} // namespace qv

#pragma once

#include "chart/Chart.h"
#include "chart/CustomSeries.h"
#include "loan/ScheduleTable.h"

namespace qv {

// The chart of the "Chart" page, chartAmo, with its two series and the commands
// around it. The main window hosts chartAmo() in a control at (chartLeft,
// chartTop) of the page and wires its buttons to btnDrawChartClick and
// btnClearChartClick; Calculate and Open call redraw.
class ChartPage {
public:
    static constexpr int chartLeft = 14;
    static constexpr int chartTop = 3;
    static constexpr int chartWidth = 585;
    static constexpr int chartHeight = 281;

    ChartPage();

    TChart& chartAmo() { return m_chart; }
    TLineSeries& Series1() { return m_series1; }
    TLineSeries& Series2() { return m_series2; }

    // Draw: adds months 1 to scheduleMonths - 1 (the last month in use is left
    // out) without clearing first. A cell that does not convert raises the
    // conversion error; the points added before it stay.
    void btnDrawChartClick(const ScheduleTable& table, int scheduleMonths);
    // Clear: empties both series.
    void btnClearChartClick();
    // Clear, then Draw.
    void redraw(const ScheduleTable& table, int scheduleMonths);

private:
    TChart m_chart;
    TLineSeries m_series1{"Series1"};
    TLineSeries m_series2{"Series2"};
};

// Applies chartAmo's design settings to a chart and its two series.
void setUpChartAmo(TChart& chart, TLineSeries& interest, TLineSeries& principal);

} // namespace qv

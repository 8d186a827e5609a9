#pragma once

#include "chart/Chart.h"
#include "chart/CustomSeries.h"
#include "loan/ScheduleTable.h"

#include <array>
#include <vector>

namespace qv {

// The chart of the "Chart" page, chartAmo, with its two series and the commands
// around it. The main window hosts chartAmo() in a control at (chartLeft,
// chartTop) of the page, wires its buttons to btnDrawChartClick and
// btnClearChartClick, and tells setShown whether the page is the one shown;
// Calculate and Open call redraw.
class ChartPage {
public:
    static constexpr int chartLeft = 14;
    static constexpr int chartTop = 3;
    static constexpr int chartWidth = 585;
    static constexpr int chartHeight = 281;

    ChartPage();

    // The chart and its series with every point read so far.
    TChart& chartAmo() { return settled(m_chart); }
    TLineSeries& Series1() { return settled(m_series1); }
    TLineSeries& Series2() { return settled(m_series2); }

    // Draw: adds months 1 to scheduleMonths - 1 (the last month in use is left
    // out) without clearing first. A cell that does not convert raises the
    // conversion error; the points added before it stay.
    void btnDrawChartClick(const ScheduleTable& table, int scheduleMonths);
    // Clear: empties both series.
    void btnClearChartClick();
    // Clear, then Draw.
    void redraw(const ScheduleTable& table, int scheduleMonths);

    // Whether the chart's page is the one shown (so by default). While it is not,
    // Draw and redraw read the table at once, errors and all, but the series take
    // the points only when the page is shown or the chart is read: a window that
    // opens on another page builds no chart it does not show.
    void setShown(bool shown);

private:
    template <class Part> Part& settled(Part& part)
    {
        settle();
        return part;
    }
    void readPoints(const ScheduleTable& table, int scheduleMonths);
    // Gives the series what Draw and redraw left for them.
    void settle();

    TChart m_chart;
    TLineSeries m_series1{"Series1"};
    TLineSeries m_series2{"Series2"};
    bool m_shown = true;
    // Points read but not yet added, per series in list order, and whether the
    // series are to be emptied before they take them.
    struct PendingPoint {
        double x;
        double y;
    };
    std::array<std::vector<PendingPoint>, 2> m_pending;
    bool m_clearPending = false;
};

// Applies chartAmo's design settings to a chart and its two series.
void setUpChartAmo(TChart& chart, TLineSeries& interest, TLineSeries& principal);

} // namespace qv

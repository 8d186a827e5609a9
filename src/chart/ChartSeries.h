#pragma once

#include "chart/ChartValueList.h"
#include "runtime/graphics/Canvas.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class TCustomAxisPanel;
class TChartAxis;

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

// Value marks beside the points; kept as settings, never drawn by this chart.
struct TSeriesMarks {
    bool Visible = false;
    int ArrowLength = 8;
};

// Base of all series: the points (X, Y, colour, label), the series colour and
// title, and the chart it belongs to. Adding or clearing points only asks the
// chart for a redraw; drawing happens at the chart's next paint.
//
// Series are owned by their creator (the window), not by the chart: a series
// that is destroyed leaves its chart, and a chart that is destroyed lets its
// series go.
class TChartSeries {
public:
    explicit TChartSeries(std::string name = {});
    virtual ~TChartSeries();
    TChartSeries(const TChartSeries&) = delete;
    TChartSeries& operator=(const TChartSeries&) = delete;

    TChartValueList& XValues() { return m_xValues; }
    TChartValueList& YValues() { return m_yValues; }
    const TChartValueList& XValues() const { return m_xValues; }
    const TChartValueList& YValues() const { return m_yValues; }

    // Returns the index of the new point, or -1 when OnBeforeAdd refused it.
    virtual int AddPoint(double x, double y, const std::string& label = {}, TColor color = clDefault);
    virtual int AppendValue(double y, const std::string& label = {}, TColor color = clDefault);
    virtual void ClearPoints();
    int PointCount() const { return m_xValues.ValueCount(); }
    virtual TColor PointColor(int index) const;
    virtual std::string PointLabel(int index) const;
    virtual double XValueAt(int index) const { return m_xValues.ValueAt(index); }
    virtual double YValueAt(int index) const { return m_yValues.ValueAt(index); }
    bool IsNullPoint(int index) const { return PointColor(index) == clNone; }
    void SetPointColor(int index, TColor color);

    virtual double LowestX() const { return m_xValues.Lowest(); }
    virtual double HighestX() const { return m_xValues.Highest(); }
    virtual double LowestY() const { return m_yValues.Lowest(); }
    virtual double HighestY() const { return m_yValues.Highest(); }

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    TColor SeriesColor() const { return m_seriesColor; }
    void SetSeriesColor(TColor color);
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title);
    bool Active() const { return m_active; }
    void SetActive(bool active);
    bool ShowInLegend() const { return m_showInLegend; }
    void SetShowInLegend(bool show);
    bool ColorEachPoint() const { return m_colorEachPoint; }
    void SetColorEachPoint(bool each);
    TSeriesMarks& Marks() { return m_marks; }
    const std::string& ValueFormat() const { return m_valueFormat; }
    void SetValueFormat(const std::string& format) { m_valueFormat = format; }
    const std::string& PercentFormat() const { return m_percentFormat; }
    void SetPercentFormat(const std::string& format) { m_percentFormat = format; }
    THorizAxis HorizAxis() const { return m_horizAxis; }
    void SetHorizAxis(THorizAxis axis);
    TVertAxis VertAxis() const { return m_vertAxis; }
    void SetVertAxis(TVertAxis axis);
    int Cursor() const { return m_cursor; }
    void SetCursor(int cursor) { m_cursor = cursor; }

    TCustomAxisPanel* ParentChart() const { return m_parentChart; }
    // Joins chart (leaving the previous one first); nullptr leaves.
    void SetParentChart(TCustomAxisPanel* chart);
    // The axes that scale this series' X and Y, resolved when the chart changes.
    TChartAxis* GetHorizAxis() const { return m_resolvedHoriz; }
    TChartAxis* GetVertAxis() const { return m_resolvedVert; }
    virtual bool BelongsToAxis(const TChartAxis& axis) const;

    // Drawing, called by the chart's paint.
    virtual void DrawPoint(int index) = 0;
    virtual int XPixel(int index) const;
    virtual int YPixel(int index) const;
    virtual int LegendItemCount() const { return PointCount(); }
    virtual void PaintLegendEntry(int index, const TRect& rect);
    virtual void PaintLegendSymbol(int index, const TRect& rect) = 0;
    virtual void SetUpLegendCanvas(int index, TColor backColor, BrushStyle brushStyle);
    // Pixels the axes must leave free at their ends.
    virtual void HorizontalMargins(int& left, int& right) const;
    virtual void VerticalMargins(int& top, int& bottom) const;
    // Visible point range of the coming drawing; false when nothing is to be drawn.
    bool CalcVisiblePoints();
    int FirstValueIndex() const { return m_firstVisible; }
    int LastValueIndex() const { return m_lastVisible; }

    std::function<bool(TChartSeries&)> OnBeforeAdd;
    std::function<void(TChartSeries&, int)> OnAfterAdd;
    std::function<void(TChartSeries&)> OnClearValues;
    std::function<void(TChartSeries&)> BeforeDrawValues;
    std::function<void(TChartSeries&)> AfterDrawValues;

protected:
    virtual void PointAdded(int index);
    void Repaint();
    void resolveAxes();
    // Set by the chart while it is being destroyed: clearing then asks for nothing.
    friend class TCustomAxisPanel;

    int m_firstVisible = -1;
    int m_lastVisible = -1;

private:
    std::string m_name;
    TChartValueList m_xValues;
    TChartValueList m_yValues;
    std::vector<TColor> m_colors;
    std::vector<std::optional<std::string>> m_labels;
    TColor m_seriesColor = clDefault;
    std::string m_title;
    bool m_active = true;
    bool m_showInLegend = true;
    bool m_colorEachPoint = false;
    TSeriesMarks m_marks;
    std::string m_valueFormat = "#,##0.###";
    std::string m_percentFormat = "##0.## %";
    THorizAxis m_horizAxis = aBottomAxis;
    TVertAxis m_vertAxis = aLeftAxis;
    int m_cursor = 0;
    TCustomAxisPanel* m_parentChart = nullptr;
    TChartAxis* m_resolvedHoriz = nullptr;
    TChartAxis* m_resolvedVert = nullptr;
};

} // namespace qv

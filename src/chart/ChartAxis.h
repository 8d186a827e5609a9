#pragma once

#include "chart/ChartPen.h"
#include "runtime/core/Property.h"
#include "runtime/graphics/Canvas.h"

#include <string>
#include <vector>

namespace qv {

class TCustomAxisPanel;
class TChartSeries;

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };
enum class AxisSide { Bottom, Top, Left, Right, Depth };

struct TChartAxisTitle {
    std::string Caption;
    int Angle = 0;
    Font TitleFont = defaultChartFont();
};

// One of the chart's five axes. Every paint recomputes its range from the
// series (unless zoom or panning made it manual), takes bands of the plot for
// labels and ticks, maps values to pixels and draws labels, line, ticks and grid.
class TChartAxis {
public:
    static constexpr int maxTicks = 2000;

    TChartAxis(TCustomAxisPanel& chart, AxisSide side);
    TChartAxis(const TChartAxis&) = delete;
    TChartAxis& operator=(const TChartAxis&) = delete;

    AxisSide side() const { return m_side; }
    bool Horizontal() const { return m_side == AxisSide::Bottom || m_side == AxisSide::Top; }
    bool OtherSide() const { return m_side == AxisSide::Top || m_side == AxisSide::Right; }
    // Drawn and given space: visible, axes on, and an active series belongs to it.
    bool IsVisibleOnChart() const;

    void AutoRange();
    TRect TakeBands(TRect rect);
    void ComputePixels();
    void WidenForMargins(int lowSide, int highSide);
    int ValueToPixel(double value) const;
    double PixelToValue(int pixel) const;
    double LabelStep();
    // The step search itself: label size and axis length in pixels.
    static double LabelStepFor(int labelSize, int lengthPixels, double rangeSpan, double increment,
                               int labelsSeparation);
    static double NextNiceStep(double x);
    std::string FormatLabel(double value) const;
    void PaintAxis();
    void SetManualRange(double a, double b);
    void ShiftRange(double delta);
    bool AxisHit(int x, int y) const;

    // Published properties.
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) { if (assignChanged(m_visible, visible)) changed(); }
    bool Automatic() const { return m_automatic; }
    void SetAutomatic(bool automatic) { if (assignChanged(m_automatic, automatic)) changed(); }
    bool AutomaticMinimum() const { return m_automaticMinimum; }
    void SetAutomaticMinimum(bool automatic) { if (assignChanged(m_automaticMinimum, automatic)) changed(); }
    bool AutomaticMaximum() const { return m_automaticMaximum; }
    void SetAutomaticMaximum(bool automatic) { if (assignChanged(m_automaticMaximum, automatic)) changed(); }
    double Minimum() const { return m_minimum; }
    double Maximum() const { return m_maximum; }
    // Raise "Axis Minimum Value must be <= Maximum" / "Axis Maximum Value must be >= Minimum".
    void SetMinimum(double value);
    void SetMaximum(double value);
    double Increment() const { return m_increment; }
    void SetIncrement(double increment); // raises "Axis increment must be >= 0"
    bool Labels() const { return m_labels; }
    void SetLabels(bool labels) { if (assignChanged(m_labels, labels)) changed(); }
    const Font& LabelsFont() const { return m_labelsFont; }
    void SetLabelsFont(const Font& font) { if (assignChanged(m_labelsFont, font)) changed(); }
    int LabelsSeparation() const { return m_labelsSeparation; }
    void SetLabelsSeparation(int percent); // raises "Labels Separation % must be greater than 0"
    int LabelsSize() const { return m_labelsSize; }
    void SetLabelsSize(int size) { if (assignChanged(m_labelsSize, size)) changed(); }
    bool LabelsOnAxis() const { return m_labelsOnAxis; }
    void SetLabelsOnAxis(bool on) { if (assignChanged(m_labelsOnAxis, on)) changed(); }
    bool LabelsMultiLine() const { return m_labelsMultiLine; }
    void SetLabelsMultiLine(bool multi) { if (assignChanged(m_labelsMultiLine, multi)) changed(); }
    TAxisLabelStyle LabelStyle() const { return m_labelStyle; }
    void SetLabelStyle(TAxisLabelStyle style) { if (assignChanged(m_labelStyle, style)) changed(); }
    const std::string& AxisValuesFormat() const { return m_axisValuesFormat; }
    void SetAxisValuesFormat(const std::string& format) { if (assignChanged(m_axisValuesFormat, format)) changed(); }
    bool RoundFirstLabel() const { return m_roundFirstLabel; }
    void SetRoundFirstLabel(bool round) { if (assignChanged(m_roundFirstLabel, round)) changed(); }
    bool TickOnLabelsOnly() const { return m_tickOnLabelsOnly; }
    void SetTickOnLabelsOnly(bool only) { if (assignChanged(m_tickOnLabelsOnly, only)) changed(); }
    const TChartPen& Axis() const { return m_axisPen; }
    void SetAxis(const TChartPen& pen) { if (assignChanged(m_axisPen, pen)) changed(); }
    const TChartPen& Ticks() const { return m_ticks; }
    void SetTicks(const TChartPen& pen) { if (assignChanged(m_ticks, pen)) changed(); }
    int TickLength() const { return m_tickLength; }
    void SetTickLength(int length) { if (assignChanged(m_tickLength, length)) changed(); }
    const TChartPen& TicksInner() const { return m_ticksInner; }
    void SetTicksInner(const TChartPen& pen) { if (assignChanged(m_ticksInner, pen)) changed(); }
    int TickInnerLength() const { return m_tickInnerLength; }
    void SetTickInnerLength(int length) { if (assignChanged(m_tickInnerLength, length)) changed(); }
    const TChartPen& MinorTicks() const { return m_minorTicks; }
    void SetMinorTicks(const TChartPen& pen) { if (assignChanged(m_minorTicks, pen)) changed(); }
    int MinorTickLength() const { return m_minorTickLength; }
    void SetMinorTickLength(int length) { if (assignChanged(m_minorTickLength, length)) changed(); }
    int MinorTickCount() const { return m_minorTickCount; }
    void SetMinorTickCount(int count) { if (assignChanged(m_minorTickCount, count)) changed(); }
    const TChartPen& Grid() const { return m_grid; }
    void SetGrid(const TChartPen& pen) { if (assignChanged(m_grid, pen)) changed(); }
    bool GridCentered() const { return m_gridCentered; }
    void SetGridCentered(bool centered) { if (assignChanged(m_gridCentered, centered)) changed(); }
    const TChartPen& MinorGrid() const { return m_minorGrid; }
    void SetMinorGrid(const TChartPen& pen) { if (assignChanged(m_minorGrid, pen)) changed(); }
    const TChartAxisTitle& Title() const { return m_title; }
    void SetTitleCaption(const std::string& caption) { if (assignChanged(m_title.Caption, caption)) changed(); }
    int TitleSize() const { return m_titleSize; }
    void SetTitleSize(int size) { if (assignChanged(m_titleSize, size)) changed(); }
    double StartPosition() const { return m_startPosition; }
    double EndPosition() const { return m_endPosition; }
    double PositionPercent() const { return m_positionPercent; }

    // Working values of the last layout.
    double rangeMin() const { return m_rangeMin; }
    double rangeMax() const { return m_rangeMax; }
    double rangeSpan() const { return m_rangeSpan; }
    int startPixel() const { return m_startPixel; }
    int endPixel() const { return m_endPixel; }
    int lengthPixels() const { return m_lengthPixels; }
    int centerPixel() const { return m_centerPixel; }
    int axisPos() const { return m_axisPos; }
    int labelsPos() const { return m_labelsPos; }
    int titlePos() const { return m_titlePos; }
    const std::vector<int>& ticks() const { return m_tickList; }

private:
    void changed();
    void setRange(double low, double high);
    bool hasActiveSeries() const;
    bool seriesCounts(const TChartSeries& series, bool anyActive) const;
    int labelWidthEstimate();
    int labelTextSize(const std::string& text);
    TAxisLabelStyle resolvedLabelStyle() const;
    int plotEdge() const;
    void drawValueLabels(double step);
    void drawLabel(double value, const std::string& text);
    void writeLabelText(int pixel, const std::string& text);
    void drawTick(int at, int outward, const TChartPen& pen, int length);
    void drawGrid();
    void drawMinorTicks();

    TCustomAxisPanel& m_chart;
    AxisSide m_side;

    bool m_visible = true;
    bool m_automatic = true;
    bool m_automaticMinimum = true;
    bool m_automaticMaximum = true;
    double m_minimum = 0;
    double m_maximum = 0;
    double m_increment = 0;
    bool m_labels = true;
    Font m_labelsFont = defaultChartFont();
    int m_labelsSeparation = 10;
    int m_labelsSize = 0;
    bool m_labelsOnAxis = true;
    bool m_labelsMultiLine = false;
    TAxisLabelStyle m_labelStyle = talAuto;
    std::string m_axisValuesFormat = "#,##0.###";
    bool m_roundFirstLabel = true;
    bool m_tickOnLabelsOnly = true;
    TChartPen m_axisPen = TChartAxisPen();
    TChartPen m_ticks = TDarkGrayPen();
    int m_tickLength = 4;
    TChartPen m_ticksInner = TDarkGrayPen();
    int m_tickInnerLength = 0;
    TChartPen m_minorTicks = TDarkGrayPen();
    int m_minorTickLength = 2;
    int m_minorTickCount = 3;
    TChartPen m_grid = TDottedGrayPen();
    bool m_gridCentered = false;
    TChartPen m_minorGrid = TChartHiddenPen();
    TChartAxisTitle m_title;
    int m_titleSize = 0;
    double m_startPosition = 0;
    double m_endPosition = 100;
    double m_positionPercent = 0;

    double m_rangeMin = 0;
    double m_rangeMax = 0;
    double m_rangeSpan = 0;
    int m_startPixel = 0;
    int m_endPixel = 0;
    int m_lengthPixels = 0;
    int m_centerPixel = 0;
    int m_axisPos = 0;
    int m_labelsPos = 0;
    int m_titlePos = 0;
    std::vector<int> m_tickList;
};

} // namespace qv

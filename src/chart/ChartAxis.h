#pragma once

#include "chart/ChartPen.h"
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
    void SetVisible(bool visible) { assign(m_visible, visible); }
    bool Automatic() const { return m_automatic; }
    void SetAutomatic(bool automatic) { assign(m_automatic, automatic); }
    bool AutomaticMinimum() const { return m_automaticMinimum; }
    void SetAutomaticMinimum(bool automatic) { assign(m_automaticMinimum, automatic); }
    bool AutomaticMaximum() const { return m_automaticMaximum; }
    void SetAutomaticMaximum(bool automatic) { assign(m_automaticMaximum, automatic); }
    double Minimum() const { return m_minimum; }
    double Maximum() const { return m_maximum; }
    // Raise "Axis Minimum Value must be <= Maximum" / "Axis Maximum Value must be >= Minimum".
    void SetMinimum(double value);
    void SetMaximum(double value);
    double Increment() const { return m_increment; }
    void SetIncrement(double increment); // raises "Axis increment must be >= 0"
    bool Labels() const { return m_labels; }
    void SetLabels(bool labels) { assign(m_labels, labels); }
    const Font& LabelsFont() const { return m_labelsFont; }
    void SetLabelsFont(const Font& font) { assign(m_labelsFont, font); }
    int LabelsSeparation() const { return m_labelsSeparation; }
    void SetLabelsSeparation(int percent); // raises "Labels Separation % must be greater than 0"
    int LabelsSize() const { return m_labelsSize; }
    void SetLabelsSize(int size) { assign(m_labelsSize, size); }
    bool LabelsOnAxis() const { return m_labelsOnAxis; }
    void SetLabelsOnAxis(bool on) { assign(m_labelsOnAxis, on); }
    bool LabelsMultiLine() const { return m_labelsMultiLine; }
    void SetLabelsMultiLine(bool multi) { assign(m_labelsMultiLine, multi); }
    TAxisLabelStyle LabelStyle() const { return m_labelStyle; }
    void SetLabelStyle(TAxisLabelStyle style) { assign(m_labelStyle, style); }
    const std::string& AxisValuesFormat() const { return m_axisValuesFormat; }
    void SetAxisValuesFormat(const std::string& format) { assign(m_axisValuesFormat, format); }
    bool RoundFirstLabel() const { return m_roundFirstLabel; }
    void SetRoundFirstLabel(bool round) { assign(m_roundFirstLabel, round); }
    bool TickOnLabelsOnly() const { return m_tickOnLabelsOnly; }
    void SetTickOnLabelsOnly(bool only) { assign(m_tickOnLabelsOnly, only); }
    const TChartPen& Axis() const { return m_axisPen; }
    void SetAxis(const TChartPen& pen) { assign(m_axisPen, pen); }
    const TChartPen& Ticks() const { return m_ticks; }
    void SetTicks(const TChartPen& pen) { assign(m_ticks, pen); }
    int TickLength() const { return m_tickLength; }
    void SetTickLength(int length) { assign(m_tickLength, length); }
    const TChartPen& TicksInner() const { return m_ticksInner; }
    void SetTicksInner(const TChartPen& pen) { assign(m_ticksInner, pen); }
    int TickInnerLength() const { return m_tickInnerLength; }
    void SetTickInnerLength(int length) { assign(m_tickInnerLength, length); }
    const TChartPen& MinorTicks() const { return m_minorTicks; }
    void SetMinorTicks(const TChartPen& pen) { assign(m_minorTicks, pen); }
    int MinorTickLength() const { return m_minorTickLength; }
    void SetMinorTickLength(int length) { assign(m_minorTickLength, length); }
    int MinorTickCount() const { return m_minorTickCount; }
    void SetMinorTickCount(int count) { assign(m_minorTickCount, count); }
    const TChartPen& Grid() const { return m_grid; }
    void SetGrid(const TChartPen& pen) { assign(m_grid, pen); }
    bool GridCentered() const { return m_gridCentered; }
    void SetGridCentered(bool centered) { assign(m_gridCentered, centered); }
    const TChartPen& MinorGrid() const { return m_minorGrid; }
    void SetMinorGrid(const TChartPen& pen) { assign(m_minorGrid, pen); }
    const TChartAxisTitle& Title() const { return m_title; }
    void SetTitleCaption(const std::string& caption) { assign(m_title.Caption, caption); }
    int TitleSize() const { return m_titleSize; }
    void SetTitleSize(int size) { assign(m_titleSize, size); }
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
    template <class T>
    void assign(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        changed();
    }
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

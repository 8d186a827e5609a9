#pragma once

#include "chart/ChartPen.h"
#include "runtime/core/Property.h"

#include <string>

namespace qv {

class TCustomAxisPanel;
class TChartSeries;

enum TLegendAlignment { laLeft, laRight, laTop, laBottom };
enum TLegendStyle { lsAuto, lsSeries, lsValues, lsLastValues };
enum TLegendTextStyle { ltsPlain, ltsLeftValue, ltsRightValue, ltsLeftPercent, ltsRightPercent, ltsXValue };

// The framed box naming the series (or the points of a single series), with a
// symbol in each one's colour. It takes its width (or height) from the plot.
class TChartLegend {
public:
    explicit TChartLegend(TCustomAxisPanel& chart);

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) { if (assignChanged(m_visible, visible)) changed(); }
    TLegendAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TLegendAlignment alignment) { if (assignChanged(m_alignment, alignment)) changed(); }
    TLegendStyle LegendStyle() const { return m_legendStyle; }
    void SetLegendStyle(TLegendStyle style) { if (assignChanged(m_legendStyle, style)) changed(); }
    TLegendTextStyle TextStyle() const { return m_textStyle; }
    void SetTextStyle(TLegendTextStyle style) { if (assignChanged(m_textStyle, style)) changed(); }
    const Font& LegendFont() const { return m_font; }
    void SetLegendFont(const Font& font) { if (assignChanged(m_font, font)) changed(); }
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { if (assignChanged(m_color, color)) changed(); }
    const TChartBrush& Brush() const { return m_brush; }
    const TChartPen& Frame() const { return m_frame; }
    void SetFrame(const TChartPen& pen) { if (assignChanged(m_frame, pen)) changed(); }
    TColor ShadowColor() const { return m_shadowColor; }
    int ShadowSize() const { return m_shadowSize; }
    void SetShadowSize(int size) { if (assignChanged(m_shadowSize, size)) changed(); }
    int ColorWidth() const { return m_colorWidth; }
    void SetColorWidth(int percent);  // raises "Legend Color Width must be between 0 and 100 %"
    int TopPos() const { return m_topPos; }
    void SetTopPos(int percent);      // raises "Top Legend Position must be between 0 and 100 %"
    int HorizMargin() const { return m_horizMargin; }
    void SetHorizMargin(int margin) { if (assignChanged(m_horizMargin, margin)) changed(); }
    int VertMargin() const { return m_vertMargin; }
    void SetVertMargin(int margin) { if (assignChanged(m_vertMargin, margin)) changed(); }
    int MaxNumRows() const { return m_maxNumRows; }
    bool ResizeChart() const { return m_resizeChart; }
    void SetResizeChart(bool resize) { if (assignChanged(m_resizeChart, resize)) changed(); }
    bool Inverted() const { return m_inverted; }
    void SetInverted(bool inverted) { if (assignChanged(m_inverted, inverted)) changed(); }
    int FirstValue() const { return m_firstValue; }
    void SetFirstValue(int first);    // raises "First Legend Value must be > 0"
    const TChartPen& DividingLines() const { return m_dividingLines; }
    void SetDividingLines(const TChartPen& pen) { if (assignChanged(m_dividingLines, pen)) changed(); }
    bool Vertical() const { return m_alignment == laLeft || m_alignment == laRight; }

    // Draws the legend and shrinks the plot rectangle.
    void PaintLegend();
    // Row under the point at the last paint, or -1.
    int LegendHit(int x, int y) const;

    // Working values of the last paint.
    TLegendStyle effectiveStyle() const { return m_effectiveStyle; }
    const TRect& legendRect() const { return m_legendRect; }
    int symbolWidth() const { return m_symbolWidth; }
    int rowCount() const { return m_rowCount; }
    int columnCount() const { return m_columnCount; }
    int legendTextX() const { return m_legendTextX; }
    int itemHeight() const { return m_itemHeight; }

private:
    void changed();
    TLegendStyle resolveStyle() const;
    int itemCount() const;
    TChartSeries* firstActiveSeries() const;
    TChartSeries* seriesItem(int k) const;
    std::string itemText(int k) const;
    std::string rawItemText(int k) const;
    void drawBox();
    void drawItem(int order, int x, int y);
    void placeVertical(int totalItems, int widest);
    void placeHorizontal(int totalItems, int widest);

    TCustomAxisPanel& m_chart;
    bool m_visible = true;
    TLegendAlignment m_alignment = laRight;
    TLegendStyle m_legendStyle = lsAuto;
    TLegendTextStyle m_textStyle = ltsLeftValue;
    Font m_font = defaultChartFont();
    TColor m_color = clWhite;
    TChartBrush m_brush;
    TChartPen m_frame;
    TColor m_shadowColor = clBlack;
    int m_shadowSize = 3;
    int m_colorWidth = 12;
    int m_topPos = 10;
    int m_horizMargin = 0;
    int m_vertMargin = 0;
    int m_maxNumRows = 10;
    bool m_resizeChart = true;
    bool m_inverted = false;
    int m_firstValue = 0;
    TChartPen m_dividingLines = TChartHiddenPen();

    TLegendStyle m_effectiveStyle = lsSeries;
    TRect m_legendRect;
    int m_symbolWidth = 0;
    int m_rowCount = 0;
    int m_columnCount = 1;
    int m_legendTextX = 0;
    int m_symbolX = 0;
    int m_itemHeight = 0;
    int m_itemWidth = 0;
};

} // namespace qv

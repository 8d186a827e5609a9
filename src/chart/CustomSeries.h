#pragma once

#include "chart/ChartPen.h"
#include "chart/ChartSeries.h"

namespace qv {

enum TSeriesPointerStyle { psRectangle, psCircle, psTriangle, psDownTriangle, psCross, psDiagCross, psStar, psDiamond, psSmallDot };

// The marker at each point. A visible pointer with InflateMargins widens the axes.
struct TSeriesPointer {
    bool Visible = true;
    TSeriesPointerStyle Style = psRectangle;
    int HorizSize = 4;
    int VertSize = 4;
    bool InflateMargins = true;
    bool Dark3D = true;
    bool Draw3D = true;
    TChartPen Pen;
    TChartBrush Brush;
};

// A series drawn point by point as connected segments (and, in subclasses, areas).
class TCustomSeries : public TChartSeries {
public:
    explicit TCustomSeries(std::string name = {});

    const TChartPen& LinePen() const { return m_linePen; }
    void SetLinePen(const TChartPen& pen);
    TSeriesPointer& Pointer() { return m_pointer; }
    const TSeriesPointer& Pointer() const { return m_pointer; }
    bool Stairs() const { return m_stairs; }
    void SetStairs(bool stairs);
    bool InvertedStairs() const { return m_invertedStairs; }
    void SetInvertedStairs(bool inverted);
    int LineHeight() const { return m_lineHeight; }
    BrushStyle LineBrush() const { return m_lineBrush; }
    bool Dark3D() const { return m_dark3D; }

    void DrawPoint(int index) override;
    void PaintLegendSymbol(int index, const TRect& rect) override;
    void HorizontalMargins(int& left, int& right) const override;
    void VerticalMargins(int& top, int& bottom) const override;
    bool ClickedPointer(int index, int x, int y) const;
    // Pointer shapes are not drawn by this chart; a visible pointer shows as a small square.
    virtual void PaintPointer(int x, int y, int index, TColor color);
    virtual int BaseLinePixel(int index) const;

protected:
    bool m_drawLines = false;
    bool m_drawArea = false;
    bool m_linesBetweenVisiblePoints = true;
    TColor m_areaColor = clDefault;

private:
    int margin(int pointerSize) const;
    void drawSegment(int x0, int y0, int x, int y, TColor color, int index, bool withPointers, bool isLast);

    TChartPen m_linePen;
    TSeriesPointer m_pointer;
    bool m_stairs = false;
    bool m_invertedStairs = false;
    int m_lineHeight = 0;
    BrushStyle m_lineBrush = BrushStyle::Solid;
    bool m_dark3D = true;

    // Carried from one point to the next while drawing.
    int m_previousX = 0;
    int m_previousY = 0;
    int m_previousBase = 0;
    TColor m_previousColor = clDefault;
};

// The chart's line series: connected points, pointer hidden.
class TLineSeries : public TCustomSeries {
public:
    explicit TLineSeries(std::string name = {});
    void SetUpLegendCanvas(int index, TColor backColor, BrushStyle brushStyle) override;
};

} // namespace qv

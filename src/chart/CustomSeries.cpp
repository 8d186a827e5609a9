#include "chart/CustomSeries.h"

#include "chart/AxisPanel.h"
#include "chart/ChartAxis.h"

#include <cmath>

namespace qv {

namespace {

constexpr int pixelLimit = 32766;

bool withinLimits(int x, int y) { return std::abs(x) <= pixelLimit && std::abs(y) <= pixelLimit; }

} // namespace

TCustomSeries::TCustomSeries(std::string name) : TChartSeries(std::move(name)) {}

void TCustomSeries::SetLinePen(const TChartPen& pen)
{
    if (pen == m_linePen)
        return;
    m_linePen = pen;
    Repaint();
}

void TCustomSeries::SetStairs(bool stairs)
{
    if (stairs == m_stairs)
        return;
    m_stairs = stairs;
    Repaint();
}

void TCustomSeries::SetInvertedStairs(bool inverted)
{
    if (inverted == m_invertedStairs)
        return;
    m_invertedStairs = inverted;
    Repaint();
}

int TCustomSeries::BaseLinePixel(int) const { return GetVertAxis() ? GetVertAxis()->endPixel() : 0; }

void TCustomSeries::DrawPoint(int index)
{
    TColor color = PointColor(index);
    int x = XPixel(index);
    int y = YPixel(index);
    if (!withinLimits(x, y)) {
        m_previousColor = color;
        return;
    }
    if (m_previousColor == clNone) {
        m_previousX = x;
        m_previousY = y;
    }
    bool isLast = index == LastValueIndex();
    int base = BaseLinePixel(index);
    if (index == FirstValueIndex()) {
        if (index > 0) {
            // The line enters from the plot's left edge at the height it has there.
            int x0 = ParentChart()->PlotRect().left;
            int y0 = YPixel(index - 1);
            double previousX = XValueAt(index - 1);
            double thisX = XValueAt(index);
            if (!m_stairs && previousX != thisX) {
                double atEdge = GetHorizAxis()->PixelToValue(x0);
                double previousY = YValueAt(index - 1);
                double yAtEdge = previousY + (YValueAt(index) - previousY) * (atEdge - previousX) / (thisX - previousX);
                y0 = GetVertAxis()->ValueToPixel(yAtEdge);
            }
            if (!IsNullPoint(index - 1))
                drawSegment(x0, y0, x, y, color, index, false, isLast);
        }
        if (isLast && m_pointer.Visible)
            PaintPointer(x, y, index, color);
    } else {
        drawSegment(m_previousX, m_previousY, x, y, color, index, true, isLast);
    }
    m_previousX = x;
    m_previousY = y;
    m_previousBase = base;
    m_previousColor = color;
}

void TCustomSeries::drawSegment(int x0, int y0, int x, int y, TColor color, int index, bool withPointers,
                                bool isLast)
{
    TChartCanvas3D& canvas = ParentChart()->ChartCanvas();
    if (m_drawLines && !(x == x0 && y == y0) && color != clNone) {
        TChartPen pen = m_linePen;
        pen.Color = color;
        canvas.SelectPen(pen);
        canvas.brush().style = BrushStyle::Clear;
        if (!m_stairs) {
            canvas.Segment(x0, y0, x, y);
        } else if (m_invertedStairs) {
            canvas.MoveToPoint(x0, y0);
            canvas.LineToPoint(x0, y);
            canvas.LineToPoint(x, y);
        } else {
            canvas.MoveToPoint(x0, y0);
            canvas.LineToPoint(x, y0);
            canvas.LineToPoint(x, y);
        }
    }
    if (!withPointers || !m_pointer.Visible)
        return;
    if (m_previousColor != clNone)
        PaintPointer(x0, y0, index - 1, m_previousColor);
    if (isLast && color != clNone)
        PaintPointer(x, y, index, color);
}

void TCustomSeries::PaintPointer(int x, int y, int, TColor color)
{
    TChartCanvas3D& canvas = ParentChart()->ChartCanvas();
    canvas.SelectPen(m_pointer.Pen);
    canvas.brush() = Brush{m_pointer.Brush.Color == clDefault ? color : m_pointer.Brush.Color, BrushStyle::Solid, nullptr};
    canvas.StrokeRect(x - m_pointer.HorizSize, y - m_pointer.VertSize, x + m_pointer.HorizSize + 1,
                      y + m_pointer.VertSize + 1);
}

bool TCustomSeries::ClickedPointer(int index, int x, int y) const
{
    if (!m_pointer.Visible)
        return false;
    return std::abs(XPixel(index) - x) <= m_pointer.HorizSize && std::abs(YPixel(index) - y) <= m_pointer.VertSize;
}

void TCustomSeries::HorizontalMargins(int& left, int& right) const { left = right = margin(m_pointer.HorizSize); }

void TCustomSeries::VerticalMargins(int& top, int& bottom) const { top = bottom = margin(m_pointer.VertSize); }

// Room on each side of the axis: an inflating pointer's size along it, and the stairs' line width.
int TCustomSeries::margin(int pointerSize) const
{
    int room = m_pointer.Visible && m_pointer.InflateMargins ? pointerSize + 1 : 0;
    if (m_stairs)
        room = std::max(room, m_linePen.Width);
    return room;
}

void TCustomSeries::PaintLegendSymbol(int index, const TRect& rect)
{
    TColor color = index < 0 ? SeriesColor() : PointColor(index);
    if (ColorEachPoint() && index < 0)
        return;
    if (color == clNone)
        return;
    TCustomAxisPanel* chart = ParentChart();
    if (!chart)
        return;
    TColor legendColor = chart->LegendColor() == clDefault ? chart->Color() : chart->LegendColor();
    SetUpLegendCanvas(index, legendColor, m_lineBrush);
    TChartCanvas3D& canvas = chart->ChartCanvas();
    if (m_drawLines && !m_drawArea) {
        TChartPen pen = m_linePen;
        pen.Color = color;
        canvas.SelectPen(pen);
        canvas.brush().style = BrushStyle::Clear;
        int y = (rect.top + rect.bottom) / 2;
        canvas.HorizontalLine(rect.left, rect.right, y);
        if (m_pointer.Visible)
            PaintPointer((rect.left + rect.right) / 2, y, index, color);
        return;
    }
    canvas.pen() = Pen{};
    canvas.brush() = Brush{color, BrushStyle::Solid, nullptr};
    canvas.StrokeRect(rect);
}

TLineSeries::TLineSeries(std::string name) : TCustomSeries(std::move(name))
{
    m_drawLines = true;
    Pointer().Visible = false;
}

void TLineSeries::SetUpLegendCanvas(int index, TColor backColor, BrushStyle brushStyle)
{
    TChartCanvas3D& canvas = ParentChart()->ChartCanvas();
    canvas.SelectPen(LinePen());
    canvas.brush().style = brushStyle;
    TChartSeries::SetUpLegendCanvas(index, backColor, brushStyle);
}

} // namespace qv

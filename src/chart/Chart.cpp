#include "chart/Chart.h"

namespace qv {

TCustomChart::TCustomChart() : m_title(*this, false), m_foot(*this, true), m_legend(*this)
{
    m_leftWall.Color = 0x80FFFF;
    m_bottomWall.Color = clWhite;
}

TCustomChart::~TCustomChart() = default;

void TCustomChart::SetBackWall(const TChartWall& wall)
{
    m_backWall = wall;
    RequestRedraw();
}

void TCustomChart::SetBackColor(TColor color)
{
    if (color == m_backWall.Color)
        return;
    m_backWall.Color = color;
    m_backWall.Brush.Style = BrushStyle::Solid;
    RequestRedraw();
}

void TCustomChart::DrawTitlesAndLegend()
{
    if (!m_legend.Visible() || ActiveSeriesCount() == 0) {
        m_title.Draw();
        m_foot.Draw();
        return;
    }
    if (m_legend.Vertical()) {
        m_legend.PaintLegend();
        m_title.Draw();
        m_foot.Draw();
        return;
    }
    m_title.Draw();
    m_foot.Draw();
    m_legend.PaintLegend();
}

void TCustomChart::DrawWalls()
{
    TChartCanvas3D& canvas = ChartCanvas();
    canvas.SelectPen(m_backWall.Pen);
    if (m_backWall.Brush.Image) {
        canvas.brush() = Brush{clWhite, BrushStyle::Solid, m_backWall.Brush.Image};
    } else if (m_backWall.Color == clDefault && m_backWall.Brush.Style == BrushStyle::Solid) {
        canvas.brush().style = BrushStyle::Clear;
    } else {
        SetFillBrush(m_backWall.Color, m_backWall.Brush.Style, m_backWall.Brush.Color);
    }
    const TRect& plot = PlotRect();
    canvas.StrokeRect(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
}

void TCustomChart::drawZoomRectangle(Canvas& canvas) const
{
    TColor color = Color() == clWhite ? clBlack : Color();
    Pen savedPen = canvas.pen;
    Brush savedBrush = canvas.brush;
    canvas.pen = Pen{color, 1, PenStyle::Solid, PenMode::NotXor, false};
    canvas.brush.style = BrushStyle::Clear;
    canvas.brush.bitmap = nullptr;
    canvas.rectangle(TRect{std::min(m_zoom.X0, m_zoom.X1), std::min(m_zoom.Y0, m_zoom.Y1),
                           std::max(m_zoom.X0, m_zoom.X1), std::max(m_zoom.Y0, m_zoom.Y1)});
    canvas.pen = savedPen;
    canvas.brush = savedBrush;
}

void TCustomChart::PaintOverlay(Canvas& window)
{
    if (m_zoom.Active)
        drawZoomRectangle(window);
}

TChart::TChart()
{
    SetAutoRepaint(true);
}

} // namespace qv

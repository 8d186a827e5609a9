#include "chart/ChartPanel.h"

#include "chart/ChartException.h"

#include <cmath>

namespace qv {

namespace {

// p percent of s, rounded to the nearest pixel, halves away from zero.
int percentOf(int p, int s) { return static_cast<int>(std::lround(p * static_cast<double>(s) / 100.0)); }

} // namespace

TCustomChartPanel::TCustomChartPanel() = default;

TCustomChartPanel::~TCustomChartPanel() = default;

void TCustomChartPanel::SetSize(int width, int height)
{
    if (width == m_width && height == m_height)
        return;
    m_width = width;
    m_height = height;
    RequestRedraw();
}

void TCustomChartPanel::SetChart3DPercent(int percent)
{
    if (percent < 1 || percent > 100)
        throw ChartException("3D effect percent must be between 1 and 100");
    if (assignChanged(m_chart3DPercent, percent))
        RequestRedraw();
}

void TCustomChartPanel::RequestRedraw()
{
    if (!m_autoRepaint)
        return;
    m_canvas.MarkDirty();
    if (OnInvalidate)
        OnInvalidate();
}

void TCustomChartPanel::Paint(Canvas& window)
{
    if (m_printing)
        return;
    const Bitmap* buffer = m_canvas.buffer();
    bool sizeKept = buffer && buffer->width() == m_width && buffer->height() == m_height;
    if (!sizeKept || !m_canvas.RepaintFromBuffer(window))
        DrawChart(window, ClientRect());
    PaintOverlay(window);
}

void TCustomChartPanel::DrawChart(Canvas& target, const TRect& rect)
{
    ++m_drawCount;
    m_boundsRect = m_canvas.BeginBuffer(target, rect);
    int w = m_boundsRect.width();
    int h = m_boundsRect.height();
    m_plotRect = TRect{m_boundsRect.left + m_borderWidth + percentOf(m_marginLeft, w),
                       m_boundsRect.top + m_borderWidth + percentOf(m_marginTop, h),
                       m_boundsRect.right - m_borderWidth - percentOf(m_marginRight, w),
                       m_boundsRect.bottom - m_borderWidth - percentOf(m_marginBottom, h)};
    SetPlotRect(m_plotRect);
    DrawContent();
    m_canvas.PresentBuffer(target, m_window, rect);
}

void TCustomChartPanel::SetPlotRect(const TRect& r)
{
    m_plotRect = r;
    if (m_plotRect.left < m_boundsRect.left)
        m_plotRect.left = m_boundsRect.left;
    if (m_plotRect.top < m_boundsRect.top)
        m_plotRect.top = m_boundsRect.top;
    if (m_plotRect.right < m_plotRect.left)
        m_plotRect.right = m_plotRect.left + 1;
    else if (m_plotRect.right == m_plotRect.left)
        m_plotRect.right = m_plotRect.left + m_width;
    if (m_plotRect.bottom < m_plotRect.top)
        m_plotRect.bottom = m_plotRect.top + 1;
    else if (m_plotRect.bottom == m_plotRect.top)
        m_plotRect.bottom = m_plotRect.top + m_height;
}

void TCustomChartPanel::SetFillBrush(TColor color, BrushStyle style, TColor backColor)
{
    Canvas& c = m_canvas.surface();
    if (style != BrushStyle::Solid && style != BrushStyle::Clear && color == backColor)
        color = backColor == clBlack ? clWhite : clBlack;
    c.brush.color = color;
    c.brush.style = style;
    c.brush.bitmap = nullptr;
    if (style != BrushStyle::Solid) {
        c.setBackgroundColor(backColor);
        c.setBackgroundTransparent(false);
    } else {
        c.setBackgroundTransparent(true);
    }
}

void TCustomChartPanel::ApplyFont(const Font& font)
{
    Font& f = m_canvas.font();
    f.name = font.name;
    f.size = font.size;
    f.height = font.height;
    f.cellHeight = font.cellHeight;
    f.style = font.style;
    f.color = font.color;
    f.charset = font.charset;
    f.orientation = 0;
}

// One ring of a 3D frame: top and left edges in one colour, bottom and right in
// the other, then the rectangle shrinks by a pixel.
void TCustomChartPanel::frameRing(TRect& r, TColor topLeft, TColor bottomRight, int width)
{
    Canvas& c = m_canvas.surface();
    for (int i = 0; i < width; ++i) {
        int right = r.right - 1;
        int bottom = r.bottom - 1;
        c.pen.color = topLeft;
        c.polyline({{r.left, bottom}, {r.left, r.top}, {right, r.top}});
        c.pen.color = bottomRight;
        c.polyline({{right, r.top}, {right, bottom}, {r.left - 1, bottom}});
        r = r.inflated(-1);
    }
}

void TCustomChartPanel::DrawBackgroundAndFrame()
{
    Canvas& c = m_canvas.surface();
    c.brush = Brush{m_color, BrushStyle::Solid, nullptr};
    c.fillRect(m_boundsRect);
    c.pen = Pen{};
    c.brush.style = BrushStyle::Clear;
    TRect r = m_boundsRect;
    if (m_bevelOuter != bvNone) {
        bool raised = m_bevelOuter == bvRaised;
        frameRing(r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, m_bevelWidth);
    }
    frameRing(r, m_color, m_color, m_borderWidth);
    if (m_bevelInner != bvNone) {
        bool raised = m_bevelInner == bvRaised;
        frameRing(r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, m_bevelWidth);
    }
}

} // namespace qv

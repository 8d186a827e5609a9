#include "report/device/TRvRenderCanvas.h"

#include <algorithm>
#include <cmath>

namespace qv {

TRect TRvRenderCanvas::deviceRect(const TRPRect& rect) const
{
    int left = XI2D(std::min(rect.topLeft.x, rect.bottomRight.x));
    int right = XI2D(std::max(rect.topLeft.x, rect.bottomRight.x));
    int top = YI2D(std::min(rect.topLeft.y, rect.bottomRight.y));
    int bottom = YI2D(std::max(rect.topLeft.y, rect.bottomRight.y));
    return {left, top, right, bottom};
}

void TRvRenderCanvas::selectPen()
{
    Pen& pen = m_canvas->pen;
    pen.color = m_pen.color;
    pen.style = m_pen.style <= 6 ? PenStyle(m_pen.style) : PenStyle::Solid;
    pen.mode = PenMode::Copy;
    // The width in inches, as the distance between two converted positions.
    pen.width = std::max(1, XI2D(double(m_pen.width)) - XI2D(0));
}

void TRvRenderCanvas::selectBrush()
{
    Brush& brush = m_canvas->brush;
    brush.color = m_brush.color;
    brush.style = m_brush.style <= 7 ? BrushStyle(m_brush.style) : BrushStyle::Solid;
    brush.bitmap = nullptr;
}

void TRvRenderCanvas::selectFont()
{
    Font& font = m_canvas->font;
    font.name = m_font.name;
    double size = m_font.superscript || m_font.subscript ? m_font.size / 1.667 : m_font.size;
    font.height = std::max(1, int(std::lround(std::fabs(size) * PixelsPerInchY / 72.0)));
    font.style = (m_font.bold ? fsBold : 0u) | (m_font.italic ? fsItalic : 0u) | (m_font.underline ? fsUnderline : 0u)
        | (m_font.strikeout ? fsStrikeOut : 0u);
    font.color = m_font.color;
    font.charset = m_font.charset;
    font.orientation = m_font.rotation * 10;
}

void TRvRenderCanvas::text(const std::string& text, double x, double y, unsigned align)
{
    if (!m_canvas)
        return;
    selectFont();
    m_canvas->setBackgroundTransparent(true);
    m_canvas->setTextAlign(align | taBaseline);
    m_canvas->textOut(XI2D(x), YI2D(y), text);
}

void TRvRenderCanvas::CenterText(const std::string& t, double x, double y) { text(t, x, y, taCenter); }
void TRvRenderCanvas::LeftText(const std::string& t, double x, double y) { text(t, x, y, taLeft); }
void TRvRenderCanvas::RightText(const std::string& t, double x, double y) { text(t, x, y, taRight); }
// Block texts start at their left end; their recorded width is not used.
void TRvRenderCanvas::BlockText(const std::string& t, double x, double y, double) { text(t, x, y, taLeft); }

void TRvRenderCanvas::TextRect(const TRPRect& rect, TRPPoint point, const std::string& t)
{
    if (!m_canvas)
        return;
    selectFont();
    selectBrush();
    m_canvas->setTextAlign(taLeft | taBaseline);
    m_canvas->setBackgroundTransparent(true);
    TPoint at = devicePoint(point);
    m_canvas->textRect(deviceRect(rect), at.x, at.y, t, m_brush.style != 1);
}

void TRvRenderCanvas::Rectangle(const TRPRect& rect)
{
    if (!m_canvas)
        return;
    selectPen();
    selectBrush();
    // The canvas keeps the outline inside the bounds: a one-pixel pen covers the
    // outermost pixels, wider pens grow inwards.
    m_canvas->rectangle(deviceRect(rect));
}

void TRvRenderCanvas::TabRectangle(const TRPRect& rect)
{
    Rectangle(rect);
}

void TRvRenderCanvas::RoundRect(const TRPRect& rect, double, double)
{
    Rectangle(rect);
}

void TRvRenderCanvas::Ellipse(const TRPRect& rect)
{
    if (!m_canvas)
        return;
    selectPen();
    selectBrush();
    m_canvas->ellipse(deviceRect(rect));
}

void TRvRenderCanvas::FillRect(const TRPRect& rect)
{
    if (!m_canvas)
        return;
    selectBrush();
    m_canvas->fillRect(deviceRect(rect));
}

void TRvRenderCanvas::MoveTo(TRPPoint point)
{
    if (!m_canvas)
        return;
    TPoint p = devicePoint(point);
    m_canvas->moveTo(p.x, p.y);
}

void TRvRenderCanvas::LineTo(TRPPoint point)
{
    if (!m_canvas)
        return;
    selectPen();
    TPoint p = devicePoint(point);
    m_canvas->lineTo(p.x, p.y);
}

void TRvRenderCanvas::Polyline(const std::vector<TRPPoint>& points)
{
    if (!m_canvas)
        return;
    selectPen();
    std::vector<TPoint> device;
    for (const auto& point : points)
        device.push_back(devicePoint(point));
    m_canvas->polyline(device);
}

void TRvRenderCanvas::Polygon(const std::vector<TRPPoint>& points)
{
    if (!m_canvas)
        return;
    selectPen();
    selectBrush();
    std::vector<TPoint> device;
    for (const auto& point : points)
        device.push_back(devicePoint(point));
    m_canvas->polygon(device);
}

// Arcs, chords and pies: the canvas has no curve segments; their bounding ellipse's
// outline stands in for the arc and the filled ellipse for chord and pie.
void TRvRenderCanvas::Arc(const TRPRect& rect, TRPPoint, TRPPoint)
{
    if (!m_canvas)
        return;
    selectPen();
    m_canvas->brush.style = BrushStyle::Clear;
    m_canvas->ellipse(deviceRect(rect));
}

void TRvRenderCanvas::Chord(const TRPRect& rect, TRPPoint, TRPPoint) { Ellipse(rect); }
void TRvRenderCanvas::Pie(const TRPRect& rect, TRPPoint, TRPPoint) { Ellipse(rect); }

// Pictures keep their own file formats in the snapshot; this program's reports carry none.
void TRvRenderCanvas::Draw(TRPPoint, const snapshot::TRvGraphic&) { }
void TRvRenderCanvas::StretchDraw(const TRPRect&, const snapshot::TRvGraphic&) { }
void TRvRenderCanvas::PrintBitmap(TRPPoint, double, double, const snapshot::TRvGraphic&) { }
void TRvRenderCanvas::PrintBitmapRect(const TRPRect&, const snapshot::TRvGraphic&) { }

} // namespace qv

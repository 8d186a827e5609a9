#include "report/device/TRvRenderCanvas.h"

#include "report/device/Charsets.h"
#include "report/device/TRPRenderDevice.h"
#include "runtime/core/Exception.h"
#include "runtime/graphics/Bitmap.h"

#include <algorithm>
#include <cmath>

namespace qv {

TRvRenderCanvas::TRvRenderCanvas()
    : DefaultCharset(userDefaultCharset())
{
}

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
    m_canvas->font = deviceFont(m_font, PixelsPerInchY, DefaultCharset);
}

TRect TRvRenderCanvas::strokeRect(const TRect& bounds) const
{
    int width = m_canvas->pen.width;
    if (width <= 1 || m_canvas->pen.style == PenStyle::Clear)
        return bounds;
    int before = width / 2;
    int after = width - before;
    return {bounds.left + before, bounds.top + before, bounds.right - after + 1, bounds.bottom - after + 1};
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

void TRvRenderCanvas::RoundRect(const TRPRect& rect, double cornerWidth, double cornerHeight)
{
    if (!m_canvas)
        return;
    selectPen();
    selectBrush();
    int width = XI2D(cornerWidth) - XI2D(0);
    int height = YI2D(cornerHeight) - YI2D(0);
    m_canvas->roundRect(strokeRect(deviceRect(rect)), width, height);
}

void TRvRenderCanvas::Ellipse(const TRPRect& rect)
{
    if (!m_canvas)
        return;
    selectPen();
    selectBrush();
    m_canvas->ellipse(strokeRect(deviceRect(rect)));
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

// Bitmaps are stored in their own file format; other kinds of picture are not drawn.
void TRvRenderCanvas::drawGraphic(const TRect& rect, const snapshot::TRvGraphic& graphic)
{
    if (!m_canvas || graphic.type != snapshot::GraphicType::Bitmap || rect.isEmpty())
        return;
    Bitmap bitmap;
    try {
        bitmap.loadFromBmpData(std::string(graphic.data.begin(), graphic.data.end()));
    } catch (const Exception&) {
        return; // a damaged picture leaves its place empty rather than the page unprinted
    }
    m_canvas->stretchDraw(rect, bitmap);
}

// A bitmap drawn at a point keeps its size in screen pixels, converted to the device.
void TRvRenderCanvas::Draw(TRPPoint point, const snapshot::TRvGraphic& graphic)
{
    PrintBitmap(point, 1.0, 1.0, graphic);
}

void TRvRenderCanvas::StretchDraw(const TRPRect& rect, const snapshot::TRvGraphic& graphic)
{
    drawGraphic(deviceRect(rect), graphic);
}

void TRvRenderCanvas::PrintBitmap(TRPPoint point, double scaleX, double scaleY, const snapshot::TRvGraphic& bitmap)
{
    if (!m_canvas || bitmap.type != snapshot::GraphicType::Bitmap)
        return;
    Bitmap probe;
    try {
        probe.loadFromBmpData(std::string(bitmap.data.begin(), bitmap.data.end()));
    } catch (const Exception&) {
        return;
    }
    double width = probe.width() / 96.0 * (scaleX > 0 ? scaleX : 1.0);
    double height = probe.height() / 96.0 * (scaleY > 0 ? scaleY : 1.0);
    TRect rect {XI2D(point.x), YI2D(point.y), XI2D(point.x + width), YI2D(point.y + height)};
    if (!rect.isEmpty())
        m_canvas->stretchDraw(rect, probe);
}

void TRvRenderCanvas::PrintBitmapRect(const TRPRect& rect, const snapshot::TRvGraphic& bitmap)
{
    drawGraphic(deviceRect(rect), bitmap);
}

} // namespace qv

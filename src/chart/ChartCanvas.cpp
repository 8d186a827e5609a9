#include "chart/ChartCanvas.h"

namespace qv {

Canvas& TChartCanvas3D::surface()
{
    if (m_surface)
        return *m_surface;
    if (!m_scratch) {
        m_scratch = std::make_unique<Bitmap>(1, 1);
        m_scratch->canvas().font = defaultChartFont();
    }
    return m_scratch->canvas();
}

void TChartCanvas3D::setSurface(Canvas* canvas)
{
    if (canvas == m_surface)
        return;
    Canvas& old = surface();
    if (!canvas) {
        // Leaving a borrowed surface: the scratch picture takes the attributes over.
        Canvas* borrowed = m_surface;
        m_surface = nullptr;
        Canvas& scratch = surface();
        m_surface = borrowed;
        canvas = &scratch;
    }
    canvas->pen = old.pen;
    canvas->brush = old.brush;
    canvas->font = old.font;
    canvas->setBackgroundColor(old.backgroundColor());
    canvas->setBackgroundTransparent(old.backgroundTransparent());
    canvas->setTextAlign(old.textAlign());
    m_surface = (m_scratch && canvas == &m_scratch->canvas()) ? nullptr : canvas;
}

void TChartCanvas3D::RotatedText(int x, int y, int angle, const std::string& text)
{
    while (angle > 360)
        angle -= 360;
    Canvas& c = surface();
    int saved = c.font.orientation;
    bool transparent = c.backgroundTransparent();
    c.font.orientation = angle * 10;
    c.setBackgroundTransparent(true);
    c.textOut(x, y, text);
    c.font.orientation = saved;
    c.setBackgroundTransparent(transparent);
}

TRect TChartCanvas3D::BeginBuffer(Canvas& target, const TRect& rect)
{
    if (!m_buffered) {
        setSurface(&target);
        return rect;
    }
    int w = rect.width();
    int h = rect.height();
    if (m_buffer && (m_buffer->width() != w || m_buffer->height() != h))
        m_buffer.reset();
    if (!m_buffer) {
        m_buffer = std::make_unique<Bitmap>(w, h);
        ++m_bufferCreations;
    }
    setSurface(&m_buffer->canvas());
    return TRect{0, 0, w, h};
}

void TChartCanvas3D::PresentBuffer(Canvas& target, Canvas* defaultSurface, const TRect& rect)
{
    if (m_buffered && m_buffer) {
        target.draw(rect.left, rect.top, *m_buffer);
        m_dirty = false;
    }
    setSurface(defaultSurface);
}

bool TChartCanvas3D::RepaintFromBuffer(Canvas& window)
{
    if (m_dirty || !m_buffer)
        return false;
    window.draw(0, 0, *m_buffer);
    return true;
}

void TChartCanvas3D::ClipPlot(const TRect& plot)
{
    SetClipRect(TRect{plot.left + 1, plot.top + 1, plot.right, plot.bottom - 1});
}

void TChartCanvas3D::SelectPen(const TChartPen& chartPen)
{
    Pen& p = pen();
    if (!chartPen.Visible) {
        p.style = PenStyle::Clear;
        p.cosmeticDots = false;
        return;
    }
    p.color = chartPen.Color;
    p.width = chartPen.Width;
    p.style = chartPen.Style;
    p.mode = chartPen.Mode;
    p.cosmeticDots = chartPen.SmallDots && chartPen.Width == 1;
}

void TChartCanvas3D::SetBuffered(bool buffered)
{
    if (buffered == m_buffered)
        return;
    m_buffered = buffered;
    if (!buffered)
        m_buffer.reset();
    m_dirty = true;
}

void TChartCanvas3D::SetMonochrome(bool monochrome)
{
    if (monochrome == m_monochrome)
        return;
    m_monochrome = monochrome;
    m_buffer.reset();
    m_dirty = true;
}

} // namespace qv

#pragma once

#include "chart/ChartPen.h"
#include "runtime/graphics/Bitmap.h"
#include "runtime/graphics/Canvas.h"

#include <memory>
#include <string>

namespace qv {

enum TCanvasBackMode { cbmTransparent, cbmOpaque };

// The one drawing object of a chart. It keeps an off-screen buffer of the
// chart's size between paints and draws on whatever surface is current: the
// buffer during a paint, the window otherwise. In 2D every 3D operation reduces
// to the plain one, so only the 2D forms exist here.
class TChartCanvas3D {
public:
    TChartCanvas3D() = default;

    // The current surface; before any paint a small scratch picture, so text can be measured.
    Canvas& surface();
    // Makes canvas the drawing surface, carrying the current pen, brush and font
    // over; nullptr goes back to the scratch picture.
    void setSurface(Canvas* canvas);

    Pen& pen() { return surface().pen; }
    Brush& brush() { return surface().brush; }
    Font& font() { return surface().font; }

    void SetBackgroundColor(TColor color) { surface().setBackgroundColor(color); }
    void SetBackgroundMode(TCanvasBackMode mode) { surface().setBackgroundTransparent(mode == cbmTransparent); }
    void SetTextAlignment(unsigned flags) { surface().setTextAlign(flags); }
    void FillArea(const TRect& r) { surface().fillRect(r); }
    void MoveToPoint(int x, int y) { surface().moveTo(x, y); }
    void LineToPoint(int x, int y) { surface().lineTo(x, y); }
    void StrokeRect(int x0, int y0, int x1, int y1) { surface().rectangle(TRect{x0, y0, x1, y1}); }
    void StrokeRect(const TRect& r) { surface().rectangle(r); }
    void WriteText(int x, int y, const std::string& text) { surface().textOut(x, y, text); }
    int TextExtentWidth(const std::string& text) { return surface().textWidth(text); }
    int TextExtentHeight(const std::string& text) { return surface().textHeight(text); }
    int TextLineHeight() { return TextExtentHeight("W"); }
    void SetClipRect(const TRect& r) { surface().intersectClipRect(r); }
    void HorizontalLine(int x0, int x1, int y) { Segment(x0, y, x1, y); }
    void VerticalLine(int x, int y0, int y1) { Segment(x, y0, x, y1); }
    void Segment(int x0, int y0, int x1, int y1)
    {
        surface().moveTo(x0, y0);
        surface().lineTo(x1, y1);
    }
    void RotatedText(int x, int y, int angle, const std::string& text);
    void ClearClip() { surface().clearClip(); }

    // Starts a paint and answers the rectangle to draw in.
    TRect BeginBuffer(Canvas& target, const TRect& rect);
    // Ends a paint: the buffer goes to the target in one block copy, then
    // defaultSurface (a window canvas that outlives the paint, or nullptr) is current.
    void PresentBuffer(Canvas& target, Canvas* defaultSurface, const TRect& rect);
    // Copies an up-to-date buffer to the window; false when it must be drawn again.
    bool RepaintFromBuffer(Canvas& window);
    void ClipPlot(const TRect& plot);

    void MarkDirty() { m_dirty = true; }
    bool Dirty() const { return m_dirty; }

    // An invisible pen draws nothing; SmallDots at width 1 paints every other pixel.
    void SelectPen(const TChartPen& chartPen);

    bool Buffered() const { return m_buffered; }
    void SetBuffered(bool buffered);
    bool Monochrome() const { return m_monochrome; }
    void SetMonochrome(bool monochrome);
    const Bitmap* buffer() const { return m_buffer.get(); }
    int bufferCreations() const { return m_bufferCreations; }

private:
    Canvas* m_surface = nullptr;
    std::unique_ptr<Bitmap> m_buffer;
    std::unique_ptr<Bitmap> m_scratch;
    bool m_buffered = true;
    bool m_dirty = true;
    bool m_monochrome = false;
    int m_bufferCreations = 0;
};

} // namespace qv

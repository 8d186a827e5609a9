#pragma once

#include "report/snapshot/TRPRender.h"
#include "runtime/graphics/Canvas.h"

namespace qv {

// Draws a snapshot on a canvas: fonts built from the font state, texts aligned on their
// baseline, outlines of rectangles and ellipses inside their bounds. Printer, preview and
// export renderers share it and differ in their device and its pixels per inch.
class TRvRenderCanvas : public TRPRender {
public:
    TRvRenderCanvas();

    // The character set that replaces the default set (1); the user's locale decides.
    int DefaultCharset;

    void SetBrush(const snapshot::TRvBrush& brush) override { m_brush = brush; }
    void SetFont(const snapshot::TRvFont& font) override { m_font = font; }
    void SetPen(const snapshot::TRvPen& pen) override { m_pen = pen; }
    void SetFrameMode(uint8_t mode) override { m_frameMode = mode; }

    void Arc(const TRPRect& rect, TRPPoint start, TRPPoint end) override;
    void Chord(const TRPRect& rect, TRPPoint start, TRPPoint end) override;
    void Pie(const TRPRect& rect, TRPPoint start, TRPPoint end) override;
    void Ellipse(const TRPRect& rect) override;
    void FillRect(const TRPRect& rect) override;
    void LineTo(TRPPoint point) override;
    void MoveTo(TRPPoint point) override;
    void Polygon(const std::vector<TRPPoint>& points) override;
    void Polyline(const std::vector<TRPPoint>& points) override;
    void Rectangle(const TRPRect& rect) override;
    void TabRectangle(const TRPRect& rect) override;
    void RoundRect(const TRPRect& rect, double cornerWidth, double cornerHeight) override;

    void Draw(TRPPoint point, const snapshot::TRvGraphic& graphic) override;
    void StretchDraw(const TRPRect& rect, const snapshot::TRvGraphic& graphic) override;
    void PrintBitmap(TRPPoint point, double scaleX, double scaleY, const snapshot::TRvGraphic& bitmap) override;
    void PrintBitmapRect(const TRPRect& rect, const snapshot::TRvGraphic& bitmap) override;

    void TextRect(const TRPRect& rect, TRPPoint point, const std::string& text) override;
    void CenterText(const std::string& text, double x, double y) override;
    void LeftText(const std::string& text, double x, double y) override;
    void RightText(const std::string& text, double x, double y) override;
    void BlockText(const std::string& text, double x, double y, double width) override;

protected:
    // The canvas of the page being drawn; nothing is drawn while there is none.
    Canvas* m_canvas = nullptr;

private:
    TRect deviceRect(const TRPRect& rect) const;
    TPoint devicePoint(TRPPoint point) const { return {XI2D(point.x), YI2D(point.y)}; }
    void selectPen();
    void selectBrush();
    void selectFont();
    // The bounds an outline stays inside of: with a pen wider than one pixel the stroke
    // centre moves inwards by half the width.
    TRect strokeRect(const TRect& bounds) const;
    void drawGraphic(const TRect& rect, const snapshot::TRvGraphic& graphic);
    void text(const std::string& text, double x, double y, unsigned align);

    snapshot::TRvBrush m_brush;
    snapshot::TRvFont m_font;
    snapshot::TRvPen m_pen;
    uint8_t m_frameMode = 0;
};

} // namespace qv

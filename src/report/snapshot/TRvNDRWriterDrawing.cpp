// Text, shape and graphic commands.
#include "report/snapshot/TRvNDRWriter.h"

#include "report/snapshot/EReportPrinter.h"

namespace qv {

using namespace snapshot;

namespace {

bool textNeedsExactPath(const std::string& text)
{
    return text.find(kPlaceholderStart) != std::string::npos || text.find(kFormattingCode) != std::string::npos;
}

} // namespace

template<class PutArguments>
void TRvNDRWriter::drawCommand(uint8_t code, unsigned uses, PutArguments putArguments)
{
    if (!drawing())
        return;
    if (uses & usesFont)
        syncFont();
    if (uses & usesPen)
        syncPen();
    if (uses & usesBrush)
        syncBrush();
    ByteWriter out;
    out.byte(code);
    putArguments(out);
    emit(out);
}

// A bitmap goes with the transparency setting in front of it.
template<class PutPlace>
void TRvNDRWriter::bitmapCommand(uint8_t code, const TRvGraphic& bitmap, PutPlace putPlace)
{
    drawCommand(cTransBitmap, usesNothing, [&](ByteWriter& out) {
        out.byte(m_transparentBitmap ? 1 : 0);
        out.byte(code);
        putGraphic(out, bitmap);
        putPlace(out);
    });
}

double TRvNDRWriter::TextWidth(const std::string& text) const
{
    return m_measurer->textWidth(m_font, text);
}

void TRvNDRWriter::positionedText(TPrintJustify justify, const std::string& text, double x, double y)
{
    double width = TextWidth(text);
    double start = x;
    if (justify == TPrintJustify::pjCenter)
        start = x - width / 2;
    else if (justify == TPrintJustify::pjRight)
        start = x - width;
    m_currentX = start + width;
    bool asBlock = AccuracyMethod == TAccuracyMethod::amPositioning && text.find(' ') != std::string::npos
        && !textNeedsExactPath(text) && m_font.rotation == 0;
    if (asBlock) {
        drawCommand(cBlockText, usesFont, [&](ByteWriter& out) {
            out.floatInches(sy(y));
            out.string(text);
            out.floatInches(sx(start));
            out.floatInches(sw(width));
        });
        return;
    }
    uint8_t code = justify == TPrintJustify::pjCenter ? cCenterText : justify == TPrintJustify::pjRight ? cRightText : cLeftText;
    drawCommand(code, usesFont, [&](ByteWriter& out) {
        out.floatInches(sy(y));
        out.string(text);
        out.floatInches(sx(x));
    });
}

void TRvNDRWriter::PrintLeft(const std::string& text, double x, double y)
{
    positionedText(TPrintJustify::pjLeft, text, x, y);
}

void TRvNDRWriter::PrintCenter(const std::string& text, double x, double y)
{
    positionedText(TPrintJustify::pjCenter, text, x, y);
}

void TRvNDRWriter::PrintRight(const std::string& text, double x, double y)
{
    positionedText(TPrintJustify::pjRight, text, x, y);
}

void TRvNDRWriter::PrintBlock(const std::string& text, double x, double y, double width)
{
    m_currentX = x + width;
    drawCommand(cPrintSpaces, usesFont, [&](ByteWriter& out) {
        out.floatInches(sy(y));
        out.string(text);
        out.floatInches(sx(x));
        out.floatInches(sw(width));
    });
}

void TRvNDRWriter::TextRect(const TRvRect& rect, double x, double y, const std::string& text)
{
    m_currentX = x + TextWidth(text);
    drawCommand(cTextRect, usesFont, [&](ByteWriter& out) {
        putRect(out, rect);
        out.floatInches(sx(x));
        out.floatInches(sy(y));
        out.string(text);
    });
}

void TRvNDRWriter::MoveTo(double x, double y)
{
    drawCommand(cMoveTo, usesNothing, [&](ByteWriter& out) { putPoint(out, x, y); });
}

void TRvNDRWriter::LineTo(double x, double y)
{
    drawCommand(cLineTo, usesPen, [&](ByteWriter& out) { putPoint(out, x, y); });
}

void TRvNDRWriter::shapeCommand(uint8_t code, const TRvRect& rect, unsigned uses)
{
    drawCommand(code, uses, [&](ByteWriter& out) { putRect(out, rect); });
}

void TRvNDRWriter::Rectangle(const TRvRect& rect)
{
    shapeCommand(cRectangle, rect, usesPen | usesBrush);
}

void TRvNDRWriter::TabRectangle(const TRvRect& rect)
{
    shapeCommand(cTabRectangle, rect, usesPen | usesBrush);
}

void TRvNDRWriter::FillRect(const TRvRect& rect)
{
    shapeCommand(cFillRect, rect, usesBrush);
}

void TRvNDRWriter::FrameRect(const TRvRect& rect)
{
    shapeCommand(cFrameRect, rect, usesBrush);
}

void TRvNDRWriter::DrawFocusRect(const TRvRect& rect)
{
    shapeCommand(cDrawFocusRect, rect, usesNothing);
}

void TRvNDRWriter::Ellipse(const TRvRect& rect)
{
    shapeCommand(cEllipse, rect, usesPen | usesBrush);
}

void TRvNDRWriter::RoundRect(const TRvRect& rect, double cornerWidth, double cornerHeight)
{
    drawCommand(cRoundRect, usesPen | usesBrush, [&](ByteWriter& out) {
        putRect(out, rect);
        out.floatInches(sw(cornerWidth));
        out.floatInches(sh(cornerHeight));
    });
}

void TRvNDRWriter::arcCommand(uint8_t code, const TRvRect& rect, TRvPoint start, TRvPoint end)
{
    // An arc is a line; a chord and a pie are filled.
    drawCommand(code, code == cArc ? usesPen : usesPen | usesBrush, [&](ByteWriter& out) {
        putRect(out, rect);
        putPoint(out, start.x, start.y);
        putPoint(out, end.x, end.y);
    });
}

void TRvNDRWriter::Arc(const TRvRect& rect, TRvPoint start, TRvPoint end)
{
    arcCommand(cArc, rect, start, end);
}

void TRvNDRWriter::Chord(const TRvRect& rect, TRvPoint start, TRvPoint end)
{
    arcCommand(cChord, rect, start, end);
}

void TRvNDRWriter::Pie(const TRvRect& rect, TRvPoint start, TRvPoint end)
{
    arcCommand(cPie, rect, start, end);
}

void TRvNDRWriter::pointsCommand(uint8_t code, const std::vector<TRvPoint>& points)
{
    if (!drawing() || points.empty())
        return;
    if (points.size() > 32768)
        throw EReportPrinter("Too many points for a report snapshot.");
    drawCommand(code, code == cPolygon ? usesPen | usesBrush : usesPen, [&](ByteWriter& out) {
        out.int16(static_cast<int16_t>(points.size() - 1));
        for (const TRvPoint& point : points)
            putPoint(out, point.x, point.y);
    });
}

void TRvNDRWriter::Polygon(const std::vector<TRvPoint>& points)
{
    pointsCommand(cPolygon, points);
}

void TRvNDRWriter::Polyline(const std::vector<TRvPoint>& points)
{
    pointsCommand(cPolyline, points);
}

void TRvNDRWriter::FloodFill(double x, double y, TColor color, int32_t fillStyle)
{
    drawCommand(cFloodFill, usesBrush, [&](ByteWriter& out) {
        putPoint(out, x, y);
        out.int32(static_cast<int32_t>(color));
        out.int32(fillStyle);
    });
}

void TRvNDRWriter::Draw(double x, double y, const TRvGraphic& graphic)
{
    drawCommand(cDraw, usesNothing, [&](ByteWriter& out) {
        putGraphic(out, graphic);
        putPoint(out, x, y);
    });
}

void TRvNDRWriter::StretchDraw(const TRvRect& rect, const TRvGraphic& graphic)
{
    drawCommand(cStretchDraw, usesNothing, [&](ByteWriter& out) {
        putGraphic(out, graphic);
        putRect(out, rect);
    });
}

void TRvNDRWriter::PrintBitmap(double x, double y, double scaleX, double scaleY, const TRvGraphic& bitmap)
{
    bitmapCommand(cPrintBitmap, bitmap, [&](ByteWriter& out) {
        putPoint(out, x, y);
        out.floatInches(scaleX);
        out.floatInches(scaleY);
    });
}

void TRvNDRWriter::PrintBitmapRect(const TRvRect& rect, const TRvGraphic& bitmap)
{
    bitmapCommand(cPrintBitmapRect, bitmap, [&](ByteWriter& out) { putRect(out, rect); });
}

void TRvNDRWriter::BrushCopy(const TRvRect& dest, const TRvGraphic& bitmap, const TRvRect& source, TColor color)
{
    drawCommand(cBrushCopy, usesNothing, [&](ByteWriter& out) {
        putGraphic(out, bitmap);
        putRect(out, dest);
        putRect(out, source);
        out.int32(static_cast<int32_t>(color));
    });
}

void TRvNDRWriter::CopyRect(const TRvRect&, const TRvRect&)
{
    throw EReportPrinter("CopyRect() not supported in file mode.");
}

} // namespace qv

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
    if (!drawing())
        return;
    syncFont();
    ByteWriter out;
    bool asBlock = AccuracyMethod == TAccuracyMethod::amPositioning && text.find(' ') != std::string::npos
        && !textNeedsExactPath(text) && m_font.rotation == 0;
    if (asBlock) {
        out.byte(cBlockText);
        out.floatInches(sy(y));
        out.string(text);
        out.floatInches(sx(start));
        out.floatInches(sw(width));
    } else {
        uint8_t code = justify == TPrintJustify::pjCenter ? cCenterText : justify == TPrintJustify::pjRight ? cRightText : cLeftText;
        out.byte(code);
        out.floatInches(sy(y));
        out.string(text);
        out.floatInches(sx(x));
    }
    emit(out);
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
    if (!drawing())
        return;
    syncFont();
    ByteWriter out;
    out.byte(cPrintSpaces);
    out.floatInches(sy(y));
    out.string(text);
    out.floatInches(sx(x));
    out.floatInches(sw(width));
    emit(out);
}

void TRvNDRWriter::TextRect(const TRvRect& rect, double x, double y, const std::string& text)
{
    m_currentX = x + TextWidth(text);
    if (!drawing())
        return;
    syncFont();
    ByteWriter out;
    out.byte(cTextRect);
    putRect(out, rect);
    out.floatInches(sx(x));
    out.floatInches(sy(y));
    out.string(text);
    emit(out);
}

void TRvNDRWriter::MoveTo(double x, double y)
{
    if (!drawing())
        return;
    ByteWriter out;
    out.byte(cMoveTo);
    putPoint(out, x, y);
    emit(out);
}

void TRvNDRWriter::LineTo(double x, double y)
{
    if (!drawing())
        return;
    syncPen();
    ByteWriter out;
    out.byte(cLineTo);
    putPoint(out, x, y);
    emit(out);
}

void TRvNDRWriter::shapeCommand(uint8_t code, const TRvRect& rect, bool usesPen, bool usesBrush)
{
    if (!drawing())
        return;
    if (usesPen)
        syncPen();
    if (usesBrush)
        syncBrush();
    ByteWriter out;
    out.byte(code);
    putRect(out, rect);
    emit(out);
}

void TRvNDRWriter::Rectangle(const TRvRect& rect)
{
    shapeCommand(cRectangle, rect, true, true);
}

void TRvNDRWriter::TabRectangle(const TRvRect& rect)
{
    shapeCommand(cTabRectangle, rect, true, true);
}

void TRvNDRWriter::FillRect(const TRvRect& rect)
{
    shapeCommand(cFillRect, rect, false, true);
}

void TRvNDRWriter::FrameRect(const TRvRect& rect)
{
    shapeCommand(cFrameRect, rect, false, true);
}

void TRvNDRWriter::DrawFocusRect(const TRvRect& rect)
{
    shapeCommand(cDrawFocusRect, rect, false, false);
}

void TRvNDRWriter::Ellipse(const TRvRect& rect)
{
    shapeCommand(cEllipse, rect, true, true);
}

void TRvNDRWriter::RoundRect(const TRvRect& rect, double cornerWidth, double cornerHeight)
{
    if (!drawing())
        return;
    syncPen();
    syncBrush();
    ByteWriter out;
    out.byte(cRoundRect);
    putRect(out, rect);
    out.floatInches(sw(cornerWidth));
    out.floatInches(sh(cornerHeight));
    emit(out);
}

void TRvNDRWriter::arcCommand(uint8_t code, const TRvRect& rect, TRvPoint start, TRvPoint end)
{
    if (!drawing())
        return;
    syncPen();
    if (code != cArc)
        syncBrush();
    ByteWriter out;
    out.byte(code);
    putRect(out, rect);
    putPoint(out, start.x, start.y);
    putPoint(out, end.x, end.y);
    emit(out);
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
    syncPen();
    if (code == cPolygon)
        syncBrush();
    ByteWriter out;
    out.byte(code);
    out.int16(static_cast<int16_t>(points.size() - 1));
    for (const TRvPoint& point : points)
        putPoint(out, point.x, point.y);
    emit(out);
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
    if (!drawing())
        return;
    syncBrush();
    ByteWriter out;
    out.byte(cFloodFill);
    putPoint(out, x, y);
    out.int32(static_cast<int32_t>(color));
    out.int32(fillStyle);
    emit(out);
}

void TRvNDRWriter::Draw(double x, double y, const TRvGraphic& graphic)
{
    if (!drawing())
        return;
    ByteWriter out;
    out.byte(cDraw);
    putGraphic(out, graphic);
    putPoint(out, x, y);
    emit(out);
}

void TRvNDRWriter::StretchDraw(const TRvRect& rect, const TRvGraphic& graphic)
{
    if (!drawing())
        return;
    ByteWriter out;
    out.byte(cStretchDraw);
    putGraphic(out, graphic);
    putRect(out, rect);
    emit(out);
}

void TRvNDRWriter::PrintBitmap(double x, double y, double scaleX, double scaleY, const TRvGraphic& bitmap)
{
    if (!drawing())
        return;
    ByteWriter out;
    out.byte(cTransBitmap);
    out.byte(m_transparentBitmap ? 1 : 0);
    out.byte(cPrintBitmap);
    putGraphic(out, bitmap);
    putPoint(out, x, y);
    out.floatInches(scaleX);
    out.floatInches(scaleY);
    emit(out);
}

void TRvNDRWriter::PrintBitmapRect(const TRvRect& rect, const TRvGraphic& bitmap)
{
    if (!drawing())
        return;
    ByteWriter out;
    out.byte(cTransBitmap);
    out.byte(m_transparentBitmap ? 1 : 0);
    out.byte(cPrintBitmapRect);
    putGraphic(out, bitmap);
    putRect(out, rect);
    emit(out);
}

void TRvNDRWriter::BrushCopy(const TRvRect& dest, const TRvGraphic& bitmap, const TRvRect& source, TColor color)
{
    if (!drawing())
        return;
    ByteWriter out;
    out.byte(cBrushCopy);
    putGraphic(out, bitmap);
    putRect(out, dest);
    putRect(out, source);
    out.int32(static_cast<int32_t>(color));
    emit(out);
}

void TRvNDRWriter::CopyRect(const TRvRect&, const TRvRect&)
{
    throw EReportPrinter("CopyRect() not supported in file mode.");
}

} // namespace qv

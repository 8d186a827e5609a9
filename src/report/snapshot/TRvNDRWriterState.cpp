// The writer's current font, pen, brush and page settings, and the commands that bring
// the snapshot up to date with them.
#include "report/snapshot/TRvNDRWriter.h"

#include "report/snapshot/EReportPrinter.h"

namespace qv {

using namespace snapshot;

void TRvNDRWriter::writeFullState()
{
    ByteWriter out;
    out.byte(cResetBrush);
    out.int32(static_cast<int32_t>(m_brush.color));
    out.byte(m_brush.style);
    out.byte(m_brush.bitmap ? 1 : 0);
    if (m_brush.bitmap)
        putGraphic(out, *m_brush.bitmap);
    m_writtenBrush = m_brush;

    out.byte(cResetFont);
    out.string(m_font.name);
    out.int32(static_cast<int32_t>(m_font.color));
    out.byte(m_font.pitch);
    out.floatInches(m_font.size / 72.0);
    out.byte(m_font.bold);
    out.byte(m_font.italic);
    out.byte(m_font.strikeout);
    out.byte(m_font.underline);
    out.int16(m_font.rotation);
    putFontHeight(out, m_font);
    if (m_font.underline) {
        out.byte(cFontUnderline);
        out.byte(1);
    }
    // Attributes that the complete font command does not carry.
    if (m_font.charset != TRvFont().charset) {
        out.byte(cFontCharset);
        out.byte(m_font.charset);
    }
    for (auto [code, on] : { std::pair { cFontSuperscript, m_font.superscript }, std::pair { cFontSubscript, m_font.subscript } }) {
        if (on) {
            out.byte(code);
            out.byte(1);
        }
    }
    if (m_font.align != 0) {
        out.byte(cFontAlign);
        out.byte(m_font.align);
    }
    m_writtenFont = m_font;

    out.byte(cResetPen);
    out.int32(static_cast<int32_t>(m_pen.color));
    out.byte(m_pen.mode);
    out.byte(m_pen.style);
    out.float32(m_pen.width);
    m_writtenPen = m_pen;

    out.byte(cSetScaleX);
    out.floatInches(m_scaleX);
    out.byte(cSetScaleY);
    out.floatInches(m_scaleY);
    out.byte(cSetTextBKMode);
    out.byte(static_cast<uint8_t>(m_bkMode));
    out.byte(cSetBKColor);
    out.int32(static_cast<int32_t>(m_bkColor));
    for (Variable& variable : m_variables)
        putVariable(out, variable);
    emit(out);
}

void TRvNDRWriter::syncFont()
{
    if (!writing() || m_font == m_writtenFont)
        return;
    const TRvFont& now = m_font;
    const TRvFont& was = m_writtenFont;
    ByteWriter out;
    auto flag = [&](uint8_t code, bool before, bool after) {
        if (before == after)
            return;
        out.byte(code);
        out.byte(after ? 1 : 0);
    };
    if (now.name != was.name) {
        out.byte(cFontName);
        out.string(now.name);
    }
    if (now.color != was.color) {
        out.byte(cFontColor);
        out.int32(static_cast<int32_t>(now.color));
    }
    if (now.pitch != was.pitch) {
        out.byte(cFontPitch);
        out.byte(now.pitch);
    }
    if (now.charset != was.charset) {
        out.byte(cFontCharset);
        out.byte(now.charset);
    }
    flag(cFontBold, was.bold, now.bold);
    flag(cFontUnderline, was.underline, now.underline);
    flag(cFontItalic, was.italic, now.italic);
    flag(cFontStrikeout, was.strikeout, now.strikeout);
    flag(cFontSuperscript, was.superscript, now.superscript);
    flag(cFontSubscript, was.subscript, now.subscript);
    if (now.rotation != was.rotation) {
        out.byte(cFontRotation);
        out.int16(now.rotation);
    }
    if (now.align != was.align) {
        out.byte(cFontAlign);
        out.byte(now.align);
    }
    bool metricsChanged = now.name != was.name || now.pitch != was.pitch || now.charset != was.charset
        || now.size != was.size || now.bold != was.bold || now.italic != was.italic
        || now.underline != was.underline || now.strikeout != was.strikeout
        || now.superscript != was.superscript || now.subscript != was.subscript;
    if (metricsChanged)
        putFontHeight(out, now);
    m_writtenFont = now;
    emit(out);
}

void TRvNDRWriter::syncPen()
{
    if (!writing() || m_pen == m_writtenPen)
        return;
    ByteWriter out;
    if (m_pen.color != m_writtenPen.color) {
        out.byte(cPenColor);
        out.int32(static_cast<int32_t>(m_pen.color));
    }
    if (m_pen.mode != m_writtenPen.mode) {
        out.byte(cPenMode);
        out.byte(m_pen.mode);
    }
    if (m_pen.style != m_writtenPen.style) {
        out.byte(cPenStyle);
        out.byte(m_pen.style);
    }
    if (m_pen.width != m_writtenPen.width) {
        out.byte(cPenWidth);
        out.float32(m_pen.width);
    }
    m_writtenPen = m_pen;
    emit(out);
}

void TRvNDRWriter::syncBrush()
{
    if (!writing() || m_brush == m_writtenBrush)
        return;
    ByteWriter out;
    if (m_brush.color != m_writtenBrush.color) {
        out.byte(cBrushColor);
        out.int32(static_cast<int32_t>(m_brush.color));
    }
    if (m_brush.style != m_writtenBrush.style) {
        out.byte(cBrushStyle);
        out.byte(m_brush.style);
    }
    TRvBrush bitmapOnly;
    bitmapOnly.bitmap = m_writtenBrush.bitmap;
    TRvBrush newBitmapOnly;
    newBitmapOnly.bitmap = m_brush.bitmap;
    if (!(bitmapOnly == newBitmapOnly)) {
        out.byte(cBrushBitmap);
        out.byte(m_brush.bitmap ? 1 : 0);
        if (m_brush.bitmap)
            putGraphic(out, *m_brush.bitmap);
    }
    m_writtenBrush = m_brush;
    emit(out);
}

void TRvNDRWriter::SetScaleX(double percent)
{
    if (percent == m_scaleX)
        return;
    m_scaleX = percent;
    if (!writing())
        return;
    ByteWriter out;
    out.byte(cSetScaleX);
    out.floatInches(percent);
    emit(out);
}

void TRvNDRWriter::SetScaleY(double percent)
{
    if (percent == m_scaleY)
        return;
    m_scaleY = percent;
    if (!writing())
        return;
    ByteWriter out;
    out.byte(cSetScaleY);
    out.floatInches(percent);
    emit(out);
}

void TRvNDRWriter::SetOrigin(double x, double y)
{
    m_originX = x;
    m_originY = y;
}

void TRvNDRWriter::SetTextBKMode(TBKMode mode)
{
    if (mode == m_bkMode)
        return;
    m_bkMode = mode;
    if (!writing())
        return;
    ByteWriter out;
    out.byte(cSetTextBKMode);
    out.byte(static_cast<uint8_t>(mode));
    emit(out);
}

void TRvNDRWriter::SetBKColor(TColor color)
{
    if (color == m_bkColor)
        return;
    m_bkColor = color;
    if (!writing())
        return;
    ByteWriter out;
    out.byte(cSetBKColor);
    out.int32(static_cast<int32_t>(color));
    emit(out);
}

void TRvNDRWriter::SetFrameMode(uint8_t mode)
{
    if (!writing())
        return;
    ByteWriter out;
    out.byte(cSetFrameMode);
    out.byte(mode);
    emit(out);
}

void TRvNDRWriter::SetTransparentBitmap(bool transparent)
{
    m_transparentBitmap = transparent;
}

void TRvNDRWriter::ChangeOrientation(TOrientation orientation)
{
    if (orientation == TOrientation::poDefault)
        return;
    Orientation = orientation;
    if (!writing())
        return;
    ByteWriter out;
    out.byte(cSetOrientation);
    out.byte(orientation == TOrientation::poLandScape ? 1 : 0);
    emit(out);
}

void TRvNDRWriter::ChangeBin(const std::string& binName)
{
    if (!writing())
        return;
    ByteWriter out;
    out.byte(cSetBin);
    out.string(binName);
    emit(out);
}

} // namespace qv

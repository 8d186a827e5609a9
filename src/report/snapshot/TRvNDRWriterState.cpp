// The writer's current font, pen, brush and page settings, and the commands that bring
// the snapshot up to date with them.
#include "report/snapshot/TRvNDRWriter.h"

#include "report/snapshot/EReportPrinter.h"

#include <type_traits>
#include <utility>

namespace qv {

using namespace snapshot;

namespace {

// The command with the new value, when the value changed.
template<class T, class Arg>
void putIfChanged(ByteWriter& out, uint8_t code, const T& was, const T& now, void (ByteWriter::*put)(Arg))
{
    if (was == now)
        return;
    out.byte(code);
    (out.*put)(static_cast<std::decay_t<Arg>>(now));
}

} // namespace

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

template<class Tool, class PutChanges>
void TRvNDRWriter::syncTool(Tool& written, const Tool& now, PutChanges putChanges)
{
    if (!writing() || now == written)
        return;
    ByteWriter out;
    putChanges(out, written, now);
    written = now;
    emit(out);
}

void TRvNDRWriter::syncFont()
{
    syncTool(m_writtenFont, m_font, [this](ByteWriter& out, const TRvFont& was, const TRvFont& now) {
        putIfChanged(out, cFontName, was.name, now.name, &ByteWriter::string);
        putIfChanged(out, cFontColor, was.color, now.color, &ByteWriter::int32);
        putIfChanged(out, cFontPitch, was.pitch, now.pitch, &ByteWriter::byte);
        putIfChanged(out, cFontCharset, was.charset, now.charset, &ByteWriter::byte);
        for (const FontFlag& flag : kFontFlags)
            putIfChanged(out, flag.code, was.*flag.member, now.*flag.member, &ByteWriter::byte);
        putIfChanged(out, cFontRotation, was.rotation, now.rotation, &ByteWriter::int16);
        putIfChanged(out, cFontAlign, was.align, now.align, &ByteWriter::byte);
        bool metricsChanged = now.name != was.name || now.pitch != was.pitch || now.charset != was.charset
            || now.size != was.size || now.bold != was.bold || now.italic != was.italic
            || now.underline != was.underline || now.strikeout != was.strikeout
            || now.superscript != was.superscript || now.subscript != was.subscript;
        if (metricsChanged)
            putFontHeight(out, now);
    });
}

void TRvNDRWriter::syncPen()
{
    syncTool(m_writtenPen, m_pen, [](ByteWriter& out, const TRvPen& was, const TRvPen& now) {
        putIfChanged(out, cPenColor, was.color, now.color, &ByteWriter::int32);
        putIfChanged(out, cPenMode, was.mode, now.mode, &ByteWriter::byte);
        putIfChanged(out, cPenStyle, was.style, now.style, &ByteWriter::byte);
        putIfChanged(out, cPenWidth, was.width, now.width, &ByteWriter::float32);
    });
}

void TRvNDRWriter::syncBrush()
{
    syncTool(m_writtenBrush, m_brush, [this](ByteWriter& out, const TRvBrush& was, const TRvBrush& now) {
        putIfChanged(out, cBrushColor, was.color, now.color, &ByteWriter::int32);
        putIfChanged(out, cBrushStyle, was.style, now.style, &ByteWriter::byte);
        TRvBrush bitmapOnly;
        bitmapOnly.bitmap = was.bitmap;
        TRvBrush newBitmapOnly;
        newBitmapOnly.bitmap = now.bitmap;
        if (!(bitmapOnly == newBitmapOnly)) {
            out.byte(cBrushBitmap);
            out.byte(now.bitmap ? 1 : 0);
            if (now.bitmap)
                putGraphic(out, *now.bitmap);
        }
    });
}

template<class T, class Arg>
void TRvNDRWriter::changeSetting(T& setting, T value, uint8_t code, void (ByteWriter::*put)(Arg))
{
    T was = std::exchange(setting, value);
    if (was == value || !writing())
        return;
    ByteWriter out;
    putIfChanged(out, code, was, value, put);
    emit(out);
}

void TRvNDRWriter::SetScaleX(double percent)
{
    changeSetting(m_scaleX, percent, cSetScaleX, &ByteWriter::floatInches);
}

void TRvNDRWriter::SetScaleY(double percent)
{
    changeSetting(m_scaleY, percent, cSetScaleY, &ByteWriter::floatInches);
}

void TRvNDRWriter::SetOrigin(double x, double y)
{
    m_originX = x;
    m_originY = y;
}

void TRvNDRWriter::SetTextBKMode(TBKMode mode)
{
    changeSetting(m_bkMode, mode, cSetTextBKMode, &ByteWriter::byte);
}

void TRvNDRWriter::SetBKColor(TColor color)
{
    changeSetting(m_bkColor, color, cSetBKColor, &ByteWriter::int32);
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

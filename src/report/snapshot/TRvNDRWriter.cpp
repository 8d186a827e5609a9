#include "report/snapshot/TRvNDRWriter.h"

#include "report/snapshot/EReportPrinter.h"
#include "report/snapshot/PrintRange.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <filesystem>
#include <random>
#include <unistd.h>

namespace qv {

using namespace snapshot;

namespace {

bool textNeedsExactPath(const std::string& text)
{
    return text.find(kPlaceholderStart) != std::string::npos || text.find(kFormattingCode) != std::string::npos;
}

std::string cutToBytes(const std::string& text, size_t limit)
{
    if (text.size() <= limit)
        return text;
    size_t cut = limit;
    while (cut > 0 && (static_cast<uint8_t>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut);
}

std::unique_ptr<TFileStream> createTempFile()
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path directory = fs::temp_directory_path(error);
    if (error)
        throw EReportPrinter("Cannot find the temporary directory.");
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "RV%08X.tmp", static_cast<unsigned>(random()));
        fs::path candidate = directory / name;
        if (fs::exists(candidate, error))
            continue;
        return std::make_unique<TFileStream>(candidate.string(), TFileStream::Mode::Create);
    }
    throw EReportPrinter("Cannot create a temporary file in \"%s\".", directory.string());
}

} // namespace

TRvNDRWriter::TRvNDRWriter()
    : m_measurer(&m_screenMeasurer)
{
}

TRvNDRWriter::~TRvNDRWriter() = default;

void TRvNDRWriter::SetMeasurer(const TextMeasurer* measurer)
{
    m_measurer = measurer ? measurer : &m_screenMeasurer;
}

void TRvNDRWriter::Execute()
{
    if (OnBeforePrint)
        OnBeforePrint(*this);
    Start();
    if (OnPrint) {
        OnPrint(*this);
    } else if (OnPrintPage) {
        while (!m_aborted && OnPrintPage(*this, m_pageNumber) && !m_aborted)
            NewPage();
    }
    End();
    if (OnAfterPrint)
        OnAfterPrint(*this);
}

void TRvNDRWriter::Start()
{
    if (m_state == State::Printing)
        throw EReportPrinter("Invalid method call.  Report writer already printing.");
    m_runDateTime = std::chrono::system_clock::now();
    m_variables.clear();
    m_unfilledSlots.clear();
    m_aborted = false;
    m_pageNumber = 0;
    m_pagesWritten = 0;
    m_lastPageHeader = 0;
    m_lastNextPosition = -1;
    m_graphicSlots.fill(0);
    m_registerPending = m_reusePending = 0;
    openOutput();
    writeFileHeader();
    m_state = State::Printing;
    beginPage();
    fire(OnPrintHeader);
}

void TRvNDRWriter::openOutput()
{
    m_buffer.reset();
    m_ownStream.reset();
    m_output = nullptr;
    switch (StreamMode) {
    case TStreamMode::smMemory:
        m_ownStream = std::make_unique<TMemoryStream>();
        break;
    case TStreamMode::smFile:
        m_ownStream = std::make_unique<TFileStream>(FileName, TFileStream::Mode::Create);
        break;
    case TStreamMode::smUser:
        if (!Stream)
            throw EReportPrinter("StreamMode is smUser but Stream is nil");
        Stream->seek(0);
        m_output = Stream;
        break;
    case TStreamMode::smTempFile: {
        auto file = createTempFile();
        FileName = file->fileName();
        m_tempFileCleanup = std::make_unique<ExitCleanup>([path = FileName] { ::unlink(path.c_str()); });
        m_ownStream = std::move(file);
        break;
    }
    }
    if (m_ownStream)
        m_output = m_ownStream.get();
    m_buffer = std::make_unique<OutputBuffer>(*m_output);
}

double TRvNDRWriter::pageWidth() const
{
    return Orientation == TOrientation::poLandScape ? Paper.paperHeight : Paper.paperWidth;
}

double TRvNDRWriter::pageHeight() const
{
    return Orientation == TOrientation::poLandScape ? Paper.paperWidth : Paper.paperHeight;
}

void TRvNDRWriter::writeFileHeader()
{
    ByteWriter out;
    out.byte(kMarkerCurrent);
    out.int16(kWriterVersion);
    out.string(Title);
    m_pageCountPosition = m_buffer->position() + static_cast<int64_t>(out.bytes().size());
    out.int16(0);
    out.int16(static_cast<int16_t>(std::clamp(FirstPage, -32768, 32767)));
    out.int16(static_cast<int16_t>(std::clamp(LastPage, -32768, 32767)));
    out.floatInches(pageWidth());
    out.floatInches(pageHeight());
    out.floatInches(Paper.leftWaste);
    out.floatInches(Paper.rightWaste);
    out.floatInches(Paper.topWaste);
    out.floatInches(Paper.bottomWaste);
    out.byte(Orientation == TOrientation::poLandScape ? 1 : 0);
    out.int16(Paper.bin);
    out.byte(Paper.collate ? 1 : 0);
    out.byte(Paper.duplex);
    out.int16(Paper.copies);
    out.int16(Paper.paperSize);
    out.int16(Paper.customWidth);
    out.int16(Paper.customLength);
    out.string(Paper.outputName);
    m_buffer->write(out.bytes());
}

void TRvNDRWriter::requirePrinting() const
{
    if (m_state != State::Printing)
        throw EReportPrinter("Invalid method call.  Report writer is not printing.");
}

// Output needs a started run; after an abort, or on a page outside the print range,
// it writes nothing.
bool TRvNDRWriter::drawing() const
{
    if (m_aborted)
        return false;
    requirePrinting();
    return m_pageOpen;
}

void TRvNDRWriter::NewPage()
{
    if (m_aborted)
        return;
    requirePrinting();
    fire(OnPrintFooter);
    endPage();
    beginPage();
    fire(OnNewPage);
    fire(OnPrintHeader);
}

void TRvNDRWriter::beginPage()
{
    ++m_pageNumber;
    m_currentX = 0;
    updateStatus(m_pageNumber);
    m_pageOpen = pageInRange(m_pageNumber, PageSelection, FirstPage, LastPage);
    if (!m_pageOpen)
        return;
    if (m_pagesWritten >= 32767)
        throw EReportPrinter("Too many pages for a report snapshot.");
    m_buffer->flush();
    int64_t header = m_buffer->position();
    if (header > INT32_MAX)
        throw EReportPrinter("Report snapshot is too large.");
    if (m_lastNextPosition >= 0) {
        ByteWriter link;
        link.int32(static_cast<int32_t>(header));
        m_buffer->patch(m_lastNextPosition, link.bytes().data(), 4);
    }
    ByteWriter out;
    out.byte(cNewPage);
    out.int32(static_cast<int32_t>(m_pagesWritten == 0 ? 0 : m_lastPageHeader));
    m_lastNextPosition = header + static_cast<int64_t>(out.bytes().size());
    out.int32(0);
    out.int16(static_cast<int16_t>(m_pageNumber));
    out.floatInches(pageWidth());
    out.floatInches(pageHeight());
    m_buffer->write(out.bytes());
    m_lastPageHeader = header;
    ++m_pagesWritten;
    writeFullState();
}

void TRvNDRWriter::endPage()
{
    if (!m_pageOpen)
        return;
    uint8_t end = cEndPage;
    m_buffer->write(&end, 1);
    m_pageOpen = false;
}

void TRvNDRWriter::End()
{
    // Ending again after an abort has nothing left to do.
    if (m_state == State::Finished)
        return;
    requirePrinting();
    if (!m_closingOnAbort)
        fire(OnPrintFooter);
    endPage();
    // A slot still waiting for its value would point at itself; close it empty.
    for (int64_t slot : std::vector<int64_t>(m_unfilledSlots))
        fillSlot(slot, "");
    ByteWriter count;
    count.int16(static_cast<int16_t>(m_pagesWritten));
    m_buffer->patch(m_pageCountPosition, count.bytes().data(), 2);
    m_buffer->flush();
    if (m_output->size() > m_buffer->position())
        m_output->setSize(m_buffer->position());
    m_output->seek(0);
    m_state = State::Finished;
}

void TRvNDRWriter::Abort()
{
    if (m_aborted)
        return;
    // The current page is closed without its footer; nothing more is written.
    if (m_state == State::Printing) {
        m_closingOnAbort = true;
        End();
        m_closingOnAbort = false;
    }
    m_aborted = true;
}

TStream* TRvNDRWriter::OutputStream() const
{
    return m_output;
}

std::unique_ptr<TStream> TRvNDRWriter::TakeOutputStream()
{
    if (m_state == State::Printing)
        return nullptr;
    m_output = nullptr;
    return std::move(m_ownStream);
}

void TRvNDRWriter::emit(ByteWriter& bytes)
{
    m_buffer->write(bytes.bytes());
}

void TRvNDRWriter::putPoint(ByteWriter& out, double x, double y) const
{
    out.floatInches(sx(x));
    out.floatInches(sy(y));
}

void TRvNDRWriter::putRect(ByteWriter& out, const TRvRect& rect) const
{
    putPoint(out, rect.left, rect.top);
    putPoint(out, rect.right, rect.bottom);
}

void TRvNDRWriter::putGraphic(ByteWriter& out, const TRvGraphic& graphic)
{
    uint8_t type = static_cast<uint8_t>(graphic.type) & 0x7F;
    int reuse = std::exchange(m_reusePending, 0);
    int registerSlot = std::exchange(m_registerPending, 0);
    if (reuse > 0 && m_graphicSlots[reuse] > 0) {
        out.byte(type | kGraphicReuseFlag);
        out.int32(static_cast<int32_t>(m_graphicSlots[reuse]));
        return;
    }
    if (graphic.data.size() > INT32_MAX)
        throw EReportPrinter("Graphic is too large for a report snapshot.");
    out.byte(type);
    int64_t sizePosition = m_buffer->position() + static_cast<int64_t>(out.bytes().size());
    out.int32(static_cast<int32_t>(graphic.data.size()));
    out.raw(graphic.data.data(), graphic.data.size());
    if (registerSlot > 0)
        m_graphicSlots[registerSlot] = sizePosition;
}

void TRvNDRWriter::putFontHeight(ByteWriter& out, const TRvFont& font) const
{
    out.byte(cFontHeight);
    out.floatInches(font.size / 72.0);
    out.floatInches(m_measurer->textWidth(font, kFontSampleText));
}

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

void TRvNDRWriter::checkGraphicIndex(int index, const char* operation) const
{
    if (index < 1 || index > kMaxGraphicSlot)
        throw EReportPrinter(std::string(operation) + ": Index must be between 1 and %d", std::to_string(kMaxGraphicSlot));
}

void TRvNDRWriter::RegisterGraphic(int index)
{
    checkGraphicIndex(index, "RegisterGraphic");
    m_registerPending = index;
}

void TRvNDRWriter::ReuseGraphic(int index)
{
    checkGraphicIndex(index, "ReuseGraphic");
    m_reusePending = index;
}

void TRvNDRWriter::UnregisterGraphic(int index)
{
    checkGraphicIndex(index, "UnregisterGraphic");
    m_graphicSlots[index] = 0;
}

TRvNDRWriter::Variable* TRvNDRWriter::findVariable(const std::string& name)
{
    for (Variable& variable : m_variables) {
        if (variable.name == name)
            return &variable;
    }
    return nullptr;
}

void TRvNDRWriter::putVariable(ByteWriter& out, Variable& variable)
{
    out.byte(cVariableData);
    out.string(variable.name);
    if (variable.value) {
        // Lengths from 254 up mark a pointer, so a known value stops at 253 bytes.
        std::string value = cutToBytes(*variable.value, kVariablePointerLength - 1);
        out.byte(static_cast<uint8_t>(value.size()));
        out.byte(static_cast<uint8_t>(value.size()));
        out.raw(value.data(), value.size());
        return;
    }
    int64_t slot = m_buffer->position() + static_cast<int64_t>(out.bytes().size());
    if (variable.slotPosition < 0) {
        // The reserved slot points at itself until SetVariable fills it in.
        variable.slotPosition = slot;
        m_unfilledSlots.push_back(slot);
        out.byte(kVariableSlotSize);
        out.byte(kVariableUnknownLength);
        out.int32(static_cast<int32_t>(slot));
        std::vector<uint8_t> rest(kVariableSlotSize - 4, 0);
        out.raw(rest.data(), rest.size());
        return;
    }
    out.byte(4);
    out.byte(kVariableUnknownLength);
    out.int32(static_cast<int32_t>(variable.slotPosition));
}

void TRvNDRWriter::DefineVariable(const std::string& name)
{
    Variable* variable = findVariable(name);
    if (!variable) {
        m_variables.push_back({ name, std::nullopt, -1 });
        variable = &m_variables.back();
    } else {
        *variable = { name, std::nullopt, -1 };
    }
    if (!writing())
        return;
    ByteWriter out;
    putVariable(out, *variable);
    emit(out);
}

void TRvNDRWriter::DefineVariable(const std::string& name, const std::string& value)
{
    Variable* variable = findVariable(name);
    if (!variable) {
        m_variables.push_back({ name, value, -1 });
        variable = &m_variables.back();
    } else {
        variable->value = value;
    }
    if (!writing())
        return;
    ByteWriter out;
    putVariable(out, *variable);
    emit(out);
}

void TRvNDRWriter::SetVariable(const std::string& name, const std::string& value)
{
    Variable* variable = findVariable(name);
    if (!variable) {
        DefineVariable(name, value);
        return;
    }
    variable->value = value;
    if (variable->slotPosition < 0 || m_state != State::Printing)
        return;
    fillSlot(variable->slotPosition, value);
}

void TRvNDRWriter::fillSlot(int64_t position, const std::string& value)
{
    std::string text = cutToBytes(value, kVariableSlotSize);
    ByteWriter slot;
    slot.byte(kVariableSlotSize);
    slot.byte(static_cast<uint8_t>(text.size()));
    slot.raw(text.data(), text.size());
    m_buffer->patch(position, slot.bytes().data(), slot.bytes().size());
    std::erase(m_unfilledSlots, position);
}

} // namespace qv

#include "report/snapshot/TRPConverter.h"

#include "report/snapshot/EReportPrinter.h"
#include "runtime/core/DisplayFormat.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qv {

using namespace snapshot;

namespace {

constexpr int kMaxVariableIndirection = 4;

EReportPrinter truncatedError()
{
    return EReportPrinter("Unexpected end of report file.");
}

// Date and time variables 0 to 7 as display patterns. The short and long forms are the
// user's; the US, international, AM/PM and 24-hour forms keep the separators their
// names promise.
std::string dateTimeVariable(int number, const std::tm& t)
{
    static constexpr const char* formats[] = { "ddddd", "dddddd", "mm'/'dd'/'yy", "dd'/'mm'/'yy", "t", "tt", "hh':'nn ampm", "hh':'nn" };
    if (number < 0 || number > 7)
        return "";
    int year = t.tm_year + 1900;
    int month = t.tm_mon + 1;
    // A clock that reports an impossible date prints nothing rather than a wrong one.
    if (!isValidDate(year, month, t.tm_mday) || t.tm_hour < 0 || t.tm_hour > 23 || t.tm_min < 0 || t.tm_min > 59
        || t.tm_sec < 0 || t.tm_sec > 60)
        return "";
    int seconds = t.tm_hour * 3600 + t.tm_min * 60 + std::min(t.tm_sec, 59);
    return formatDateTime(formats[number], encodeDate(year, month, t.tm_mday) + seconds / 86400.0);
}

std::tm localNow()
{
    std::time_t now = std::time(nullptr);
    std::tm result {};
    localtime_r(&now, &result);
    return result;
}

} // namespace

TRPConverter::TRPConverter(TStream& stream, TRPRender& render)
    : Now(localNow)
    , m_stream(stream)
    , m_render(render)
{
}

const TRPSnapshotHeader& TRPConverter::Header()
{
    if (!m_header)
        readHeader();
    return *m_header;
}

void TRPConverter::need(int64_t count) const
{
    if (count < 0 || m_stream.position() > m_size - count)
        throw truncatedError();
}

void TRPConverter::seekChecked(int64_t position)
{
    if (position < 0 || position > m_size)
        throw EReportPrinter("Invalid position found in report file.");
    m_stream.seek(position);
}

uint8_t TRPConverter::readByte()
{
    uint8_t value;
    if (m_stream.read(&value, 1) != 1)
        throw truncatedError();
    return value;
}

int16_t TRPConverter::readInt16()
{
    uint8_t bytes[2];
    if (m_stream.read(bytes, 2) != 2)
        throw truncatedError();
    return static_cast<int16_t>(bytes[0] | (bytes[1] << 8));
}

int32_t TRPConverter::readInt32()
{
    uint8_t bytes[4];
    if (m_stream.read(bytes, 4) != 4)
        throw truncatedError();
    uint32_t value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
    return static_cast<int32_t>(value);
}

double TRPConverter::readFloat()
{
    uint32_t bits = static_cast<uint32_t>(readInt32());
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string TRPConverter::readBytes(int64_t count)
{
    need(count);
    std::string bytes(static_cast<size_t>(count), '\0');
    if (count > 0 && m_stream.read(bytes.data(), bytes.size()) != bytes.size())
        throw truncatedError();
    return bytes;
}

std::string TRPConverter::readString()
{
    int64_t length = readByte();
    if (length > static_cast<int64_t>(kMaxShortString))
        length = ((length << 8) | readByte()) - 0xC000;
    return readBytes(length);
}

TRPPoint TRPConverter::readPoint()
{
    double x = readFloat();
    double y = readFloat();
    return { x, y };
}

TRPRect TRPConverter::readRect()
{
    TRPPoint topLeft = readPoint();
    TRPPoint bottomRight = readPoint();
    return { topLeft, bottomRight };
}

TRvGraphic TRPConverter::readGraphic()
{
    uint8_t kind = readByte();
    uint8_t type = kind & 0x7F;
    if (type < 1 || type > 3)
        throw EReportPrinter("Unexpected graphic type [%d] found in report file.", std::to_string(type));
    TRvGraphic graphic;
    graphic.type = static_cast<GraphicType>(type);
    if (kind & kGraphicReuseFlag) {
        int64_t sizePosition = readInt32();
        int64_t resume = m_stream.position();
        // Only a graphic written earlier can be referred to.
        if (sizePosition <= 0 || sizePosition >= resume - 4)
            throw EReportPrinter("Invalid position found in report file.");
        seekChecked(sizePosition);
        int64_t size = readInt32();
        graphic.data.resize(0);
        std::string bytes = readBytes(size);
        graphic.data.assign(bytes.begin(), bytes.end());
        m_stream.seek(resume);
        return graphic;
    }
    int64_t size = readInt32();
    std::string bytes = readBytes(size);
    graphic.data.assign(bytes.begin(), bytes.end());
    return graphic;
}

void TRPConverter::readHeader()
{
    m_size = m_stream.size();
    m_stream.seek(0);
    TRPSnapshotHeader header;
    header.marker = readByte();
    switch (header.marker) {
    case kMarkerCurrent:
        header.version = readInt16();
        break;
    case kMarkerVersion1101:
        header.version = 1101;
        break;
    case kMarkerVersion2009:
        header.version = 2009;
        break;
    default:
        throw EReportPrinter("Unexpected header code [%d] found in report file.", std::to_string(header.marker));
    }
    if (header.version > 2009)
        header.title = readString();
    header.pageCount = readInt16();
    if (header.pageCount < 0)
        throw EReportPrinter("Invalid page count found in report file.");
    header.firstPage = readInt16();
    header.lastPage = readInt16();
    header.paperWidth = readFloat();
    header.paperHeight = readFloat();
    header.leftWaste = readFloat();
    header.rightWaste = readFloat();
    header.topWaste = readFloat();
    header.bottomWaste = readFloat();
    header.orientation = readByte();
    if (header.version >= 2000) {
        header.bin = readInt16();
        header.collate = readByte() != 0;
        header.duplex = readByte();
    }
    header.copies = readInt16();
    header.paperSize = readInt16();
    header.customWidth = readInt16();
    header.customLength = readInt16();
    header.outputName = readString();
    m_header = header;
    m_firstPagePosition = m_stream.position();
    m_currentPage = 1;
    m_currentPagePosition = m_firstPagePosition;
}

TRPConverter::PageHeader TRPConverter::readPageHeader(int64_t position)
{
    seekChecked(position);
    if (readByte() != cNewPage)
        throw EReportPrinter("Unexpected code found in report file.");
    PageHeader page;
    page.previous = readInt32();
    page.next = readInt32();
    page.number = readInt16();
    if (m_header->version >= 2000) {
        page.width = readFloat();
        page.height = readFloat();
    } else {
        page.width = m_header->paperWidth;
        page.height = m_header->paperHeight;
    }
    return page;
}

void TRPConverter::seekPage(int page)
{
    Header();
    if (page < 1 || page > m_header->pageCount)
        throw EReportPrinter("Page %d not found in report file.", std::to_string(page));
    // Each step moves one page along the chain, so the walk is bounded by the page count.
    while (m_currentPage != page) {
        PageHeader header = readPageHeader(m_currentPagePosition);
        bool forward = m_currentPage < page;
        int64_t target = forward ? header.next : header.previous;
        // Pages follow each other in the stream; a link the other way is damage.
        bool ordered = forward ? target > m_currentPagePosition : target < m_currentPagePosition;
        if (target <= 0 || target >= m_size || !ordered)
            throw EReportPrinter("Page %d not found in report file.", std::to_string(page));
        m_currentPagePosition = target;
        m_currentPage += m_currentPage < page ? 1 : -1;
    }
}

void TRPConverter::GeneratePage(int page)
{
    seekPage(page);
    drawPage();
}

void TRPConverter::Generate()
{
    Header();
    m_render.DocBegin(*this);
    for (int page = 1; page <= m_header->pageCount; ++page)
        GeneratePage(page);
    m_render.DocEnd();
}

void TRPConverter::drawPage()
{
    PageHeader page = readPageHeader(m_currentPagePosition);
    m_drawTime = Now();
    m_drawingPageNumber = page.number;
    m_font = TRvFont();
    m_pen = TRvPen();
    m_brush = TRvBrush();
    m_variables.clear();
    m_render.PageBegin(page.number, page.width, page.height);
    for (;;) {
        uint8_t code = readByte();
        if (code == cEndPage)
            break;
        execute(code);
    }
    m_render.PageEnd();
}

std::string TRPConverter::readVariableSlot(int depth)
{
    uint8_t size = readByte();
    uint8_t length = readByte();
    std::string data = readBytes(size);
    if (length < kVariablePointerLength)
        return data.substr(0, std::min<size_t>(length, data.size()));
    if (size < 4 || depth >= kMaxVariableIndirection)
        return "";
    int32_t target;
    uint32_t bits = static_cast<uint8_t>(data[0]) | (static_cast<uint8_t>(data[1]) << 8)
        | (static_cast<uint8_t>(data[2]) << 16) | (static_cast<uint32_t>(static_cast<uint8_t>(data[3])) << 24);
    std::memcpy(&target, &bits, sizeof target);
    int64_t resume = m_stream.position();
    int64_t slotStart = resume - size - 2;
    // A reserved slot that was never filled in points at itself: no value.
    if (target == slotStart)
        return "";
    seekChecked(target);
    std::string value = readVariableSlot(depth + 1);
    m_stream.seek(resume);
    return value;
}

std::string TRPConverter::variableValue(int number, int pageNumber) const
{
    if (number <= 7)
        return dateTimeVariable(number, m_drawTime);
    switch (number) {
    case 8:
        return std::to_string(m_header ? m_header->firstPage : 0);
    case 9:
        return std::to_string(m_header ? m_header->lastPage : 0);
    case 10:
        return std::to_string(m_header ? m_header->pageCount : 0);
    case 11:
    case 12:
        return std::to_string(pageNumber);
    case 13:
        return m_render.DeviceName();
    case 14:
        return m_render.DriverName();
    case 15:
        return m_render.PortName();
    default:
        return "";
    }
}

std::string TRPConverter::ReplacePlaceholders(const std::string& text, int pageNumber) const
{
    if (text.find(kPlaceholderStart) == std::string::npos)
        return text;
    const std::string reportTag = kReportVariableTag;
    const std::string namedTag = std::string(kNamedVariableTag) + kVariableNameStart;
    std::string result;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != kPlaceholderStart) {
            result += text[i++];
            continue;
        }
        size_t tagStart = i + 1;
        if (text.compare(tagStart, reportTag.size(), reportTag) == 0 && tagStart + reportTag.size() + 2 <= text.size()) {
            size_t digits = tagStart + reportTag.size();
            char d1 = text[digits];
            char d2 = text[digits + 1];
            if (d1 >= '0' && d1 <= '9' && d2 >= '0' && d2 <= '9') {
                result += variableValue((d1 - '0') * 10 + (d2 - '0'), pageNumber);
                i = digits + 2;
                continue;
            }
        }
        if (text.compare(tagStart, namedTag.size(), namedTag) == 0) {
            size_t nameStart = tagStart + namedTag.size();
            size_t nameEnd = text.find(kVariableNameEnd, nameStart);
            if (nameEnd != std::string::npos) {
                auto found = m_variables.find(text.substr(nameStart, nameEnd - nameStart));
                if (found != m_variables.end())
                    result += found->second;
                i = nameEnd + 1;
                continue;
            }
        }
        result += text[i++];
    }
    return result;
}

// Each step answers whether the code is one of its commands; the first that takes it
// reads its operands and passes them on.
void TRPConverter::execute(uint8_t code)
{
    if (drawShape(code) || drawGraphic(code) || drawText(code) || changeBrush(code) || changeFont(code)
        || changePen(code) || recordVariable(code) || skipUnused(code))
        return;
    throw EReportPrinter("Unexpected code [%d] found in report file.", std::to_string(code));
}

bool TRPConverter::drawShape(uint8_t code)
{
    switch (code) {
    case cArc:
    case cChord:
    case cPie: {
        TRPRect rect = readRect();
        TRPPoint start = readPoint();
        TRPPoint end = readPoint();
        if (code == cArc)
            m_render.Arc(rect, start, end);
        else if (code == cChord)
            m_render.Chord(rect, start, end);
        else
            m_render.Pie(rect, start, end);
        return true;
    }
    case cEllipse: {
        TRPPoint a = readPoint();
        TRPPoint b = readPoint();
        m_render.Ellipse({ a, b });
        return true;
    }
    case cFillRect:
        m_render.FillRect(readRect());
        return true;
    case cLineTo:
        m_render.LineTo(readPoint());
        return true;
    case cMoveTo:
        m_render.MoveTo(readPoint());
        return true;
    case cPolygon:
    case cPolyline:
        drawPoints(code);
        return true;
    case cRectangle:
    case cTabRectangle: {
        TRPPoint a = readPoint();
        TRPPoint b = readPoint();
        if (code == cRectangle)
            m_render.Rectangle({ a, b });
        else
            m_render.TabRectangle({ a, b });
        return true;
    }
    case cRoundRect: {
        TRPPoint a = readPoint();
        TRPPoint b = readPoint();
        double w = readFloat();
        double h = readFloat();
        m_render.RoundRect({ a, b }, w, h);
        return true;
    }
    case cSetFrameMode:
        m_render.SetFrameMode(readByte());
        return true;
    default:
        return false;
    }
}

void TRPConverter::drawPoints(uint8_t code)
{
    int count = readInt16();
    if (count < 0)
        throw EReportPrinter("Invalid point count found in report file.");
    need(static_cast<int64_t>(count + 1) * 8);
    std::vector<TRPPoint> points;
    points.reserve(static_cast<size_t>(count) + 1);
    for (int i = 0; i <= count; ++i)
        points.push_back(readPoint());
    if (code == cPolygon)
        m_render.Polygon(points);
    else
        m_render.Polyline(points);
}

bool TRPConverter::drawGraphic(uint8_t code)
{
    switch (code) {
    case cDraw: {
        TRvGraphic graphic = readGraphic();
        m_render.Draw(readPoint(), graphic);
        return true;
    }
    case cPrintBitmap: {
        TRvGraphic bitmap = readGraphic();
        TRPPoint at = readPoint();
        double scaleX = readFloat();
        double scaleY = readFloat();
        m_render.PrintBitmap(at, scaleX, scaleY, bitmap);
        return true;
    }
    case cPrintBitmapRect: {
        TRvGraphic bitmap = readGraphic();
        m_render.PrintBitmapRect(readRect(), bitmap);
        return true;
    }
    case cStretchDraw: {
        TRvGraphic graphic = readGraphic();
        m_render.StretchDraw(readRect(), graphic);
        return true;
    }
    case cPrintImageRect: {
        int64_t size = readInt32();
        std::string bytes = readBytes(size);
        std::string format = readString();
        TRPRect rect = readRect();
        m_render.PrintImageRect(rect, std::vector<uint8_t>(bytes.begin(), bytes.end()), format);
        return true;
    }
    default:
        return false;
    }
}

bool TRPConverter::drawText(uint8_t code)
{
    auto text = [&](const std::string& raw) { return ReplacePlaceholders(raw, m_drawingPageNumber); };
    switch (code) {
    case cTextRect: {
        TRPRect rect = readRect();
        TRPPoint at = readPoint();
        m_render.TextRect(rect, at, text(readString()));
        return true;
    }
    case cCenterText:
    case cLeftText:
    case cRightText: {
        double y = readFloat();
        std::string raw = readString();
        double x = readFloat();
        std::string shown = text(raw);
        if (raw.find(kFormattingCode) != std::string::npos)
            m_render.FormattedText(shown, x, y);
        else if (code == cCenterText)
            m_render.CenterText(shown, x, y);
        else if (code == cLeftText)
            m_render.LeftText(shown, x, y);
        else
            m_render.RightText(shown, x, y);
        return true;
    }
    case cPrintSpaces:
    case cBlockText: {
        double y = readFloat();
        std::string raw = readString();
        double x = readFloat();
        double width = readFloat();
        m_render.BlockText(text(raw), x, y, width);
        return true;
    }
    default:
        return false;
    }
}

// A brush, font or pen command changes the current one and hands the result on whole.
bool TRPConverter::changeBrush(uint8_t code)
{
    switch (code) {
    case cResetBrush:
        m_brush.color = static_cast<TColor>(readInt32());
        m_brush.style = readByte();
        m_brush.bitmap = readByte() != 0 ? std::make_shared<TRvGraphic>(readGraphic()) : nullptr;
        break;
    case cBrushColor:
        m_brush.color = static_cast<TColor>(readInt32());
        break;
    case cBrushStyle:
        m_brush.style = readByte();
        break;
    case cBrushBitmap:
        m_brush.bitmap = readByte() == 1 ? std::make_shared<TRvGraphic>(readGraphic()) : nullptr;
        break;
    default:
        return false;
    }
    m_render.SetBrush(m_brush);
    return true;
}

bool TRPConverter::changeFont(uint8_t code)
{
    const int version = m_header->version;
    switch (code) {
    case cResetFont:
        readFullFont(version);
        break;
    case cFontName:
        m_font.name = readString();
        break;
    case cFontColor:
        m_font.color = static_cast<TColor>(readInt32());
        break;
    case cFontPitch:
        m_font.pitch = readByte();
        break;
    case cFontHeight:
        m_font.size = std::round(readFloat() * 72.0);
        if (version >= 2000)
            readFloat(); // sample width: only the writer's measurement
        break;
    case cFontRotation:
        m_font.rotation = readInt16();
        break;
    case cFontAlign:
        m_font.align = readByte();
        break;
    case cFontCharset:
        m_font.charset = readByte();
        break;
    default: {
        const FontFlag* flag = fontFlagOf(code);
        if (!flag)
            return false;
        m_font.*flag->member = readByte() != 0;
        break;
    }
    }
    m_render.SetFont(m_font);
    return true;
}

void TRPConverter::readFullFont(int version)
{
    m_font.name = readString();
    m_font.color = static_cast<TColor>(readInt32());
    m_font.pitch = readByte();
    if (version >= 2018)
        m_font.charset = readByte();
    m_font.size = std::round(readFloat() * 72.0);
    m_font.bold = readByte() != 0;
    m_font.italic = readByte() != 0;
    m_font.strikeout = readByte() != 0;
    readByte(); // underline has its own command
    m_font.underline = false;
    m_font.rotation = version >= 2000 ? readInt16() : 0;
    m_font.superscript = m_font.subscript = false;
}

bool TRPConverter::changePen(uint8_t code)
{
    switch (code) {
    case cResetPen:
        m_pen.color = static_cast<TColor>(readInt32());
        m_pen.mode = readByte();
        m_pen.style = readByte();
        m_pen.width = static_cast<float>(readFloat());
        break;
    case cPenColor:
        m_pen.color = static_cast<TColor>(readInt32());
        break;
    case cPenMode:
        m_pen.mode = readByte();
        break;
    case cPenStyle:
        m_pen.style = readByte();
        break;
    case cPenWidth:
        m_pen.width = static_cast<float>(readFloat());
        break;
    default:
        return false;
    }
    m_render.SetPen(m_pen);
    return true;
}

bool TRPConverter::recordVariable(uint8_t code)
{
    if (code != cVariableData)
        return false;
    std::string name = readString();
    m_variables[name] = readVariableSlot(0);
    return true;
}

// Commands a renderer has no use for: their operands are read past, checked like any other.
bool TRPConverter::skipUnused(uint8_t code)
{
    switch (code) {
    case cBrushCopy:
        readGraphic();
        readRect();
        readRect();
        readInt32();
        return true;
    case cCopyRect:
        readRect();
        readInt32();
        readRect();
        return true;
    case cDrawFocusRect:
    case cFrameRect:
        readRect();
        return true;
    case cFloodFill:
        readPoint();
        readInt32();
        readInt32();
        return true;
    case cSetTextBKMode:
    case cTransBitmap:
    case cSetOrientation:
        readByte();
        return true;
    case cSetBKColor:
    case cPrintDataStream:
        readInt32();
        return true;
    case cSetScaleX:
    case cSetScaleY:
        readFloat();
        return true;
    case cPrintData:
    case cSetBin:
        readString();
        return true;
    case cResetLineHeight:
        readFloat();
        readFloat();
        readFloat();
        return true;
    case cAllowPreviewOnly:
    case cAllowPrinterOnly:
    case cAllowAll:
        return true;
    default:
        return false;
    }
}

} // namespace qv

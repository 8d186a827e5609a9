#pragma once

#include "runtime/core/GraphicTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv::snapshot {

constexpr uint8_t kMarkerCurrent = 'Z';
constexpr uint8_t kMarkerVersion1101 = 'Q';
constexpr uint8_t kMarkerVersion2009 = 'Y';
constexpr int kWriterVersion = 2017;

constexpr size_t kMaxShortString = 191;
constexpr size_t kMaxString = 16383;

// Command codes of the page byte code.
enum Code : uint8_t {
    cArc = 1,
    cBrushCopy = 2,
    cChord = 3,
    cCopyRect = 4,
    cDraw = 5,
    cDrawFocusRect = 6,
    cEllipse = 7,
    cFillRect = 8,
    cFloodFill = 9,
    cFrameRect = 10,
    cLineTo = 11,
    cMoveTo = 12,
    cPie = 13,
    cPolygon = 14,
    cPolyline = 15,
    cPrintBitmap = 16,
    cPrintBitmapRect = 17,
    cRectangle = 18,
    cTabRectangle = 19,
    cRoundRect = 20,
    cStretchDraw = 21,
    cTextRect = 22,
    cCenterText = 23,
    cLeftText = 24,
    cRightText = 25,
    cSetTextBKMode = 26,
    cSetBKColor = 27,
    cSetScaleX = 28,
    cSetScaleY = 29,
    cPrintData = 30,
    cPrintDataStream = 31,
    cPrintSpaces = 32,
    cBlockText = 33,
    cTransBitmap = 34,
    cSetFrameMode = 35,
    cPrintImageRect = 36,
    cVariableData = 37,
    cResetBrush = 40,
    cBrushColor = 41,
    cBrushStyle = 42,
    cBrushBitmap = 43,
    cResetFont = 50,
    cFontName = 51,
    cFontColor = 52,
    cFontPitch = 53,
    cFontHeight = 54,
    cFontBold = 55,
    cFontUnderline = 56,
    cFontItalic = 57,
    cFontStrikeout = 58,
    cFontSuperscript = 59,
    cFontSubscript = 60,
    cFontRotation = 61,
    cFontAlign = 62,
    cFontCharset = 63,
    cResetPen = 70,
    cPenColor = 71,
    cPenMode = 72,
    cPenStyle = 73,
    cPenWidth = 74,
    cNewPage = 80,
    cEndPage = 82,
    cResetLineHeight = 83,
    cAllowPreviewOnly = 84,
    cAllowPrinterOnly = 85,
    cAllowAll = 86,
    cSetOrientation = 87,
    cSetBin = 88,
};

// Width of this text at a font is recorded with every font size change.
inline constexpr const char* kFontSampleText =
    "abcdefg hijklmnop qrstuv wxyz ABCDEFG HIJKLMNOP QRSTUV WXYZ 0123456789";

// Placeholder bytes inside strings.
constexpr char kPlaceholderStart = '\xFD';
constexpr char kVariableNameStart = '\xFC';
constexpr char kVariableNameEnd = '\xFB';
constexpr char kFormattingCode = '\x01';
inline constexpr const char* kReportVariableTag = "$RPCM";
inline constexpr const char* kNamedVariableTag = "$RPCV";

constexpr int kMaxGraphicSlot = 10;
constexpr uint8_t kGraphicReuseFlag = 0x80;
constexpr uint8_t kVariableSlotSize = 128;
constexpr uint8_t kVariableUnknownLength = 255;
constexpr uint8_t kVariablePointerLength = 254;

enum class GraphicType : uint8_t { Bitmap = 1, Metafile = 2, Icon = 3 };

// A picture as stored: its own file format's bytes, never decoded here.
struct TRvGraphic {
    GraphicType type = GraphicType::Bitmap;
    std::vector<uint8_t> data;
    bool operator==(const TRvGraphic&) const = default;
};

struct TRvBrush {
    TColor color = clWhite;
    uint8_t style = 0; // bsSolid
    std::shared_ptr<const TRvGraphic> bitmap;
    bool operator==(const TRvBrush& other) const
    {
        bool sameBitmap = bitmap == other.bitmap || (bitmap && other.bitmap && *bitmap == *other.bitmap);
        return color == other.color && style == other.style && sameBitmap;
    }
};

struct TRvPen {
    TColor color = clBlack;
    uint8_t mode = 4;  // pmCopy
    uint8_t style = 0; // psSolid
    float width = 0.0f; // inches; 0 draws the thinnest line
    bool operator==(const TRvPen&) const = default;
};

struct TRvFont {
    std::string name = "Arial";
    TColor color = clBlack;
    uint8_t pitch = 0; // fpDefault
    uint8_t charset = 1;
    double size = 10.0; // points
    bool bold = false;
    bool underline = false;
    bool italic = false;
    bool strikeout = false;
    bool superscript = false;
    bool subscript = false;
    int16_t rotation = 0; // degrees
    uint8_t align = 0;
    bool operator==(const TRvFont&) const = default;
};

// The font's on/off attributes that a command of their own changes, in the order a
// writer records their changes.
struct FontFlag {
    Code code;
    bool TRvFont::*member;
};
inline constexpr FontFlag kFontFlags[] = {
    {cFontBold, &TRvFont::bold},
    {cFontUnderline, &TRvFont::underline},
    {cFontItalic, &TRvFont::italic},
    {cFontStrikeout, &TRvFont::strikeout},
    {cFontSuperscript, &TRvFont::superscript},
    {cFontSubscript, &TRvFont::subscript},
};

// The attribute a command changes; null for every other command.
const FontFlag* fontFlagOf(uint8_t code);

// Placeholder text for report variable n (0..99).
std::string reportVariablePlaceholder(int number);
// Placeholder text for a variable defined with defineVariable.
std::string namedVariablePlaceholder(const std::string& name);

// Little-endian encoding into a byte vector.
class ByteWriter {
public:
    void byte(uint8_t value) { m_bytes.push_back(value); }
    void int16(int16_t value);
    void int32(int32_t value);
    void float32(float value);
    void floatInches(double value) { float32(static_cast<float>(value)); }
    // Strings longer than the format can carry are cut at the last full character.
    void string(const std::string& text);
    void raw(const void* data, size_t count);
    const std::vector<uint8_t>& bytes() const { return m_bytes; }
    void clear() { m_bytes.clear(); }

private:
    std::vector<uint8_t> m_bytes;
};

// At most limit bytes of the text, cut between characters rather than inside one.
std::string wholeCharacterPrefix(const std::string& text, size_t limit);

// The text as the format will store it (cut to the longest encodable length).
std::string encodableString(const std::string& text);

} // namespace qv::snapshot

#include "report/snapshot/TextMeasurer.h"

#include "report/snapshot/GlyphWidths.h"
#include "runtime/core/Text.h"

#include <cctype>
#include <cmath>

namespace qv::snapshot {

namespace {

constexpr double kScreenDpi = 96.0;

enum class Face { Sans, Serif, Mono };

Face faceOf(const std::string& fontName)
{
    std::string name = lower(fontName);
    if (name.find("courier") != std::string::npos || name.find("mono") != std::string::npos)
        return Face::Mono;
    if (name.find("times") != std::string::npos || name.find("serif") != std::string::npos)
        return name.find("sans") != std::string::npos ? Face::Sans : Face::Serif;
    return Face::Sans;
}

int advance(Face face, bool bold, unsigned char c)
{
    if (face == Face::Mono)
        return glyphs::kMonoAdvance;
    const short* table = face == Face::Serif ? (bold ? glyphs::kSerifBold : glyphs::kSerifRegular)
                                             : (bold ? glyphs::kSansBold : glyphs::kSansRegular);
    // Characters outside the table take the width of a digit.
    if (c < 32 || c >= 127)
        return table['0' - 32];
    return table[c - 32];
}

} // namespace

double TextMeasurer::descent(const TRvFont& font) const
{
    int units = glyphs::kSansDescent;
    switch (faceOf(font.name)) {
    case Face::Serif:
        units = glyphs::kSerifDescent;
        break;
    case Face::Mono:
        units = glyphs::kMonoDescent;
        break;
    case Face::Sans:
        break;
    }
    return std::fabs(font.size) / 72.0 * units / glyphs::kUnitsPerEm;
}

double ScreenMetricsMeasurer::textWidth(const TRvFont& font, std::string_view text) const
{
    // A screen device works in whole pixels: the em is rounded, then each glyph's advance.
    double pixelsPerEm = std::round(std::fabs(font.size) * kScreenDpi / 72.0);
    Face face = faceOf(font.name);
    long pixels = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) == 0x80)
            continue; // one advance per UTF-8 character
        pixels += std::lround(advance(face, font.bold, c) * pixelsPerEm / glyphs::kUnitsPerEm);
    }
    return static_cast<double>(pixels) / kScreenDpi;
}

} // namespace qv::snapshot

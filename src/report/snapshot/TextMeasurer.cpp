#include "report/snapshot/TextMeasurer.h"

#include <cmath>

namespace qv::snapshot {

namespace {

// Advance widths in 1/1000 em for the printable ASCII range of the regular face.
constexpr short kRegularWidths[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, // ' ' .. '/'
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556,                               // digits
    278, 278, 584, 584, 584, 556, 1015,                                             // ':' .. '@'
    667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833,                // A .. M
    722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611,                // N .. Z
    278, 278, 278, 469, 556, 333,                                                   // '[' .. '`'
    556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833,                // a .. m
    556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500,                // n .. z
    334, 260, 334, 584,                                                             // '{' .. '~'
};

// Bold glyphs of this face are wider by about this much on average.
constexpr double kBoldFactor = 1.06;
constexpr double kScreenDpi = 96.0;

int glyphWidth(unsigned char c)
{
    if (c >= 32 && c < 127)
        return kRegularWidths[c - 32];
    return 556;
}

} // namespace

double ScreenMetricsMeasurer::textWidth(const TRvFont& font, std::string_view text) const
{
    double units = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) == 0x80)
            continue; // one advance per UTF-8 character
        units += glyphWidth(c);
    }
    if (font.bold)
        units *= kBoldFactor;
    double pixelsPerEm = std::fabs(font.size) * kScreenDpi / 72.0;
    double pixels = std::round(units * pixelsPerEm / 1000.0);
    return pixels / kScreenDpi;
}

} // namespace qv::snapshot

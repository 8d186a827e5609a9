#include "controls/CalendarGlyphs.h"

namespace qv {

namespace {

constexpr TColor transparentKey = 0x00FF00FF;
constexpr TColor arrowColor = 0x00202020;
constexpr int glyphWidth = 11;
constexpr int glyphHeight = 9;

// A solid triangle 5 wide and 9 high whose point is at x = tip, facing left or right.
void arrow(Bitmap& b, int tip, bool towardsLeft)
{
    for (int column = 0; column < 5; ++column) {
        int const x = towardsLeft ? tip + column : tip - column;
        for (int y = 4 - column; y <= 4 + column; ++y)
            b.setPixel(x, y, arrowColor);
    }
}

} // namespace

Bitmap calendarGlyph(const std::string& resourceName)
{
    bool const prior = resourceName == "BS_PRIORYEAR" || resourceName == "BS_PRIORMONTH";
    bool const year = resourceName == "BS_PRIORYEAR" || resourceName == "BS_NEXTYEAR";
    if (!prior && !year && resourceName != "BS_NEXTMONTH")
        return Bitmap();
    Bitmap glyph(glyphWidth, glyphHeight);
    Canvas& c = glyph.canvas();
    c.brush.color = transparentKey;
    c.brush.style = BrushStyle::Solid;
    c.fillRect(TRect{0, 0, glyphWidth, glyphHeight});
    // A month is one arrow in the middle; a year two, one behind the other.
    if (year) {
        arrow(glyph, prior ? 1 : glyphWidth - 2, prior);
        arrow(glyph, prior ? 6 : glyphWidth - 7, prior);
    } else {
        arrow(glyph, prior ? 3 : glyphWidth - 4, prior);
    }
    // The transparent colour is read from the bottom-left pixel; keep it free.
    glyph.setPixel(0, glyphHeight - 1, transparentKey);
    return glyph;
}

} // namespace qv

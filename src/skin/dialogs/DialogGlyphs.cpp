#include "skin/dialogs/DialogGlyphs.h"

#include <map>
#include <vector>

namespace qv {

namespace {

constexpr TColor outline = 0x00404040;
constexpr TColor folderFill = 0x0040C8F0; // warm yellow
constexpr TColor folderLight = 0x0090E8FF;
constexpr TColor paperFill = 0x00FFFFFF;
constexpr TColor arrowFill = 0x00209020; // green
constexpr TColor viewFill = 0x00C08040;  // blue tiles

Bitmap blank(int size)
{
    Bitmap b(size, size);
    b.canvas().brush.color = glyphTransparent;
    b.canvas().fillRect(TRect{0, 0, size, size});
    return b;
}

void poly(Canvas& c, const std::vector<TPoint>& points, TColor fill)
{
    c.pen.color = outline;
    c.brush.color = fill;
    c.brush.style = BrushStyle::Solid;
    c.polygon(points);
}

void box(Canvas& c, const TRect& r, TColor fill)
{
    c.pen.color = outline;
    c.brush.color = fill;
    c.brush.style = BrushStyle::Solid;
    c.rectangle(r);
}

// A folder scaled into an s-pixel square, its body from y0 down.
void drawFolder(Canvas& c, int s, int y0)
{
    int k = s / 16;
    poly(c, {{1 * k, y0}, {6 * k, y0}, {7 * k, y0 + 2 * k}, {7 * k, y0 + 2 * k}, {1 * k, y0 + 2 * k}}, folderLight);
    box(c, TRect{1 * k, y0 + 2 * k, 15 * k, 14 * k}, folderFill);
    c.pen.color = folderLight;
    c.moveTo(2 * k, y0 + 3 * k);
    c.lineTo(14 * k, y0 + 3 * k);
}

Bitmap makeFolder(int s)
{
    Bitmap b = blank(s);
    drawFolder(b.canvas(), s, 3 * (s / 16));
    return b;
}

Bitmap makeDocument(int s)
{
    Bitmap b = blank(s);
    Canvas& c = b.canvas();
    int k = s / 16;
    poly(c, {{3 * k, 1 * k}, {10 * k, 1 * k}, {13 * k, 4 * k}, {13 * k, 15 * k}, {3 * k, 15 * k}}, paperFill);
    c.pen.color = outline;
    c.moveTo(10 * k, 1 * k);
    c.lineTo(10 * k, 4 * k);
    c.lineTo(13 * k, 4 * k);
    c.pen.color = 0x00A0A0A0;
    for (int y = 6; y <= 12; y += 2) {
        c.moveTo(5 * k, y * k);
        c.lineTo(11 * k, y * k);
    }
    return b;
}

Bitmap makeBack()
{
    Bitmap b = blank(16);
    poly(b.canvas(), {{1, 8}, {7, 2}, {7, 5}, {14, 5}, {14, 11}, {7, 11}, {7, 14}}, arrowFill);
    return b;
}

Bitmap makeUp()
{
    Bitmap b = blank(16);
    Canvas& c = b.canvas();
    drawFolder(c, 16, 4);
    poly(c, {{9, 1}, {14, 6}, {11, 6}, {11, 11}, {7, 11}, {7, 6}, {4, 6}}, arrowFill);
    return b;
}

Bitmap makeNewFolder()
{
    Bitmap b = blank(16);
    Canvas& c = b.canvas();
    drawFolder(c, 16, 4);
    // A spark at the top right: something new.
    c.pen.color = 0x0000A0FF;
    c.moveTo(12, 0);
    c.lineTo(12, 7);
    c.moveTo(9, 3);
    c.lineTo(16, 3);
    c.moveTo(10, 1);
    c.lineTo(15, 6);
    c.moveTo(14, 1);
    c.lineTo(9, 6);
    return b;
}

Bitmap makeViewStyle()
{
    Bitmap b = blank(16);
    Canvas& c = b.canvas();
    for (int row = 0; row < 3; ++row) {
        box(c, TRect{1, 1 + row * 5, 5, 5 + row * 5}, viewFill);
        c.pen.color = outline;
        c.moveTo(7, 3 + row * 5);
        c.lineTo(15, 3 + row * 5);
    }
    return b;
}

} // namespace

const Bitmap& dialogGlyph(const std::string& name)
{
    static const std::map<std::string, Bitmap> glyphs = {
        {"BS_BACK", makeBack()},
        {"BS_UP", makeUp()},
        {"BS_NEWFOLDER", makeNewFolder()},
        {"BS_LVSTYLE", makeViewStyle()},
    };
    static const Bitmap none;
    auto it = glyphs.find(name);
    return it == glyphs.end() ? none : it->second;
}

const Bitmap& shellIcon(bool folder, TShellIconSize size)
{
    static const Bitmap smallFolder = makeFolder(16), largeFolder = makeFolder(32);
    static const Bitmap smallDocument = makeDocument(16), largeDocument = makeDocument(32);
    if (size == TShellIconSize::Small)
        return folder ? smallFolder : smallDocument;
    return folder ? largeFolder : largeDocument;
}

} // namespace qv

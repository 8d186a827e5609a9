#include "report/ui/PreviewGlyphs.h"

namespace qv {

namespace {

constexpr TColor navy = 0x00800000;
constexpr TColor darkGrey = 0x00606060;
constexpr TColor lightGrey = 0x00C8C8C8;
constexpr TColor arrow = 0x00206020;
constexpr TColor red = 0x002020C0;

void solid(Canvas& c, TColor pen, TColor fill)
{
    c.pen.color = pen;
    c.pen.width = 1;
    c.pen.style = PenStyle::Solid;
    c.brush.color = fill;
    c.brush.style = BrushStyle::Solid;
}

// A triangle pointing left (direction -1) or right (+1) whose tip is at x.
void triangle(Canvas& c, int tip, int direction)
{
    solid(c, arrow, 0x0040A040);
    c.polygon({{tip, 8}, {tip - 6 * direction, 2}, {tip - 6 * direction, 14}});
}

void bar(Canvas& c, int x)
{
    solid(c, arrow, 0x0040A040);
    c.rectangle({x, 2, x + 2, 15});
}

void page(Canvas& c, const TRect& r)
{
    solid(c, darkGrey, clWhite);
    c.rectangle(r);
}

void magnifier(Canvas& c, bool plus)
{
    solid(c, darkGrey, 0x00F8F0E0);
    c.pen.width = 2;
    c.ellipse({1, 1, 12, 12});
    c.moveTo(10, 10);
    c.lineTo(15, 15);
    c.pen.width = 1;
    c.pen.color = navy;
    c.moveTo(4, 6);
    c.lineTo(9, 6);
    if (plus) {
        c.moveTo(6, 4);
        c.lineTo(6, 9);
    }
}

} // namespace

Bitmap previewGlyph(PreviewGlyph glyph)
{
    Bitmap picture(16, 16);
    Canvas& c = picture.canvas();
    c.brush.color = clBtnFace;
    c.brush.style = BrushStyle::Solid;
    c.fillRect({0, 0, 16, 16});
    switch (glyph) {
    case PreviewGlyph::Open:
        solid(c, 0x00004080, 0x0040C0E0);
        c.polygon({{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}});
        solid(c, 0x00004080, 0x0080E0F0);
        c.polygon({{3, 7}, {15, 7}, {13, 13}, {1, 13}});
        break;
    case PreviewGlyph::Save:
        solid(c, navy, 0x00A05020);
        c.rectangle({1, 1, 15, 15});
        solid(c, darkGrey, clWhite);
        c.rectangle({3, 2, 13, 8});
        solid(c, darkGrey, lightGrey);
        c.rectangle({4, 10, 12, 15});
        break;
    case PreviewGlyph::Print:
        page(c, {4, 1, 12, 7});
        solid(c, darkGrey, lightGrey);
        c.rectangle({1, 6, 15, 12});
        page(c, {4, 10, 12, 15});
        c.setPixel(12, 8, 0x0000C000);
        break;
    case PreviewGlyph::First:
        bar(c, 2);
        triangle(c, 5, -1);
        break;
    case PreviewGlyph::Previous: triangle(c, 5, -1); break;
    case PreviewGlyph::Next: triangle(c, 11, 1); break;
    case PreviewGlyph::Last:
        triangle(c, 11, 1);
        bar(c, 12);
        break;
    case PreviewGlyph::ZoomIn: magnifier(c, true); break;
    case PreviewGlyph::ZoomOut: magnifier(c, false); break;
    case PreviewGlyph::PageWidth:
        page(c, {3, 1, 13, 15});
        c.pen.color = navy;
        c.moveTo(1, 8);
        c.lineTo(15, 8);
        c.polyline({{3, 6}, {1, 8}, {3, 10}});
        c.polyline({{13, 6}, {15, 8}, {13, 10}});
        break;
    case PreviewGlyph::Page:
        page(c, {4, 2, 12, 14});
        c.pen.color = navy;
        c.polyline({{1, 4}, {1, 1}, {4, 1}});
        c.polyline({{12, 1}, {15, 1}, {15, 4}});
        c.polyline({{1, 12}, {1, 15}, {4, 15}});
        c.polyline({{12, 15}, {15, 15}, {15, 12}});
        break;
    case PreviewGlyph::Exit:
        solid(c, 0x00303030, 0x00305878);
        c.rectangle({3, 1, 13, 15});
        c.pen.color = red;
        c.pen.width = 2;
        c.moveTo(5, 4);
        c.lineTo(11, 12);
        c.moveTo(11, 4);
        c.lineTo(5, 12);
        break;
    }
    return picture;
}

} // namespace qv

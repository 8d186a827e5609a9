#include "runtime/graphics/Bitmap.h"
#include "runtime/graphics/Canvas.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

// Number of pixels of the bitmap that have the colour.
int countPixels(const Bitmap& bitmap, TColor color)
{
    int n = 0;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            n += bitmap.pixel(x, y) == color;
    return n;
}

TRect paintedBounds(const Bitmap& bitmap, TColor background)
{
    TRect r{bitmap.width(), bitmap.height(), -1, -1};
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            if (bitmap.pixel(x, y) != background) {
                r.left = std::min(r.left, x);
                r.top = std::min(r.top, y);
                r.right = std::max(r.right, x + 1);
                r.bottom = std::max(r.bottom, y + 1);
            }
    return r;
}

} // namespace

TEST(CanvasLines, HorizontalLineExcludesEndPixelAndNextSegmentPaintsIt)
{
    Bitmap b(40, 20);
    Canvas& c = b.canvas();
    c.pen.color = clRed;
    c.moveTo(10, 10);
    c.lineTo(20, 10);
    EXPECT_EQ(b.pixel(9, 10), clWhite);
    for (int x = 10; x < 20; ++x)
        EXPECT_EQ(b.pixel(x, 10), clRed) << x;
    EXPECT_EQ(b.pixel(20, 10), clWhite);
    EXPECT_EQ(countPixels(b, clRed), 10);
    EXPECT_EQ(c.penPos(), (TPoint{20, 10}));

    c.pen.color = clBlue;
    c.lineTo(30, 10);
    EXPECT_EQ(b.pixel(20, 10), clBlue);
    EXPECT_EQ(b.pixel(30, 10), clWhite);
}

TEST(CanvasLines, VerticalAndDiagonalLinesExcludeEndPixel)
{
    Bitmap b(40, 40);
    Canvas& c = b.canvas();
    c.pen.color = clBlack;
    c.moveTo(5, 5);
    c.lineTo(5, 15);
    EXPECT_EQ(b.pixel(5, 5), clBlack);
    EXPECT_EQ(b.pixel(5, 14), clBlack);
    EXPECT_EQ(b.pixel(5, 15), clWhite);

    c.moveTo(20, 20);
    c.lineTo(30, 30);
    EXPECT_EQ(b.pixel(20, 20), clBlack);
    EXPECT_EQ(b.pixel(29, 29), clBlack);
    EXPECT_EQ(b.pixel(30, 30), clWhite);
    EXPECT_EQ(countPixels(b, clBlack), 20);
}

TEST(CanvasLines, ClearPenAndZeroLengthDrawNothing)
{
    Bitmap b(20, 20);
    Canvas& c = b.canvas();
    c.pen.style = PenStyle::Clear;
    c.moveTo(0, 0);
    c.lineTo(19, 19);
    c.pen.style = PenStyle::Solid;
    c.moveTo(3, 3);
    c.lineTo(3, 3);
    EXPECT_EQ(countPixels(b, clWhite), 400);
}

TEST(CanvasLines, WidePenCoversItsWidth)
{
    Bitmap b(40, 20);
    Canvas& c = b.canvas();
    c.pen.width = 2;
    c.moveTo(5, 10);
    c.lineTo(25, 10);
    TRect r = paintedBounds(b, clWhite);
    EXPECT_EQ(r.width(), 20);
    EXPECT_EQ(r.height(), 2);
}

TEST(CanvasLines, DottedPenPaintsEveryOtherPixel)
{
    Bitmap b(40, 5);
    Canvas& c = b.canvas();
    c.pen.style = PenStyle::Dot;
    c.moveTo(0, 2);
    c.lineTo(20, 2);
    EXPECT_EQ(countPixels(b, clBlack), 10);
    EXPECT_EQ(b.pixel(0, 2), clBlack);
    EXPECT_EQ(b.pixel(1, 2), clWhite);
    EXPECT_EQ(b.pixel(2, 2), clBlack);
}

TEST(CanvasRectangles, RectangleCoversRightAndBottomExclusive)
{
    Bitmap b(20, 20);
    Canvas& c = b.canvas();
    c.pen.color = clRed;
    c.brush.color = clBlue;
    c.rectangle(rectOf(0, 0, 10, 5));
    EXPECT_EQ(paintedBounds(b, clWhite), rectOf(0, 0, 10, 5));
    EXPECT_EQ(countPixels(b, clRed), 2 * 10 + 2 * 3);
    EXPECT_EQ(countPixels(b, clBlue), 8 * 3);
    EXPECT_EQ(b.pixel(1, 1), clBlue);
}

TEST(CanvasRectangles, ClearBrushOnlyOutlinesAndFillRectHasNoOutline)
{
    Bitmap b(20, 20);
    Canvas& c = b.canvas();
    c.brush.style = BrushStyle::Clear;
    c.rectangle(rectOf(2, 2, 8, 8));
    EXPECT_EQ(countPixels(b, clBlack), 20);
    EXPECT_EQ(b.pixel(4, 4), clWhite);

    c.brush.style = BrushStyle::Solid;
    c.brush.color = clGreen;
    c.fillRect(rectOf(10, 10, 13, 12));
    EXPECT_EQ(countPixels(b, clGreen), 6);
    EXPECT_EQ(paintedBounds(b, clWhite), rectOf(2, 2, 13, 12));
}

TEST(CanvasRectangles, NotXorTwiceRestoresEveryPixel)
{
    Bitmap b(60, 40);
    Canvas& c = b.canvas();
    c.brush.color = clSilver;
    c.fillRect(rectOf(0, 0, 30, 40));
    c.pen.color = clRed;
    c.moveTo(0, 20);
    c.lineTo(60, 20);
    Bitmap before = b;

    c.pen = Pen{clBlack, 1, PenStyle::Solid, PenMode::NotXor, false};
    c.brush.style = BrushStyle::Clear;
    c.rectangle(rectOf(10, 10, 50, 30));
    EXPECT_NE(b.pixel(10, 10), before.pixel(10, 10));
    EXPECT_NE(b.pixel(49, 29), before.pixel(49, 29));
    c.rectangle(rectOf(10, 10, 50, 30));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(b.pixel(x, y), before.pixel(x, y)) << x << "," << y;
}

TEST(CanvasClipping, IntersectedClipLimitsDrawingUntilCleared)
{
    Bitmap b(30, 30);
    Canvas& c = b.canvas();
    c.brush.color = clRed;
    c.intersectClipRect(rectOf(5, 5, 25, 25));
    c.intersectClipRect(rectOf(0, 0, 15, 15));
    EXPECT_EQ(c.clipBox(), rectOf(5, 5, 15, 15));
    c.fillRect(rectOf(0, 0, 30, 30));
    EXPECT_EQ(paintedBounds(b, clWhite), rectOf(5, 5, 15, 15));

    c.clearClip();
    c.brush.color = clBlue;
    c.fillRect(rectOf(28, 28, 30, 30));
    EXPECT_EQ(countPixels(b, clBlue), 4);
}

TEST(CanvasClipping, OriginShiftsDrawingAndClip)
{
    Bitmap b(30, 30);
    Canvas& c = b.canvas();
    c.setOrigin(10, 5);
    c.brush.color = clRed;
    c.fillRect(rectOf(0, 0, 2, 2));
    EXPECT_EQ(paintedBounds(b, clWhite), rectOf(10, 5, 12, 7));
    EXPECT_EQ(c.pixel(0, 0), clRed);
}

TEST(CanvasText, MeasuresAndAlignsText)
{
    Bitmap b(200, 60);
    Canvas& c = b.canvas();
    c.font.name = "Arial";
    c.font.size = 8;
    c.font.color = clBlack;
    int w = c.textWidth("Interest Payment");
    int h = c.textHeight("W");
    EXPECT_GT(w, 40);
    EXPECT_GT(h, 8);
    EXPECT_LT(h, 20);
    EXPECT_EQ(c.textWidth(""), 0);

    c.setTextAlign(taRight | taTop);
    c.textOut(150, 10, "360");
    TRect painted = paintedBounds(b, clWhite);
    EXPECT_LE(painted.right, 150);
    EXPECT_GE(painted.left, 150 - c.textWidth("360"));
    EXPECT_GE(painted.top, 10);
    EXPECT_LE(painted.bottom, 10 + h);
}

TEST(CanvasText, OpaqueBackgroundFillsTheTextCell)
{
    Bitmap b(100, 40);
    Canvas& c = b.canvas();
    c.font.height = 12;
    c.setBackgroundTransparent(false);
    c.setBackgroundColor(clYellow);
    c.textOut(5, 5, "Ab");
    EXPECT_EQ(countPixels(b, clYellow) + countPixels(b, clBlack) > 0, true);
    EXPECT_EQ(b.pixel(5, 5), clYellow);
    EXPECT_EQ(b.pixel(5 + c.textWidth("Ab"), 5), clWhite);
}

TEST(CanvasText, PointSizeAndPixelHeightAgree)
{
    Bitmap b(10, 10);
    Canvas& c = b.canvas();
    c.font.name = "Arial";
    c.font.size = 8;
    int fromPoints = c.textHeight("W");
    c.font.height = 11; // 8 pt at 96 dpi
    EXPECT_EQ(c.textHeight("W"), fromPoints);
    c.font.name = "Liberation Sans";
    EXPECT_EQ(c.textHeight("W"), fromPoints);
}

TEST(CanvasColours, SystemColoursResolveThroughPalette)
{
    EXPECT_EQ(colorToRGB(clRed), clRed);
    EXPECT_EQ(colorToRGB(clBtnFace), 0xC8D0D4u);
    EXPECT_EQ(colorToRGB(clBtnHighlight), clWhite);
    EXPECT_EQ(colorToRGB(clWindowText), clBlack);
    Bitmap b(4, 4);
    b.canvas().brush.color = clBtnShadow;
    b.canvas().fillRect(rectOf(0, 0, 4, 4));
    EXPECT_EQ(b.pixel(2, 2), clGray);
}

namespace {

bool samePixels(const Bitmap& a, const Bitmap& b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

} // namespace

TEST(CanvasPolyPolyline, ThinRunsPaintWhatLinesPaintInEveryDirection)
{
    // Runs forwards, backwards, with a bend and a repeated point, against the same lines drawn one by one.
    std::vector<std::vector<TPoint>> runs = {
        {{2, 5}, {12, 5}, {12, 15}}, {{30, 18}, {30, 2}}, {{25, 25}, {5, 25}, {5, 25}, {5, 20}}};
    Bitmap lines(40, 30), poly(40, 30);
    lines.canvas().pen.color = clRed;
    std::vector<TPoint> points;
    std::vector<int> counts;
    for (const auto& run : runs) {
        lines.canvas().polyline(run);
        points.insert(points.end(), run.begin(), run.end());
        counts.push_back(static_cast<int>(run.size()));
    }
    poly.canvas().pen.color = clRed;
    poly.canvas().polyPolyline(points, counts);
    EXPECT_GT(countPixels(poly, clRed), 50);
    EXPECT_TRUE(samePixels(lines, poly));
}

TEST(CanvasPolyPolyline, WidePenStartsHalfItsWidthBeforeTheLine)
{
    Bitmap b(30, 30);
    Canvas& c = b.canvas();
    c.pen.color = clBlue;
    c.pen.width = 3;
    c.polyPolyline({{10, 2}, {10, 12}, {4, 20}, {24, 20}}, {2, 2});
    TRect vertical = paintedBounds(b, clWhite);
    EXPECT_EQ(vertical, rectOf(4, 2, 24, 22));
    EXPECT_EQ(b.pixel(9, 2), clBlue);
    EXPECT_EQ(b.pixel(11, 11), clBlue);
    EXPECT_EQ(b.pixel(12, 5), clWhite);
    EXPECT_EQ(b.pixel(10, 12), clWhite);
    EXPECT_EQ(b.pixel(4, 19), clBlue);
    EXPECT_EQ(b.pixel(23, 21), clBlue);
    EXPECT_EQ(countPixels(b, clBlue), 3 * 10 + 20 * 3);
}

TEST(CanvasPolyPolyline, SlantedRunsAreStrokedAndClipHolds)
{
    Bitmap lines(40, 40), poly(40, 40);
    lines.canvas().pen.color = clBlack;
    lines.canvas().polyline({{0, 0}, {20, 20}, {20, 30}});
    poly.canvas().polyPolyline({{0, 0}, {20, 20}, {20, 30}}, {3});
    EXPECT_TRUE(samePixels(lines, poly));

    Bitmap clipped(40, 40);
    clipped.canvas().intersectClipRect(rectOf(0, 0, 10, 40));
    clipped.canvas().polyPolyline({{0, 5}, {40, 5}}, {2});
    EXPECT_EQ(paintedBounds(clipped, clWhite), rectOf(0, 5, 10, 6));
    EXPECT_TRUE(clipped.canvas().rectVisible(rectOf(9, 30, 20, 31)));
    EXPECT_FALSE(clipped.canvas().rectVisible(rectOf(10, 0, 20, 40)));
    EXPECT_FALSE(clipped.canvas().rectVisible(rectOf(5, 5, 5, 10))); // empty
}

TEST(CanvasText, CellHeightIsTheDrawnAscentPlusDescent)
{
    Bitmap b(200, 40);
    Canvas& c = b.canvas();
    for (const char* name : {"Arial", "Times New Roman", "Courier New"}) {
        for (unsigned style : {0u, unsigned(fsBold)}) {
            for (int cell : {12, 14, 20, 40}) {
                c.font = Font{};
                c.font.name = name;
                c.font.style = style;
                c.font.cellHeight = cell;
                int drawn = c.fontAscent() + c.fontDescent();
                EXPECT_LE(drawn, cell) << name << " style " << style;
                EXPECT_GE(drawn, cell - 1) << name << " style " << style;
                EXPECT_EQ(c.textHeight("W"), drawn);
            }
        }
    }
}

TEST(CanvasText, CellHeightDrawsSmallerThanTheSameCharacterHeight)
{
    Bitmap b(200, 40);
    Canvas& c = b.canvas();
    c.font.name = "Arial";
    c.font.height = 14;
    int character = c.textWidth("2024-03-15");
    int characterCell = c.fontAscent() + c.fontDescent();
    c.font.size = 30; // ignored while a pixel size is given
    c.font.cellHeight = 14;
    EXPECT_LT(c.textWidth("2024-03-15"), character);
    EXPECT_GT(characterCell, 14) << "Liberation Sans has leading around the character";
    EXPECT_NEAR(c.fontAscent() + c.fontDescent(), 14, 1);
}

// Plain colours drawn from memory land exactly, opaque whatever their top byte,
// shifted by the origin, clipped, and replacing what was there.
TEST(CanvasPixels, DrawnFromMemoryExactlyAtTheOriginAndClipped)
{
    Bitmap b(8, 6);
    Canvas& c = b.canvas();
    c.brush.color = clBlue;
    c.fillRect(rectOf(0, 0, 8, 6));
    TColor const pixels[] = {0x00112233, 0x00445566, 0x00778899, 0x00000000, 0xFFFFFFFF, 0x00ABCDEF};
    c.setOrigin(2, 1);
    c.intersectClipRect(rectOf(0, 0, 3, 1));
    c.drawPixels(0, 0, 3, 2, pixels);
    EXPECT_EQ(b.pixel(2, 1), TColor(0x00112233));
    EXPECT_EQ(b.pixel(3, 1), TColor(0x00445566));
    EXPECT_EQ(b.pixel(4, 1), TColor(0x00778899));
    // The second row is outside the clip.
    EXPECT_EQ(b.pixel(2, 2), clBlue);
    c.clearClip();
    c.drawPixels(0, 1, 3, 1, pixels + 3);
    EXPECT_EQ(b.pixel(2, 2), TColor(0x00000000));
    EXPECT_EQ(b.pixel(3, 2), TColor(0x00FFFFFF));
    EXPECT_EQ(b.pixel(4, 2), TColor(0x00ABCDEF));
    EXPECT_EQ(countPixels(b, clBlue), 8 * 6 - 6);
    c.drawPixels(0, 0, 0, 5, pixels);
    c.drawPixels(0, 0, 3, 1, nullptr);
    EXPECT_EQ(countPixels(b, clBlue), 8 * 6 - 6);
}

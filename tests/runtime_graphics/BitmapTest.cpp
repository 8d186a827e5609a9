#include "runtime/core/Exception.h"
#include "runtime/graphics/Bitmap.h"
#include "runtime/graphics/RegionOfRects.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

using namespace qv;

TEST(BitmapCopies, CopyRectIsABlockCopyAtTheTarget)
{
    Bitmap source(10, 10);
    source.canvas().brush.color = clRed;
    source.canvas().fillRect(rectOf(0, 0, 10, 10));
    source.setPixel(3, 4, clBlue);

    Bitmap target(30, 30);
    target.canvas().draw(5, 6, source);
    EXPECT_EQ(target.pixel(5, 6), clRed);
    EXPECT_EQ(target.pixel(8, 10), clBlue);
    EXPECT_EQ(target.pixel(15, 16), clWhite);
    EXPECT_EQ(target.pixel(14, 15), clRed);

    target.canvas().copyRect(rectOf(0, 0, 2, 2), source, rectOf(3, 4, 5, 6));
    EXPECT_EQ(target.pixel(0, 0), clBlue);
    EXPECT_EQ(target.pixel(1, 1), clRed);
}

TEST(BitmapCopies, CopyWithinOnePictureReadsBeforeWriting)
{
    Bitmap b(10, 1);
    for (int x = 0; x < 10; ++x)
        b.setPixel(x, 0, x < 5 ? clRed : clBlue);
    b.canvas().copyRect(rectOf(2, 0, 10, 1), b, rectOf(0, 0, 8, 1));
    EXPECT_EQ(b.pixel(2, 0), clRed);
    EXPECT_EQ(b.pixel(6, 0), clRed);
    EXPECT_EQ(b.pixel(7, 0), clBlue);
}

TEST(BitmapCopies, CopiesAreIndependentAndResizeDiscards)
{
    Bitmap a(5, 5);
    a.canvas().setPixel(1, 1, clGreen);
    Bitmap b = a;
    a.setPixel(1, 1, clRed);
    EXPECT_EQ(b.pixel(1, 1), clGreen);
    EXPECT_EQ(a.pixel(1, 1), clRed);

    a.setSize(8, 3);
    EXPECT_EQ(a.width(), 8);
    EXPECT_EQ(a.height(), 3);
    EXPECT_EQ(a.pixel(1, 1), clWhite);
    a.canvas().setPixel(7, 2, clBlue); // the canvas follows the new size
    EXPECT_EQ(a.pixel(7, 2), clBlue);
}

TEST(BitmapTransparency, TransparentColourIsSkipped)
{
    Bitmap sprite(2, 1);
    sprite.setPixel(0, 0, clRed);
    sprite.setPixel(1, 0, clLime);
    Bitmap target(4, 1);
    target.canvas().drawTransparent(0, 0, sprite, clLime);
    EXPECT_EQ(target.pixel(0, 0), clRed);
    EXPECT_EQ(target.pixel(1, 0), clWhite);
}

TEST(BitmapFiles, PngRoundTripAndClearErrors)
{
    Bitmap b(3, 2);
    b.setPixel(2, 1, clNavy);
    qv::test::ScratchDir scratch("qv-bitmap");
    std::string path = scratch.file("b.png");
    b.saveToPng(path);
    Bitmap loaded;
    loaded.loadFromFile(path);
    std::remove(path.c_str());
    EXPECT_EQ(loaded.width(), 3);
    EXPECT_EQ(loaded.pixel(2, 1), clNavy);

    EXPECT_THROW(loaded.loadFromFile(path), EInOutError);
    try {
        loaded.loadFromBmpData("not a picture");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), "Bitmap image is not valid");
    }
    EXPECT_EQ(loaded.width(), 3); // a failed load keeps the picture
}

TEST(Regions, SetOperationsAndClipping)
{
    Region r(rectOf(0, 0, 10, 10));
    r.subtract(Region(rectOf(0, 0, 5, 10)));
    EXPECT_FALSE(r.contains({2, 2}));
    EXPECT_TRUE(r.contains({7, 2}));
    r.offset(10, 0);
    EXPECT_EQ(r.boundingRect(), rectOf(15, 0, 20, 10));

    Bitmap b(30, 10);
    b.canvas().setClipRegion(r);
    b.canvas().brush.color = clRed;
    b.canvas().fillRect(rectOf(0, 0, 30, 10));
    EXPECT_EQ(b.pixel(14, 5), clWhite);
    EXPECT_EQ(b.pixel(15, 5), clRed);
    EXPECT_EQ(b.pixel(20, 5), clWhite);
}

namespace {

Region unitedOneByOne(const std::vector<TRect>& rects)
{
    Region region;
    for (const TRect& r : rects)
        region.unite(Region(r));
    return region;
}

} // namespace

// The one-sweep union must be the very region the toolkit's own unions give: windows
// take it as their outline and hit tests ask it.
TEST(Regions, UnionInOneSweepEqualsUnitingOneByOne)
{
    std::vector<std::vector<TRect>> cases = {
        {},
        {rectOf(3, 3, 3, 9), rectOf(5, 5, 2, 8)}, // empty ones only
        {rectOf(0, 0, 4, 1), rectOf(4, 0, 9, 1)}, // touching runs of a row
        {rectOf(0, 0, 9, 1), rectOf(0, 1, 9, 2), rectOf(0, 2, 5, 3)}, // equal rows joined
        {rectOf(0, 0, 9, 1), rectOf(0, 2, 9, 3)}, // equal rows with a gap stay apart
        {rectOf(0, 0, 10, 10), rectOf(5, 5, 15, 15), rectOf(2, 8, 4, 20), rectOf(-3, -3, 1, 1)},
    };
    std::mt19937 random(31);
    std::uniform_int_distribution<int> coordinate(-5, 40), extent(0, 12), count(1, 60);
    for (int n = 0; n < 200; ++n) {
        std::vector<TRect> rects;
        for (int k = count(random); k > 0; --k) {
            int const x = coordinate(random), y = coordinate(random);
            rects.push_back(rectOf(x, y, x + extent(random), y + extent(random) / 4 + (k % 3 == 0 ? extent(random) : 1)));
        }
        cases.push_back(rects);
    }
    for (const auto& rects : cases) {
        Region const swept = regionOfRects(rects);
        Region const united = unitedOneByOne(rects);
        ASSERT_TRUE(sameRegion(swept, united)) << rects.size() << " rectangles";
        for (int y = -6; y < 56; y += 3) {
            for (int x = -6; x < 56; x += 2) {
                bool inside = false;
                for (const TRect& r : rects)
                    inside = inside || r.contains({x, y});
                ASSERT_EQ(swept.contains({x, y}), inside) << x << "," << y;
            }
        }
    }
}

TEST(BitmapCopies, EmptyPicturesIgnoreDrawing)
{
    Bitmap empty;
    Canvas& c = empty.canvas();
    c.fillRect(rectOf(0, 0, 5, 5));
    c.moveTo(0, 0);
    c.lineTo(5, 5);
    c.textOut(0, 0, "x");
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(c.clipBox(), rectOf(0, 0, 0, 0));
    Bitmap target(4, 4);
    target.canvas().draw(0, 0, empty);
    EXPECT_EQ(target.pixel(0, 0), clWhite);
}

TEST(BitmapPixels, AssignedRowByRowAndShortListsLeaveTheRestWhite)
{
    Bitmap b;
    TColor const pixels[] = {0x00010203, 0x00040506, 0x00070809, 0xFF0A0B0C, 0x000D0E0F};
    b.assignPixels(2, 3, pixels, 5);
    ASSERT_EQ(b.width(), 2);
    ASSERT_EQ(b.height(), 3);
    EXPECT_EQ(b.pixel(0, 0), TColor(0x00010203));
    EXPECT_EQ(b.pixel(1, 0), TColor(0x00040506));
    EXPECT_EQ(b.pixel(0, 1), TColor(0x00070809));
    EXPECT_EQ(b.pixel(1, 1), TColor(0x000A0B0C));
    EXPECT_EQ(b.pixel(0, 2), TColor(0x000D0E0F));
    EXPECT_EQ(b.pixel(1, 2), clWhite);
    b.assignPixels(0, 4, pixels, 5);
    EXPECT_TRUE(b.isEmpty());
}

TEST(BitmapPixels, ReadAllAtOnceAsPixelReadsThem)
{
    Bitmap painted(7, 5);
    painted.setPixel(6, 4, TColor(0x00123456));
    painted.canvas().brush.color = clGreen;
    painted.canvas().pen.color = clRed;
    painted.canvas().ellipse(rectOf(0, 0, 6, 4)); // still being painted when read

    qv::test::ScratchDir scratch("qv-bitmap");
    std::string const file = scratch.file("painted.png");
    painted.saveToPng(file);
    Bitmap loaded;
    loaded.loadFromFile(file);

    for (const Bitmap* picture : {&painted, &loaded}) {
        std::vector<TColor> const all = picture->pixels();
        ASSERT_EQ(all.size(), 35u);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                EXPECT_EQ(all[size_t(y * 7 + x)], picture->pixel(x, y)) << x << "," << y;
    }
    EXPECT_EQ(painted.pixels()[34], TColor(0x00123456));
    EXPECT_TRUE(Bitmap().pixels().empty());
}

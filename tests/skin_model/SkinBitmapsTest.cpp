#include "SkinTestSupport.h"
#include "skin/bitmaps/SkinBitmaps.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(SkinBitmaps, PicturesReachTheCanvasPixelForPixel)
{
    TbsSkinPicture picture = test::coordinatePicture(7, 5);
    picture.setPixel(6, 4, 0x123456);
    Bitmap bitmap = toBitmap(picture);
    ASSERT_EQ(bitmap.width(), 7);
    ASSERT_EQ(bitmap.height(), 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(bitmap.pixel(x, y), picture.pixel(x, y)) << x << "," << y;
    }
    Bitmap target(20, 20);
    drawSkinPicture(target.canvas(), 10, 12, picture);
    EXPECT_EQ(target.pixel(16, 16), 0x123456u);
    EXPECT_EQ(target.pixel(9, 12), clWhite);
    EXPECT_TRUE(toBitmap(TbsSkinPicture()).isEmpty());
}

TEST(SkinBitmaps, RegionHoldsEveryRun)
{
    TbsSkinPicture mask(4, 2, clWhite);
    mask.setPixel(1, 0, clBlack);
    mask.setPixel(2, 0, clBlack);
    mask.setPixel(0, 1, clBlack);
    Region region = toRegion(MaskRegion(mask, 5, 5));
    EXPECT_TRUE(region.contains({6, 5}));
    EXPECT_TRUE(region.contains({7, 5}));
    EXPECT_TRUE(region.contains({5, 6}));
    EXPECT_FALSE(region.contains({5, 5}));
    EXPECT_FALSE(region.contains({8, 5}));
    EXPECT_TRUE(toRegion(TbsRegionRects{}).isEmpty());
}

} // namespace
} // namespace qv

#include "SkinTestSupport.h"
#include "skin/model/SkinPieces.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::coordinatePicture;
using test::srcX;
using test::srcY;

TbsPieceFields buttonSection()
{
    return TbsPieceFields{{12, 9}, {46, 10}, {0, 0}, {0, 0}, {3, 5, 63, 25}, {7, 2, 53, 17}};
}

TEST(SkinPieces, ModesFollowTheCornerPoints)
{
    EXPECT_EQ(pieceMode(buttonSection()), TbsPieceMode::Horizontal);
    EXPECT_EQ(pieceMode(TbsPieceFields{{2, 16}, {63, 16}, {2, 67}, {63, 67}, {409, 117, 475, 187}, {2, 16, 64, 68}}), TbsPieceMode::Framed);
    EXPECT_EQ(pieceMode(TbsPieceFields{{7, 18}, {0, 0}, {8, 90}, {0, 0}, {437, 3, 453, 112}, {2, 2, 15, 108}}), TbsPieceMode::Vertical);
    EXPECT_EQ(pieceMode(TbsPieceFields{{}, {}, {}, {}, {0, 0, 0, 0}, {}}), TbsPieceMode::None);
    EXPECT_EQ(pieceMode(TbsPieceFields{{}, {}, {}, {}, {0, 0, 5, 5}, {}}), TbsPieceMode::Fixed);
    // Coordinates beyond any picture would overflow the tiling arithmetic: nothing is drawn.
    EXPECT_EQ(pieceMode(TbsPieceFields{{2147483647, 1}, {}, {}, {}, {0, 0, 5, 5}, {}}), TbsPieceMode::None);
    EXPECT_EQ(pieceMode(TbsPieceFields{{}, {}, {}, {}, {0, 0, 40000, 5}, {}}), TbsPieceMode::None);
}

TEST(SkinPieces, NewGeometryLimitsWhatEachModeMayResize)
{
    TbsPieceFields button = buttonSection();
    TbsPieceGeometry g = newGeometry(button, TbsPieceMode::Horizontal, 73, 25);
    EXPECT_EQ(g.width, 73);
    EXPECT_EQ(g.height, 20);
    EXPECT_EQ(g.RT, (TPoint{59, 10}));
    EXPECT_EQ(g.clientRect, (TRect{7, 2, 66, 17}));

    TbsPieceFields bar{{7, 18}, {0, 0}, {8, 90}, {0, 0}, {437, 3, 453, 112}, {2, 2, 15, 108}};
    g = newGeometry(bar, TbsPieceMode::Vertical, 40, 177);
    EXPECT_EQ(g.width, 16);
    EXPECT_EQ(g.LB, (TPoint{8, 158}));
    EXPECT_EQ(g.clientRect.bottom, 176);

    g = newGeometry(button, TbsPieceMode::Fixed, 100, 100);
    EXPECT_EQ(g.width, 60);
    EXPECT_EQ(g.height, 20);

    TbsPieceFields box{{2, 16}, {63, 16}, {2, 67}, {63, 67}, {409, 117, 475, 187}, {2, 16, 64, 68}};
    g = newGeometry(box, TbsPieceMode::Framed, 166, 100);
    EXPECT_EQ(g.RB, (TPoint{163, 97}));
    EXPECT_EQ(g.clientRect, (TRect{2, 16, 164, 98}));
}

TEST(SkinPieces, HorizontalButtonCopiesEndsAndTilesTheMiddle)
{
    TbsSkinPicture source = coordinatePicture(80, 40);
    TbsPieceFields button = buttonSection();
    TbsPieceGeometry g = newGeometry(button, TbsPieceMode::Horizontal, 73, 25);
    TbsSkinPicture out;
    drawPiece(out, &source, button, TbsPieceMode::Horizontal, g, button.skinRect);
    ASSERT_EQ(out.width(), 73);
    ASSERT_EQ(out.height(), 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 73; ++x) {
            int expected;
            if (x < 12)
                expected = 3 + x; // left 12 columns
            else if (x >= 73 - 14)
                expected = 3 + 60 - 14 + (x - 59); // right 14 columns
            else
                expected = 3 + 12 + (x - 12) % 34; // middle, tiled from x = 12
            ASSERT_EQ(srcX(out.pixel(x, y)), expected) << x << "," << y;
            ASSERT_EQ(srcY(out.pixel(x, y)), 5 + y);
        }
    }
    // The second middle copy is clipped to 13 columns: column 12 + 34 + 12 is its last.
    EXPECT_EQ(srcX(out.pixel(58, 0)), 3 + 12 + 12);

    // A state rectangle of the same size is drawn the same way from its own place.
    drawPiece(out, &source, button, TbsPieceMode::Horizontal, g, TRect{3, 10, 63, 30});
    EXPECT_EQ(srcY(out.pixel(0, 0)), 10);

    // No picture: the bitmap is sized and left blank.
    drawPiece(out, nullptr, button, TbsPieceMode::Horizontal, g, button.skinRect);
    EXPECT_EQ(out.width(), 73);
    EXPECT_EQ(out.pixel(30, 10), clWhite);
}

TEST(SkinPieces, FramedPieceTilesEdgesAndCentreAndCornersCoverTheOverrun)
{
    TbsSkinPicture source = coordinatePicture(40, 40);
    // 20 x 20 at (10, 10); repeats: top columns 4..14, left rows 5..15, centre 4..16 x 5..15.
    TbsPieceFields f{{4, 5}, {14, 5}, {4, 15}, {14, 15}, {10, 10, 30, 30}, {4, 5, 16, 15}};
    TbsPieceGeometry g = newGeometry(f, TbsPieceMode::Framed, 47, 33);
    TbsSkinPicture out;
    DrawFramedPiece(out, &source, f, g, true);
    ASSERT_EQ(out.width(), 47);
    ASSERT_EQ(out.height(), 33);
    // Corners keep their pixels.
    EXPECT_EQ(srcX(out.pixel(0, 0)), 10);
    EXPECT_EQ(srcY(out.pixel(0, 0)), 10);
    EXPECT_EQ(srcX(out.pixel(46, 32)), 29);
    EXPECT_EQ(srcY(out.pixel(46, 32)), 29);
    EXPECT_EQ(srcX(out.pixel(46, 0)), 29);
    // Top edge tiles 10-column segments from x = 4 up to RT'.x = 41.
    for (int x = 4; x < 41; ++x)
        ASSERT_EQ(srcX(out.pixel(x, 2)), 10 + 4 + (x - 4) % 10) << x;
    // Right of RT'.x the top-right piece, copied last, covers the tile overrun.
    EXPECT_EQ(srcX(out.pixel(41, 2)), 10 + 14);
    // Left edge tiles rows 5..15 downwards.
    for (int y = 5; y < 28; ++y)
        ASSERT_EQ(srcY(out.pixel(1, y)), 10 + 5 + (y - 5) % 10) << y;
    // Centre tiles the 12 x 10 client piece from the resized client's corner.
    for (int y = 5; y < 28; ++y) {
        for (int x = 4; x < 43; ++x) {
            ASSERT_EQ(srcX(out.pixel(x, y)), 10 + 4 + (x - 4) % 12) << x << "," << y;
            ASSERT_EQ(srcY(out.pixel(x, y)), 10 + 5 + (y - 5) % 10) << x << "," << y;
        }
    }

    // Without the centre flag the client area stays unpainted.
    DrawFramedPiece(out, &source, f, g, false);
    EXPECT_EQ(out.pixel(20, 15), clWhite);

    // Stretched edges: one scaled copy of each segment instead of tiles.
    DrawFramedPieceStretched(out, &source, f, g, TbsStretchEdges{true, true, true, true}, false);
    EXPECT_EQ(srcX(out.pixel(4, 2)), 14);
    EXPECT_EQ(srcX(out.pixel(40, 2)), 23);
}

TEST(SkinPieces, VerticalPieceTilesItsMiddleRows)
{
    TbsSkinPicture source = coordinatePicture(20, 120);
    TbsPieceFields bar{{7, 18}, {0, 0}, {8, 90}, {0, 0}, {2, 3, 18, 112}, {2, 2, 15, 108}};
    TbsPieceGeometry g = newGeometry(bar, TbsPieceMode::Vertical, 16, 177);
    TbsSkinPicture out;
    drawPiece(out, &source, bar, TbsPieceMode::Vertical, g, bar.skinRect);
    ASSERT_EQ(out.width(), 16);
    ASSERT_EQ(out.height(), 177);
    EXPECT_EQ(srcY(out.pixel(0, 17)), 3 + 17);
    EXPECT_EQ(srcY(out.pixel(0, 18)), 3 + 18);
    EXPECT_EQ(srcY(out.pixel(0, 18 + 72)), 3 + 18); // the middle is 72 rows, tiled
    EXPECT_EQ(srcY(out.pixel(0, 176)), 3 + 108);     // bottom 19 rows kept
    EXPECT_EQ(srcY(out.pixel(0, 177 - 19)), 3 + 90);
}

TEST(SkinPieces, MaskRegionIsTheRunsOfPureBlack)
{
    // A hand-drawn 6 x 3 mask: rounded ends on the first row.
    const char* rows[] = {".####.", "######", "##..##"};
    TbsSkinPicture mask(6, 3, clWhite);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 6; ++x)
            mask.setPixel(x, y, rows[y][x] == '#' ? clBlack : (x == 0 ? 0x010000u : clWhite));
    }
    TbsRegionRects region = MaskRegion(mask, 10, 20);
    std::vector<TRect> expected = {{11, 20, 15, 21}, {10, 21, 16, 22}, {10, 22, 12, 23}, {14, 22, 16, 23}};
    EXPECT_EQ(region.rects, expected);
    EXPECT_FALSE(region.contains({10, 20})); // nearly black is outside
    EXPECT_TRUE(region.contains({15, 22}));

    EXPECT_TRUE(MaskRegion(TbsSkinPicture(8, 8, clWhite), 0, 0).isEmpty());
    EXPECT_TRUE(MaskRegion(TbsSkinPicture(), 0, 0).isEmpty());
    // Alternating pixels would make 200 x 200 / 2 runs; collection stops at the limit.
    TbsSkinPicture checker(200, 200, clWhite);
    for (int y = 0; y < 200; ++y) {
        for (int x = y % 2; x < 200; x += 2)
            checker.setPixel(x, y, clBlack);
    }
    EXPECT_EQ(MaskRegion(checker, 0, 0).rects.size(), maskRegionLimit);
}

TEST(SkinPieces, FramedMaskRegionStretchesTheOutlineAroundTheClient)
{
    // 10 x 10 mask, black except the four corner pixels: a rounded rectangle.
    TbsSkinPicture mask(10, 10, clBlack);
    for (TPoint p : {TPoint{0, 0}, TPoint{9, 0}, TPoint{0, 9}, TPoint{9, 9}})
        mask.setPixel(p.x, p.y, clWhite);
    TbsPieceFields f{{3, 3}, {7, 3}, {3, 7}, {7, 7}, {0, 0, 10, 10}, {2, 2, 8, 8}};
    TbsPieceGeometry g = newGeometry(f, TbsPieceMode::Framed, 30, 20);
    TbsRegionRects region = pieceRegion(&mask, f, TbsPieceMode::Framed, g);
    ASSERT_FALSE(region.isEmpty());
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x) {
            bool corner = (x == 0 || x == 29) && (y == 0 || y == 19);
            ASSERT_EQ(region.contains({x, y}), !corner) << x << "," << y;
        }
    }
    EXPECT_EQ(region.bounds(), (TRect{0, 0, 30, 20}));

    // Tall: the sides repeat mask rows 3..6, among them a notch in row 5 of the left edge.
    // Repeated rows are joined into few rectangles, the notches stay out.
    mask.setPixel(0, 5, clWhite);
    TbsPieceGeometry tall = newGeometry(f, TbsPieceMode::Framed, 30, 400);
    TbsRegionRects sides = pieceRegion(&mask, f, TbsPieceMode::Framed, tall);
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 30; ++x) {
            bool corner = (x == 0 || x == 29) && (y == 0 || y == 399);
            bool notch = x == 0 && y > 2 && y < 397 && (y - 2) % 4 == 2;
            ASSERT_EQ(sides.contains({x, y}), !corner && !notch) << x << "," << y;
        }
    }
    EXPECT_LT(sides.rects.size(), 400u);
    mask.setPixel(0, 5, clBlack);

    // A target smaller than the fixed parts: no region.
    TbsPieceGeometry tiny = newGeometry(f, TbsPieceMode::Framed, 5, 5);
    EXPECT_TRUE(pieceRegion(&mask, f, TbsPieceMode::Framed, tiny).isEmpty());
    // An all-white mask gives an empty outline: only the client rectangle remains.
    TbsSkinPicture white(10, 10, clWhite);
    TbsRegionRects onlyClient = pieceRegion(&white, f, TbsPieceMode::Framed, g);
    EXPECT_EQ(onlyClient.rects, (std::vector<TRect>{g.clientRect}));
    EXPECT_TRUE(MaskRegion(white, 0, 0).isEmpty());
}

TEST(SkinPieces, HorizontalRegionFollowsTheButtonMask)
{
    // 60 x 20 button mask with two transparent pixels at each end of the top and bottom rows.
    TbsSkinPicture mask(60, 20, clBlack);
    for (int x : {0, 1, 58, 59}) {
        mask.setPixel(x, 0, clWhite);
        mask.setPixel(x, 19, clWhite);
    }
    TbsPieceFields button = buttonSection();
    TbsPieceGeometry g = newGeometry(button, TbsPieceMode::Horizontal, 73, 25);
    TbsRegionRects region = pieceRegion(&mask, button, TbsPieceMode::Horizontal, g);
    EXPECT_FALSE(region.contains({0, 0}));
    EXPECT_FALSE(region.contains({72, 0}));
    EXPECT_FALSE(region.contains({71, 19}));
    EXPECT_TRUE(region.contains({2, 0}));
    EXPECT_TRUE(region.contains({36, 19}));
    EXPECT_TRUE(region.contains({72, 10}));
    EXPECT_FALSE(region.contains({36, 20}));
}

TEST(SkinPieces, SubRectanglesMoveWithTheZoneTheyLieIn)
{
    TbsPieceFields edit{{5, 8}, {37, 8}, {0, 0}, {0, 0}, {349, 93, 390, 110}, {1, 1, 40, 16}};
    EXPECT_EQ(mapSubRect({1, 1, 40, 16}, edit, TbsPieceMode::Horizontal, 20, 0), (TRect{1, 1, 60, 16}));
    EXPECT_EQ(mapSubRect({38, 1, 41, 16}, edit, TbsPieceMode::Horizontal, 20, 0), (TRect{58, 1, 61, 16}));
    EXPECT_EQ(mapSubRect({1, 1, 4, 16}, edit, TbsPieceMode::Horizontal, 20, 0), (TRect{1, 1, 4, 16}));

    TbsPieceFields box{{2, 16}, {63, 16}, {2, 67}, {63, 67}, {409, 117, 475, 187}, {2, 16, 64, 68}};
    // Zones hold their left and top edge but not their right and bottom one.
    EXPECT_EQ(mapSubRect({1, 1, 64, 15}, box, TbsPieceMode::Framed, 100, 50), (TRect{1, 1, 164, 15}));
    EXPECT_EQ(mapSubRect({2, 1, 64, 15}, box, TbsPieceMode::Framed, 100, 50), (TRect{2, 1, 64, 15}));
    EXPECT_EQ(mapSubRect({64, 1, 65, 15}, box, TbsPieceMode::Framed, 100, 50), (TRect{164, 1, 165, 15}));
    EXPECT_EQ(mapSubRect({0, 68, 1, 69}, box, TbsPieceMode::Framed, 100, 50), (TRect{0, 118, 1, 119}));
    EXPECT_EQ(mapSubRect({64, 68, 65, 69}, box, TbsPieceMode::Framed, 100, 50), (TRect{164, 118, 165, 119}));
    EXPECT_EQ(mapSubRect({1, 1, 65, 69}, box, TbsPieceMode::Framed, 100, 50), (TRect{1, 1, 165, 119}));
    EXPECT_EQ(mapSubRect({0, 68, 65, 69}, box, TbsPieceMode::Framed, 100, 50), (TRect{0, 118, 165, 119}));
    EXPECT_EQ(mapSubRect({1, 1, 2, 2}, box, TbsPieceMode::Fixed, 100, 50), (TRect{1, 1, 2, 2}));
}

} // namespace
} // namespace qv

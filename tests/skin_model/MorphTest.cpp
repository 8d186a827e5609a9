#include "skin/model/SkinPieces.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr TColor normal = 0x000000;
constexpr TColor active = 0xC8C8C8; // 200 in every channel

int grey(TColor c) { return static_cast<int>(c & 0xFF); }

std::vector<int> columns(const TbsSkinPicture& p, int y = 0)
{
    std::vector<int> out;
    for (int x = 0; x < p.width(); ++x)
        out.push_back(grey(p.pixel(x, y)));
    return out;
}

// Columns numbered by their own value so slides and pushes show where a column came from.
TbsSkinPicture numbered(int width, int base)
{
    TbsSkinPicture p(width, 1);
    for (int x = 0; x < width; ++x)
        p.setPixel(x, 0, TColor(base + x) * 0x010101);
    return p;
}

TEST(SkinMorph, RoundsHalvesToEven)
{
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(2.51), 3);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
}

TEST(SkinMorph, DefaultCrossFadesInFiveSteps)
{
    TbsSkinPicture n(3, 2, normal), a(3, 2, active);
    std::vector<int> seen;
    for (double k : {0.0, 0.2, 0.4, 0.6, 0.8, 1.0})
        seen.push_back(grey(morphBlend(n, a, k, mkDefault).pixel(2, 1)));
    EXPECT_EQ(seen, (std::vector<int>{0, 40, 80, 120, 160, 200}));
    // 0.5 x 1 + 0.5 x 0 = 0.5 rounds to the even 0.
    EXPECT_EQ(grey(morphBlend(TbsSkinPicture(1, 1, 0), TbsSkinPicture(1, 1, 0x010101), 0.5, mkDefault).pixel(0, 0)), 0);
    // Different sizes leave the normal image.
    EXPECT_EQ(morphBlend(n, TbsSkinPicture(2, 2, active), 0.5, mkDefault), n);
}

TEST(SkinMorph, GradientGrowsABandFromTheCentre)
{
    TbsSkinPicture n(10, 2, normal), a(10, 2, active);
    // a = 4, b = 3, step 1/3; band columns 3..7 take A; fades of 0, 1/3, 2/3, 1 outwards.
    EXPECT_EQ(columns(morphBlend(n, a, 0.4, mkGradient)), (std::vector<int>{0, 67, 133, 200, 200, 200, 200, 200, 133, 67}));
    // Fully active: a = 10, b = 0, step 1: every column within one step of the band is A.
    EXPECT_EQ(columns(morphBlend(n, a, 1.0, mkGradient)), std::vector<int>(10, 200));

    // Taller than wide: the band runs across rows.
    TbsSkinPicture tn(1, 9, normal), ta(1, 9, active);
    TbsSkinPicture tall = morphBlend(tn, ta, 1.0 / 3, mkGradient);
    std::vector<int> rows;
    for (int y = 0; y < 9; ++y)
        rows.push_back(grey(tall.pixel(0, y)));
    // a = 3, fade (9 - 1 - 3) div 2 = 2 rows, band rows 3..5.
    EXPECT_EQ(rows, (std::vector<int>{0, 0, 100, 200, 200, 200, 100, 0, 0}));
}

TEST(SkinMorph, SideGradientsFadeFromOneEdge)
{
    TbsSkinPicture n(10, 1, normal), a(10, 1, active);
    // a = 4: columns 0..4 with weight 0, 1/4, 1/2, 3/4, 1.
    EXPECT_EQ(columns(morphBlend(n, a, 0.4, mkLeftGradient)), (std::vector<int>{200, 150, 100, 50, 0, 0, 0, 0, 0, 0}));
    // a = 10 - 4 = 6, step 1/4 from column 9 down to 6.
    EXPECT_EQ(columns(morphBlend(n, a, 0.4, mkRightGradient)), (std::vector<int>{0, 0, 0, 0, 0, 0, 50, 100, 150, 200}));
    // Even at factor 0 the left gradient shows at least one active column.
    EXPECT_EQ(columns(morphBlend(n, a, 0.0, mkLeftGradient))[0], 200);
}

TEST(SkinMorph, SlidesAndPushMoveColumns)
{
    TbsSkinPicture n = numbered(6, 10), a = numbered(6, 100);
    // b = 2: the right two columns of A at the left.
    EXPECT_EQ(columns(morphBlend(n, a, 1.0 / 3, mkLeftSlide)), (std::vector<int>{104, 105, 12, 13, 14, 15}));
    EXPECT_EQ(columns(morphBlend(n, a, 1.0 / 3, mkRightSlide)), (std::vector<int>{10, 11, 12, 13, 100, 101}));
    // a = 2: N shifted right by 3, A's last three columns in front.
    EXPECT_EQ(columns(morphBlend(n, a, 1.0 / 3, mkPush)), (std::vector<int>{103, 104, 105, 10, 11, 12}));
    // Full slide stops one column short.
    EXPECT_EQ(columns(morphBlend(n, a, 1.0, mkLeftSlide)), (std::vector<int>{101, 102, 103, 104, 105, 15}));
}

} // namespace
} // namespace qv

#include "runtime/core/GraphicTypes.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(Rect, OffsetAndInflateKeepRightAndBottomExclusive)
{
    TRect const r{3, 5, 63, 25};
    EXPECT_EQ(r.offset(-3, 2), (TRect{0, 7, 60, 27}));
    EXPECT_EQ(r.offset(0, 0), r);
    EXPECT_EQ(r.inflated(2), (TRect{1, 3, 65, 27}));
    EXPECT_EQ(r.inflated(-1), (TRect{4, 6, 62, 24}));
    EXPECT_EQ(r.inflated(-1).width(), r.width() - 2);
    EXPECT_TRUE((TRect{2, 2, 4, 4}.inflated(-1).isEmpty()));
}

TEST(Rect, RectanglesThatOnlyTouchDoNotIntersect)
{
    TRect const r{0, 0, 10, 10};
    EXPECT_TRUE(r.intersects(TRect{9, 9, 20, 20}));
    EXPECT_TRUE(r.intersects(TRect{2, 2, 3, 3}));
    EXPECT_FALSE(r.intersects(TRect{10, 0, 20, 10}));
    EXPECT_FALSE(r.intersects(TRect{0, 10, 10, 20}));
    EXPECT_FALSE(r.intersects(TRect{-5, -5, 0, 0}));
    EXPECT_TRUE((TRect{-5, -5, 1, 1}.intersects(r)));
}

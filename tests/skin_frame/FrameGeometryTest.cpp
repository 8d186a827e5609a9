#include "FrameTestSupport.h"

#include "runtime/graphics/Bitmap.h"

namespace qv::frametest {

namespace {

using Geometry = FramedWindow;

// The mask of our skin is black but for the rounded top corners: 4, 2, 1 and 1
// pixels on rows 0 to 3 at each end.
bool insideHandMask(int x, int y, int W)
{
    static const int cut[4] = {4, 2, 1, 1};
    if (y < 4)
        return x >= cut[y] && x < W - cut[y];
    return true;
}

} // namespace

TEST_F(Geometry, ClientSitsInsideTheFrameAtEverySize)
{
    for (auto [W, H] : {std::pair{400, 300}, std::pair{728, 497}, std::pair{205, 167}}) {
        resizeTo(W, H);
        ASSERT_EQ(form->width(), W);
        EXPECT_EQ(form->clientOrigin(), (TPoint{7, 30})) << W;
        EXPECT_EQ(form->clientWidth(), W - 14) << W;
        EXPECT_EQ(form->clientHeight(), H - 37) << W;
        EXPECT_EQ(frame->geometry().client, (TRect{7, 30, W - 7, H - 7})) << W;
    }
}

TEST_F(Geometry, CaptionButtonsLineUpFromTheRightAndTheCaptionWidens)
{
    for (int W : {400, 728}) {
        resizeTo(W, 300);
        EXPECT_EQ(rectOf(cmClose), (TRect{W - 39, 7, W - 24, 22})) << W;
        EXPECT_EQ(rectOf(cmMaximize), (TRect{W - 56, 7, W - 41, 22})) << W;
        EXPECT_EQ(rectOf(cmMinimize), (TRect{W - 73, 7, W - 58, 22})) << W;
        EXPECT_EQ(rectOf(cmRollUp), (TRect{W - 90, 7, W - 75, 22})) << W;
        EXPECT_EQ(rectOf(cmSysMenu), (TRect{19, 7, 34, 22})) << W;
        ASSERT_NE(frame->findObject("caption"), nullptr);
        EXPECT_EQ(frame->findObject("caption")->objectRect(), (TRect{55, 7, 91 + (W - 205), 22})) << W;
    }
}

TEST_F(Geometry, HitCodesOfEveryZoneWithTheFourPixelProbes)
{
    const int W = 400, H = 300;
    resizeTo(W, H);
    struct Case {
        int x, y;
        THitCode code;
    };
    const Case cases[] = {
        {200, 3, THitCode::Top}, {200, 4, THitCode::Object},       // the probe 4 up leaves the outline
        {3, 150, THitCode::Left}, {4, 150, THitCode::Object},
        {W - 4, 150, THitCode::Right}, {W - 5, 150, THitCode::Object},
        {200, H - 4, THitCode::Bottom}, {200, H - 5, THitCode::Object},
        {2, 10, THitCode::TopLeft}, {40, 2, THitCode::TopLeft},    // the corner zone runs to x = 60
        {100, 2, THitCode::Top},
        {W - 2, 10, THitCode::TopRight}, {2, H - 2, THitCode::BottomLeft}, {W - 2, H - 2, THitCode::BottomRight},
        {2, 200, THitCode::Left}, {W - 2, 200, THitCode::Right},
        {200, 150, THitCode::Client}, {7, 30, THitCode::Client}, {W - 8, H - 8, THitCode::Client},
        {150, 14, THitCode::Caption}, {55, 7, THitCode::Caption},
        {W - 30, 14, THitCode::Object}, {10, 14, THitCode::Object},
    };
    for (const Case& c : cases)
        EXPECT_EQ(frame->hitTest(TPoint{c.x, c.y}), c.code) << c.x << "," << c.y;

    frame->maximize();
    app().processMessages();
    EXPECT_EQ(frame->hitTest(TPoint{200, 1}), THitCode::Object);
    EXPECT_EQ(frame->hitTest(TPoint{200, 150}), THitCode::Client);
    frame->restore();
    frame->rollUp();
    app().processMessages();
    EXPECT_EQ(frame->hitTest(TPoint{150, 14}), THitCode::Caption);
    EXPECT_EQ(frame->hitTest(TPoint{2, 20}), THitCode::Object);
}

TEST_F(Geometry, RegionOfAResizedWindowIsTheHandComputedMask)
{
    for (auto [W, H] : {std::pair{400, 300}, std::pair{211, 40}}) {
        resizeTo(W, H);
        ASSERT_TRUE(form->hasWindowRegion());
        Region const shape = form->windowRegion();
        int wrong = 0;
        for (int y = -1; y <= H; ++y)
            for (int x = -1; x <= W; ++x) {
                bool const expected = x >= 0 && y >= 0 && x < W && y < H && insideHandMask(x, y, W);
                wrong += shape.contains(TPoint{x, y}) != expected;
                wrong += frame->region().contains(TPoint{x, y}) != expected;
            }
        EXPECT_EQ(wrong, 0) << W << "x" << H;
    }
}

TEST_F(Geometry, NoWindowSmallerThanTheFramePictureOrTheFrameAlone)
{
    EXPECT_EQ(frame->minimumWidth(), 205);
    EXPECT_EQ(frame->minimumHeight(), 37);
    resizeTo(100, 10);
    EXPECT_EQ(form->width(), 205);
    EXPECT_EQ(form->height(), 37);
    frame->setMinWidth(300);
    frame->setMinHeight(120);
    resizeTo(100, 10);
    EXPECT_EQ(form->width(), 300);
    EXPECT_EQ(form->height(), 120);
}

TEST_F(Geometry, StripsRepeatTheBorderAndKeepTheEnds)
{
    resizeTo(400, 300);
    const TbsSkinPicture& pic = ownSkin().picture();
    const TbsSkinFrameInfo& fi = ownSkin().frame();
    TbsFrameStrips s;
    DrawFrameStrips(s, pic, fi, frame->geometry());
    ASSERT_EQ(s.top.width(), 400);
    ASSERT_EQ(s.top.height(), 30);
    EXPECT_EQ(s.bottom.height(), 7);
    EXPECT_EQ(s.left.width(), 7);
    EXPECT_EQ(s.left.height(), 300 - 37);
    EXPECT_EQ(s.right.width(), 7);
    int wrong = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x)
            wrong += s.top.pixel(x, y) != pic.pixel(x, y);
        for (int x = 90; x < 205; ++x)
            wrong += s.top.pixel(x + 195, y) != pic.pixel(x, y);
        // Between the ends the 30-column segment repeats from x = 0.
        for (int x = 60; x < 285; ++x)
            wrong += s.top.pixel(x, y) != pic.pixel(60 + x % 30, y);
    }
    for (int y = 0; y < s.left.height(); ++y)
        wrong += s.right.pixel(3, y) != pic.pixel(fi.ClRect.right + 3, 30 + y % 130);
    EXPECT_EQ(wrong, 0);
}

TEST_F(Geometry, CaptionTextShortensWithDotsUntilItFits)
{
    Bitmap probe(1, 1);
    Canvas& c = probe.canvas();
    c.font.name = "Arial";
    c.font.cellHeight = 14;
    c.font.style = fsBold;
    std::string const text = "Quorvane loan calculator";
    int const full = c.textWidth(text);
    EXPECT_EQ(TbsSkinCaptionObject::shortenedText(c, text, full), text);
    std::string const cut = TbsSkinCaptionObject::shortenedText(c, text, full - 1);
    ASSERT_GE(cut.size(), 3u);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_LE(c.textWidth(cut), full - 1);
    // One character more would not have fitted.
    std::string const longer = text.substr(0, cut.size() - 3 + 1) + "...";
    EXPECT_GT(c.textWidth(longer), full - 1);
    EXPECT_EQ(TbsSkinCaptionObject::shortenedText(c, text, 2), "...");
}

TEST_F(Geometry, FramePaintsTheSkinPictureWithTheCaptionButtons)
{
    resizeTo(400, 300);
    const TbsSkinPicture& pic = ownSkin().picture();
    // Bottom-left corner and a border pixel in the repeat, as in the picture.
    EXPECT_EQ(screenPixel(*form, 2, 298), pic.pixel(2, 165));
    EXPECT_EQ(screenPixel(*form, 3, 200), pic.pixel(3, 30 + (200 - 30) % 130));
    // The close button's normal (or inactive-window) look from the active picture.
    const TbsSkinPicture* active = ownSkin().activePicture(0);
    ASSERT_NE(active, nullptr);
    TRect const close = rectOf(cmClose);
    int const sourceTop = frame->active() ? 1 : 52;
    EXPECT_EQ(screenPixel(*form, close.left + 7, close.top + 7), active->pixel(1 + 7, sourceTop + 7));
}

} // namespace qv::frametest

namespace qv::frametest {

TEST(FrameGeometry, ResizedPointsFollowTheirCornersAndLeftButtonsStay)
{
    TbsSkinFrameInfo f;
    f.LTPoint = {60, 30};
    f.RTPoint = {90, 30};
    f.LBPoint = {60, 160};
    f.RBPoint = {90, 160};
    f.ClRect = {7, 30, 198, 160};
    f.MaskRectArea = {5, 20, 200, 162};
    f.HitTestLTPoint = {10, 11};
    f.HitTestRTPoint = {190, 12};
    f.HitTestLBPoint = {13, 150};
    f.HitTestRBPoint = {191, 151};
    f.ButtonsRect = {20, 7, 80, 22};
    f.CaptionRect = {};
    TbsFrameGeometry g = resizedFrameGeometry(f, 205, 167, 305, 217);
    EXPECT_EQ(g.RT, (TPoint{190, 30}));
    EXPECT_EQ(g.LB, (TPoint{60, 210}));
    EXPECT_EQ(g.RB, (TPoint{190, 210}));
    EXPECT_EQ(g.client, (TRect{7, 30, 298, 210}));
    EXPECT_EQ(g.mask, (TRect{5, 20, 300, 212}));
    EXPECT_EQ(g.HLT, (TPoint{10, 11}));
    EXPECT_EQ(g.HRT, (TPoint{290, 12}));
    EXPECT_EQ(g.HLB, (TPoint{13, 200}));
    EXPECT_EQ(g.HRB, (TPoint{291, 201}));
    // Buttons in the left half of the picture stay; an empty caption rectangle stays empty.
    EXPECT_EQ(g.buttonsRect, (TRect{20, 7, 80, 22}));
    EXPECT_TRUE(g.captionRect.isEmpty());
    f.ButtonsRect = {103, 7, 181, 22};
    EXPECT_EQ(resizedFrameGeometry(f, 205, 167, 305, 217).buttonsRect, (TRect{203, 7, 281, 22}));
    // Frame rectangles by corner zone: bottom-right moves both ways, bottom band widens and moves down.
    EXPECT_EQ(mapFrameRect(TRect{150, 162, 160, 165}, f, 205, 167, 305, 217), (TRect{250, 212, 260, 215}));
    EXPECT_EQ(mapFrameRect(TRect{20, 162, 150, 165}, f, 205, 167, 305, 217), (TRect{20, 212, 250, 215}));
    EXPECT_EQ(mapFrameRect(TRect{10, 40, 20, 50}, f, 205, 167, 305, 217), (TRect{10, 40, 20, 50}));
}

TEST(FrameGeometry, NoMaskGivesNoRegion)
{
    TbsSkinFrameInfo f;
    f.ClRect = {7, 30, 198, 160};
    TbsFrameGeometry g = resizedFrameGeometry(f, 205, 167, 300, 200);
    EXPECT_TRUE(frameRegion(TbsSkinPicture(), f, g).isEmpty());
}

} // namespace qv::frametest

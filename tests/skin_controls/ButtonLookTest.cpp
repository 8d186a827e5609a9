#include "SkinLookTest.h"

#include "runtime/ui/Timer.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinPanel.h"

#include <cstdlib>

using namespace qv;
using namespace qv::looktest;

namespace {

// Button columns on screen come from the section's picture: the left 12 and right
// 14 columns copied, the middle tiled from x = 12; outside the mask the parent shows.
void expectButtonImage(SkinLook& test, TbsSkinButton& button, const TRect& S, std::function<TColor(TControl&, int, int)> at)
{
    const auto& s = section<TbsDataSkinButtonControl>("button");
    const TbsSkinPicture& pic = picture(s.PictureIndex);
    const TbsSkinPicture& mask = picture(s.MaskPictureIndex);
    const int W = button.width(), a = s.LTPoint.x, r = s.SkinRect.width() - s.RTPoint.x, d = s.SkinRect.width() - a - r;
    int wrong = 0;
    for (int y = 0; y < button.height(); ++y) {
        for (int x = 0; x < W; ++x) {
            int sx = x < a ? x : x >= W - r ? s.SkinRect.width() - (W - x) : a + (x - a) % d;
            TColor want = mask.pixel(sx, y) == 0 ? pic.pixel(S.left + sx, S.top + y) : clWhite;
            if (at(button, x, y) != want && ++wrong < 4)
                ADD_FAILURE() << "pixel " << x << "," << y << " of " << S.left << "," << S.top;
        }
    }
    EXPECT_EQ(wrong, 0);
    (void)test;
}

// Pixels of the client area that the caption changed, exactly in colour c.
int captionPixels(TbsSkinButton& button, TColor c, const std::function<TColor(TControl&, int, int)>& at)
{
    int n = 0;
    for (int y = 3; y < 17; ++y)
        for (int x = 7; x < button.width() - 7; ++x)
            n += at(button, x, y) == c;
    return n;
}

} // namespace

TEST_F(SkinLook, ButtonIsDrawnFromTheSectionAndKeepsItsHeight)
{
    TbsSkinButton button(&form);
    button.setSkinData(&ownSkin());
    button.setBounds(10, 10, 73, 25);
    EXPECT_EQ(button.width(), 73);
    EXPECT_EQ(button.height(), 20);
    button.setHeight(40);
    EXPECT_EQ(button.height(), 20);
    auto at = [this](TControl& c, int x, int y) { return pixel(c, x, y); };
    const auto& s = section<TbsDataSkinButtonControl>("button");
    expectButtonImage(*this, button, s.SkinRect, at);
    // Wider, the middle is tiled more often; the right end stays the section's.
    button.setWidth(150);
    expectButtonImage(*this, button, s.SkinRect, at);
}

TEST_F(SkinLook, HoverMorphsToTheActiveImageAndBack)
{
    TbsSkinButton button(&form);
    button.setSkinData(&ownSkin());
    button.setBounds(10, 10, 73, 25);
    auto at = [this](TControl& c, int x, int y) { return pixel(c, x, y); };
    const auto& s = section<TbsDataSkinButtonControl>("button");
    sendMouseEnter(button);
    EXPECT_TRUE(button.morphing());
    ASSERT_TRUE(waitFor([&] { return !button.morphing(); }));
    EXPECT_EQ(button.morphFactor(), 1.0);
    expectButtonImage(*this, button, s.ActiveSkinRect, at);
    sendMouseLeave(button);
    ASSERT_TRUE(waitFor([&] { return !button.morphing(); }));
    EXPECT_EQ(button.morphFactor(), 0.0);
    expectButtonImage(*this, button, s.SkinRect, at);
}

TEST_F(SkinLook, HoverFadesOutInAsManySteppedTicksAsItFadesIn)
{
    TbsSkinButton button(&form);
    button.setSkinData(&ownSkin());
    button.setBounds(10, 10, 73, 25);
    // Four 20 ms ticks leave a fade one step short of its end; the fifth ends it and stops the timer.
    auto expectFiveTicks = [&](double fourth, double end) {
        clock.advance(4 * 20);
        EXPECT_DOUBLE_EQ(button.morphFactor(), fourth);
        EXPECT_TRUE(button.morphing());
        clock.advance(20);
        EXPECT_EQ(button.morphFactor(), end);
        EXPECT_FALSE(button.morphing());
    };
    sendMouseEnter(button);
    expectFiveTicks(0.8, 1.0);
    sendMouseLeave(button);
    expectFiveTicks(0.2, 0.0);
    // Back in half-way: the fade turns round from where it stands.
    sendMouseEnter(button);
    clock.advance(2 * 20);
    sendMouseLeave(button);
    clock.advance(20);
    EXPECT_DOUBLE_EQ(button.morphFactor(), 0.2);
    clock.advance(20);
    EXPECT_EQ(button.morphFactor(), 0.0);
    EXPECT_FALSE(button.morphing());
}

TEST_F(SkinLook, PressShowsTheDownImageAtOnce)
{
    TbsSkinButton button(&form);
    button.setSkinData(&ownSkin());
    button.setBounds(10, 10, 73, 25);
    auto at = [this](TControl& c, int x, int y) { return pixel(c, x, y); };
    sendMouseDown(button, 30, 10);
    EXPECT_EQ(button.morphFactor(), 1.0);
    EXPECT_FALSE(button.morphing());
    expectButtonImage(*this, button, section<TbsDataSkinButtonControl>("button").DownSkinRect, at);
    sendMouseUp(button, 30, 10);
}

TEST_F(SkinLook, CaptionTakesTheColourOfTheState)
{
    TbsSkinButton button(&form);
    button.setSkinData(&ownSkin());
    button.setBounds(10, 10, 73, 25);
    auto at = [this](TControl& c, int x, int y) { return pixel(c, x, y); };
    const auto& s = section<TbsDataSkinButtonControl>("button");
    int blackBefore = captionPixels(button, s.Font.FontColor, at);
    int whiteBefore = captionPixels(button, s.ActiveFontColor, at);
    button.setCaption("Calculate");
    EXPECT_GT(captionPixels(button, s.Font.FontColor, at), blackBefore + 20);
    sendMouseEnter(button);
    ASSERT_TRUE(waitFor([&] { return !button.morphing(); }));
    int whiteActive = captionPixels(button, s.ActiveFontColor, at);
    button.setCaption("");
    EXPECT_GT(whiteActive, captionPixels(button, s.ActiveFontColor, at) + 20);
    (void)whiteBefore;
    button.setCaption("Calculate");
    button.setEnabled(false);
    EXPECT_GT(captionPixels(button, s.DisabledFontColor, at), 20);
}

TEST_F(SkinLook, ButtonRebindsAfterTheSkinChangesAndFallsBackWithoutIt)
{
    TbsSkinButton button(&form);
    button.setSkinData(&ownSkin());
    button.setBounds(10, 10, 73, 25);
    auto at = [this](TControl& c, int x, int y) { return pixel(c, x, y); };
    button.skinChangeBegins();
    EXPECT_EQ(button.sectionIndex(), -1);
    button.skinChanged();
    EXPECT_GE(button.sectionIndex(), 0);
    expectButtonImage(*this, button, section<TbsDataSkinButtonControl>("button").SkinRect, at);
    // An empty model: the default look at the size the button keeps.
    TbsSkinData empty;
    button.setSkinData(&empty);
    button.skinChanged();
    EXPECT_EQ(button.sectionIndex(), -1);
    button.setHeight(25);
    EXPECT_EQ(button.height(), 25);
    EXPECT_EQ(pixel(button, 0, 0), colorToRGB(clBtnShadow));
}

TEST_F(SkinLook, LabelsDrawInTheStdLabelColours)
{
    Font odd = skinDefaultFont();
    odd.color = 255; // pure red, never a colour of the section
    odd.style = fsBold;
    auto redPixels = [this](TbsSkinStdLabel& label) {
        int n = 0;
        for (int y = 0; y < label.height(); ++y)
            for (int x = 0; x < label.width(); ++x)
                n += pixel(label, x, y) == 255;
        return n;
    };
    TbsSkinStdLabel plain(&form), skinned(&form);
    for (TbsSkinStdLabel* label : {&plain, &skinned}) {
        label->setDefaultFont(odd);
        label->setCaption("Loan Amount:");
    }
    skinned.setTop(40);
    skinned.setSkinData(&ownSkin());
    EXPECT_GT(redPixels(plain), 10);
    EXPECT_EQ(redPixels(skinned), 0);
    const auto& s = section<TbsDataSkinStdLabelControl>("stdlabel");
    int inColour = 0;
    for (int y = 0; y < skinned.height(); ++y)
        for (int x = 0; x < skinned.width(); ++x)
            inColour += pixel(skinned, x, y) == s.Font.FontColor;
    EXPECT_GT(inColour, 10);

    // The link label's hover colour comes from the section once it has one.
    UiServices notOpened;
    TbsSkinLinkLabel link(&form, notOpened);
    link.setTop(80);
    link.setCaption("www.quorvane.example");
    link.setSkinData(&ownSkin());
    sendMouseEnter(link);
    int active = 0;
    for (int y = 0; y < link.height(); ++y)
        for (int x = 0; x < link.width(); ++x)
            active += pixel(link, x, y) == s.ActiveFontColor;
    EXPECT_GT(active, 10);
}

TEST_F(SkinLook, GroupBoxIsFramedFromTheSectionWithItsCaptionCentred)
{
    TbsSkinGroupBox group(&form);
    group.setSkinData(&ownSkin());
    group.setBounds(10, 10, 300, 89);
    const auto& s = section<TbsDataSkinPanelControl>("groupbox");
    const TbsSkinPicture& pic = picture(s.PictureIndex);
    const TRect& S = s.SkinRect;
    const int dW = 300 - S.width(), dH = 89 - S.height();
    // The four corners are the section's, wherever the size puts them.
    for (auto [x, y] : {std::pair{0, 0}, std::pair{1, 20}, std::pair{S.width() - 1, 2}, std::pair{S.width() - 2, S.height() - 1}}) {
        int cx = x >= s.RTPoint.x ? x + dW : x, cy = y >= s.LBPoint.y ? y + dH : y;
        EXPECT_EQ(pixel(group, cx, cy), pic.pixel(S.left + x, S.top + y)) << x << "," << y;
    }
    EXPECT_EQ(group.panelClientRect(), (TRect{s.ClRect.left, s.ClRect.top, s.ClRect.right + dW, s.ClRect.bottom + dH}));

    // The caption: white pixels appear around the band's centre only once there is a caption.
    // Small text is smoothed, so its pixels count within a quarter of the range of the colour.
    auto nearFont = [&](TColor c) {
        for (int shift : {0, 8, 16}) {
            if (std::abs(int((c >> shift) & 0xFF) - int((s.Font.FontColor >> shift) & 0xFF)) > 64)
                return false;
        }
        return true;
    };
    auto captionPixels = [&](int from, int to) {
        int n = 0;
        for (int y = s.CaptionRect.top; y < s.CaptionRect.bottom; ++y)
            for (int x = from; x < to; ++x)
                n += nearFont(pixel(group, x, y)) && !nearFont(pic.pixel(S.left + std::min(x, 30), S.top + y));
        return n;
    };
    int before = captionPixels(100, 200);
    group.setCaption("Amortization");
    EXPECT_GT(captionPixels(100, 200), before + 20);
    EXPECT_EQ(captionPixels(s.CaptionRect.left, 60), 0);
    EXPECT_EQ(captionPixels(240, 300), 0);
}

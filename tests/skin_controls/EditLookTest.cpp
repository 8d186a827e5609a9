#include "SkinLookTest.h"

#include "skin/controls/SkinEdit.h"

using namespace qv;
using namespace qv::looktest;

namespace {

// The section's picture fitted to the edit's width: left and right parts kept, the middle tiled.
void expectEditImage(SkinLook& test, TbsSkinEdit& edit, const TRect& S, const std::function<TColor(TControl&, int, int)>& at)
{
    const auto& s = section<TbsDataSkinEditControl>("edit");
    const TbsSkinPicture& pic = picture(s.PictureIndex);
    const int W = edit.width(), a = s.LTPoint.x, r = s.SkinRect.width() - s.RTPoint.x, d = s.SkinRect.width() - a - r;
    int wrong = 0;
    // The frame rows and columns only: the editor draws its text inside.
    for (int y = 0; y < edit.height(); ++y) {
        for (int x = 0; x < W; ++x) {
            bool frame = y < s.ClRect.top || y >= s.ClRect.bottom || x < s.ClRect.left || x >= W - (s.SkinRect.width() - s.ClRect.right);
            if (!frame)
                continue;
            int sx = x < a ? x : x >= W - r ? s.SkinRect.width() - (W - x) : a + (x - a) % d;
            if (at(edit, x, y) != pic.pixel(S.left + sx, S.top + y) && ++wrong < 4)
                ADD_FAILURE() << "pixel " << x << "," << y;
        }
    }
    EXPECT_EQ(wrong, 0);
    (void)test;
}

// The editor's own text does not show in an off-screen grab; its colour is asked directly.
struct ProbeEdit : TbsSkinEdit {
    using TbsSkinEdit::TbsSkinEdit;
    using TbsSkinEdit::textColor;
    using TbsSkinEdit::textRect;
};

} // namespace

TEST_F(SkinLook, EditTakesTheSectionHeightAndFrame)
{
    TbsSkinEdit edit(&form);
    edit.setBounds(10, 10, 57, 18);
    EXPECT_EQ(edit.height(), 18 - 18 + edit.naturalHeight()); // plain: text height + 4
    edit.setSkinData(&ownSkin());
    EXPECT_EQ(edit.width(), 57);
    EXPECT_EQ(edit.height(), 17);
    edit.setHeight(30);
    EXPECT_EQ(edit.height(), 17);
    auto at = [this](TControl& c, int x, int y) { return pixel(c, x, y); };
    const auto& s = section<TbsDataSkinEditControl>("edit");
    expectEditImage(*this, edit, s.SkinRect, at);
    edit.setWidth(121);
    expectEditImage(*this, edit, s.SkinRect, at);
}

TEST_F(SkinLook, HoverShowsTheActiveImageAndTextColour)
{
    // (The editor takes no focus in an off-screen window, so the focused look is not covered here.)
    ProbeEdit edit(&form);
    edit.setSkinData(&ownSkin());
    edit.setBounds(10, 10, 80, 17);
    auto at = [this](TControl& c, int x, int y) { return pixel(c, x, y); };
    const auto& s = section<TbsDataSkinEditControl>("edit");
    EXPECT_EQ(edit.textRect(), (TRect{1, 1, 80 - 1, 16}));
    EXPECT_EQ(edit.textColor(), s.Font.FontColor);
    sendMouseEnter(edit);
    expectEditImage(*this, edit, s.ActiveSkinRect, at);
    EXPECT_EQ(edit.textColor(), s.ActiveFontColor);
    sendMouseLeave(edit);
    expectEditImage(*this, edit, s.SkinRect, at);
    EXPECT_EQ(edit.textColor(), s.Font.FontColor);
    edit.setEnabled(false);
    EXPECT_EQ(edit.textColor(), s.DisabledFontColor);
}

TEST_F(SkinLook, EditWithoutSkinFontTakesItsFontHeightPlusTheFrame)
{
    TbsSkinEdit edit(&form);
    edit.setUseSkinFont(false);
    int plain = edit.naturalHeight(); // text height + 4
    edit.setSkinData(&ownSkin());
    const auto& s = section<TbsDataSkinEditControl>("edit");
    EXPECT_EQ(edit.height(), plain - 4 + s.SkinRect.height() - s.ClRect.height());
    // An empty model: the plain look again, at the plain height.
    TbsSkinData empty;
    edit.setSkinData(&empty);
    EXPECT_EQ(edit.sectionIndex(), -1);
    EXPECT_EQ(edit.height(), plain);
    EXPECT_EQ(pixel(edit, 0, 0), colorToRGB(clBtnShadow));
}

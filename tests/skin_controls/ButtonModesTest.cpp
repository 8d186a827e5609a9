#include "SkinLookTest.h"

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/Timer.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"

using namespace qv;
using namespace qv::looktest;

namespace {

// The control as it paints itself, read in one go.
Bitmap painted(TCustomControl& c)
{
    Bitmap b(c.width(), c.height());
    c.paintTo(b.canvas());
    return b;
}

// Pixels of r in the painted control that differ from the picture's rectangle S.
int differences(const Bitmap& b, const TRect& r, const TbsSkinPicture& pic, const TRect& S)
{
    int wrong = 0;
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x)
            wrong += b.pixel(r.left + x, r.top + y) != pic.pixel(S.left + x, S.top + y);
    return wrong;
}

struct ProbeEdit : TbsSkinEdit {
    using TbsSkinEdit::TbsSkinEdit;
    using TbsSkinEdit::textRect;
};

} // namespace

TEST_F(SkinLook, HeldButtonRepeatsItsClickEveryInterval)
{
    TbsSkinButton button(&form);
    button.setBounds(10, 10, 73, 25);
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    button.setRepeatMode(true);
    button.setRepeatInterval(100);
    sendMouseEnter(button);
    sendMouseDown(button, 20, 10);
    EXPECT_TRUE(button.repeating());
    clock.advance(99);
    EXPECT_EQ(clicks, 0);
    clock.advance(1);
    EXPECT_EQ(clicks, 1);
    clock.advance(200);
    EXPECT_EQ(clicks, 3);
    // Off the button nothing repeats; back on it, repeating goes on.
    sendMouseLeave(button);
    clock.advance(300);
    EXPECT_EQ(clicks, 3);
    sendMouseEnter(button);
    clock.advance(100);
    EXPECT_EQ(clicks, 4);
    sendMouseUp(button, 20, 10);
    EXPECT_EQ(clicks, 5);
    EXPECT_FALSE(button.repeating());
    clock.advance(500);
    EXPECT_EQ(clicks, 5);

    // Without the mode a held button clicks once, on the release.
    button.setRepeatMode(false);
    sendMouseDown(button, 20, 10);
    clock.advance(1000);
    EXPECT_EQ(clicks, 5);
    sendMouseUp(button, 20, 10);
    EXPECT_EQ(clicks, 6);
}

TEST_F(SkinLook, RepeatingButtonClicksOnSpacePressAndRelease)
{
    TbsSkinButton button(&form);
    button.setBounds(10, 10, 73, 25);
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    button.setRepeatMode(true);
    button.setFocus();
    app().processMessages();
    ASSERT_TRUE(button.focused());
    sendKeyStroke(button, VK_SPACE);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(button.Down());
}

TEST_F(SkinLook, ButtonEditDrawsItsButtonStatesAndClicksOnRelease)
{
    ProbeEdit edit(&form);
    edit.setButtonMode(true);
    edit.setSkinDataName("buttonedit");
    edit.setSkinData(&ownSkin());
    edit.setBounds(10, 10, 81, 18);
    const auto& s = section<TbsDataSkinEditControl>("buttonedit");
    const TbsSkinPicture& pic = picture(s.PictureIndex);
    // The button stays at the right end: 42..57 of the 58-pixel picture.
    EXPECT_EQ(edit.buttonRect(), (TRect{65, 1, 80, 16}));
    EXPECT_EQ(edit.textRect(), (TRect{1, 1, 63, 16}));

    int clicks = 0;
    edit.onButtonClick = [&] { ++clicks; };
    sendMouseMove(edit, 70, 8);
    EXPECT_TRUE(edit.buttonHovered());
    EXPECT_EQ(differences(painted(edit), edit.buttonRect(), pic, s.ActiveButtonRect), 0);
    sendMouseDown(edit, 70, 8);
    EXPECT_TRUE(edit.buttonPressed());
    EXPECT_EQ(differences(painted(edit), edit.buttonRect(), pic, s.DownButtonRect), 0);
    sendMouseUp(edit, 70, 8);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(edit.buttonPressed());

    // Pressed on the button and released off it: no click.
    sendMouseDown(edit, 70, 8);
    sendMouseMove(edit, 20, 8);
    EXPECT_FALSE(edit.buttonHovered());
    sendMouseUp(edit, 20, 8);
    EXPECT_EQ(clicks, 1);
    // A press on the text area is no button press.
    sendMouseDown(edit, 0, 0);
    sendMouseUp(edit, 0, 0);
    EXPECT_EQ(clicks, 1);
    sendMouseLeave(edit);
    EXPECT_FALSE(edit.buttonHovered());
}

TEST_F(SkinLook, ButtonEditWithoutSectionHasASquareButton)
{
    ProbeEdit edit(&form);
    edit.setBounds(10, 10, 100, 18);
    TRect plain = edit.textRect();
    edit.setButtonMode(true);
    int const H = edit.height();
    EXPECT_EQ(edit.buttonRect(), (TRect{100 - H, 0, 100, H}));
    EXPECT_EQ(edit.textRect().right, plain.right - H);
    // At rest a button face in a shadow frame; hovered the hot fill.
    Bitmap rest = painted(edit);
    EXPECT_EQ(rest.pixel(100 - H / 2, H / 2), colorToRGB(clBtnFace));
    sendMouseMove(edit, 100 - H / 2, H / 2);
    Bitmap hot = painted(edit);
    EXPECT_EQ(hot.pixel(100 - H / 2, H / 2), TColor(13811126));
    EXPECT_EQ(hot.pixel(100 - H, 0), TColor(8388608));
}

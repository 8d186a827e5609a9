#include "SkinLookTest.h"

#include "runtime/graphics/Bitmap.h"
#include "runtime/graphics/Graphics.h"
#include "runtime/ui/Timer.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinSpeedButton.h"

using namespace qv;
using namespace qv::looktest;

namespace {

constexpr TColor key = 0x00FF00FF;
constexpr TColor ink = 0x000000C0;

Bitmap painted(TCustomControl& c)
{
    Bitmap b(c.width(), c.height());
    c.paintTo(b.canvas());
    return b;
}

// A 5 x 3 glyph: a solid ink bar on the key colour, one key pixel in its middle.
Bitmap barGlyph()
{
    Bitmap g(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            g.setPixel(x, y, y == 1 && x != 2 ? ink : key);
    return g;
}

// Where the painted button shows the glyph's ink; an empty rectangle when nowhere.
TRect inkBounds(const Bitmap& b)
{
    TRect r{b.width(), b.height(), 0, 0};
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.pixel(x, y) == ink)
                r = TRect{std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                          std::max(r.bottom, y + 1)};
    return r.right > r.left ? r : TRect{};
}

int countOf(const Bitmap& b, TColor colour)
{
    int n = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            n += b.pixel(x, y) == colour;
    return n;
}

} // namespace

TEST_F(SkinLook, ToolSpeedButtonNeverTakesTheFocusAndRepeatsOnlyInRepeatMode)
{
    TbsSkinButton focusHolder(&form);
    focusHolder.setBounds(200, 10, 75, 25);
    focusHolder.setFocus();
    app().processMessages();
    ASSERT_EQ(form.activeControl(), &focusHolder);

    TbsSkinSpeedButton button(&form);
    button.setSkinData(&ownSkin());
    button.setBounds(10, 10, 27, 25);
    EXPECT_EQ(button.SkinDataName(), "toolbutton");
    EXPECT_FALSE(button.CanFocused());
    int clicks = 0;
    button.onClick = [&] { ++clicks; };

    sendMouseDown(button, 5, 5);
    EXPECT_TRUE(button.Down());
    clock.advance(1000);
    EXPECT_EQ(clicks, 0);
    sendMouseUp(button, 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.activeControl(), &focusHolder);
    // Space and Enter belong to the focused control, never to a speed button.
    sendKeyStroke(button, VK_SPACE);
    sendKeyStroke(button, VK_RETURN);
    EXPECT_EQ(clicks, 1);

    // Released off the button: no click.
    sendMouseDown(button, 5, 5);
    sendMouseUp(button, 40, 5);
    EXPECT_EQ(clicks, 1);

    button.setRepeatMode(true);
    button.setRepeatInterval(50);
    sendMouseEnter(button);
    sendMouseDown(button, 5, 5);
    clock.advance(150);
    EXPECT_EQ(clicks, 4);
    sendMouseUp(button, 5, 5);
    EXPECT_EQ(clicks, 5);
    EXPECT_FALSE(button.repeating());
    EXPECT_EQ(form.activeControl(), &focusHolder);
}

TEST_F(SkinLook, SpeedButtonGlyphIsCentredMovesWhenDownAndEmbossesWhenDisabled)
{
    for (TbsSkinData* model : {static_cast<TbsSkinData*>(nullptr), &ownSkin()}) {
        SCOPED_TRACE(model ? "skinned" : "default look");
        TbsSkinSpeedButton button(&form, "resizebutton");
        button.setSkinData(model);
        button.setBounds(10, 10, 23, 23);
        button.setGlyph(barGlyph());
        // The 5 x 3 glyph's middle on the button's middle; its key colour shows nothing.
        EXPECT_EQ(inkBounds(painted(button)), (TRect{9, 11, 14, 12}));
        EXPECT_EQ(countOf(painted(button), key), 0);
        EXPECT_EQ(countOf(painted(button), ink), 4);

        sendMouseEnter(button);
        sendMouseDown(button, 5, 5);
        EXPECT_EQ(inkBounds(painted(button)), (TRect{10, 12, 15, 13}));
        sendMouseUp(button, 5, 5);
        EXPECT_EQ(inkBounds(painted(button)), (TRect{9, 11, 14, 12}));

        button.setEnabled(false);
        Bitmap disabled = painted(button);
        EXPECT_TRUE(inkBounds(disabled).isEmpty());
        EXPECT_EQ(disabled.pixel(9, 11), colorToRGB(clBtnShadow));
        EXPECT_EQ(disabled.pixel(10, 11), colorToRGB(clBtnHighlight));
    }
}

TEST_F(SkinLook, FlatSpeedButtonShowsItsFrameOnlyUnderTheMouse)
{
    TbsSkinSpeedButton plain(&form);
    plain.setBounds(10, 10, 27, 25);
    TbsSkinSpeedButton flat(&form);
    flat.setBounds(50, 10, 27, 25);
    flat.setFlat(true);
    EXPECT_EQ(painted(plain).pixel(0, 0), colorToRGB(clBtnShadow));
    EXPECT_EQ(painted(flat).pixel(0, 0), colorToRGB(clBtnFace));
    sendMouseEnter(flat);
    EXPECT_EQ(painted(flat).pixel(0, 0), defaultlook::navyFrame);
    EXPECT_EQ(painted(flat).pixel(5, 5), defaultlook::hotFill);
    sendMouseDown(flat, 5, 5);
    EXPECT_EQ(painted(flat).pixel(5, 5), defaultlook::downFill);
}

TEST_F(SkinLook, MenuSpeedButtonKeepsItsGlyphLeftOfTheArrowAndLetsGoWhenTheMenuCloses)
{
    for (TbsSkinData* model : {static_cast<TbsSkinData*>(nullptr), &ownSkin()}) {
        SCOPED_TRACE(model ? "skinned" : "default look");
        TbsSkinMenuSpeedButton button(&form);
        button.setSkinData(model);
        button.setBounds(10, 10, 37, 25);
        button.setGlyph(barGlyph());
        Bitmap look = painted(button);
        TRect track = button.trackArea();
        // Without a section the arrow takes the right 12 pixels; the skin says where it is.
        if (!model) {
            EXPECT_EQ(track, (TRect{25, 0, 37, 25}));
        }
        ASSERT_GT(track.left, 10);
        TRect glyph = inkBounds(look);
        ASSERT_FALSE(glyph.isEmpty());
        EXPECT_LE(glyph.right, track.left);
        EXPECT_EQ(glyph.left + glyph.width() / 2, track.left / 2);
        // The arrow is drawn in the track part.
        EXPECT_EQ(look.pixel(track.left + track.width() / 2, track.top + track.height() / 2), colorToRGB(clBlack));

        int clicks = 0;
        button.onClick = [&] { ++clicks; };
        button.menuItems().add("one", "One");
        sendMouseEnter(button);
        sendMouseDown(button, 5, 5);
        ASSERT_TRUE(button.menuOpen());
        EXPECT_TRUE(button.pressed());
        button.menuEngine().closeAll();
        EXPECT_FALSE(button.menuOpen());
        EXPECT_FALSE(button.pressed());
        EXPECT_FALSE(button.Down());
        EXPECT_EQ(clicks, 0);
    }
}

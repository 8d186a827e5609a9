#include "SkinLookTest.h"

#include "runtime/graphics/Bitmap.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinUpDown.h"

using namespace qv;
using namespace qv::looktest;

namespace {

int textWidth(const Font& font, const std::string& text)
{
    Bitmap probe(1, 1);
    probe.canvas().font = font;
    return probe.canvas().textWidth(text);
}

Font bigRed()
{
    Font f = skinDefaultFont();
    f.cellHeight = 24;
    f.style = fsBold;
    f.color = 255;
    return f;
}

} // namespace

TEST_F(SkinLook, UseSkinFontChoosesBetweenTheSectionsFontAndTheControlsOwn)
{
    const auto& s = section<TbsDataSkinStdLabelControl>("stdlabel");
    Font skinLabelFont = skinFont(s.Font, skinDefaultFont());

    TbsSkinStdLabel label(&form);
    label.setFont(bigRed());
    label.setDefaultFont(bigRed());
    label.setCaption("Loan Amount:");
    label.setSkinData(&ownSkin());
    EXPECT_EQ(label.width(), textWidth(skinLabelFont, "Loan Amount:"));
    // Off, the label's Font sets the size, while the colour stays the section's.
    label.setUseSkinFont(false);
    EXPECT_EQ(label.width(), textWidth(bigRed(), "Loan Amount:"));
    Bitmap screen = (app().processMessages(), grabImage(label));
    int red = 0, sectionColour = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            red += screen.pixel(x, y) == 255;
            sectionColour += screen.pixel(x, y) == s.Font.FontColor;
        }
    EXPECT_EQ(red, 0);
    EXPECT_GT(sectionColour, 20);

    // The page control measures its tabs in the font its metrics chose.
    TbsSkinPageControl pages(&form);
    pages.setBounds(0, 60, 360, 200);
    TbsSkinTabSheet& page = pages.addPage("Chart");
    (void)page;
    pages.setDefaultFont(bigRed());
    pages.setSkinData(&ownSkin());
    const auto& tab = section<TbsDataSkinTabControl>("tab");
    EXPECT_EQ(pages.tabRect(0).width(), textWidth(skinFont(tab.Font, skinDefaultFont()), "Chart") + 12);
    pages.setUseSkinFont(false);
    EXPECT_EQ(pages.tabRect(0).width(), textWidth(bigRed(), "Chart") + 12);
    EXPECT_EQ(pages.font().color, tab.Font.FontColor);
    // The character set comes from the model's string table once it has one.
    TbsResourceStrData strings;
    strings.CharSet = 204;
    ownSkin().setResourceStrData(&strings);
    pages.skinChanged();
    EXPECT_EQ(pages.font().charset, 204);
    ownSkin().setResourceStrData(nullptr);
    pages.skinChanged();
    EXPECT_EQ(pages.font().charset, bigRed().charset);
}

TEST_F(SkinLook, UpDownShowsTheHoveredArrowInItsActivePicture)
{
    const auto& s = section<TbsDataSkinUpDownControl>("hupdown");
    const TbsSkinPicture& pic = picture(s.PictureIndex);
    TbsSkinUpDown upDown(&form);
    upDown.setSkinDataName("hupdown");
    upDown.setSkinData(&ownSkin());
    upDown.setBounds(10, 10, s.SkinRect.width(), s.SkinRect.height());
    upDown.setMax(3);
    auto matches = [&](const TRect& area, const TRect& source) {
        Bitmap screen = (app().processMessages(), grabImage(upDown));
        int wrong = 0;
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x)
                wrong += screen.pixel(area.left + x, area.top + y) != pic.pixel(source.left + x, source.top + y);
        return wrong;
    };
    const TRect& S = s.SkinRect;
    EXPECT_EQ(matches(upDown.clientRect(), S), 0);
    TRect up = upDown.partRect(TbsSkinUpDown::Part::Up);
    EXPECT_EQ(up, s.UpButtonRect);
    sendMouseMove(upDown, up.left + 3, up.top + 3);
    EXPECT_EQ(matches(up, s.ActiveUpButtonRect), 0);
    EXPECT_EQ(matches(s.DownButtonRect, TRect{S.left, S.top, S.left + 20, S.bottom}), 0);
    // Pressing steps at once and shows the pressed picture; the range holds.
    int changes = 0;
    upDown.onChange = [&] { ++changes; };
    sendMouseDown(upDown, up.left + 3, up.top + 3);
    EXPECT_EQ(upDown.Position(), 1);
    EXPECT_EQ(matches(up, s.DownUpButtonRect), 0);
    sendMouseUp(upDown, up.left + 3, up.top + 3);
    for (int i = 0; i < 4; ++i)
        sendClick(upDown, up.left + 3, up.top + 3);
    EXPECT_EQ(upDown.Position(), 3);
    EXPECT_EQ(changes, 3);
    TRect down = upDown.partRect(TbsSkinUpDown::Part::Down);
    sendClick(upDown, down.left + 3, down.top + 3);
    EXPECT_EQ(upDown.Position(), 2);
}

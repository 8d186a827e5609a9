#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/AccessibleQuery.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Dialogs.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/Shell.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/menubar/SkinMainMenuBar.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv;
using qv::test::ScratchDir;

namespace {

TApplication& app()
{
    static int argc = 1;
    static ScratchDir exeFolder("quorvane-skin-test");
    static std::string program = exeFolder.file("quorvane");
    static char* argv[] = {program.data(), nullptr};
    static TApplication* application = new TApplication(argc, argv);
    return *application;
}

constexpr TColor navy = 8388608;
constexpr TColor downFill = 11899781;
constexpr TColor hotFill = 13811126;

TColor rgb(TColor c) { return colorToRGB(c); }

class SkinControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        app();
        form.setClientSize(400, 300);
        form.showAndRaise();
        app().processMessages();
    }
    TColor pixel(TControl& c, int x, int y)
    {
        app().processMessages();
        return screenPixel(c, x, y);
    }
    bool m_appReady = (app(), true); // the application object comes before any window
    TForm form;
};

} // namespace

TEST_F(SkinControls, WithoutAModelOrSectionEveryControlTakesItsDefaultLook)
{
    TbsSkinData empty;
    TbsSkinButton button(&form);
    EXPECT_EQ(button.SkinDataName(), "button");
    EXPECT_EQ(button.width(), 75);
    EXPECT_EQ(button.height(), 25);
    button.setSkinData(&empty);
    button.setSkinDataName("button");
    EXPECT_EQ(button.sectionIndex(), -1);
    TbsSkinEdit edit(&form);
    EXPECT_EQ(edit.SkinDataName(), "edit");
    TbsSkinGroupBox group(&form);
    EXPECT_EQ(group.SkinDataName(), "groupbox");
    EXPECT_TRUE(group.CaptionMode());
    TbsSkinPageControl pages(&form);
    EXPECT_EQ(pages.SkinDataName(), "tab");
    EXPECT_EQ(empty.findSkinControl("button"), -1);
}

TEST_F(SkinControls, ButtonDefaultLookFollowsItsState)
{
    TbsSkinButton button(&form);
    button.setBounds(10, 10, 73, 25);
    button.setCaption("Calculate");
    EXPECT_EQ(pixel(button, 0, 0), rgb(clBtnShadow));
    EXPECT_EQ(pixel(button, 3, 3), rgb(clBtnFace));
    sendMouseDown(button, 5, 5);
    EXPECT_TRUE(button.Down());
    EXPECT_EQ(pixel(button, 0, 0), navy);
    EXPECT_EQ(pixel(button, 3, 3), downFill);
}

TEST_F(SkinControls, ButtonClicksOnlyWhenReleasedOverIt)
{
    TbsSkinButton button(&form);
    button.setBounds(10, 10, 73, 25);
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    sendClick(button, 5, 5);
    EXPECT_EQ(clicks, 1);
    sendMouseDown(button, 5, 5);
    sendMouseUp(button, 200, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button.Down());
    // Keyboard: space pressed and released clicks, Enter clicks.
    button.setFocus();
    sendKeyStroke(button, VK_SPACE);
    EXPECT_EQ(clicks, 2);
    sendKeyStroke(button, VK_RETURN);
    EXPECT_EQ(clicks, 3);
    button.setEnabled(false);
    sendClick(button, 5, 5);
    EXPECT_EQ(clicks, 3);
}

TEST_F(SkinControls, FocusedButtonShowsTheHotLook)
{
    TbsSkinButton button(&form);
    button.setBounds(10, 10, 73, 25);
    button.setFocus();
    EXPECT_EQ(pixel(button, 0, 0), navy);
    EXPECT_EQ(pixel(button, 3, 3), hotFill);
}

TEST_F(SkinControls, LabelSizesToItsTextAndDrawsInDefaultFont)
{
    TbsSkinStdLabel label(&form);
    Font bold;
    bold.name = "MS Sans Serif";
    bold.size = 8;
    bold.style = fsBold;
    bold.color = clBlack;
    label.setDefaultFont(bold);
    label.setCaption("Monthly Payment:");
    Bitmap probe(1, 1);
    probe.canvas().font = bold;
    EXPECT_EQ(label.width(), probe.canvas().textWidth("Monthly Payment:"));
    // Font is ignored while UseSkinFont is on and there is no section.
    Font big;
    big.name = "Arial";
    big.height = 30;
    label.setFont(big);
    EXPECT_EQ(label.width(), probe.canvas().textWidth("Monthly Payment:"));
    label.setUseSkinFont(false);
    label.setCaption("Monthly Payment:");
    EXPECT_GT(label.width(), probe.canvas().textWidth("Monthly Payment:"));
}

TEST_F(SkinControls, DisabledLabelIsEmbossed)
{
    TbsSkinStdLabel label(&form);
    Font f;
    f.name = "Arial";
    f.height = 30;
    f.style = fsBold;
    f.color = clBlack;
    label.setDefaultFont(f);
    label.setCaption("I");
    label.setEnabled(false);
    app().processMessages();
    bool shadow = false, highlight = false;
    for (int y = 0; y < label.height(); ++y) {
        for (int x = 0; x < label.width(); ++x) {
            TColor p = screenPixel(label, x, y);
            shadow |= p == rgb(clBtnShadow);
            highlight |= p == rgb(clBtnHighlight);
        }
    }
    EXPECT_TRUE(shadow);
    EXPECT_TRUE(highlight);
}

TEST_F(SkinControls, LinkLabelOpensItsAddress)
{
    std::vector<std::string> opened;
    UiServices ui{.shellOpen = [&](const std::string& target) {
        opened.push_back(target);
        return true;
    }};
    TbsSkinLinkLabel link(&form, ui);
    link.setURL("https://quorvane.com/");
    link.setCaption("www.quorvane.com");
    EXPECT_TRUE(link.DefaultFont().style & fsUnderline);
    EXPECT_EQ(link.DefaultActiveFontColor(), TColor(16711680));
    sendClick(link, 2, 2);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "https://quorvane.com/");
}

TEST_F(SkinControls, LinkLabelIsReachedByTabAndOpenedByEnterOrSpace)
{
    std::vector<std::string> opened;
    UiServices ui{.shellOpen = [&](const std::string& target) {
        opened.push_back(target);
        return true;
    }};
    TbsSkinLinkLabel link(&form, ui);
    link.setURL("https://quorvane.com/");
    link.setCaption("www.quorvane.com");
    EXPECT_TRUE(link.tabStop());
    sendKeyStroke(link, VK_RETURN);
    sendKeyStroke(link, VK_SPACE);
    sendKeyStroke(link, 'A');
    TAccessibleNode node = accessibleTree(link);
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_EQ(node.role, "link");
    EXPECT_EQ(node.name, "www.quorvane.com");
    EXPECT_EQ(node.description, "https://quorvane.com/");
}

TEST_F(SkinControls, ButtonsLabelsAndGroupBoxSayWhatTheyAre)
{
    TbsSkinGroupBox group(&form);
    group.setCaption("&Loan");
    TbsSkinButton button(&group);
    button.setCaption("&Calculate");
    TbsSkinStdLabel label(&group);
    label.setCaption("Total:");
    TAccessibleNode tree = accessibleTree(group);
    EXPECT_EQ(tree.role, "panel");
    EXPECT_EQ(tree.name, "Loan");
    const TAccessibleNode* b = tree.find("push button", "Calculate");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->actions, std::vector<std::string>{"press"});
    EXPECT_NE(tree.find("label", "Total:"), nullptr);

    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    EXPECT_TRUE(accessibleDoAction(button, {}, TAccessibleAction::Press));
    EXPECT_EQ(clicks, 1);
    button.setEnabled(false);
    EXPECT_TRUE(accessibleTree(button).has(asDisabled));
    accessibleDoAction(button, {}, TAccessibleAction::Press);
    EXPECT_EQ(clicks, 1) << "a disabled button is not pressed";

    TAccessibleEventLog log;
    label.setCaption("Total: 5");
    label.setAccessibleName("Total");
    EXPECT_TRUE(log.contains("name-changed", "Total: 5"));
    EXPECT_EQ(accessibleTree(label).name, "Total");
    EXPECT_EQ(accessibleTree(label).value, "Total: 5");
}

TEST_F(SkinControls, GroupBoxHasACaptionBandAndFrame)
{
    TbsSkinGroupBox group(&form);
    group.setBounds(0, 0, 200, 80);
    group.setCaption("Amortization Caluculator");
    EXPECT_EQ(group.panelClientRect(), (TRect{1, 23, 199, 79}));
    EXPECT_EQ(pixel(group, 0, 40), rgb(clBtnShadow));
    EXPECT_EQ(pixel(group, 1, 1), rgb(clBtnHighlight)); // raised band
    EXPECT_EQ(pixel(group, 100, 50), rgb(clBtnFace));
}

TEST_F(SkinControls, EditWithoutSectionIsTextHeightPlusFour)
{
    TbsSkinEdit edit(&form);
    edit.setBounds(10, 10, 57, 18);
    Bitmap probe(1, 1);
    probe.canvas().font = edit.DefaultFont();
    EXPECT_EQ(edit.height(), probe.canvas().textHeight("Ag") + 4);
    edit.setDefaultHeight(30);
    EXPECT_EQ(edit.height(), 30);
    EXPECT_EQ(pixel(edit, 0, 0), rgb(clBtnShadow));
    EXPECT_EQ(pixel(edit, 1, 1), rgb(clBtnFace));
    EXPECT_EQ(pixel(edit, 30, 15), rgb(clWindow));
}

TEST_F(SkinControls, PageControlSwitchesPagesByTabAndByProgram)
{
    TbsSkinPageControl pages(&form);
    pages.setBounds(0, 0, 300, 200);
    TbsSkinTabSheet& first = pages.addPage("Amortization Schedule");
    TbsSkinTabSheet& second = pages.addPage("Chart");
    EXPECT_EQ(pages.ActivePageIndex(), 0);
    EXPECT_EQ(first.boundsRect(), pages.displayRect());
    // Tabs 20 high along the top; the frame line runs just below them.
    EXPECT_EQ(pages.displayRect(), (TRect{1, 21, 299, 199}));
    int changes = 0;
    pages.onChange = [&] { ++changes; };
    TRect tab = pages.tabRect(1);
    EXPECT_EQ(tab.left, pages.tabRect(0).right);
    sendMouseDown(pages, tab.left + 3, tab.top + 3);
    EXPECT_EQ(pages.ActivePageIndex(), 1);
    EXPECT_TRUE(second.showing());
    EXPECT_FALSE(first.showing());
    EXPECT_EQ(changes, 1);
    // The selected tab of a focused control: navy frame on the down fill.
    EXPECT_EQ(pixel(pages, tab.left, tab.top), navy);
    EXPECT_EQ(pixel(pages, tab.left + 2, tab.top + 2), downFill);
    pages.setActivePageIndex(0);
    EXPECT_EQ(changes, 2);
    pages.setActivePageIndex(5);
    EXPECT_EQ(pages.ActivePageIndex(), 0);
}


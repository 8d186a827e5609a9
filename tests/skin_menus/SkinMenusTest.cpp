#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/Timer.h"
#include "skin/controls/SkinEdit.h"
#include "skin/menubar/SkinMainMenuBar.h"
#include "skin/popupmenu/SkinFormMenus.h"
#include "skin/store/CompressedStoredSkin.h"
#include "support/ScratchDir.h"

#include "skin/quorvane/QuorvaneSkin.h"
#include "support/OwnSkin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv;
using qv::test::ScratchDir;

namespace {

TApplication& app()
{
    static int argc = 1;
    static ScratchDir exeFolder("quorvane-menu-test");
    static std::string program = exeFolder.file("quorvane");
    static char* argv[] = {program.data(), nullptr};
    static TApplication* application = new TApplication(argc, argv);
    return *application;
}

using qv::test::ownSkin;

const TbsDataSkinMenuItem& menuItemSection()
{
    return dynamic_cast<const TbsDataSkinMenuItem&>(ownSkin().skinObject(ownSkin().FindSkinObject("MENUITEM")));
}

// Records the notices a menu's opener hears, in order.
struct Opener : TbsMenuNoticeTarget {
    std::vector<TbsMenuNotice> heard;
    void menuNotice(TbsMenuNotice notice) override { heard.push_back(notice); }
};

// Counts the wheel turns that reach it.
struct WheelTarget : TCustomControl {
    using TCustomControl::TCustomControl;
    int turns = 0;
    void mouseWheel(int, unsigned) override { ++turns; }
};

struct MenuWindow : TForm {
    MenuWindow()
    {
        setClientSize(400, 300);
        setScreenPosition(40, 40);
        bar.setSkinForm(&menus);
        bar.setBounds(0, 0, 400, 22);
        edit.setBounds(20, 60, 120, 20);
        other.setBounds(20, 120, 120, 20);
    }
    TbsSkinFormMenus menus{*this};
    TbsSkinMainMenuBar bar{this};
    TbsSkinEdit edit{this};
    TbsSkinEdit other{this};
    WheelTarget wheel{this};
};

class SkinMenus : public ::testing::Test {
protected:
    void SetUp() override
    {
        TMenuItem& file = menu.items().add("File1", "&File");
        file.add("mnuNew", "&New").onClick = [this] { ran.push_back("new"); };
        file.add("mnuOpen", "&Open").onClick = [this] { ran.push_back("open"); };
        file.add("mnuSave", "&Save");
        file.add("N1", "-");
        file.add("mnuExit", "E&xit").onClick = [this] { ran.push_back("exit"); };
        TMenuItem& edit = menu.items().add("Edit1", "&Edit");
        edit.add("mnuUndo", "&Undo").setEnabled(false);
        edit.add("mnuWrap", "&Wrap").setChecked(true);
        TMenuItem& recent = edit.add("mnuRecent", "&Recent");
        recent.onClick = [this] { ran.push_back("recent"); };
        recent.add("mnuOne", "&One").onClick = [this] { ran.push_back("one"); };
        recent.add("mnuTwo", "&Two");
        edit.add("N2", "-");
        edit.add("mnuLast", "&Last").setEnabled(false);
        menu.items().add("Help1", "&Help").add("About1", "&About").setShortCut("F1");
        menu.items().item(2).item(0).onClick = [this] { ran.push_back("about"); };
        w.bar.setMainMenu(&menu);
        w.showAndRaise();
        w.edit.setFocus();
        app().processMessages();
    }
    void TearDown() override { w.menus.engine().closeAll(); }

    void skin()
    {
        w.menus.setSkinData(&ownSkin());
        w.bar.setSkinData(&ownSkin());
        w.edit.setSkinData(&ownSkin());
    }
    void link() { w.menus.setMainMenuBar(&w.bar); }
    // Presses a bar item as the user does.
    TbsSkinPopupWindow& open(int barItem)
    {
        TRect r = w.bar.barItem(barItem).rect;
        sendMouseDown(w.bar, r.left + 3, r.top + 3);
        sendMouseUp(w.bar, r.left + 3, r.top + 3);
        EXPECT_TRUE(engine().visible());
        return engine().level(0);
    }
    TbsSkinMenu& engine() { return w.menus.engine(); }
    void key(int k, unsigned shift = 0) { sendKeyStroke(w.edit, k, shift); }
    TColor pixel(TControl& c, int x, int y)
    {
        app().processMessages();
        return colorToRGB(screenPixel(c, x, y));
    }
    TPoint centreOnScreen(TbsSkinPopupWindow& popup, int index)
    {
        TRect r = popup.itemRect(index);
        return popup.clientToScreen(TPoint{r.left + r.width() / 2, r.top + r.height() / 2});
    }
    // Every pixel colour inside r of a control.
    std::vector<TColor> colours(TControl& c, const TRect& r)
    {
        app().processMessages();
        std::vector<TColor> out;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                out.push_back(colorToRGB(screenPixel(c, x, y)));
        return out;
    }
    static bool has(const std::vector<TColor>& list, TColor c)
    {
        return std::find(list.begin(), list.end(), c) != list.end();
    }

    bool m_appReady = (app(), true);
    TMainMenu menu;
    MenuWindow w;
    std::vector<std::string> ran;
};

} // namespace

TEST_F(SkinMenus, SkinnedLevelTakesItsSizesFromThePopupAndItemSections)
{
    skin();
    TbsSkinPopupWindow& popup = open(0);
    ASSERT_TRUE(popup.skinned());
    // Four items of 20, a separator of 4 and 4 for the frame: picture height 40 + 2 - 38.
    EXPECT_EQ(popup.height(), 88);
    EXPECT_EQ(popup.itemRect(0), (TRect{2, 2, popup.width() - 2, 22}));
    EXPECT_EQ(popup.itemRect(3).height(), 4);
    EXPECT_EQ(popup.itemRect(4).top, 66);
    // Widest text + 2, glyph 19 + 19, then picture 61 + text left 6 + item 54 - text right 47 + items 2 - 59.
    Bitmap probe(1, 1);
    probe.canvas().font.name = "Arial";
    probe.canvas().font.cellHeight = 14;
    int widest = 0;
    for (const char* t : {"New", "Open", "Save", "Exit"})
        widest = std::max(widest, probe.canvas().textWidth(t));
    EXPECT_EQ(popup.width(), widest + 2 + 19 + 19 + 61 + 6 + 54 - 47 + 2 - 59);
    // Opened under its bar item, first item highlighted at once.
    TRect item = w.bar.barItem(0).rect;
    EXPECT_EQ(popup.clientToScreen(TPoint{0, 0}), w.bar.clientToScreen(TPoint{item.left, item.bottom}));
    EXPECT_EQ(popup.activeItem(), 0);
    EXPECT_TRUE(popup.menuItem(0).keySelected);
}

TEST_F(SkinMenus, HoveredItemShowsTheActivePictureOnceItsFadeHasRun)
{
    skin();
    TManualTimerClock clock;
    TbsSkinPopupWindow& popup = open(0);
    const TbsSkinPicture& items = *ownSkin().activePicture(2);
    const TbsDataSkinMenuItem& s = menuItemSection();
    TRect first = popup.itemRect(0);
    TRect second = popup.itemRect(1);
    // The fade starts from the normal picture and needs five 20-ms steps.
    EXPECT_EQ(pixel(popup, first.left + 3, first.top + 3), items.pixel(s.SkinRect.left + 3, s.SkinRect.top + 3));
    clock.advance(40);
    EXPECT_GT(popup.menuItem(0).morph.factor(), 0);
    EXPECT_LT(popup.menuItem(0).morph.factor(), 1);
    clock.advance(100);
    EXPECT_EQ(popup.menuItem(0).morph.factor(), 1);
    EXPECT_EQ(pixel(popup, first.left + 3, first.top + 3),
              items.pixel(s.ActiveSkinRect.left + 3, s.ActiveSkinRect.top + 3));
    // The right edge keeps the picture's last 15 columns.
    EXPECT_EQ(pixel(popup, first.right - 2, first.top + 10),
              items.pixel(s.ActiveSkinRect.right - 2, s.ActiveSkinRect.top + 10));
    EXPECT_EQ(pixel(popup, second.left + 3, second.top + 3), items.pixel(s.SkinRect.left + 3, s.SkinRect.top + 3));
    // Moving down fades the first item back and the second one in.
    key(VK_DOWN);
    EXPECT_EQ(popup.activeItem(), 1);
    clock.advance(200);
    EXPECT_EQ(pixel(popup, first.left + 3, first.top + 3), items.pixel(s.SkinRect.left + 3, s.SkinRect.top + 3));
    EXPECT_EQ(pixel(popup, second.left + 3, second.top + 3),
              items.pixel(s.ActiveSkinRect.left + 3, s.ActiveSkinRect.top + 3));
    // The separator is the divider picture.
    TRect divider = popup.itemRect(3);
    EXPECT_EQ(pixel(popup, divider.left + 10, divider.top + 1),
              items.pixel(s.DividerRect.left + 10, s.DividerRect.top + 1));
}

TEST_F(SkinMenus, DisabledCheckedAndSubmenuItemsHaveTheirOwnLooks)
{
    skin();
    TManualTimerClock clock;
    link();
    TbsSkinPopupWindow& popup = open(1);
    key(VK_DOWN); // off "Wrap", so that both rows below show their normal looks
    key(VK_DOWN);
    ASSERT_EQ(popup.activeItem(), 2);
    clock.advance(200);
    const TbsDataSkinMenuItem& s = menuItemSection();
    TColor normal = s.Font.FontColor, disabled = s.UnEnabledFontColor;
    TRect undo = popup.itemRect(0);
    TRect wrap = popup.itemRect(1);
    TRect recent = popup.itemRect(2);
    // Captions from text left + glyph 16 + 1.
    TRect undoText{undo.left + 23, undo.top + 2, undo.left + 60, undo.bottom - 2};
    std::vector<TColor> undoInk = colours(popup, undoText);
    EXPECT_TRUE(has(undoInk, disabled));
    EXPECT_FALSE(has(undoInk, normal));
    EXPECT_TRUE(has(colours(popup, TRect{wrap.left + 23, wrap.top + 2, wrap.left + 60, wrap.bottom - 2}), normal));
    // The tick sits in the glyph column at text left + 2; an unchecked item has none.
    EXPECT_TRUE(has(colours(popup, TRect{wrap.left + 8, wrap.top + 5, wrap.left + 17, wrap.bottom - 5}), normal));
    EXPECT_FALSE(has(colours(popup, TRect{undo.left + 8, undo.top + 5, undo.left + 17, undo.bottom - 5}), normal));
    // The active item with sub-items carries its arrow in the active text colour, 7 from the text's right.
    int textRight = recent.width() + s.TextRect.right - s.SkinRect.width();
    EXPECT_EQ(pixel(popup, recent.left + textRight - 7 + 1, recent.top + s.TextRect.height() / 2),
              colorToRGB(s.ActiveFontColor));
}

TEST_F(SkinMenus, PlainLookWithoutASkin)
{
    TbsSkinData empty;
    w.menus.setSkinData(&empty);
    TbsSkinPopupWindow& popup = open(0);
    EXPECT_FALSE(popup.skinned());
    EXPECT_EQ(popup.height(), 4 * 20 + 4 + 4);
    TRect first = popup.itemRect(0);
    EXPECT_EQ(pixel(popup, first.left, first.top), colorToRGB(8388608)); // navy frame of the highlight
    EXPECT_EQ(pixel(popup, first.left + 3, first.top + 3), colorToRGB(13811126));
    TRect second = popup.itemRect(1);
    EXPECT_EQ(pixel(popup, second.left + 3, second.top + 3), colorToRGB(clBtnFace)); // glyph column
    EXPECT_EQ(pixel(popup, second.right - 3, second.top + 3), colorToRGB(clWindow));
    TRect divider = popup.itemRect(3);
    EXPECT_EQ(pixel(popup, divider.left + 30, divider.top + 2), colorToRGB(clBtnShadow));
    EXPECT_EQ(pixel(popup, 0, 0), colorToRGB(clBtnShadow));
}

TEST_F(SkinMenus, SubmenuOpensAfterHoverWaitOrAtOnceOnClickAndRight)
{
    skin();
    TManualTimerClock clock;
    TbsSkinPopupWindow& popup = open(1);
    movePointerTo(centreOnScreen(popup, 2));
    clock.advance(60); // the window's pointer poll finds "Recent"
    ASSERT_EQ(popup.activeItem(), 2);
    EXPECT_EQ(engine().levelCount(), 1);
    clock.advance(400);
    EXPECT_EQ(engine().levelCount(), 1);
    clock.advance(120); // 500 ms after the pointer came to rest
    ASSERT_EQ(engine().levelCount(), 2);
    EXPECT_EQ(engine().level(1).item(0).name(), "mnuOne");
    EXPECT_TRUE(popup.menuItem(2).open);
    // The submenu lines its first item up with its parent item, right beside it.
    TPoint parent = popup.clientToScreen(TPoint{popup.itemRect(2).right, popup.itemRect(2).top});
    TPoint sub = engine().level(1).clientToScreen(TPoint{0, engine().level(1).itemRect(0).top});
    EXPECT_EQ(sub.y, parent.y);
    EXPECT_GT(sub.x, parent.x);
    // The pointer onto a plain item closes the submenu.
    movePointerTo(centreOnScreen(popup, 1));
    clock.advance(60);
    EXPECT_EQ(engine().levelCount(), 1);
    // Opening by the wait chooses the item, which runs its click handler as a click does.
    EXPECT_EQ(ran, (std::vector<std::string>{"recent"}));

    // A click opens it at once and runs the item's own click handler.
    TRect recent = popup.itemRect(2);
    sendMouseUp(popup, recent.left + 5, recent.top + 5);
    ASSERT_EQ(engine().levelCount(), 2);
    EXPECT_EQ(ran, (std::vector<std::string>{"recent", "recent"}));
    TRect one = engine().level(1).itemRect(0);
    sendMouseUp(engine().level(1), one.left + 5, one.top + 5);
    EXPECT_FALSE(engine().visible());
    EXPECT_EQ(ran, (std::vector<std::string>{"recent", "recent", "one"}));
}

TEST_F(SkinMenus, KeysMoveOpenAndCloseOneLevelAtATime)
{
    TbsSkinData empty;
    w.menus.setSkinData(&empty);
    std::vector<int> delivered;
    w.edit.onKeyDown = [&](int& k, unsigned) { delivered.push_back(k); };
    TbsSkinPopupWindow& popup = open(1);
    ASSERT_EQ(popup.activeItem(), 1); // "Undo" is disabled
    key(VK_DOWN);
    EXPECT_EQ(popup.activeItem(), 2);
    // Down from the last selectable item stays: a separator and a disabled item follow it.
    key(VK_DOWN);
    EXPECT_EQ(popup.activeItem(), 2);
    key(VK_UP);
    EXPECT_EQ(popup.activeItem(), 1);
    key(VK_UP); // only the disabled "Undo" above: the highlight stays
    EXPECT_EQ(popup.activeItem(), 1);
    key(VK_DOWN);
    key(VK_RIGHT);
    ASSERT_EQ(engine().levelCount(), 2);
    EXPECT_EQ(engine().level(1).activeItem(), 0);
    key(VK_DOWN);
    EXPECT_EQ(engine().level(1).activeItem(), 1);
    // Down from the very last item wraps to the first.
    key(VK_DOWN);
    EXPECT_EQ(engine().level(1).activeItem(), 0);
    key(VK_LEFT);
    EXPECT_EQ(engine().levelCount(), 1);
    EXPECT_FALSE(popup.menuItem(2).open);
    key(VK_RETURN); // Enter on an item with sub-items opens them
    ASSERT_EQ(engine().levelCount(), 2);
    key(VK_ESCAPE);
    EXPECT_EQ(engine().levelCount(), 1);
    // An access key chooses at once, here inside the submenu.
    key(VK_RIGHT);
    key('O');
    EXPECT_FALSE(engine().visible());
    EXPECT_EQ(ran, (std::vector<std::string>{"recent", "recent", "recent", "one"}));
    // Nothing typed while the menu was open reached the edit; with it closed keys arrive again.
    EXPECT_TRUE(delivered.empty());
    key('Q');
    EXPECT_EQ(delivered, (std::vector<int>{'Q'}));
}

TEST_F(SkinMenus, AltAndF10EnterMenuModeAndAccessKeysRunCommands)
{
    link();
    int entered = 0, exited = 0;
    w.menus.onMainMenuEnter = [&](TbsMenuBarLink&) { ++entered; };
    w.menus.onMainMenuExit = [&] { ++exited; };
    std::vector<int> delivered;
    w.edit.onKeyDown = [&](int& k, unsigned) { delivered.push_back(k); };

    key(VK_MENU); // Alt pressed and released alone
    ASSERT_TRUE(w.menus.mainMenuMode());
    EXPECT_TRUE(w.bar.menuMode());
    EXPECT_EQ(w.bar.activeObject(), 0);
    EXPECT_FALSE(engine().visible());
    key(VK_LEFT); // wraps to the last bar item
    EXPECT_EQ(w.bar.activeObject(), 2);
    key(VK_MENU); // the menu key again leaves the mode
    EXPECT_FALSE(w.menus.mainMenuMode());
    EXPECT_EQ(w.bar.activeObject(), -1);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(exited, 1);

    key(VK_F10);
    ASSERT_TRUE(w.menus.mainMenuMode());
    key('F');
    ASSERT_TRUE(engine().visible());
    EXPECT_TRUE(w.bar.barItem(0).down);
    key('O');
    EXPECT_FALSE(engine().visible());
    EXPECT_FALSE(w.menus.mainMenuMode());
    EXPECT_FALSE(w.bar.barItem(0).down);
    EXPECT_EQ(ran, (std::vector<std::string>{"open"}));
    EXPECT_EQ(exited, 2);

    // Alt with an access key opens its menu straight away; Enter runs the highlighted item.
    key('H', ssAlt);
    ASSERT_TRUE(engine().visible());
    key(VK_RETURN);
    EXPECT_EQ(ran, (std::vector<std::string>{"open", "about"}));
    // A short-cut of the linked menu runs without any menu.
    key(VK_F1);
    EXPECT_EQ(ran, (std::vector<std::string>{"open", "about", "about"}));
    // Only the Alt press itself ever reached the edit.
    for (int k : delivered)
        EXPECT_EQ(k, VK_MENU);
}

TEST_F(SkinMenus, AltF4ClosesTheWindowWithoutAWindowManager)
{
    link();
    ASSERT_TRUE(w.showing());
    key(VK_F4, ssAlt);
    app().processMessages();
    EXPECT_FALSE(w.showing());
    EXPECT_TRUE(ran.empty());
}

TEST_F(SkinMenus, WithoutALinkedBarTheKeyboardLeavesTheMenuAlone)
{
    std::vector<int> delivered;
    w.edit.onKeyDown = [&](int& k, unsigned) { delivered.push_back(k); };
    key(VK_F10);
    key('F', ssAlt);
    key(VK_F1);
    EXPECT_FALSE(w.menus.mainMenuMode());
    EXPECT_FALSE(engine().visible());
    EXPECT_TRUE(ran.empty());
    // F10 is the menu key and never typed; the others reach the edit.
    EXPECT_EQ(delivered, (std::vector<int>{'F', VK_F1}));
}

TEST_F(SkinMenus, PressElsewhereClosesTheMenusAndEachNoticeComesOnce)
{
    TbsSkinData empty;
    w.menus.setSkinData(&empty);
    TbsSkinPopupMenu popupMenu(&w);
    popupMenu.items().add("A1", "&Alpha").onClick = [this] { ran.push_back("alpha"); };
    popupMenu.items().add("B1", "&Beta");
    Opener opener;
    int opens = 0, closes = 0;
    w.menus.onSkinMenuOpen = [&] { ++opens; };
    w.menus.onSkinMenuClose = [&] { ++closes; };

    popupMenu.popupFromEdit(w.edit.clientToScreen(TPoint{5, 5}), &opener);
    ASSERT_TRUE(engine().visible());
    EXPECT_TRUE(w.menus.hookInstalled());
    // A press on the menu itself keeps it; one anywhere else ends it.
    sendMouseDown(engine().level(0), 5, 5);
    EXPECT_TRUE(engine().visible());
    sendMouseDown(w.other, 5, 5);
    EXPECT_FALSE(engine().visible());
    EXPECT_FALSE(w.menus.menuOpen());
    EXPECT_FALSE(w.menus.hookInstalled());
    EXPECT_EQ(opener.heard, (std::vector<TbsMenuNotice>{MenuClosed}));
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(closes, 1);

    // A command: MenuClosed first, then MenuCommandDone once the command has run.
    opener.heard.clear();
    popupMenu.popupFromEdit(w.edit.clientToScreen(TPoint{5, 5}), &opener);
    TRect alpha = engine().level(0).itemRect(0);
    sendMouseUp(engine().level(0), alpha.left + 5, alpha.top + 5);
    EXPECT_EQ(ran, (std::vector<std::string>{"alpha"}));
    EXPECT_EQ(opener.heard, (std::vector<TbsMenuNotice>{MenuClosed, MenuCommandDone}));
    // Esc: closed, no command.
    opener.heard.clear();
    popupMenu.popupFromEdit(w.edit.clientToScreen(TPoint{5, 5}), &opener);
    key(VK_ESCAPE);
    EXPECT_FALSE(engine().visible());
    EXPECT_EQ(opener.heard, (std::vector<TbsMenuNotice>{MenuClosed}));
    EXPECT_FALSE(w.menus.hookInstalled());
    EXPECT_EQ(closes, 3);

    // A menu without a frame on its form, or an edit's menu without any model, shows nothing.
    TForm bare;
    TbsSkinPopupMenu orphan(&bare);
    orphan.items().add("A1", "Alpha");
    orphan.popup(10, 10);
    TbsSkinFormMenus bareMenus(bare);
    orphan.popupFromEdit(TPoint{10, 10}, &opener);
    EXPECT_FALSE(bareMenus.engine().visible());
    EXPECT_FALSE(bareMenus.hookInstalled());
    orphan.popup(10, 10);
    EXPECT_TRUE(bareMenus.engine().visible());
    bareMenus.engine().closeAll();
}

TEST_F(SkinMenus, BarItemsComeFromTheBarSectionsAndSwitchAlongTheBar)
{
    skin();
    TManualTimerClock clock;
    EXPECT_EQ(w.bar.height(), 22);
    ASSERT_EQ(w.bar.itemCount(), 3);
    Bitmap probe(1, 1);
    probe.canvas().font.name = "Arial";
    probe.canvas().font.cellHeight = 14;
    int x = 12;
    for (int i = 0; i < 3; ++i) {
        const std::string text = stripAccelerator(menu.items().item(i).caption());
        EXPECT_EQ(w.bar.barItem(i).rect, (TRect{x, 2, x + probe.canvas().textWidth(text) + 22, 20})) << text;
        x = w.bar.barItem(i).rect.right;
    }
    EXPECT_FALSE(w.bar.scrolled());
    // Hover fades the active picture in.
    const TbsSkinPicture& items = *ownSkin().activePicture(2);
    TRect file = w.bar.barItem(0).rect;
    EXPECT_EQ(pixel(w.bar, file.left + 2, file.top + 9), items.pixel(2, 9));
    w.bar.trackPoint(TPoint{file.left + 3, file.top + 3});
    clock.advance(120);
    EXPECT_EQ(pixel(w.bar, file.left + 2, file.top + 9), items.pixel(2, 18 + 9));
    // Pressed, the popup opens; moving along the bar switches it without a click.
    open(0);
    TRect help = w.bar.barItem(2).rect;
    w.bar.trackPoint(TPoint{help.left + 3, help.top + 3});
    ASSERT_TRUE(engine().visible());
    EXPECT_EQ(engine().level(0).item(0).name(), "About1");
    EXPECT_TRUE(w.bar.barItem(2).down);
    EXPECT_FALSE(w.bar.barItem(0).down);
    // The pointer leaving the bar for the popup keeps the item active.
    w.bar.trackPoint(TPoint{-1, -1});
    EXPECT_EQ(w.bar.activeObject(), 2);

    // A narrow bar hides what does not fit and shows the track marker.
    w.bar.setWidth(w.bar.barItem(1).rect.right + 12 + 5);
    EXPECT_TRUE(w.bar.scrolled());
    EXPECT_TRUE(w.bar.barItem(1).shown);
    EXPECT_FALSE(w.bar.barItem(2).shown);
    EXPECT_FALSE(w.bar.barItem(2).enabled);
}

TEST_F(SkinMenus, PopupThatWouldRunOffTheBottomIsPushedUpBesideItsAnchor)
{
    TbsSkinData empty;
    TbsSkinMenu& e = engine();
    TRect area = screenWorkArea(TPoint{50, 50});
    // An anchor in the upper half whose bottom leaves no room below.
    TRect anchor{area.left + 100, area.top + 10, area.left + 160, area.bottom - 40};
    e.popup(nullptr, &empty, false, menu.items().item(0), anchor);
    ASSERT_TRUE(e.visible());
    TbsSkinPopupWindow& popup = e.level(0);
    TPoint at = popup.clientToScreen(TPoint{0, 0});
    EXPECT_EQ(at.y + popup.height(), area.bottom);
    EXPECT_EQ(at.x, anchor.right + 1);
    // With room below, it opens under the anchor at its left edge.
    e.popup(nullptr, &empty, false, menu.items().item(0),
            TRect{area.left + 100, area.top + 10, area.left + 160, area.top + 30});
    at = e.level(0).clientToScreen(TPoint{0, 0});
    EXPECT_EQ(at, (TPoint{area.left + 100, area.top + 30}));
    // A root without sub-items, or a first index past them, shows nothing.
    e.popup(nullptr, &empty, false, menu.items().item(0).item(0), anchor);
    EXPECT_FALSE(e.visible());
    e.popup(nullptr, &empty, false, menu.items().item(0), anchor, 5);
    EXPECT_FALSE(e.visible());
}

TEST_F(SkinMenus, EditContextMenuOffersTheEditingCommandsAndIsFreedAfterOne)
{
    TbsSkinData empty;
    w.menus.setSkinData(&empty);
    TbsSkinEdit& edit = w.edit;
    edit.setText("123");
    edit.selectAll();
    sendContextMenu(edit, 5, 5);
    TbsSkinMenu* e = edit.contextMenuEngine();
    ASSERT_EQ(e, &engine());
    ASSERT_TRUE(e->visible());
    auto& popup = e->level(0);
    ASSERT_EQ(popup.itemCount(), 8);
    const char* const order[]
        = {"EDIT_UNDO", "N1", "EDIT_CUT", "EDIT_COPY", "EDIT_PASTE", "EDIT_DELETE", "N2", "EDIT_SELECTALL"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(popup.item(i).name(), order[i]);
    EXPECT_TRUE(popup.item(3).enabled());
    EXPECT_TRUE(popup.item(2).enabled());
    EXPECT_FALSE(popup.item(7).enabled()); // all selected already
    e->choose(popup, 3);
    EXPECT_FALSE(e->visible());

    edit.setText("");
    sendContextMenu(edit, 5, 5);
    auto& second = e->level(0);
    EXPECT_FALSE(second.item(2).enabled());
    ASSERT_TRUE(second.item(4).enabled());
    e->choose(second, 4);
    EXPECT_EQ(edit.text(), "123");

    edit.setReadOnly(true);
    edit.selectAll();
    sendContextMenu(edit, 5, 5);
    EXPECT_FALSE(e->level(0).item(4).enabled());
    EXPECT_FALSE(e->level(0).item(2).enabled());
    EXPECT_TRUE(e->level(0).item(3).enabled());
    e->closeAll();
}

TEST_F(SkinMenus, ClosingOpenMenusEndsTheMenusOfEveryEngine)
{
    TbsSkinMenu first;
    TbsSkinMenu second;
    Opener a, b;
    first.popup(&a, nullptr, false, menu.items().item(0), TRect{10, 10, 40, 30});
    second.popup(&b, nullptr, false, menu.items().item(0), TRect{60, 10, 90, 30});
    ASSERT_TRUE(first.visible());
    ASSERT_TRUE(second.visible());
    {
        // An engine destroyed before the call must not be reached.
        TbsSkinMenu gone;
        gone.popup(nullptr, nullptr, false, menu.items().item(0), TRect{100, 10, 130, 30});
    }
    TbsSkinMenu::closeOpenMenus();
    EXPECT_FALSE(first.visible());
    EXPECT_FALSE(second.visible());
    TbsSkinMenu::closeOpenMenus(); // nothing open: no further notices
    EXPECT_EQ(a.heard, (std::vector<TbsMenuNotice>{MenuClosed}));
    EXPECT_EQ(b.heard, (std::vector<TbsMenuNotice>{MenuClosed}));
}

TEST(ShortCutText, NamesKeysWithTheirShiftState)
{
    EXPECT_TRUE(shortCutMatches("F1", VK_F1, 0));
    EXPECT_FALSE(shortCutMatches("F1", VK_F1, ssShift));
    EXPECT_TRUE(shortCutMatches("Ctrl+S", 'S', ssCtrl));
    EXPECT_TRUE(shortCutMatches("Alt+F4", VK_F1 + 3, ssAlt));
    EXPECT_TRUE(shortCutMatches("Shift+Del", VK_DELETE, ssShift));
    EXPECT_FALSE(shortCutMatches("Ctrl+S", 'S', 0));
    EXPECT_FALSE(shortCutMatches("Hyper+S", 'S', 0));
    EXPECT_FALSE(shortCutMatches("", 0, 0));
    EXPECT_EQ(acceleratorOf("E&xit"), 'X');
    EXPECT_EQ(acceleratorOf("Save && E&xit"), 'X');
    EXPECT_EQ(acceleratorOf("Web Site"), 0);
    EXPECT_TRUE(isAccelerator("&Save", 'S'));
    // F4 shares its key code with a lower-case "s": it must never choose "&Save".
    EXPECT_FALSE(isAccelerator("&Save", VK_F1 + 3));
}

TEST_F(SkinMenus, LimitedLevelScrollsWithTheKeysAndTheMarkers)
{
    TbsSkinData empty;
    w.menus.setSkinData(&empty);
    TManualTimerClock clock;
    TMenuItem list("List", "List");
    for (int i = 0; i < 6; ++i)
        list.add("L" + std::to_string(i), "Item " + std::to_string(i));
    engine().settings().maxMenuItemsInWindow = 3;
    w.menus.menuOpening();
    engine().popup(nullptr, &empty, false, list, TRect{60, 60, 100, 80});
    TbsSkinPopupWindow& popup = engine().level(0);
    ASSERT_TRUE(popup.scrollMode());
    // Three items of 20, the frame of 4 and 20 for the two markers.
    EXPECT_EQ(popup.height(), 3 * 20 + 4 + 20);
    EXPECT_EQ(popup.itemRect(0).top, 2 + 10);
    EXPECT_TRUE(popup.menuItem(2).shown);
    EXPECT_FALSE(popup.menuItem(3).shown);
    key(VK_DOWN);
    key(VK_DOWN);
    EXPECT_EQ(popup.startIndex(), 0);
    key(VK_DOWN); // past the last shown item: the view follows
    EXPECT_EQ(popup.activeItem(), 3);
    EXPECT_EQ(popup.startIndex(), 1);
    EXPECT_FALSE(popup.menuItem(0).shown);
    key(VK_DOWN);
    key(VK_DOWN);
    EXPECT_EQ(popup.startIndex(), 3);
    key(VK_DOWN); // from the very last item back to the first, and the view with it
    EXPECT_EQ(popup.activeItem(), 0);
    EXPECT_EQ(popup.startIndex(), 0);
    // The pointer on the bottom marker scrolls every 100 ms while more lie below.
    movePointerTo(popup.clientToScreen(TPoint{20, popup.height() - 5}));
    clock.advance(50);
    EXPECT_EQ(popup.autoScroll(), 2);
    clock.advance(100);
    EXPECT_EQ(popup.startIndex(), 1);
    clock.advance(300);
    EXPECT_EQ(popup.startIndex(), 3);
    EXPECT_EQ(popup.autoScroll(), 0); // nothing more below: it stopped by itself
    movePointerTo(popup.clientToScreen(TPoint{20, 4}));
    clock.advance(50);
    EXPECT_EQ(popup.autoScroll(), 1);
    // The pointer leaving the window stops it.
    movePointerTo(popup.clientToScreen(TPoint{-30, 4}));
    clock.advance(50);
    EXPECT_EQ(popup.autoScroll(), 0);
    EXPECT_EQ(popup.startIndex(), 3);
    engine().closeAll();
}

TEST_F(SkinMenus, WheelTurnsWhileAMenuIsOpenReachNoControl)
{
    TbsSkinData empty;
    w.menus.setSkinData(&empty);
    w.wheel.setBounds(200, 60, 50, 50);
    open(0);
    sendMouseWheel(w.wheel, 120);
    EXPECT_EQ(w.wheel.turns, 0);
    key(VK_ESCAPE);
    EXPECT_FALSE(engine().visible());
    EXPECT_TRUE(w.menus.hookInstalled()); // still in menu mode on the bar
    sendMouseWheel(w.wheel, 120);
    EXPECT_EQ(w.wheel.turns, 0);
    key(VK_ESCAPE);
    EXPECT_FALSE(w.menus.hookInstalled());
    sendMouseWheel(w.wheel, 120);
    EXPECT_EQ(w.wheel.turns, 1);
}

TEST_F(SkinMenus, TrackMarkerOpensTheItemsThatDoNotFit)
{
    skin();
    w.bar.setWidth(w.bar.barItem(0).rect.right + 12 + 5);
    ASSERT_TRUE(w.bar.scrolled());
    ASSERT_FALSE(w.bar.barItem(1).shown);
    TRect marker{w.bar.itemsRect().right - 5, w.bar.itemsRect().top, w.bar.itemsRect().right, w.bar.itemsRect().bottom};
    sendMouseDown(w.bar, marker.left + 2, marker.top + 5);
    ASSERT_TRUE(engine().visible());
    TbsSkinPopupWindow& popup = engine().level(0);
    ASSERT_EQ(popup.itemCount(), 2);
    EXPECT_EQ(popup.item(0).name(), "Edit1");
    EXPECT_EQ(popup.item(1).name(), "Help1");
    // The hidden bar items open as submenus of this level.
    key(VK_RIGHT);
    ASSERT_EQ(engine().levelCount(), 2);
    EXPECT_EQ(engine().level(1).item(0).name(), "mnuUndo");
}

#pragma once

#include "runtime/ui/AppHook.h"
#include "runtime/ui/Form.h"
#include "skin/popupmenu/SkinMenu.h"

#include <functional>
#include <memory>

namespace qv {

// What a skinned window's menu side asks of the menu bar it is linked to, for
// the keyboard menu mode.
class TbsMenuBarLink {
public:
    virtual ~TbsMenuBarLink() = default;
    virtual TMainMenu* linkedMenu() const = 0;
    virtual void enterMenuMode() = 0;
    virtual void leaveMenuMode() = 0;
    virtual void nextItem() = 0;
    virtual void previousItem() = 0;
    // True when a bar item has the key as its access key and took it.
    virtual bool takeAccelerator(int key) = 0;
    // True when Enter pressed a bar item.
    virtual bool takeEnter() = 0;
    // The popup of the down item closed while the bar stays in menu mode.
    virtual void popupClosed() = 0;
};

// The menu side of a skinned window frame: its menu engine, the menu-open and
// main-menu mode flags, the keyboard menu mode (Alt, F10, access keys, arrows,
// Enter, Esc), the menu's short-cut keys and the menu-closing check. The frame
// component owns one; one per form.
class TbsSkinFormMenus : public TbsMenuNoticeTarget {
public:
    explicit TbsSkinFormMenus(TForm& form);
    ~TbsSkinFormMenus() override;
    TbsSkinFormMenus(const TbsSkinFormMenus&) = delete;
    TbsSkinFormMenus& operator=(const TbsSkinFormMenus&) = delete;

    // The menu side of a form's frame, or null when the form has none.
    static TbsSkinFormMenus* of(const TForm* form);

    TForm& form() const { return m_form; }
    TbsSkinMenu& engine() { return m_engine; }
    // The model menus draw with: the frame's MenusSkinData, else its SkinData.
    TbsSkinData* SkinData() const { return m_skinData; }
    void setSkinData(TbsSkinData* data) { m_skinData = data; }
    // The skinned menu bar whose menu the keyboard works and whose short-cuts count.
    TbsMenuBarLink* MainMenuBar() const { return m_bar; }
    void setMainMenuBar(TbsMenuBarLink* bar);

    bool menuOpen() const { return m_menuOpen; }
    bool mainMenuMode() const { return m_mainMenuMode; }
    // Keys and wheel turns go to the menus, not to the focused control.
    bool hookInstalled() const { return m_menuHook != nullptr; }

    void menuOpening();
    void menuClosed();
    // A bar item is pressed and opens its popup.
    void mainMenuPressed(TbsMenuBarLink& bar);
    // A bar item without sub-items runs its command.
    void mainMenuCommand();
    void leaveMainMenuMode();
    void popupClosedInMainMenu();
    // Alt or F10: enter or leave the keyboard menu mode.
    void menuKey();
    // The key handler while the menus have the keyboard.
    void keyDown(int key, unsigned shift);
    // The menu's short-cut keys; true when one ran.
    bool shortCut(int key, unsigned shift);
    // A press, move, size or activation change ends the menus.
    void menuClosingCheck();

    void menuNotice(TbsMenuNotice notice) override;

    std::function<void()> onSkinMenuOpen;
    std::function<void()> onSkinMenuClose;
    std::function<void(TbsMenuBarLink& bar)> onMainMenuEnter;
    std::function<void()> onMainMenuExit;
    // The frame releases a caption button that holds an open menu.
    std::function<void()> releaseFrameButton;

private:
    bool formMessage(const TAppMessage& m);
    bool menuMessage(const TAppMessage& m);
    bool menuKeyDown(int key, unsigned shift);
    bool loneAltReleased(int key);
    bool belongsToForm(const TControl* control) const;
    void installHook();
    void removeHook();

    TForm& m_form;
    TbsSkinMenu m_engine;
    TbsSkinData* m_skinData = nullptr;
    TbsMenuBarLink* m_bar = nullptr;
    bool m_menuOpen = false;
    bool m_mainMenuMode = false;
    // Alt went down and nothing else happened since: its release is the menu key.
    bool m_altAlone = false;
    TApplicationHook m_formHook;
    std::unique_ptr<TApplicationHook> m_menuHook;
};

// Whether a short-cut text ("F1", "Ctrl+S", "Alt+F4", "Shift+Del") names a key with its shift state.
bool shortCutMatches(const std::string& text, int key, unsigned shift);

// A popup menu shown by the menu engine of the frame on its form.
class TbsSkinPopupMenu {
public:
    explicit TbsSkinPopupMenu(TForm* componentForm = nullptr);

    TMenuItem& items() { return m_items; }
    TbsSkinData* SkinData() const { return m_skinData; }
    void setSkinData(TbsSkinData* data) { m_skinData = data; }
    TForm* componentForm() const { return m_form; }
    void setComponentForm(TForm* form) { m_form = form; }

    // At a screen point.
    void popup(int x, int y);
    // Against a button's screen rectangle (above it with up); the button hears the notices.
    void popupFromButton(const TRect& screenRect, bool up, TbsMenuNoticeTarget* button);
    // At an edit's screen point; the edit hears the notices. Nothing without a model.
    void popupFromEdit(TPoint screenPoint, TbsMenuNoticeTarget* edit);

    std::function<void()> onPopup;

private:
    enum class NeedsModel { No, Yes };
    void show(TbsMenuNoticeTarget* opener, bool up, const TRect& anchor, NeedsModel needsModel);

    TMenuItem m_items{"", ""};
    TbsSkinData* m_skinData = nullptr;
    TForm* m_form = nullptr;
};

} // namespace qv

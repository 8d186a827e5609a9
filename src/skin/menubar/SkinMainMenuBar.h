#pragma once

#include "runtime/ui/Menus.h"
#include "runtime/ui/Timer.h"
#include "skin/controls/SkinControl.h"
#include "skin/drawing/MorphAnimator.h"
#include "skin/popupmenu/SkinFormMenus.h"

#include <functional>
#include <vector>

namespace qv {

// The menu bar of a skinned window: the top-level items of MainMenu as bar
// items drawn from the "mainmenubar" section and its bar item object, each
// opening its sub-items through the engine of the frame it is given as
// SkinForm. Hover is found by polling the pointer every 50 ms.
class TbsSkinMainMenuBar : public TbsSkinControl, public TbsMenuBarLink {
public:
    explicit TbsSkinMainMenuBar(TWinControl* parent);
    ~TbsSkinMainMenuBar() override;

    TMainMenu* MainMenu() const { return m_menu; }
    void setMainMenu(TMainMenu* menu);
    TbsSkinFormMenus* SkinForm() const { return m_skinForm; }
    void setSkinForm(TbsSkinFormMenus* form) { m_skinForm = form; }
    bool ScrollMenu() const { return m_scrollMenu; }
    void setScrollMenu(bool scrollMenu);
    const Font& DefItemFont() const { return m_itemFont; }
    void setDefItemFont(const Font& font);
    bool PopupToUp() const { return m_popupToUp; }
    void setPopupToUp(bool up) { m_popupToUp = up; }

    std::function<void(TMenuItem& item)> onItemMouseEnter;
    std::function<void(TMenuItem& item)> onItemMouseLeave;

    struct BarItem {
        TMenuItem* item = nullptr;
        std::string name;
        bool enabled = true;
        bool keptEnabled = true;
        bool shown = true;
        bool active = false;
        bool mouseIn = false;
        bool down = false;
        TbsMorph morph;
        TRect rect;
    };
    int itemCount() const { return static_cast<int>(m_items.size()); }
    const BarItem& barItem(int index) const { return m_items.at(index); }
    int activeObject() const { return m_active; }
    bool menuMode() const { return m_menuMode; }
    bool scrolled() const { return m_scrolled; }
    bool markerActive() const { return m_markerActive; }
    TRect itemsRect() const { return m_itemsRect; }
    bool morphing() const { return m_morphAnimator.running(); }
    // Tracks the pointer at a point in the bar's coordinates ((-1, -1): outside).
    void trackPoint(TPoint p);

    // The keyboard side, used by the linked frame.
    TMainMenu* linkedMenu() const override { return m_menu; }
    void enterMenuMode() override;
    void leaveMenuMode() override;
    void nextItem() override;
    void previousItem() override;
    bool takeAccelerator(int key) override;
    bool takeEnter() override;
    void popupClosed() override;

    // The bar's items are menus whose items a screen reader reads from the menu.
    TAccessibleRole accessibleRole() const override { return TAccessibleRole::MenuBar; }
    int accessibleItemCount() const override { return itemCount(); }
    TAccessibleItem accessibleItem(int index) const override;
    void accessibleItemDo(int index, TAccessibleAction action) override;
    void accessibleMenuChosen(TMenuItem& item) override;
    int accessibleFocusItem() const override { return m_menuMode ? m_active : -1; }

    void setBounds(int left, int top, int width, int height) override;
    void skinChangeBegins() override;
    void skinChanged() override;

protected:
    // The items' widths follow their captions: placed once the fonts are at hand.
    void measure() override;
    void bindSection() override;
    void drawDefaultLook(Canvas& canvas) override;
    void drawSkinLook(Canvas& canvas) override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void mouseEnter() override;
    void mouseLeave() override;
    void fontChanged() override { layoutItems(); }

private:
    // What the bar copies from its section and the bar item object it names.
    struct Look {
        const TbsDataSkinMainMenuBar* bar = nullptr;
        const TbsSkinPicture* picture = nullptr;
        const TbsDataSkinMainMenuItem* item = nullptr;
        const TbsSkinPicture* itemPicture = nullptr;
        TRect activeRect, downRect;
        bool morphs = false;
    };
    void rebuild();
    void layoutItems();
    // The item rectangles for the bar's width and captions; painting uses it, so it repaints nothing.
    void placeItems();
    Font itemFont() const;
    int itemAt(TPoint p) const;
    TRect markerRect() const;
    bool popupOpen() const;
    // The shown items and the track marker over the background.
    void drawItems(Canvas& canvas);
    void drawItem(Canvas& canvas, const BarItem& bar);
    void drawSkinnedItem(Canvas& canvas, const BarItem& bar);
    void drawPlainItem(Canvas& canvas, const BarItem& bar);
    void drawMarker(Canvas& canvas);
    void redrawItem();
    void itemMouseEnter(int index);
    void itemMouseLeave(int index);
    void itemMouseDown(int index);
    void press(int index);
    void release(int index);
    void openMarkerMenu();
    void poll();
    bool morphStep();
    std::vector<int> usable() const;
    // From the highlighted item to the usable one step places along, wrapping;
    // with none highlighted, to the first (forwards) or the last.
    void moveAlong(int step);

    TMainMenu* m_menu = nullptr;
    TbsSkinFormMenus* m_skinForm = nullptr;
    bool m_scrollMenu = true;
    bool m_popupToUp = false;
    Font m_itemFont;
    Look m_look;
    std::vector<BarItem> m_items;
    int m_active = -1;
    int m_previousActive = -1;
    int m_capture = -1;
    bool m_menuMode = false;
    bool m_scrolled = false;
    bool m_markerActive = false;
    TRect m_itemsRect;
    TTimer m_mouseTimer;
    TbsMorphAnimator m_morphAnimator{[this] { return morphStep(); }};
};

} // namespace qv

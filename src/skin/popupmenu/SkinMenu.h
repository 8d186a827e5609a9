#pragma once

#include "runtime/ui/Menus.h"
#include "runtime/ui/PopupWindow.h"
#include "runtime/ui/Timer.h"
#include "skin/model/SkinData.h"

#include <functional>
#include <memory>
#include <vector>

namespace qv {

class TbsSkinMenu;

// One open menu level: the visible sub-items of a menu item, stacked.
class TbsSkinPopupWindow : public TPopupWindow {
public:
    TbsSkinPopupWindow(TbsSkinMenu& engine, TMenuItem& root, int firstIndex);

    int itemCount() const { return static_cast<int>(m_items.size()); }
    TMenuItem& item(int index) const { return *m_items.at(index).item; }
    TRect itemRect(int index) const { return m_items.at(index).rect; }
    int activeItem() const { return m_active; }
    void setActiveItem(int index);
    // The window size the items need.
    int neededWidth() const { return m_width; }
    int neededHeight() const { return m_height; }

    // Keys while the menu is open.
    void handleKey(int key);

    static constexpr int glyphWidth = 19;

protected:
    void paint(Canvas& canvas) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;
    void keyDown(int& key, unsigned shift) override;

private:
    struct Entry {
        TMenuItem* item;
        TRect rect;
    };
    void drawItem(Canvas& canvas, int index);
    int itemAt(int x, int y) const;
    bool selectable(int index) const;
    void moveActive(int step);

    TbsSkinMenu& m_engine;
    std::vector<Entry> m_items;
    int m_active = -1;
    int m_width = 0;
    int m_height = 0;
};

// Shows menu levels as popup windows and runs the chosen command.
class TbsSkinMenu {
public:
    TbsSkinMenu();
    ~TbsSkinMenu();

    // Opens the sub-items of root from firstIndex against an anchor rectangle
    // (screen coordinates): below it, or above it with up.
    void popup(TbsSkinData* model, bool up, TMenuItem& root, const TRect& anchor, int firstIndex = 0);
    void closeAll();
    // Closes the open levels of every engine: a press, move, resize or activation
    // change anywhere ends the menus.
    static void closeOpenMenus();
    bool visible() const { return !m_windows.empty(); }
    int levelCount() const { return static_cast<int>(m_windows.size()); }
    TbsSkinPopupWindow& level(int index) const { return *m_windows.at(index); }

    // Runs an item: a command closes every level first; an item with sub-items opens them.
    void choose(TbsSkinPopupWindow& window, int index);
    // Closes the levels deeper than window.
    void closeAfter(TbsSkinPopupWindow& window);

    // Called when every level has closed.
    std::function<void()> onClosed;

private:
    void openLevel(TMenuItem& root, const TRect& anchor, bool up, bool submenu, int firstIndex);
    void levelClosed(TbsSkinPopupWindow* window);

    std::vector<std::unique_ptr<TbsSkinPopupWindow>> m_windows;
    TbsSkinData* m_model = nullptr;
    bool m_closing = false;
};

} // namespace qv

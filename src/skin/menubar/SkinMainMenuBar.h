#pragma once

#include "runtime/ui/Menus.h"
#include "runtime/ui/Timer.h"
#include "skin/controls/SkinControl.h"
#include "skin/popupmenu/SkinMenu.h"

#include <vector>

namespace qv {

// The menu bar of a skinned window: the top-level items of MainMenu as bar
// items, each opening its sub-items through the menu engine. Worked with the
// mouse; hover is found by polling the pointer, as popups hold the mouse.
class TbsSkinMainMenuBar : public TbsSkinControl {
public:
    explicit TbsSkinMainMenuBar(TWinControl* parent);

    TMainMenu* MainMenu() const { return m_menu; }
    void setMainMenu(TMainMenu* menu);
    const Font& DefItemFont() const { return m_itemFont; }
    void setDefItemFont(const Font& font);
    TbsSkinMenu& engine() { return m_engine; }

    struct BarItem {
        TMenuItem* item = nullptr;
        TRect rect;
        bool active = false;
        bool down = false;
    };
    int itemCount() const { return static_cast<int>(m_items.size()); }
    const BarItem& barItem(int index) const { return m_items.at(index); }
    bool menuMode() const { return m_menuMode; }
    // Tracks the pointer at a point in the bar's coordinates ((-1, -1): outside).
    void trackPoint(TPoint p);

    void setBounds(int left, int top, int width, int height) override;

protected:
    void drawDefaultLook(Canvas& canvas) override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void mouseEnter() override;
    void mouseLeave() override;
    void fontChanged() override { layout(); }

private:
    void rebuild();
    void layout();
    void press(int index);
    void release(int index);
    void poll();
    int itemAt(TPoint p) const;

    TMainMenu* m_menu = nullptr;
    TbsSkinMenu m_engine;
    TTimer m_mouseTimer;
    Font m_itemFont;
    std::vector<BarItem> m_items;
    bool m_menuMode = false;
};

} // namespace qv

#pragma once

#include "runtime/ui/Menus.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/popupmenu/SkinMenu.h"

namespace qv {

// A speed button that opens a skinned popup menu of its items below itself
// when pressed; the glyph keeps to the left of the arrow part.
class TbsSkinMenuSpeedButton : public TbsSkinSpeedButton, public TbsMenuNoticeTarget {
public:
    explicit TbsSkinMenuSpeedButton(TWinControl* parent, const std::string& skinDataName = "toolmenubutton");

    TMenuItem& menuItems() { return m_items; }
    TbsSkinData* menuSkinData() const { return m_menuModel; }
    void setMenuSkinData(TbsSkinData* model) { m_menuModel = model; }
    // Opens the menu as a press does.
    void dropDown();
    bool menuOpen() const { return m_menu.visible(); }
    TbsSkinMenu& menuEngine() { return m_menu; }

    TRect glyphArea() const override;
    // The arrow part: the section's track button rectangle, else the right 12 pixels.
    TRect trackArea() const;

protected:
    void bindSection() override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void menuNotice(TbsMenuNotice notice) override;
    void drawExtras(Canvas& canvas) override;

private:
    TMenuItem m_items{"", ""};
    TbsSkinMenu m_menu;
    TbsSkinData* m_menuModel = nullptr;
    TRect m_trackRect;
};

} // namespace qv

#pragma once

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/Menus.h"
#include "skin/controls/SkinControl.h"
#include "skin/model/SkinControlData.h"
#include "skin/popupmenu/SkinMenu.h"

#include <memory>
#include <optional>

namespace qv {

// A flat tool-bar button with one glyph; never takes the focus. Clicks on a
// release over the button.
class TbsSkinToolSpeedButton : public TbsSkinControl {
public:
    explicit TbsSkinToolSpeedButton(TWinControl* parent, const std::string& skinDataName = "toolbutton");

    const Bitmap& Glyph() const { return m_glyph; }
    void setGlyph(const Bitmap& glyph);
    bool highlighted() const { return m_highlighted; }
    bool pressed() const { return m_pressed; }

protected:
    void bindSection() override;
    void drawDefaultLook(Canvas& canvas) override;
    void drawSkinLook(Canvas& canvas) override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;
    void mouseEnter() override;
    void mouseLeave() override;
    void enabledChanged() override;
    // Where the glyph goes; the menu button keeps its arrow part free.
    virtual TRect glyphArea() const { return clientRect(); }
    virtual void drawExtras(Canvas&) {}
    bool showsDown() const { return m_pressed && m_highlighted; }
    // Lets go of a press whose release went elsewhere (a menu took the mouse).
    void release();
    const std::optional<TbsDataSkinButtonControl>& section() const { return m_section; }

private:
    void drawGlyph(Canvas& canvas);

    std::optional<TbsDataSkinButtonControl> m_section;
    Bitmap m_glyph;
    bool m_highlighted = false;
    bool m_pressed = false;
};

// A speed button that opens a skinned popup menu of its items below itself.
class TbsSkinMenuSpeedButton : public TbsSkinToolSpeedButton, public TbsMenuNoticeTarget {
public:
    explicit TbsSkinMenuSpeedButton(TWinControl* parent);

    TMenuItem& menuItems() { return m_items; }
    TbsSkinData* menuSkinData() const { return m_menuModel; }
    void setMenuSkinData(TbsSkinData* model) { m_menuModel = model; }
    // Opens the menu as a press does.
    void dropDown();
    bool menuOpen() const { return m_menu.visible(); }
    TbsSkinMenu& menuEngine() { return m_menu; }

protected:
    void bindSection() override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    TRect glyphArea() const override;
    void menuNotice(TbsMenuNotice notice) override;
    void drawExtras(Canvas& canvas) override;

private:
    TRect trackArea() const;

    TMenuItem m_items{"", ""};
    TbsSkinMenu m_menu;
    TbsSkinData* m_menuModel = nullptr;
    TRect m_trackRect;
};

} // namespace qv

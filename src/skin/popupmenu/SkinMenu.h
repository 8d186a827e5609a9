#pragma once

#include "runtime/ui/Menus.h"
#include "runtime/ui/PopupWindow.h"
#include "runtime/ui/Timer.h"
#include "skin/drawing/MorphAnimator.h"
#include "skin/model/SkinData.h"
#include "skin/model/SkinPieces.h"

#include <functional>
#include <memory>
#include <vector>

namespace qv {

class TbsSkinMenu;

// Menu notices, window-message numbers of the program.
enum TbsMenuNotice {
    MenuClosed = 1228,
    MenuCommandDone = 1229,
};

// A control that opens menus, or the window that owns an engine: told when the
// menus close and when a command chosen from them has run.
class TbsMenuNoticeTarget {
public:
    virtual ~TbsMenuNoticeTarget() = default;
    virtual void menuNotice(TbsMenuNotice notice) = 0;
};

enum class TbsArrow { Left, Right, Up, Down };

// How the pointer or the keyboard reached an item.
enum class TbsMenuInput { Pointer, Keys };

// One item of an open level.
struct TbsSkinMenuItem {
    TMenuItem* item = nullptr;
    TbsMorph morph;
    TRect rect;
    bool active = false;
    bool open = false;
    bool shown = false;
    bool keySelected = false;
};

// One open menu level: the visible sub-items of a menu item from a first index,
// drawn from the skin's popup window picture and its menu item section, or in
// system colours without them.
class TbsSkinPopupWindow : public TPopupWindow {
public:
    TbsSkinPopupWindow(TbsSkinMenu& engine, TMenuItem& root, int firstIndex);
    ~TbsSkinPopupWindow() override;

    // The menu item whose sub-items this level shows.
    TMenuItem& root() const { return m_root; }
    int itemCount() const { return static_cast<int>(m_items.size()); }
    TMenuItem& item(int index) const { return *m_items.at(index).item; }
    const TbsSkinMenuItem& menuItem(int index) const { return m_items.at(index); }
    TRect itemRect(int index) const { return m_items.at(index).rect; }
    int activeItem() const { return m_active; }
    bool skinned() const { return m_picture != nullptr; }
    bool scrollMode() const { return m_scrollMode; }
    int startIndex() const { return m_startIndex; }
    int autoScroll() const { return m_autoScroll; }
    TRect itemsRect() const { return m_itemsRect; }
    // The window size the items need.
    int neededWidth() const { return m_width; }
    int neededHeight() const { return m_height; }
    // True when the height was cut to the work area.
    bool tall() const { return m_tall; }

    void activate(int index, TbsMenuInput input);
    void deactivate(int index);
    // A key while this is the deepest open level.
    void keyDown(int key);
    // The pointer at a point of this window.
    void trackPoint(TPoint p);

    // Without an image list the glyph column is this wide.
    static constexpr int glyphWidth = 19;
    // The scroll markers above and below the items of a level too tall for the screen.
    static constexpr int markerHeight = 10;

    // Its items are its parts; the active one has the keyboard.
    TAccessibleRole accessibleRole() const override { return TAccessibleRole::PopupMenu; }
    std::string accessibleName() const override;
    int accessibleItemCount() const override { return itemCount(); }
    TAccessibleItem accessibleItem(int index) const override;
    void accessibleItemDo(int index, TAccessibleAction action) override;
    int accessibleFocusItem() const override { return m_active; }

protected:
    void paint(Canvas& canvas) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;

private:
    friend class TbsSkinMenu;
    void measure();
    // The resized frame points and items rectangle at W x H, then the item layout.
    void fitTo(int W, int H);
    void layout();
    void drawItem(Canvas& canvas, const TbsSkinMenuItem& entry);
    void drawSkinnedItem(Canvas& canvas, const TbsSkinMenuItem& entry);
    void drawPlainItem(Canvas& canvas, const TbsSkinMenuItem& entry);
    // Where an item's text parts go: the caption's left edge, the gap between the
    // short-cut and the text's right edge, the check glyph's left edge.
    struct TextPlaces {
        int captionLeft;
        int shortCutGap;
        int glyphLeft;
    };
    // Caption, short-cut, submenu arrow and check glyph on the middle row of text.
    void drawItemText(Canvas& canvas, const TbsSkinMenuItem& entry, const TRect& text, const TextPlaces& places,
                      TColor color);
    void drawGlyph(Canvas& canvas, const TbsSkinMenuItem& entry, int left, int centre, TColor color);
    void drawMarkers(Canvas& canvas);
    bool selectable(int index) const;
    int itemAt(TPoint p) const;
    int lastShown() const;
    void redrawItem();
    void moveDown();
    void moveUp();
    void setActive(int index);
    void scrollBy(int step);
    void setAutoScroll(int code);
    void pollCursor();
    bool morphStep();
    void autoScrollStep();
    Font itemFont() const;
    TColor activeFill(const TbsSkinMenuItem& entry) const;

    TbsSkinMenu& m_engine;
    TMenuItem& m_root;
    const TbsDataSkinPopupWindow* m_data = nullptr;
    const TbsSkinPicture* m_picture = nullptr;
    const TbsDataSkinMenuItem* m_section = nullptr;
    const TbsSkinPicture* m_sectionPicture = nullptr;
    std::vector<TbsSkinMenuItem> m_items;
    int m_active = -1;
    int m_previousActive = -1;
    int m_startIndex = 0;
    bool m_scrollMode = false;
    bool m_limited = false;
    bool m_tall = false;
    int m_autoScroll = 0;
    int m_width = 0;
    int m_height = 0;
    TbsPieceGeometry m_geometry;
    TRect m_itemsRect;
    TTimer m_mouseTimer;
    TbsMorphAnimator m_morphAnimator{[this] { return morphStep(); }};
    TTimer m_scrollTimer;
    TPoint m_lastCursor{-1, -1};
};

// What the frame passes to its engine about the plain look and the limits.
struct TbsMenuSettings {
    int maxMenuItemsInWindow = 0;
    bool useSkinFont = true;
    int defaultItemHeight = 20;
    Font defaultItemFont;
    TbsMenuSettings();
};

// Shows menu levels as popup windows, one per level, and runs the chosen
// command. Every skinned window has one; its windows exist only while open.
class TbsSkinMenu {
public:
    // form: the window that owns the engine, told when all its menus close.
    explicit TbsSkinMenu(TbsMenuNoticeTarget* form = nullptr, const TControl* formControl = nullptr);
    ~TbsSkinMenu();
    TbsSkinMenu(const TbsSkinMenu&) = delete;
    TbsSkinMenu& operator=(const TbsSkinMenu&) = delete;

    // Opens the sub-items of root from firstIndex against an anchor rectangle
    // (screen coordinates): below it, or above it with up. The opener hears
    // MenuClosed when the menus close and MenuCommandDone after a command.
    void popup(TbsMenuNoticeTarget* opener, TbsSkinData* model, bool up, TMenuItem& root, const TRect& anchor,
               int firstIndex = 0);
    // Closes every level and tells the engine's form.
    void closeAll();
    // Closes the levels from level on, deepest first.
    void closeFrom(int level);
    // The menu-closing check of every engine (a press, move, resize or
    // activation change anywhere ends the menus).
    static void closeOpenMenus();
    // What closeOpenMenus does for this engine (the frame's check); without one, close all.
    std::function<void()> closingCheck;

    bool visible() const { return m_visible; }
    bool firstShow() const { return m_firstShow; }
    int levelCount() const { return static_cast<int>(m_windows.size()); }
    TbsSkinPopupWindow& level(int index) const { return *m_windows.at(index); }
    TbsSkinPopupWindow* deepest() const { return m_windows.empty() ? nullptr : m_windows.back().get(); }
    int levelOf(const TbsSkinPopupWindow& window) const;
    bool ownsWindow(const TControl* window) const;
    TbsSkinData* model() const { return m_model; }
    const TRect& workArea() const { return m_workArea; }
    TbsMenuSettings& settings() { return m_settings; }
    const TbsMenuSettings& settings() const { return m_settings; }

    // Runs an item: a command closes every level first; an item with sub-items opens them.
    void choose(TbsSkinPopupWindow& window, int index);
    // Closes the levels deeper than window.
    void closeAfter(const TbsSkinPopupWindow& window);
    // The pointer resting on an item with sub-items opens them after 500 ms.
    void startWait(TbsSkinPopupWindow& window, int index);
    void cancelWait();
    bool waiting(const TbsSkinPopupWindow& window, int index) const;

private:
    void openLevel(TMenuItem& root, const TRect& anchor, bool up, bool submenu, int firstIndex);
    TRect placement(const TbsSkinPopupWindow& window, const TRect& anchor, bool up, bool submenu) const;
    void waitElapsed();

    TbsMenuNoticeTarget* m_form;
    const TControl* m_formControl;
    std::vector<std::unique_ptr<TbsSkinPopupWindow>> m_windows;
    std::vector<std::unique_ptr<TbsSkinPopupWindow>> m_closed;
    bool m_visible = false;
    bool m_firstShow = false;
    TbsMenuNoticeTarget* m_opener = nullptr;
    TbsMenuNoticeTarget* m_afterCommand = nullptr;
    TRect m_workArea;
    TbsSkinData* m_model = nullptr;
    TTimer m_waitTimer;
    TbsSkinPopupWindow* m_waitWindow = nullptr;
    int m_waitIndex = -1;
    TbsMenuSettings m_settings;
};

// The character after the first single "&" of a caption, upper-cased; 0 for none.
char acceleratorOf(const std::string& caption);
// Whether a typed key is a caption's accelerator.
bool isAccelerator(const std::string& caption, int key);
// Draws a caption at (x, y) without its "&" markers, the access key underlined.
void drawMenuCaption(Canvas& canvas, int x, int y, const std::string& caption);
// The small arrows of menus and scroll markers: four one-pixel lines about the centre of r.
void drawMenuArrow(Canvas& canvas, const TRect& r, TbsArrow direction, TColor color);

} // namespace qv

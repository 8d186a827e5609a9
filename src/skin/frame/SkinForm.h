#pragma once

#include "runtime/ui/Form.h"
#include "runtime/ui/FormFrame.h"
#include "runtime/ui/Menus.h"
#include "runtime/ui/Timer.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/frame/FrameObjects.h"
#include "skin/model/SkinData.h"
#include "skin/popupmenu/SkinFormMenus.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class TbsSkinMainMenuBar;

enum TbsBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biRollUp = 8, biMinimizeToTray = 16 };
enum class TbsWindowState { Normal, Minimized, Maximized };

// The skinned window frame of a form: caption, borders, caption buttons and
// system menu drawn from the skin's frame picture, the window shaped by the
// frame mask, and hit-testing, moving, resizing, minimize, maximize and roll-up
// worked by the component itself. Without a skin it draws a plain 3-pixel frame.
// It also passes the skin's change notices on to the form's skinned controls.
class TbsSkinForm : public TFormFrame, public TbsSkinNoticeTarget {
public:
    explicit TbsSkinForm(TForm& form);
    ~TbsSkinForm() override;

    TForm& form() const { return m_form; }

    // ---- published properties ----
    TbsSkinData* SkinData() const { return m_skinData; }
    void setSkinData(TbsSkinData* data);
    TbsSkinData* MenusSkinData() const { return m_menusSkinData; }
    void setMenusSkinData(TbsSkinData* data);
    unsigned BorderIcons() const { return m_borderIcons; }
    void setBorderIcons(unsigned icons);
    bool Magnetic() const { return m_magnetic; }
    void setMagnetic(bool magnetic) { m_magnetic = magnetic; }
    int MagneticSize() const { return m_magneticSize; }
    void setMagneticSize(int size) { m_magneticSize = size; }
    int MinWidth() const { return m_minWidth; }
    void setMinWidth(int width);
    int MinHeight() const { return m_minHeight; }
    void setMinHeight(int height);
    int MaxWidth() const { return m_maxWidth; }
    void setMaxWidth(int width);
    int MaxHeight() const { return m_maxHeight; }
    void setMaxHeight(int height);
    int ClientWidth() const { return m_clientWidth; }
    void setClientWidth(int width) { m_clientWidth = width; }
    int ClientHeight() const { return m_clientHeight; }
    void setClientHeight(int height) { m_clientHeight = height; }
    bool HideCaptionButtons() const { return m_hideCaptionButtons; }
    void setHideCaptionButtons(bool hide);
    bool UseDefaultSysMenu() const { return m_useDefaultSysMenu; }
    void setUseDefaultSysMenu(bool use) { m_useDefaultSysMenu = use; }
    // A menu the system menu's items are added to instead of the internal one.
    TMenuItem* SystemMenu() const { return m_systemMenu; }
    void setSystemMenu(TMenuItem* menu) { m_systemMenu = menu; }
    TbsSkinMainMenuBar* MainMenuBar() const { return m_mainMenuBar; }
    void setMainMenuBar(TbsSkinMainMenuBar* bar) { m_mainMenuBar = bar; }
    const Font& DefCaptionFont() const { return m_defCaptionFont; }
    void setDefCaptionFont(const Font& font);
    const Font& DefInActiveCaptionFont() const { return m_defInActiveCaptionFont; }
    void setDefInActiveCaptionFont(const Font& font);
    int DefMenuItemHeight() const { return m_defMenuItemHeight; }
    void setDefMenuItemHeight(int height) { m_defMenuItemHeight = height; }
    const Font& DefMenuItemFont() const { return m_defMenuItemFont; }
    void setDefMenuItemFont(const Font& font) { m_defMenuItemFont = font; }
    bool UseSkinFontInMenu() const { return m_useSkinFontInMenu; }
    void setUseSkinFontInMenu(bool use) { m_useSkinFontInMenu = use; }
    bool ShowIcon() const { return m_showIcon; }
    void setShowIcon(bool show) { m_showIcon = show; }
    bool MaximizeOnFullScreen() const { return m_maximizeOnFullScreen; }
    void setMaximizeOnFullScreen(bool full) { m_maximizeOnFullScreen = full; }
    bool UseDefaultObjectHint() const { return m_useDefaultObjectHint; }
    void setUseDefaultObjectHint(bool use) { m_useDefaultObjectHint = use; }

    std::function<void()> OnChangeSkinData;
    std::function<void()> OnActivate;
    std::function<void()> OnDeActivate;
    std::function<void()> OnChangeRollUpState;
    // Whether a custom (cmdefault) caption button of that name shows.
    std::function<bool(const std::string& name)> OnActivateCustomObject;
    std::function<void(const std::string& name)> OnMouseEnterEvent;
    std::function<void(const std::string& name)> OnMouseLeaveEvent;
    std::function<void(const std::string& name)> OnMouseDownEvent;
    std::function<void(const std::string& name)> OnMouseUpEvent;
    std::function<void(const std::string& name)> OnMouseMoveEvent;
    std::function<void(const std::string& name, Canvas& canvas, const TRect& rect)> OnPaintEvent;

    // ---- state ----
    bool skinSupport() const { return m_skinSupport; }
    TbsWindowState windowState() const { return m_windowState; }
    bool rollUpState() const { return m_rollUpState; }
    bool active() const { return m_active; }
    bool sizeMoving() const { return m_sizeMove; }
    // The frame at the window's present size.
    const TbsFrameGeometry& geometry() const { return m_geometry; }
    int objectCount() const { return static_cast<int>(m_objects.size()); }
    TbsActiveSkinObject& object(int index) const { return *m_objects.at(index); }
    // The first object of that name, or null.
    TbsActiveSkinObject* findObject(const std::string& name) const;
    TbsSkinStdButtonObject* findButton(TbsStdCommand command) const;
    int activeObject() const { return m_activeObject; }
    int captureObject() const { return m_captureObject; }
    const TbsRegionRects& region() const { return m_region; }
    const TTimer& mouseTimer() const { return m_mouseTimer; }
    const TbsMorphAnimator& morphAnimator() const { return m_morphAnimator; }
    TSizeLimits sizeLimits() override;
    int minimumWidth() const;
    int minimumHeight() const;
    // Without a skin: the plain frame's caption band height.
    static constexpr int defaultCaptionHeight = 19;

    // ---- commands ----
    void minimize();
    void maximize();
    void restore();
    void rollUp();
    void close() { m_form.close(); }
    // The items the system menu shows now, built from the window state.
    TMenuItem& buildSystemMenu();
    // Opens the system menu against a screen rectangle (below it).
    void showSystemMenu(const TRect& screenAnchor);
    TbsSkinMenu& menuEngine() { return m_menus.engine(); }
    // The menu side: engine, keyboard menu mode, the menu bar it works.
    TbsSkinFormMenus& menus() { return m_menus; }
    // Magnetic snapping of a proposed position to the work area's edges.
    TRect snapped(const TRect& proposed) const;

    // ---- for the frame objects ----
    const TbsSkinPicture& framePicture() const;
    void redrawObject(TbsActiveSkinObject& object);
    void startMorph();
    void objectEntered(TbsActiveSkinObject& object);
    void objectLeft(TbsActiveSkinObject& object);
    void runCommand(TbsStdCommand command);
    // A system menu button was pressed: the menu opens below it.
    void systemMenuButtonPressed(TbsActiveSkinObject& object);
    TRect screenRectOf(const TRect& windowRect) const;

    // ---- TFormFrame ----
    TRect clientMargins() override;
    THitCode hitTest(TPoint p) override;
    void paintFrame(Canvas& canvas) override;
    void eraseClient(Canvas& canvas) override;
    void ncMouseDown(MouseButton button, TPoint p) override;
    void ncMouseUp(MouseButton button, TPoint p) override;
    void ncMouseMove(TPoint p) override;
    void ncDoubleClick(MouseButton button, TPoint p) override;
    void activationChanged(bool active) override;
    void resized() override;
    void shown() override;
    void captionChanged() override;
    void moving(TRect& proposed) override;
    void sizeMoveStarted() override;
    void sizeMoveEnded() override;
    void menuClosingMessage() override;

    // ---- TbsSkinNoticeTarget ----
    void skinNotice(TbsSkinNotice code, TbsSkinData* model, int param) override;

    // The hover test at a window point: which object the mouse is over.
    void hoverTest(TPoint p);

private:
    void skinChange();
    void skinChangeBegins();
    void buildObjects();
    void applyButtonEnabling();
    void enforceMinimumSize();
    void recomputeGeometry();
    void layoutObjects();
    void rebuildRegion();
    void relayout();
    void pressObject(MouseButton button, TPoint p);
    bool onCaption(TPoint p) const;
    bool sizeable() const;
    THitCode skinHitTest(TPoint p) const;
    THitCode plainHitTest(TPoint p) const;
    bool insideRegion(TPoint p) const;
    void mouseTick();
    bool morphTick();
    void updateCaptionActivation(TbsMorphTransition transition);
    void resetObjectStates();
    TRect minimizedSlot() const;
    void paintSkinFrame(Canvas& canvas);
    void paintPlainFrame(Canvas& canvas);
    TRect plainButtonRect(int slot) const;
    std::vector<TbsStdCommand> plainButtons() const;
    TbsStdCommand plainButtonAt(TPoint p) const;
    void setBounds(const TRect& bounds);
    const TbsSkinPicture* mainPicture() const;

    TForm& m_form;
    TbsSkinData* m_skinData = nullptr;
    TbsSkinData* m_menusSkinData = nullptr;
    unsigned m_borderIcons = biSystemMenu | biMinimize | biMaximize | biRollUp;
    bool m_magnetic = false;
    int m_magneticSize = 5;
    int m_minWidth = 0, m_minHeight = 0, m_maxWidth = 0, m_maxHeight = 0;
    int m_clientWidth = 0, m_clientHeight = 0;
    bool m_hideCaptionButtons = false;
    bool m_useDefaultSysMenu = true;
    TMenuItem* m_systemMenu = nullptr;
    TbsSkinMainMenuBar* m_mainMenuBar = nullptr;
    Font m_defCaptionFont, m_defInActiveCaptionFont, m_defMenuItemFont;
    int m_defMenuItemHeight = 20;
    bool m_useSkinFontInMenu = true;
    bool m_showIcon = false;
    bool m_maximizeOnFullScreen = false;
    bool m_useDefaultObjectHint = true;

    bool m_skinSupport = false;
    TbsWindowState m_windowState = TbsWindowState::Normal;
    bool m_rollUpState = false;
    bool m_maxRollUpState = false;
    int m_oldHeight = 0;
    std::optional<TRect> m_oldBounds;
    bool m_sizeMove = false;
    bool m_active = false;
    std::vector<std::unique_ptr<TbsActiveSkinObject>> m_objects;
    int m_activeObject = -1;
    int m_oldActiveObject = -1;
    int m_captureObject = -1;
    TTimer m_mouseTimer;
    TbsMorphAnimator m_morphAnimator{[this] { return morphTick(); }};
    TTimer m_animateTimer;
    TbsFrameGeometry m_geometry;
    TbsRegionRects m_region;
    // The window size m_region was built for; the outline depends on nothing else while
    // the skin stays, so relayouts at that size (resize and show of a new window) keep it.
    std::optional<TPoint> m_regionSize;
    TbsFrameStrips m_strips;
    TMenuItem m_internalSystemMenu{"", ""};
    TbsSkinFormMenus m_menus;
    // Plain frame: the caption button under the mouse and the pressed one.
    TbsStdCommand m_plainHot = cmDefault;
    TbsStdCommand m_plainDown = cmDefault;
    bool m_plainPressed = false;
};

} // namespace qv

#pragma once

#include "runtime/graphics/Canvas.h"
#include "runtime/graphics/Graphics.h"
#include "runtime/ui/Accessible.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace qv {

class TForm;
class TWinControl;

enum class MouseButton { Left, Right, Middle };
enum ShiftState : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
enum class TCursor { Default, HandPoint, IBeam };

// Virtual key codes the controls look at.
enum VirtualKey : int {
    VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_MENU = 18, VK_ESCAPE = 27, VK_SPACE = 32,
    VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36,
    VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46, VK_APPS = 93,
    VK_F1 = 112, VK_F2 = 113, VK_F4 = 115, VK_F5 = 116, VK_F10 = 121,
};

// Characters OnKeyPress sees for keys that type no printable character.
enum KeyChar : char { chBackspace = 8, chTab = 9, chEnter = 13, chEscape = 27 };

// Anything placed on a window: position in its parent's client coordinates,
// visibility, enabled state, focus, keyboard and mouse events. Every control
// is backed by a native widget, which the runtime alone touches.
class TControl : public TAccessible {
public:
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    TWinControl* parent() const { return m_parent; }
    TForm* parentForm() const;
    const std::string& name() const { return m_name; }
    void setName(const std::string& name) { m_name = name; }

    int left() const;
    int top() const;
    int width() const;
    int height() const;
    TRect boundsRect() const;
    TRect clientRect() const { return TRect{0, 0, width(), height()}; }
    virtual void setBounds(int left, int top, int width, int height);
    // A measure still waiting is left waiting: it sizes the control anew anyway.
    void setLeft(int v);
    void setTop(int v);
    void setWidth(int v);
    void setHeight(int v);

    bool visible() const { return m_visible; }
    virtual void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    // Visible and every parent visible too.
    bool showing() const;

    bool enabled() const { return m_enabled; }
    virtual void setEnabled(bool enabled);

    bool tabStop() const { return m_tabStop; }
    void setTabStop(bool tabStop);
    int tabOrder() const { return m_tabOrder; }
    void setTabOrder(int order);
    bool focused() const;
    bool canFocus() const;
    virtual void setFocus();

    TColor color() const { return m_color; }
    void setColor(TColor color);
    const Font& font() const { return m_font; }
    void setFont(const Font& font);
    void setCursor(TCursor cursor);
    void setHint(const std::string& hint);
    std::string hint() const;

    void invalidate();
    // Marks part of the control (client coordinates) for the next paint.
    void invalidateRect(const TRect& r);
    // Moves what is on screen inside r by (dx, dy) and marks for the next paint
    // only what that uncovers; child controls stay where they are.
    void scrollRect(int dx, int dy, const TRect& r);
    // Repaints now instead of at the next paint.
    void repaint();

    TPoint clientToScreen(TPoint p) const;
    TPoint screenToClient(TPoint p) const;
    bool mouseInside() const;

    std::function<void()> onClick;
    std::function<void()> onEnter;
    std::function<void()> onExit;
    // The character typed, before the control takes it; set it to 0 to discard it.
    std::function<void(char& key)> onKeyPress;
    std::function<void(int& key, unsigned shift)> onKeyDown;
    std::function<void()> onMouseEnter;
    std::function<void()> onMouseLeave;

    // Tells a listening screen reader what changed; nothing happens when none listens.
    // item: the part (TAccessibleItem index) concerned, -1 for the control itself.
    void accessibleNotify(TAccessibleEvent event, int item = -1) const;
    void accessibleNotifyCell(TAccessibleEvent event, int col, int row) const;

    QWidget* widget() const { return m_widget; }
    static TControl* fromWidget(const QWidget* widget);
    // The platform's id of the control's own window; 0 until it has one.
    std::uint32_t handle() const;

    // Event entry points used by the native widgets; they run the virtuals below
    // under the application's error guard.
    struct Events;

    // Measuring text loads the fonts, which costs a start-up more than anything
    // else and which a window not yet on screen does not need. From this call on,
    // a measure a control asks for waits until the first window is exposed (just
    // before it paints), or until the control's size is read or it is painted.
    static void measureAfterFirstExposure();
    // Runs every measure still waiting, and measures at once from then on.
    static void settleMeasures();

protected:
    // The widget becomes a child of the parent's widget; the control owns it.
    TControl(TWinControl* parent, QWidget* widget);

    // A control that takes the focus in its own mouseDown: a press does not move
    // the focus first, so a leave check that refuses it runs once, not twice.
    void setFocusesItselfOnPress(bool focusesItself);

    virtual void click();
    virtual void mouseDown(MouseButton button, unsigned shift, int x, int y);
    virtual void mouseUp(MouseButton button, unsigned shift, int x, int y);
    virtual void mouseMove(unsigned shift, int x, int y);
    virtual void mouseEnter();
    virtual void mouseLeave();
    virtual void mouseWheel(int delta, unsigned shift);
    virtual void keyDown(int& key, unsigned shift);
    virtual void keyUp(int& key, unsigned shift);
    virtual void keyPress(char& key);
    virtual void focusIn();
    virtual void focusOut();
    virtual void resized() {}
    // What measure() decides: the control's own size (reading the size runs a
    // waiting measure first) or only what it shows.
    enum class Measured { Size, Content };
    // Work on the text's measurements (an auto-sized caption): at once or, during
    // start-up, later (measureAfterFirstExposure).
    void requestMeasure(Measured measured = Measured::Size);
    virtual void measure() {}
    // The bounds as last set, leaving a waiting measure waiting.
    TRect boundsAsPlaced() const;
    virtual void fontChanged() { invalidate(); }
    virtual void enabledChanged() { invalidate(); }
    virtual void visibleChanged() {}

private:
    friend class TWinControl;
    friend class TForm;
    void applyFocusPolicy();
    void settleOwnMeasure() const;

    TWinControl* m_parent = nullptr;
    QWidget* m_widget = nullptr;
    std::string m_name;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_tabStop = false;
    bool m_focusesItselfOnPress = false;
    bool m_measureWaiting = false;
    bool m_measureSizes = false;
    int m_tabOrder = -1;
    TColor m_color = clBtnFace;
    Font m_font;
};

// A control that holds other controls; their tab order is kept per parent.
class TWinControl : public TControl {
public:
    explicit TWinControl(TWinControl* parent);
    ~TWinControl() override;

    const std::vector<TControl*>& controls() const { return m_children; }
    // Children by tab order, then by creation.
    std::vector<TControl*> tabList() const;
    // Every focusable descendant in tab-chain order.
    void collectTabChain(std::vector<TControl*>& out) const;
    // The native widget the children's widgets sit in: a form's client area.
    QWidget* childHost() const { return m_childHost ? m_childHost : widget(); }

protected:
    TWinControl(TWinControl* parent, QWidget* widget);
    void setChildHost(QWidget* host) { m_childHost = host; }

private:
    friend class TControl;
    std::vector<TControl*> m_children;
    QWidget* m_childHost = nullptr;
};

// A control that paints itself: every paint builds an off-screen bitmap of the
// control's size, runs paint() on its canvas and copies it to the screen in one step.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TWinControl* parent);

    bool transparent() const { return m_transparent; }
    // Transparent controls start their bitmap with the parent's pixels.
    void setTransparent(bool transparent);

    // Paints the control into a canvas whose origin is this control's top-left.
    void paintTo(Canvas& canvas);
    // How often the platform had the control paint itself on screen: what a change repainted.
    long paintCount() const { return m_paints; }

protected:
    TCustomControl(TWinControl* parent, QWidget* widget);
    virtual void paint(Canvas& canvas);
    // What a transparent child sees behind it: this control as painted, by default.
    virtual void paintBackgroundFor(Canvas& canvas, const TControl& child);

private:
    friend struct TControl::Events;
    void paintParentBackground(Canvas& canvas);
    bool m_transparent = false;
    long m_paints = 0;
};

} // namespace qv

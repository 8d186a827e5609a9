#pragma once

// Private to the runtime: the native widgets behind the controls.

#include "runtime/ui/Control.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/PopupWindow.h"

#include <QWidget>

namespace qv {

// Forwards a native widget's events to its control.
class ControlWidget : public QWidget {
public:
    explicit ControlWidget(QWidget* parent, Qt::WindowFlags flags = {});

    TControl* control() const { return m_control; }
    void attach(TControl* control) { m_control = control; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TControl* m_control = nullptr;
};

class FormWidget : public ControlWidget {
public:
    FormWidget();
    // Places the client area inside the frame's margins.
    void layoutClient();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TForm* form() const;
    TFormFrame* frame() const;
    void startTracking(THitCode code, const QPointF& global);
    void track(const QPointF& global);
    void endTracking();
    void updateFrameCursor(THitCode code);

    // A caption press becomes a move only once the mouse travels, so that a
    // double click stays a double click.
    enum class Tracking { None, PendingMove, Move, Resize, BySystem };
    Tracking m_tracking = Tracking::None;
    THitCode m_trackCode = THitCode::Client;
    QPointF m_pressGlobal;
    QRect m_startGeometry;
    qint64 m_lastCaptionPress = -1;
    QPointF m_lastCaptionPoint;
};

// The client area of a form: the form's controls sit in it.
class FormClientWidget : public ControlWidget {
public:
    explicit FormClientWidget(QWidget* parent) : ControlWidget(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent*) override {}
};

// Synthetic input moves the pointer as far as the program can tell.
void setSyntheticCursorPos(const QPoint& global);

class PopupWidget : public ControlWidget {
public:
    explicit PopupWidget(PopupInput input);

protected:
    void hideEvent(QHideEvent* event) override;
};

// Key mapping shared by every widget.
int virtualKeyOf(const QKeyEvent& event);
unsigned shiftOf(Qt::KeyboardModifiers modifiers);
// The character a key produces as the platform would deliver it (0 for none).
char charOf(const QKeyEvent& event);
// The button a mouse event names; any other than right and middle counts as left.
MouseButton buttonOf(Qt::MouseButton b);

} // namespace qv

namespace qv {

struct TControl::Events {
    static void click(TControl& c) { c.click(); }
    static void mouseDown(TControl& c, MouseButton b, unsigned s, int x, int y) { c.mouseDown(b, s, x, y); }
    static void mouseUp(TControl& c, MouseButton b, unsigned s, int x, int y) { c.mouseUp(b, s, x, y); }
    static void mouseMove(TControl& c, unsigned s, int x, int y) { c.mouseMove(s, x, y); }
    static void mouseEnter(TControl& c) { c.mouseEnter(); }
    static void mouseLeave(TControl& c) { c.mouseLeave(); }
    static void mouseWheel(TControl& c, int delta, unsigned s) { c.mouseWheel(delta, s); }
    static void keyDown(TControl& c, int& key, unsigned s) { c.keyDown(key, s); }
    static void keyUp(TControl& c, int& key, unsigned s) { c.keyUp(key, s); }
    static void keyPress(TControl& c, char& key) { c.keyPress(key); }
    static void focusIn(TControl& c) { c.focusIn(); }
    static void focusOut(TControl& c) { c.focusOut(); }
    static void resized(TControl& c) { c.resized(); }
    static void enabledChanged(TControl& c) { c.enabledChanged(); }
    static void paint(TCustomControl& c, Canvas& canvas)
    {
        ++c.m_paints;
        c.paintTo(canvas);
    }
};

struct TForm::FormEvents {
    static void shown(TForm& f)
    {
        if (f.m_showHandled)
            return;
        f.m_showHandled = true;
        f.doShow();
    }
    static TCloseAction close(TForm& f) { return f.doClose(); }
    static void focusMovedTo(TForm& f, TControl* c) { f.focusMovedTo(c); }
};

} // namespace qv

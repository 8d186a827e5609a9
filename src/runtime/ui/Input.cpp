#include "runtime/ui/Input.h"

#include "runtime/graphics/QtGraphics.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/StdControls.h"
#include "runtime/ui/Timer.h"
#include "runtime/ui/Widgets.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QHideEvent>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QShowEvent>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

// Exported by Qt's GUI library for its own test tools: input delivered as the
// platform plug-in delivers it.
void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global, Qt::MouseButtons state,
                         Qt::MouseButton button, QEvent::Type type, Qt::KeyboardModifiers mods, int timestamp);
bool qt_handleKeyEvent(QWindow* window, QEvent::Type type, int key, Qt::KeyboardModifiers mods, const QString& text,
                       bool autorep, ushort count);

namespace qv {

namespace {

// Keys go where the focus is inside the control (an in-place editor, say).
QWidget* keyTarget(TControl& control)
{
    QWidget* w = control.widget();
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == w || w->isAncestorOf(focus)))
        return focus;
    return w->focusProxy() ? w->focusProxy() : w;
}

// The text a key stroke carries: Enter, Escape and Backspace their control characters,
// the space bar a space, other keys none.
QString strokeText(int virtualKey)
{
    switch (virtualKey) {
    case VK_RETURN: return "\r";
    case VK_ESCAPE: return QString(QChar(27));
    case VK_BACK: return QString(QChar(8));
    case VK_SPACE: return " ";
    default: return {};
    }
}

Qt::Key qtKeyOf(int vk, char ch)
{
    switch (vk) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_MENU: return Qt::Key_Alt;
    case VK_APPS: return Qt::Key_Menu;
    default: break;
    }
    if (vk >= VK_F1 && vk < VK_F1 + 24)
        return static_cast<Qt::Key>(Qt::Key_F1 + (vk - VK_F1));
    if (ch >= 'a' && ch <= 'z')
        return static_cast<Qt::Key>(Qt::Key_A + (ch - 'a'));
    return static_cast<Qt::Key>(static_cast<unsigned char>(ch ? ch : vk));
}

Qt::KeyboardModifiers modifiersOf(unsigned shift)
{
    Qt::KeyboardModifiers m;
    if (shift & ssShift) m |= Qt::ShiftModifier;
    if (shift & ssAlt) m |= Qt::AltModifier;
    if (shift & ssCtrl) m |= Qt::ControlModifier;
    return m;
}

void sendKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers m, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, m, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, m, text);
    QApplication::sendEvent(target, &release);
}

Qt::MouseButton qtButton(MouseButton b)
{
    if (b == MouseButton::Right) return Qt::RightButton;
    if (b == MouseButton::Middle) return Qt::MiddleButton;
    return Qt::LeftButton;
}

void sendMouse(TControl& control, QEvent::Type type, int x, int y, MouseButton button)
{
    QWidget* w = control.widget();
    QPointF local(x, y);
    // A platform control takes the press in its native widget, as on screen.
    if (QWidget* child = dynamic_cast<TNativeControl*>(&control) ? w->childAt(x, y) : nullptr) {
        local = child->mapFrom(w, local);
        w = child;
    }
    QPointF global = w->mapToGlobal(local);
    setSyntheticCursorPos(global.toPoint());
    Qt::MouseButton b = type == QEvent::MouseMove ? Qt::NoButton : qtButton(button);
    Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(b) : Qt::MouseButtons();
    QMouseEvent event(type, local, global, b, held, Qt::NoModifier);
    // Double clicks are told apart by the time between presses.
    event.setTimestamp(static_cast<quint64>(tickCount()));
    QApplication::sendEvent(w, &event);
}

} // namespace

void sendKeyStroke(TControl& control, int virtualKey, unsigned shift)
{
    sendKey(keyTarget(control), qtKeyOf(virtualKey, 0), modifiersOf(shift), strokeText(virtualKey));
}

void sendChars(TControl& control, const std::string& text)
{
    for (char ch : text)
        sendKey(keyTarget(control), qtKeyOf(0, ch), Qt::NoModifier, QString(QChar(static_cast<unsigned char>(ch))));
}

namespace {

QWindow* windowOf(TControl& control)
{
    QWidget* top = control.widget()->window();
    return top ? top->windowHandle() : nullptr;
}

void sendWindowKey(TControl& control, Qt::Key key, Qt::KeyboardModifiers m, const QString& text)
{
    QWindow* window = windowOf(control);
    if (!window)
        return;
    qt_handleKeyEvent(window, QEvent::KeyPress, key, m, text, false, 1);
    qt_handleKeyEvent(window, QEvent::KeyRelease, key, m, text, false, 1);
}

} // namespace

void sendWindowKeyStroke(TControl& control, int virtualKey, unsigned shift)
{
    QString text = strokeText(virtualKey);
    // Ctrl with a letter carries its control character, as X11 gives it.
    if ((shift & ssCtrl) && virtualKey >= 'A' && virtualKey <= 'Z')
        text = QString(QChar(virtualKey - 'A' + 1));
    sendWindowKey(control, qtKeyOf(virtualKey, 0), modifiersOf(shift), text);
}

void sendWindowChars(TControl& control, const std::string& text)
{
    for (char ch : text)
        sendWindowKey(control, qtKeyOf(0, ch), Qt::NoModifier, QString(QChar(static_cast<unsigned char>(ch))));
}

void sendWindowClick(TControl& control, int x, int y)
{
    QWindow* window = windowOf(control);
    if (!window)
        return;
    QWidget* w = control.widget();
    QPointF const local = w->mapTo(w->window(), QPointF(x, y));
    QPointF const global = w->mapToGlobal(QPointF(x, y));
    setSyntheticCursorPos(global.toPoint());
    auto const time = static_cast<int>(tickCount());
    qt_handleMouseEvent(window, local, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress, Qt::NoModifier, time);
    qt_handleMouseEvent(window, local, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease, Qt::NoModifier, time);
}

void sendMouseDown(TControl& c, int x, int y, MouseButton b) { sendMouse(c, QEvent::MouseButtonPress, x, y, b); }
void sendMouseUp(TControl& c, int x, int y, MouseButton b) { sendMouse(c, QEvent::MouseButtonRelease, x, y, b); }
void sendMouseMove(TControl& c, int x, int y) { sendMouse(c, QEvent::MouseMove, x, y, MouseButton::Left); }

void sendClick(TControl& control, int x, int y)
{
    sendMouseDown(control, x, y);
    sendMouseUp(control, x, y);
}

void sendMouseWheel(TControl& control, int delta, unsigned shift)
{
    QWidget* w = control.widget();
    QPointF local(w->width() / 2, w->height() / 2);
    QWheelEvent event(local, w->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, modifiersOf(shift),
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

void sendMinimizeAndRestore(TForm& form)
{
    QWidget* w = form.widget();
    QHideEvent hidden;
    QApplication::sendEvent(w, &hidden);
    QShowEvent shown;
    QApplication::sendEvent(w, &shown);
}

void sendMouseEnter(TControl& control)
{
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), control.widget()->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(control.widget(), &event);
}

void sendMouseLeave(TControl& control)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(control.widget(), &event);
}

void movePointerTo(TPoint p)
{
    // Synthetic input keeps its own pointer; a move must reach both.
    setSyntheticCursorPos(QPoint(p.x, p.y));
    QCursor::setPos(p.x, p.y);
}

void sendContextMenu(TControl& control, int x, int y)
{
    QWidget* target = keyTarget(control);
    QPoint local = target->mapFrom(control.widget(), QPoint(x, y));
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, target->mapToGlobal(local));
    QApplication::sendEvent(target, &event);
}

void sendTab(TControl& from, bool backwards)
{
    QWidget* start = keyTarget(from);
    QWidget* next = backwards ? start->previousInFocusChain() : start->nextInFocusChain();
    while (next && next != start && (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible() || !next->isEnabled() || next->focusProxy()))
        next = backwards ? next->previousInFocusChain() : next->nextInFocusChain();
    if (next)
        next->setFocus(backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
}

TColor screenPixel(TControl& control, int x, int y)
{
    TControl::settleMeasures();
    QImage image = control.widget()->grab(QRect(x, y, 1, 1)).toImage();
    return fromQRgb(image.pixel(0, 0));
}

Bitmap screenImage(TControl& control)
{
    QWidget* w = control.widget();
    QWidget* top = w->window();
    Bitmap shot;
    if (!top->windowHandle() || !top->screen())
        return shot;
    QPoint at = w->mapTo(top, QPoint(0, 0));
    QImage image = top->screen()->grabWindow(top->winId(), at.x(), at.y(), w->width(), w->height()).toImage();
    shot.impl().settled();
    shot.impl().image = image.convertToFormat(QImage::Format_RGB32);
    return shot;
}

Bitmap grabImage(TControl& control)
{
    TControl::settleMeasures();
    QImage image = control.widget()->grab().toImage();
    std::vector<TColor> pixels;
    pixels.reserve(static_cast<size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            pixels.push_back(fromQRgb(image.pixel(x, y)));
    Bitmap bitmap;
    bitmap.assignPixels(image.width(), image.height(), pixels.data(), pixels.size());
    return bitmap;
}

} // namespace qv

#include "runtime/ui/PopupWindow.h"

#include "runtime/ui/Application.h"
#include "runtime/ui/Widgets.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHideEvent>
#include <QScreen>

#include <optional>

namespace qv {

namespace {

// A passive popup is a tool tip to the window system: no frame, no activation,
// no placement by a window manager, with or without one running.
Qt::WindowFlags popupFlags(PopupInput input)
{
    if (input == PopupInput::Passive)
        return Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus | Qt::WindowStaysOnTopHint;
    return Qt::Popup | Qt::FramelessWindowHint;
}

} // namespace

PopupWidget::PopupWidget(PopupInput input) : ControlWidget(nullptr, popupFlags(input))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void PopupWidget::hideEvent(QHideEvent* event)
{
    ControlWidget::hideEvent(event);
    auto* popup = dynamic_cast<TPopupWindow*>(control());
    if (!popup || !popup->onClosed)
        return;
    // The handler may free the popup; run a copy.
    std::function<void()> closed = popup->onClosed;
    TApplication::guard(closed);
}

TPopupWindow::TPopupWindow(PopupInput input) : TCustomControl(nullptr, new PopupWidget(input)) {}

TPopupWindow::~TPopupWindow() { onClosed = nullptr; }

void TPopupWindow::popup(const TRect& screenRect)
{
    widget()->setGeometry(screenRect.left, screenRect.top, screenRect.width(), screenRect.height());
    widget()->show();
}

void TPopupWindow::closePopup()
{
    if (widget()->isVisible())
        widget()->hide();
}

bool TPopupWindow::isOpen() const { return widget()->isVisible(); }

TRect screenWorkArea(TPoint p)
{
    QScreen* screen = QGuiApplication::screenAt(QPoint(p.x, p.y));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return TRect{0, 0, 1024, 768};
    QRect r = screen->availableGeometry();
    return TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

namespace {
std::optional<QPoint> g_syntheticCursor;
}

void setSyntheticCursorPos(const QPoint& global) { g_syntheticCursor = global; }

TPoint mouseCursorPos()
{
    QPoint p = g_syntheticCursor ? *g_syntheticCursor : QCursor::pos();
    return TPoint{p.x(), p.y()};
}

} // namespace qv

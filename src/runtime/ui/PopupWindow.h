#pragma once

#include "runtime/ui/Control.h"

#include <functional>

namespace qv {

// How a popup window takes the input while it is open.
enum class PopupInput {
    // It holds mouse and keyboard; a press outside it closes it.
    Grab,
    // It takes only the presses on itself; the active window keeps the keyboard
    // and the pointer stays free, so whoever opened it must close it.
    Passive,
};

// A painted top-level window that floats over the application, such as a menu
// level or a drop-down.
class TPopupWindow : public TCustomControl {
public:
    explicit TPopupWindow(PopupInput input = PopupInput::Grab);
    ~TPopupWindow() override;

    // Places the window on the screen and shows it without taking the focus.
    void popup(const TRect& screenRect);
    void closePopup();
    bool isOpen() const;

    std::function<void()> onClosed;

    struct PopupEvents;
};

// The work area of the screen that holds the point.
TRect screenWorkArea(TPoint screenPoint);
// Where the mouse pointer is, in screen coordinates.
TPoint mouseCursorPos();

} // namespace qv

#pragma once

#include "runtime/ui/Control.h"

#include <functional>

namespace qv {

// A painted top-level window that floats over the application, such as a menu
// level. A press outside it closes it.
class TPopupWindow : public TCustomControl {
public:
    TPopupWindow();
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

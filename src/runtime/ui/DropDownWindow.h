#pragma once

#include "runtime/ui/Control.h"

#include <functional>
#include <memory>

namespace qv {

// A painted window that drops down from a control, such as a calendar under a
// date field. It never takes the activation or the focus, so the keys stay with
// the control that opened it; clicks on it reach its controls all the same.
class TDropDownWindow : public TCustomControl {
public:
    TDropDownWindow();
    ~TDropDownWindow() override;

    // Shows the window at a screen rectangle for owner, which keeps the focus.
    void dropDown(TControl& owner, const TRect& screenRect);
    void closeUp();
    bool isOpen() const;

    // While open, when its owner should close it: a press outside both the window
    // and the owner, the focus going to another window (or program), the owner's
    // window moving, resizing or hiding, or cancelModes().
    std::function<void()> onCancelMode;
    // Runs OnCancelMode while the window is open.
    void cancelMode();

private:
    class Watcher;
    std::unique_ptr<Watcher> m_watcher;
    TControl* m_owner = nullptr;
};

// Asks every open drop-down window to close, as a control starting a mode of its
// own (a menu, a message box) does.
void cancelModes();

} // namespace qv

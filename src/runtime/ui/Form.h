#pragma once

#include "runtime/ui/Control.h"

#include <functional>
#include <string>

namespace qv {

enum class TCloseAction { None, Hide, Free, Minimize };

// A top-level window. Its controls sit in its client area; positions are the
// window's own on the screen. Closing the application's main form ends the
// message loop; closing any other form hides it.
class TForm : public TWinControl {
public:
    TForm();
    ~TForm() override;

    const std::string& caption() const { return m_caption; }
    void setCaption(const std::string& caption);
    int clientWidth() const { return width(); }
    int clientHeight() const { return height(); }
    void setClientSize(int width, int height);
    // Position of the window on the screen.
    void setScreenPosition(int left, int top);
    TPoint screenPosition() const;

    void setVisible(bool visible) override;
    // Shows the window and brings it to the front.
    void showAndRaise();
    // Asks the window to close: OnClose runs and may keep it open.
    void close();
    bool isActive() const;

    TControl* activeControl() const { return m_activeControl; }
    // Rebuilds the native focus chain from the controls' tab orders.
    void updateTabChain();

    std::function<void()> onCreate;
    // Runs when the program makes the window visible, not when it is restored.
    std::function<void()> onShow;
    std::function<void()> onHide;
    std::function<void(TCloseAction& action)> onClose;

    // Creation step run by TApplication::createForm.
    virtual void doCreate();

    struct FormEvents;

protected:
    virtual void doShow();
    // Runs OnClose; returns the action. An error from it leaves the window open.
    virtual TCloseAction doClose();

private:
    friend struct FormEvents;
    friend class TApplication;
    friend class TControl;
    void focusMovedTo(TControl* control);

    std::string m_caption;
    TControl* m_activeControl = nullptr;
    // OnShow ran since the program last made the window visible; restoring it from
    // minimized brings a show event of its own, which must not run OnShow again.
    bool m_showHandled = false;
};

} // namespace qv

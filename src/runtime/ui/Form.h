#pragma once

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/Control.h"
#include "runtime/ui/FormFrame.h"

#include <functional>
#include <string>

namespace qv {

enum class TCloseAction { None, Hide, Free, Minimize };
enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

// A top-level window. Its controls sit in its client area; positions are the
// window's own on the screen. Closing the application's main form ends the
// message loop; closing any other form hides it.
class TForm : public TWinControl {
public:
    TForm();
    ~TForm() override;

    const std::string& caption() const { return m_caption; }
    void setCaption(const std::string& caption);
    // The client area; with a drawn frame it sits inside the frame's margins,
    // while width() and height() are the whole window's.
    int clientWidth() const;
    int clientHeight() const;
    TPoint clientOrigin() const;
    void setClientSize(int width, int height);
    // Position of the window on the screen.
    void setScreenPosition(int left, int top);
    TPoint screenPosition() const;

    void setVisible(bool visible) override;
    // The whole window's bounds; the client area follows.
    void setBounds(int left, int top, int width, int height) override;
    // Shows the window and brings it to the front.
    void showAndRaise();
    // Asks the window to close: OnClose runs and may keep it open.
    void close();
    bool isActive() const;

    TControl* activeControl() const { return m_activeControl; }
    // Shows the window modal for the whole application and runs messages until a
    // button or setModalResult ends it; closing the window reads as mrCancel.
    int showModal();
    int modalResult() const { return m_modalResult; }
    // A non-zero result ends a running showModal.
    void setModalResult(int result);
    // Keys reach the form's OnKeyDown / OnKeyPress before the focused control's.
    bool keyPreview() const { return m_keyPreview; }
    void setKeyPreview(bool preview) { m_keyPreview = preview; }
    // A dialog frame of fixed size without minimise and maximise buttons; without
    // system buttons the frame has no close button either.
    void setDialogBorder(bool systemButtons = true);
    // The user may resize the window (not a dialog frame).
    bool sizeable() const { return m_sizeable; }
    // Shows the window without waiting; until it hides, the other windows take no input.
    void showBlockingOthers();
    // Centres the window on the screen.
    void centerOnScreen();
    // Enter presses the enabled default button, Esc the cancel button; true when one did.
    bool pressDialogButton(int virtualKey);

    // The picture the window system shows for this window at side x side pixels;
    // empty when the window has none of that size.
    Bitmap icon(int side) const;

    // Rebuilds the native focus chain from the controls' tab orders.
    void updateTabChain();

    // ---- drawn frame ----
    // Attaching a frame makes the window frameless and keeps its client size;
    // null gives the platform's frame back.
    void setFrame(TFormFrame* frame);
    TFormFrame* frame() const { return m_frame; }
    // The frame's margins or size limits changed: the client area follows, the
    // window keeps its size (within the new limits).
    void frameChanged();
    void invalidateFrame();
    // Paints that part of the frame now.
    void repaintFrame(const TRect& windowRect);
    // How often the platform had the frame (caption, borders) paint itself on screen.
    long framePaintCount() const { return m_framePaints; }
    // The window's outline (its shape on the screen); pixels outside take no input.
    void setWindowRegion(const Region& region);
    void clearWindowRegion();
    bool hasWindowRegion() const;
    Region windowRegion() const;
    // The whole window on the screen.
    TRect windowBounds() const;
    void setWindowBounds(const TRect& bounds);
    // The monitor nearest the window, its work area, and whether it is the primary one.
    TRect monitorBounds() const;
    TRect workArea() const;
    bool onPrimaryMonitor() const;
    // The platform's minimize, to the task bar.
    void minimizeToTaskBar();
    // Where the mouse pointer is, in this window's coordinates.
    TPoint cursorInWindow() const;

    std::function<void()> onCreate;
    // Runs when the program makes the window visible, not when it is restored.
    std::function<void()> onShow;
    std::function<void()> onHide;
    std::function<void(TCloseAction& action)> onClose;

    TAccessibleRole accessibleRole() const override;
    std::string accessibleName() const override { return m_caption; }

    // Creation step run by TApplication::createForm.
    virtual void doCreate();

    struct FormEvents;

protected:
    virtual void doShow();
    // Runs OnClose; returns the action. An error from it leaves the window open.
    virtual TCloseAction doClose();

private:
    friend struct FormEvents;
    friend class FormWidget;
    friend class TApplication;
    friend class TControl;
    void focusMovedTo(TControl* control);

    std::string m_caption;
    TFormFrame* m_frame = nullptr;
    QWidget* m_client = nullptr;
    TControl* m_activeControl = nullptr;
    // OnShow ran since the program last made the window visible; restoring it from
    // minimized brings a show event of its own, which must not run OnShow again.
    bool m_showHandled = false;
    bool m_keyPreview = false;
    bool m_sizeable = true;
    // Until the window first shows, a new frame keeps the client size the design gave.
    bool m_shownOnce = false;
    int m_modalResult = 0;
    bool m_inModalLoop = false;
    long m_framePaints = 0;
};

} // namespace qv

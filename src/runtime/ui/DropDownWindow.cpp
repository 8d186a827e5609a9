#include "runtime/ui/DropDownWindow.h"

#include "runtime/ui/Application.h"
#include "runtime/ui/Widgets.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace qv {

namespace {

std::vector<TDropDownWindow*>& openDropDowns()
{
    static std::vector<TDropDownWindow*> open;
    return open;
}

// A tool-tip window is placed by us, not the window manager, and is never
// activated: not by the window system when shown, not by a click on it.
class DropDownWidget : public ControlWidget {
public:
    DropDownWidget() : ControlWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFocusPolicy(Qt::NoFocus);
    }
};

} // namespace

// Watches the whole application while the window is open.
class TDropDownWindow::Watcher : public QObject {
public:
    explicit Watcher(TDropDownWindow& owner) : m_window(owner)
    {
        qApp->installEventFilter(this);
        m_focusWindow = QObject::connect(qApp, &QGuiApplication::focusWindowChanged, [this](QWindow* now) {
            if (!m_detached && now != m_ownerWindow)
                m_window.cancelMode();
        });
    }
    ~Watcher() override { detach(); }
    // Stops watching at once; the object itself may still be in use on the stack.
    void detach()
    {
        QObject::disconnect(m_focusWindow);
        qApp->removeEventFilter(this);
        m_detached = true;
    }
    void setOwnerWindow(QWindow* window) { m_ownerWindow = window; }
    void setOwnerWidget(QWidget* widget) { m_ownerWidget = widget; }

protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (m_detached)
            return false;
        auto* widget = qobject_cast<QWidget*>(target);
        // The window it hangs from moves, resizes or goes away: it would float on its own.
        bool const ownerWindow = widget && m_ownerWidget && widget == m_ownerWidget->window();
        if (ownerWindow
            && (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Hide
                || event->type() == QEvent::WindowStateChange)) {
            m_window.cancelMode();
            return false;
        }
        if (event->type() != QEvent::MouseButtonPress)
            return false;
        if (!widget || widget->window() == m_window.widget())
            return false;
        if (m_ownerWidget && (widget == m_ownerWidget || m_ownerWidget->isAncestorOf(widget)))
            return false;
        m_window.cancelMode();
        return false;
    }

private:
    TDropDownWindow& m_window;
    QWindow* m_ownerWindow = nullptr;
    QWidget* m_ownerWidget = nullptr;
    QMetaObject::Connection m_focusWindow;
    bool m_detached = false;
};

TDropDownWindow::TDropDownWindow() : TCustomControl(nullptr, new DropDownWidget) { widget()->hide(); }

TDropDownWindow::~TDropDownWindow()
{
    onCancelMode = nullptr;
    closeUp();
}

void TDropDownWindow::dropDown(TControl& owner, const TRect& screenRect)
{
    m_owner = &owner;
    widget()->setGeometry(screenRect.left, screenRect.top, screenRect.width(), screenRect.height());
    widget()->show();
    auto& open = openDropDowns();
    if (std::find(open.begin(), open.end(), this) == open.end())
        open.push_back(this);
    if (!m_watcher)
        m_watcher = std::make_unique<Watcher>(*this);
    m_watcher->setOwnerWidget(owner.widget());
    m_watcher->setOwnerWindow(owner.widget()->window()->windowHandle());
}

void TDropDownWindow::closeUp()
{
    auto& open = openDropDowns();
    open.erase(std::remove(open.begin(), open.end(), this), open.end());
    // Freed later: this may run inside one of the watcher's own notices.
    if (m_watcher) {
        m_watcher->detach();
        m_watcher.release()->deleteLater();
    }
    m_owner = nullptr;
    if (widget()->isVisible())
        widget()->hide();
}

bool TDropDownWindow::isOpen() const { return widget()->isVisible(); }

void TDropDownWindow::cancelMode()
{
    if (!isOpen() || !onCancelMode)
        return;
    // The handler usually closes the window; run a copy.
    std::function<void()> cancel = onCancelMode;
    TApplication::guard(cancel);
}

void cancelModes()
{
    std::vector<TDropDownWindow*> open = openDropDowns();
    for (TDropDownWindow* window : open) {
        auto& still = openDropDowns();
        if (std::find(still.begin(), still.end(), window) != still.end())
            window->cancelMode();
    }
}

} // namespace qv

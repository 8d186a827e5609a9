#include "runtime/ui/Form.h"

#include "runtime/core/Property.h"

#include "runtime/graphics/QtGraphics.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Widgets.h"

#include <QApplication>
#include <QPointer>
#include <QCloseEvent>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleHints>
#include <QWindow>

#include "runtime/ui/StdControls.h"

#include <algorithm>

namespace qv {

namespace {

TPoint pointOf(const QMouseEvent& e)
{
    QPoint p = e.position().toPoint();
    return TPoint{p.x(), p.y()};
}

Qt::Edges edgesOf(THitCode code)
{
    switch (code) {
    case THitCode::Left: return Qt::LeftEdge;
    case THitCode::Right: return Qt::RightEdge;
    case THitCode::Top: return Qt::TopEdge;
    case THitCode::Bottom: return Qt::BottomEdge;
    case THitCode::TopLeft: return Qt::TopEdge | Qt::LeftEdge;
    case THitCode::TopRight: return Qt::TopEdge | Qt::RightEdge;
    case THitCode::BottomLeft: return Qt::BottomEdge | Qt::LeftEdge;
    case THitCode::BottomRight: return Qt::BottomEdge | Qt::RightEdge;
    default: return {};
    }
}

// Presses in a framed window's client area close its frame's menus before the
// control under the mouse sees them.
class FramePressFilter : public QObject {
public:
    static void install()
    {
        static FramePressFilter* filter = nullptr;
        if (!filter) {
            filter = new FramePressFilter;
            QApplication::instance()->installEventFilter(filter);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* window = widget ? dynamic_cast<FormWidget*>(widget->window()) : nullptr;
        // The window's own presses reach its frame in the frame's handlers.
        if (!window || window == widget)
            return false;
        auto* form = dynamic_cast<TForm*>(window->control());
        if (form && form->frame())
            TApplication::guard([&] { form->frame()->menuClosingMessage(); });
        return false;
    }
};

// Paints through a canvas on the widget itself, clipped to what the update touches:
// a frame composes only the strips that need it.
template <class Paint> void paintClippedToUpdate(QWidget& widget, QPaintEvent* event, Paint&& paint)
{
    QPainter painter(&widget);
    std::unique_ptr<Canvas> canvas = makePainterCanvas(painter);
    Region dirty;
    dirty.impl().region = event->region();
    canvas->setClipRegion(dirty);
    TApplication::guard([&] { paint(*canvas); });
}

} // namespace

FormWidget::FormWidget() : ControlWidget(nullptr, Qt::Window) {}

TForm* FormWidget::form() const { return dynamic_cast<TForm*>(control()); }

TFormFrame* FormWidget::frame() const
{
    TForm* f = form();
    return f ? f->frame() : nullptr;
}

void FormWidget::layoutClient()
{
    TForm* f = form();
    if (!f || !f->m_client)
        return;
    TRect m = f->m_frame ? f->m_frame->clientMargins() : TRect{};
    f->m_client->setGeometry(m.left, m.top, std::max(0, width() - m.left - m.right), std::max(0, height() - m.top - m.bottom));
}

bool FormWidget::event(QEvent* e)
{
    if (TFormFrame* fr = frame()) {
        switch (e->type()) {
        case QEvent::Move:
        case QEvent::WindowDeactivate:
        case QEvent::FocusOut:
            TApplication::guard([&] { fr->menuClosingMessage(); });
            break;
        case QEvent::Enter:
            if (m_tracking == Tracking::BySystem)
                endTracking();
            break;
        default:
            break;
        }
    }
    return ControlWidget::event(e);
}

void FormWidget::closeEvent(QCloseEvent* event)
{
    auto* form = dynamic_cast<TForm*>(control());
    if (!form) {
        event->accept();
        return;
    }
    TCloseAction action = TForm::FormEvents::close(*form);
    if (action == TCloseAction::None) {
        event->ignore();
        return;
    }
    event->accept();
    bool isMain = TApplication::exists() && TApplication::instance().mainForm() == form;
    if (isMain)
        TApplication::instance().terminate();
}

void FormWidget::showEvent(QShowEvent* event)
{
    ControlWidget::showEvent(event);
    if (auto* form = dynamic_cast<TForm*>(control())) {
        form->m_shownOnce = true;
        TApplication::guard([&] { TForm::FormEvents::shown(*form); });
        if (TFormFrame* fr = form->frame())
            TApplication::guard([&] { fr->shown(); });
    }
}

void FormWidget::hideEvent(QHideEvent* event)
{
    ControlWidget::hideEvent(event);
    auto* form = dynamic_cast<TForm*>(control());
    if (form && form->onHide)
        TApplication::guard([&] { form->onHide(); });
}

void FormWidget::paintEvent(QPaintEvent* event)
{
    TFormFrame* fr = frame();
    if (!fr) {
        ControlWidget::paintEvent(event);
        return;
    }
    ++form()->m_framePaints;
    paintClippedToUpdate(*this, event, [&](Canvas& canvas) { fr->paintFrame(canvas); });
}

void FormWidget::resizeEvent(QResizeEvent*)
{
    layoutClient();
    TForm* f = form();
    if (!f)
        return;
    TApplication::guard([&] { TControl::Events::resized(*f); });
    if (TFormFrame* fr = f->frame())
        TApplication::guard([&] {
            fr->menuClosingMessage();
            fr->resized();
        });
}

void FormWidget::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::ActivationChange) {
        if (TFormFrame* fr = frame()) {
            bool active = isActiveWindow();
            TApplication::guard([&] {
                fr->menuClosingMessage();
                fr->activationChanged(active);
            });
        }
    }
    ControlWidget::changeEvent(e);
}

void FormWidget::mousePressEvent(QMouseEvent* e)
{
    TFormFrame* fr = frame();
    if (!fr) {
        ControlWidget::mousePressEvent(e);
        return;
    }
    if (m_tracking == Tracking::BySystem)
        endTracking();
    TPoint p = pointOf(*e);
    THitCode code = THitCode::Client;
    TApplication::guard([&] { code = fr->hitTest(p); });
    // The window manager takes a caption press for its move and the release with
    // it, so the platform sees no double click there: we count them ourselves.
    bool const captionPress = e->button() == Qt::LeftButton && code == THitCode::Caption;
    if (captionPress && m_lastCaptionPress >= 0
        && e->timestamp() - m_lastCaptionPress <= static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval())
        && (e->globalPosition() - m_lastCaptionPoint).manhattanLength() <= QGuiApplication::styleHints()->startDragDistance()) {
        m_lastCaptionPress = -1;
        mouseDoubleClickEvent(e);
        return;
    }
    m_lastCaptionPress = captionPress ? static_cast<qint64>(e->timestamp()) : -1;
    m_lastCaptionPoint = e->globalPosition();
    TApplication::guard([&] {
        fr->menuClosingMessage();
        fr->ncMouseDown(buttonOf(e->button()), p);
    });
    if (e->button() == Qt::LeftButton && (code == THitCode::Caption || isSizingEdge(code)))
        startTracking(code, e->globalPosition());
}

void FormWidget::mouseDoubleClickEvent(QMouseEvent* e)
{
    TFormFrame* fr = frame();
    if (!fr) {
        ControlWidget::mouseDoubleClickEvent(e);
        return;
    }
    m_tracking = Tracking::None;
    m_lastCaptionPress = -1;
    TPoint p = pointOf(*e);
    TApplication::guard([&] {
        fr->menuClosingMessage();
        fr->ncDoubleClick(buttonOf(e->button()), p);
    });
}

void FormWidget::mouseReleaseEvent(QMouseEvent* e)
{
    TFormFrame* fr = frame();
    if (!fr) {
        ControlWidget::mouseReleaseEvent(e);
        return;
    }
    if (m_tracking != Tracking::None)
        endTracking();
    TPoint p = pointOf(*e);
    TApplication::guard([&] { fr->ncMouseUp(buttonOf(e->button()), p); });
}

void FormWidget::mouseMoveEvent(QMouseEvent* e)
{
    TFormFrame* fr = frame();
    if (!fr) {
        ControlWidget::mouseMoveEvent(e);
        return;
    }
    if (m_tracking == Tracking::BySystem)
        endTracking();
    if (m_tracking != Tracking::None) {
        track(e->globalPosition());
        return;
    }
    TPoint p = pointOf(*e);
    THitCode code = THitCode::Client;
    TApplication::guard([&] {
        code = fr->hitTest(p);
        fr->ncMouseMove(p);
    });
    updateFrameCursor(code);
}

void FormWidget::updateFrameCursor(THitCode code)
{
    switch (code) {
    case THitCode::Left:
    case THitCode::Right: setCursor(Qt::SizeHorCursor); break;
    case THitCode::Top:
    case THitCode::Bottom: setCursor(Qt::SizeVerCursor); break;
    case THitCode::TopLeft:
    case THitCode::BottomRight: setCursor(Qt::SizeFDiagCursor); break;
    case THitCode::TopRight:
    case THitCode::BottomLeft: setCursor(Qt::SizeBDiagCursor); break;
    default: unsetCursor(); break;
    }
}

void FormWidget::startTracking(THitCode code, const QPointF& global)
{
    m_trackCode = code;
    m_pressGlobal = global;
    m_startGeometry = geometry();
    TFormFrame* fr = frame();
    if (code == THitCode::Caption) {
        // A window that may not move (maximized) keeps its place.
        TRect probe = fromQRect(m_startGeometry.translated(1, 1));
        TApplication::guard([&] { fr->moving(probe); });
        if (probe == fromQRect(m_startGeometry))
            return;
        // The move starts with the mouse's first step, so that a press and
        // release stays a click (and two a double click).
        m_tracking = Tracking::PendingMove;
        return;
    }
    TApplication::guard([&] { fr->sizeMoveStarted(); });
    bool bySystem = windowHandle() && windowHandle()->startSystemResize(edgesOf(code));
    m_tracking = bySystem ? Tracking::BySystem : Tracking::Resize;
}

void FormWidget::track(const QPointF& global)
{
    TFormFrame* fr = frame();
    QPoint delta = (global - m_pressGlobal).toPoint();
    if (m_tracking == Tracking::PendingMove) {
        if (delta.isNull())
            return;
        TApplication::guard([&] { fr->sizeMoveStarted(); });
        // The window manager moves it from here on; where there is none, we do.
        if (windowHandle() && windowHandle()->startSystemMove()) {
            m_tracking = Tracking::BySystem;
            return;
        }
        m_tracking = Tracking::Move;
    }
    if (m_tracking == Tracking::Move) {
        TRect proposed = fromQRect(m_startGeometry.translated(delta));
        TApplication::guard([&] { fr->moving(proposed); });
        move(proposed.left, proposed.top);
        return;
    }
    if (m_tracking != Tracking::Resize)
        return;
    // The edge under the mouse follows it; the opposite one stays, within the limits.
    QRect g = m_startGeometry;
    QSize minSize = minimumSize(), maxSize = maximumSize();
    int left = g.left(), top = g.top(), right = g.left() + g.width(), bottom = g.top() + g.height();
    Qt::Edges edges = edgesOf(m_trackCode);
    auto clampSpan = [](int span, int lo, int hi) { return std::clamp(span, lo, std::max(lo, hi)); };
    if (edges & Qt::LeftEdge)
        left = right - clampSpan(right - (left + delta.x()), minSize.width(), maxSize.width());
    if (edges & Qt::RightEdge)
        right = left + clampSpan(right + delta.x() - left, minSize.width(), maxSize.width());
    if (edges & Qt::TopEdge)
        top = bottom - clampSpan(bottom - (top + delta.y()), minSize.height(), maxSize.height());
    if (edges & Qt::BottomEdge)
        bottom = top + clampSpan(bottom + delta.y() - top, minSize.height(), maxSize.height());
    setGeometry(left, top, right - left, bottom - top);
}

void FormWidget::endTracking()
{
    bool started = m_tracking != Tracking::None && m_tracking != Tracking::PendingMove;
    m_tracking = Tracking::None;
    if (TFormFrame* fr = frame(); fr && started)
        TApplication::guard([&] { fr->sizeMoveEnded(); });
}

void FormClientWidget::paintEvent(QPaintEvent* event)
{
    auto* form = dynamic_cast<TForm*>(control());
    if (!form || !form->frame()) {
        ControlWidget::paintEvent(event);
        return;
    }
    paintClippedToUpdate(*this, event, [&](Canvas& canvas) { form->frame()->eraseClient(canvas); });
}

TForm::TForm() : TWinControl(nullptr, new FormWidget)
{
    TControl::m_visible = false;
    widget()->setAttribute(Qt::WA_QuitOnClose, false);
    auto* client = new FormClientWidget(widget());
    client->attach(this);
    client->setGeometry(0, 0, widget()->width(), widget()->height());
    m_client = client;
    setChildHost(client);
}

TForm::~TForm()
{
    if (auto* client = dynamic_cast<ControlWidget*>(m_client))
        client->attach(nullptr);
}

void TForm::setCaption(const std::string& caption)
{
    bool changed = assignChanged(m_caption, caption);
    widget()->setWindowTitle(QString::fromStdString(caption));
    if (m_frame)
        m_frame->captionChanged();
    if (changed)
        accessibleNotify(TAccessibleEvent::NameChanged);
}

TAccessibleRole TForm::accessibleRole() const { return m_sizeable ? TAccessibleRole::Window : TAccessibleRole::Dialog; }

int TForm::clientWidth() const { return m_client->width(); }
int TForm::clientHeight() const { return m_client->height(); }
TPoint TForm::clientOrigin() const { return TPoint{m_client->x(), m_client->y()}; }

void TForm::setClientSize(int width, int height)
{
    TRect m = m_frame ? m_frame->clientMargins() : TRect{};
    widget()->resize(width + m.left + m.right, height + m.top + m.bottom);
    // A hidden window hears of its new size only when it shows.
    static_cast<FormWidget*>(widget())->layoutClient();
}

void TForm::setBounds(int left, int top, int width, int height)
{
    TWinControl::setBounds(left, top, width, height);
    static_cast<FormWidget*>(widget())->layoutClient();
}

void TForm::setScreenPosition(int left, int top) { widget()->move(left, top); }

TPoint TForm::screenPosition() const { return TPoint{widget()->x(), widget()->y()}; }

void TForm::setVisible(bool visible)
{
    if (visible) {
        if (!widget()->isVisible())
            m_showHandled = false;
        updateTabChain();
    }
    TWinControl::setVisible(visible);
}

void TForm::showAndRaise()
{
    setVisible(true);
    widget()->raise();
    widget()->activateWindow();
}

void TForm::close() { widget()->close(); }

int TForm::showModal()
{
    m_modalResult = mrNone;
    QPointer<QWidget> const owner = QApplication::activeWindow();
    widget()->setWindowModality(Qt::ApplicationModal);
    showAndRaise();
    QEventLoop loop;
    m_inModalLoop = true;
    QObject::connect(this->widget(), &QObject::destroyed, &loop, &QEventLoop::quit);
    // An application asked to end (its main window closed at a signal) ends its dialogs too.
    auto ending = [] { return TApplication::exists() && TApplication::instance().terminated(); };
    while (m_modalResult == mrNone && widget()->isVisible() && !ending())
        loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    m_inModalLoop = false;
    if (m_modalResult == mrNone)
        m_modalResult = mrCancel;
    setVisible(false);
    widget()->setWindowModality(Qt::NonModal);
    // Without a window manager nobody hands the keyboard back to the window the
    // dialog came from: its first click would only activate it.
    if (owner && owner->isVisible() && owner != widget())
        owner->activateWindow();
    return m_modalResult;
}

void TForm::showBlockingOthers()
{
    widget()->setWindowModality(Qt::ApplicationModal);
    showAndRaise();
}

void TForm::setModalResult(int result)
{
    m_modalResult = result;
    // Wakes the modal loop that waits for the next event.
    if (m_inModalLoop)
        QCoreApplication::postEvent(widget(), new QEvent(QEvent::User));
}

void TForm::setDialogBorder(bool systemButtons)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (systemButtons)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    widget()->setWindowFlags(flags);
    widget()->setFixedSize(widget()->size());
    m_sizeable = false;
}

void TForm::centerOnScreen()
{
    QScreen* screen = widget()->screen() ? widget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect area = screen->availableGeometry();
    widget()->move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

bool TForm::pressDialogButton(int virtualKey)
{
    std::vector<TControl*> all;
    std::vector<TWinControl*> pending {this};
    while (!pending.empty()) {
        TWinControl* c = pending.back();
        pending.pop_back();
        for (TControl* child : c->controls()) {
            all.push_back(child);
            if (auto* w = dynamic_cast<TWinControl*>(child))
                pending.push_back(w);
        }
    }
    for (TControl* c : all) {
        auto* button = dynamic_cast<TButton*>(c);
        if (!button || !button->showing() || !button->enabled())
            continue;
        if ((virtualKey == VK_RETURN && button->isDefault()) || (virtualKey == VK_ESCAPE && button->isCancel())) {
            TControl::Events::click(*button);
            return true;
        }
    }
    return false;
}

bool TForm::isActive() const { return widget()->isActiveWindow(); }

void TForm::updateTabChain()
{
    std::vector<TControl*> chain;
    collectTabChain(chain);
    for (size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1]->widget(), chain[i]->widget());
}

void TForm::doCreate()
{
    if (onCreate)
        onCreate();
}

void TForm::doShow()
{
    if (onShow)
        onShow();
}

TCloseAction TForm::doClose()
{
    bool isMain = TApplication::exists() && TApplication::instance().mainForm() == this;
    TCloseAction action = isMain ? TCloseAction::Free : TCloseAction::Hide;
    if (!onClose)
        return action;
    bool ok = TApplication::guard([&] { onClose(action); });
    return ok ? action : TCloseAction::None;
}

// ---- drawn frame ----

void TForm::setFrame(TFormFrame* frame)
{
    if (frame == m_frame)
        return;
    int const cw = clientWidth(), ch = clientHeight();
    bool const wasVisible = widget()->isVisible();
    QPoint const at = widget()->pos();
    bool const hadFrame = m_frame != nullptr;
    m_frame = frame;
    if (frame)
        FramePressFilter::install();
    if (hadFrame != (frame != nullptr)) {
        Qt::WindowFlags flags = widget()->windowFlags() & ~Qt::FramelessWindowHint;
        if (frame)
            flags |= Qt::FramelessWindowHint;
        // A Wayland compositor has no window shapes: the outline's outside stays
        // unpainted and transparent, and the mask becomes the input region.
        if (QGuiApplication::platformName().startsWith("wayland"))
            widget()->setAttribute(Qt::WA_TranslucentBackground, frame != nullptr);
        widget()->setWindowFlags(flags);
        widget()->move(at);
    }
    if (!frame) {
        clearWindowRegion();
        widget()->setMinimumSize(0, 0);
        widget()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        widget()->unsetCursor();
    }
    // The window grows by the frame around the client it had.
    setClientSize(cw, ch);
    frameChanged();
    static_cast<FormWidget*>(widget())->layoutClient();
    if (wasVisible)
        widget()->show();
}

void TForm::frameChanged()
{
    if (!m_shownOnce) {
        TRect m = m_frame ? m_frame->clientMargins() : TRect{};
        widget()->resize(clientWidth() + m.left + m.right, clientHeight() + m.top + m.bottom);
    }
    if (m_frame) {
        TSizeLimits limits = m_frame->sizeLimits();
        widget()->setMinimumSize(limits.minWidth, limits.minHeight);
        widget()->setMaximumSize(limits.maxWidth > 0 ? limits.maxWidth : QWIDGETSIZE_MAX,
                                 limits.maxHeight > 0 ? limits.maxHeight : QWIDGETSIZE_MAX);
    }
    static_cast<FormWidget*>(widget())->layoutClient();
    invalidateFrame();
    m_client->update();
}

void TForm::invalidateFrame() { widget()->update(); }

void TForm::repaintFrame(const TRect& r) { widget()->repaint(toQRect(r)); }

void TForm::setWindowRegion(const Region& region) { widget()->setMask(region.impl().region); }

void TForm::clearWindowRegion() { widget()->clearMask(); }

bool TForm::hasWindowRegion() const { return !widget()->mask().isEmpty(); }

Region TForm::windowRegion() const
{
    Region r;
    r.impl().region = widget()->mask();
    return r;
}

TRect TForm::windowBounds() const { return fromQRect(widget()->geometry()); }

void TForm::setWindowBounds(const TRect& b) { setBounds(b.left, b.top, b.width(), b.height()); }

namespace {

QScreen* nearestScreen(const QWidget* w)
{
    QPoint centre = w->geometry().center();
    if (QScreen* s = QGuiApplication::screenAt(centre))
        return s;
    QScreen* best = QGuiApplication::primaryScreen();
    long bestDistance = -1;
    for (QScreen* s : QGuiApplication::screens()) {
        QRect g = s->geometry();
        long dx = std::max({g.left() - centre.x(), 0, centre.x() - g.right()});
        long dy = std::max({g.top() - centre.y(), 0, centre.y() - g.bottom()});
        if (bestDistance < 0 || dx * dx + dy * dy < bestDistance) {
            bestDistance = dx * dx + dy * dy;
            best = s;
        }
    }
    return best;
}

} // namespace

TRect TForm::monitorBounds() const
{
    QScreen* s = nearestScreen(widget());
    return s ? fromQRect(s->geometry()) : TRect{0, 0, 1024, 768};
}

TRect TForm::workArea() const
{
    QScreen* s = nearestScreen(widget());
    return s ? fromQRect(s->availableGeometry()) : TRect{0, 0, 1024, 768};
}

bool TForm::onPrimaryMonitor() const { return nearestScreen(widget()) == QGuiApplication::primaryScreen(); }

void TForm::minimizeToTaskBar() { widget()->showMinimized(); }

Bitmap TForm::icon(int side) const
{
    QIcon const icon = widget()->windowIcon();
    QSize const size(side, side);
    Bitmap picture;
    if (!icon.availableSizes().contains(size))
        return picture;
    picture.impl().image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_RGB32);
    return picture;
}

TPoint TForm::cursorInWindow() const
{
    TPoint p = mouseCursorPos();
    QPoint q = widget()->mapFromGlobal(QPoint(p.x, p.y));
    return TPoint{q.x(), q.y()};
}

void TForm::focusMovedTo(TControl* control)
{
    if (control == m_activeControl || control == this)
        return;
    TControl* previous = m_activeControl;
    m_activeControl = control;
    // The leave check may move the focus again (back into the field it checks).
    if (previous)
        TApplication::guard([&] { TControl::Events::focusOut(*previous); });
    if (control && m_activeControl == control)
        TApplication::guard([&] { TControl::Events::focusIn(*control); });
}

} // namespace qv

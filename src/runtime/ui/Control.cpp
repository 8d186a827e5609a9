#include "runtime/ui/Control.h"

#include "runtime/core/Property.h"
#include "runtime/graphics/Bitmap.h"
#include "runtime/graphics/QtGraphics.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Widgets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace qv {

// ---- key mapping ----

namespace {
// The Linefeed key (what a typed newline arrives as) has no key code of its own:
// it comes as its character. It is one more Enter key.
constexpr int linefeedKey = 0x0A;
} // namespace

int virtualKeyOf(const QKeyEvent& event)
{
    int key = event.key();
    switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case linefeedKey: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Menu: return VK_APPS;
    default: break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + (key - Qt::Key_F1);
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key;
    return key < 256 ? key : 0;
}

unsigned shiftOf(Qt::KeyboardModifiers m)
{
    unsigned s = 0;
    if (m & Qt::ShiftModifier) s |= ssShift;
    if (m & Qt::AltModifier) s |= ssAlt;
    if (m & Qt::ControlModifier) s |= ssCtrl;
    return s;
}

MouseButton buttonOf(Qt::MouseButton b)
{
    if (b == Qt::RightButton) return MouseButton::Right;
    if (b == Qt::MiddleButton) return MouseButton::Middle;
    return MouseButton::Left;
}

char charOf(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case linefeedKey: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 0;
    default: break;
    }
    if (event.modifiers() & Qt::ControlModifier) {
        int key = event.key();
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return static_cast<char>(key - Qt::Key_A + 1);
        return 0;
    }
    QString text = event.text();
    if (text.isEmpty())
        return 0;
    char16_t code = text.at(0).unicode();
    if (code == 0 || code > 0xFF || code == 0x7F)
        return 0;
    return static_cast<char>(code);
}

namespace {

unsigned mouseShiftOf(const QMouseEvent& e)
{
    unsigned s = shiftOf(e.modifiers());
    if (e.buttons() & Qt::LeftButton) s |= ssLeft;
    if (e.buttons() & Qt::RightButton) s |= ssRight;
    if (e.buttons() & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

template <class Fn> void withControl(ControlWidget* w, Fn&& fn)
{
    TControl* c = w->control();
    if (c)
        TApplication::guard([&] { fn(*c); });
}

} // namespace

// ---- widgets ----

ControlWidget::ControlWidget(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void ControlWidget::paintEvent(QPaintEvent* event)
{
    auto* custom = dynamic_cast<TCustomControl*>(m_control);
    QPainter painter(this);
    if (!custom) {
        painter.fillRect(rect(), toQColor(m_control ? m_control->color() : clBtnFace));
        return;
    }
    if (width() <= 0 || height() <= 0)
        return;
    Bitmap buffer(width(), height());
    // Only the region asked for reaches the screen; controls may skip the rest.
    buffer.canvas().impl().setSystemClip(event->region());
    TApplication::guard([&] { TControl::Events::paint(*custom, buffer.canvas()); });
    const QImage& image = buffer.impl().settled();
    for (const QRect& part : event->region())
        painter.drawImage(part.topLeft(), image, part);
}

void ControlWidget::mousePressEvent(QMouseEvent* e)
{
    QPoint p = e->position().toPoint();
    withControl(this, [&](TControl& c) { TControl::Events::mouseDown(c, buttonOf(e->button()), mouseShiftOf(*e), p.x(), p.y()); });
}

void ControlWidget::mouseDoubleClickEvent(QMouseEvent* e) { mousePressEvent(e); }

void ControlWidget::mouseReleaseEvent(QMouseEvent* e)
{
    QPoint p = e->position().toPoint();
    withControl(this, [&](TControl& c) { TControl::Events::mouseUp(c, buttonOf(e->button()), mouseShiftOf(*e), p.x(), p.y()); });
}

void ControlWidget::mouseMoveEvent(QMouseEvent* e)
{
    QPoint p = e->position().toPoint();
    withControl(this, [&](TControl& c) { TControl::Events::mouseMove(c, mouseShiftOf(*e), p.x(), p.y()); });
}

void ControlWidget::wheelEvent(QWheelEvent* e)
{
    int delta = e->angleDelta().y();
    withControl(this, [&](TControl& c) { TControl::Events::mouseWheel(c, delta, shiftOf(e->modifiers())); });
}

void ControlWidget::keyPressEvent(QKeyEvent* e)
{
    if (!m_control) {
        QWidget::keyPressEvent(e);
        return;
    }
    int key = virtualKeyOf(*e);
    unsigned shift = shiftOf(e->modifiers());
    withControl(this, [&](TControl& c) { TControl::Events::keyDown(c, key, shift); });
    if (key == 0 || !m_control)
        return;
    char ch = charOf(*e);
    if (ch != 0)
        withControl(this, [&](TControl& c) { TControl::Events::keyPress(c, ch); });
}

void ControlWidget::keyReleaseEvent(QKeyEvent* e)
{
    int key = virtualKeyOf(*e);
    withControl(this, [&](TControl& c) { TControl::Events::keyUp(c, key, shiftOf(e->modifiers())); });
}

void ControlWidget::enterEvent(QEnterEvent*)
{
    withControl(this, [](TControl& c) { TControl::Events::mouseEnter(c); });
}

void ControlWidget::leaveEvent(QEvent*)
{
    withControl(this, [](TControl& c) { TControl::Events::mouseLeave(c); });
}

void ControlWidget::resizeEvent(QResizeEvent*)
{
    withControl(this, [](TControl& c) { TControl::Events::resized(c); });
}

void ControlWidget::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange)
        withControl(this, [](TControl& c) { TControl::Events::enabledChanged(c); });
    QWidget::changeEvent(e);
}

// ---- TControl ----

namespace {

bool g_measuresWait = false;

std::vector<TControl*>& waitingMeasures()
{
    static std::vector<TControl*> waiting;
    return waiting;
}

void forgetWaitingMeasure(const TControl* control)
{
    auto& list = waitingMeasures();
    list.erase(std::remove(list.begin(), list.end(), control), list.end());
}

} // namespace

void TControl::measureAfterFirstExposure() { g_measuresWait = true; }

void TControl::settleMeasures()
{
    g_measuresWait = false;
    // A measure may ask for another (a new size, a new font): it runs at once now.
    std::vector<TControl*> waiting;
    waiting.swap(waitingMeasures());
    for (TControl* control : waiting) {
        control->m_measureWaiting = control->m_measureSizes = false;
        TApplication::guard([control] { control->measure(); });
    }
}

void TControl::requestMeasure(Measured measured)
{
    if (!g_measuresWait) {
        measure();
        return;
    }
    m_measureSizes = m_measureSizes || measured == Measured::Size;
    if (m_measureWaiting)
        return;
    m_measureWaiting = true;
    waitingMeasures().push_back(this);
}

void TControl::settleOwnMeasure() const
{
    if (!m_measureWaiting || !m_measureSizes)
        return;
    auto* self = const_cast<TControl*>(this);
    self->m_measureWaiting = self->m_measureSizes = false;
    forgetWaitingMeasure(this);
    self->measure();
}

TControl::TControl(TWinControl* parent, QWidget* widget) : m_parent(parent), m_widget(widget)
{
    if (auto* cw = dynamic_cast<ControlWidget*>(widget))
        cw->attach(this);
    if (parent) {
        m_widget->setParent(parent->childHost());
        parent->m_children.push_back(this);
        m_font = parent->font();
        m_color = parent->color();
        // Children added to a window already on screen show only when told to.
        m_widget->setVisible(true);
    }
    m_widget->setAutoFillBackground(false);
}

TControl::~TControl()
{
    if (m_measureWaiting)
        forgetWaitingMeasure(this);
    if (m_parent) {
        auto& list = m_parent->m_children;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    if (TForm* form = parentForm(); form && form->m_activeControl == this)
        form->m_activeControl = nullptr;
    if (auto* cw = dynamic_cast<ControlWidget*>(m_widget))
        cw->attach(nullptr);
    // The widget may be in the middle of delivering the event that freed us.
    m_widget->hide();
    m_widget->deleteLater();
}

std::uint32_t TControl::handle() const
{
    // X window ids fit in 32 bits; asking Qt for one would create a native window.
    return m_widget ? static_cast<std::uint32_t>(m_widget->internalWinId()) : 0;
}

TControl* TControl::fromWidget(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* cw = dynamic_cast<const ControlWidget*>(w); cw && cw->control())
            return cw->control();
    }
    return nullptr;
}

TForm* TControl::parentForm() const
{
    const TControl* c = this;
    while (c->m_parent)
        c = c->m_parent;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

int TControl::left() const { return m_widget->x(); }
int TControl::top() const { return m_widget->y(); }
int TControl::width() const
{
    settleOwnMeasure();
    return m_widget->width();
}

int TControl::height() const
{
    settleOwnMeasure();
    return m_widget->height();
}

TRect TControl::boundsRect() const { return TRect{left(), top(), left() + width(), top() + height()}; }

TRect TControl::boundsAsPlaced() const { return fromQRect(m_widget->geometry()); }

void TControl::setLeft(int v) { setBounds(v, m_widget->y(), m_widget->width(), m_widget->height()); }
void TControl::setTop(int v) { setBounds(m_widget->x(), v, m_widget->width(), m_widget->height()); }
void TControl::setWidth(int v) { setBounds(m_widget->x(), m_widget->y(), v, m_widget->height()); }
void TControl::setHeight(int v) { setBounds(m_widget->x(), m_widget->y(), m_widget->width(), v); }

void TControl::setBounds(int left, int top, int width, int height)
{
    m_widget->setGeometry(left, top, std::max(0, width), std::max(0, height));
}

void TControl::setVisible(bool visible)
{
    m_visible = visible;
    m_widget->setVisible(visible);
    visibleChanged();
}

bool TControl::showing() const { return m_widget->isVisible(); }

void TControl::setEnabled(bool enabled)
{
    if (assignChanged(m_enabled, enabled))
        m_widget->setEnabled(enabled);
}

void TControl::setTabStop(bool tabStop)
{
    m_tabStop = tabStop;
    applyFocusPolicy();
}

void TControl::setFocusesItselfOnPress(bool focusesItself)
{
    m_focusesItselfOnPress = focusesItself;
    applyFocusPolicy();
}

void TControl::applyFocusPolicy()
{
    if (m_focusesItselfOnPress)
        m_widget->setFocusPolicy(m_tabStop ? Qt::TabFocus : Qt::NoFocus);
    else
        m_widget->setFocusPolicy(m_tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TControl::setTabOrder(int order)
{
    m_tabOrder = order;
    if (TForm* form = parentForm())
        form->updateTabChain();
}

bool TControl::focused() const
{
    QWidget* f = QApplication::focusWidget();
    return f && TControl::fromWidget(f) == this;
}

bool TControl::canFocus() const
{
    return m_widget->isVisible() && m_widget->isEnabled() && m_widget->focusPolicy() != Qt::NoFocus;
}

void TControl::setFocus()
{
    bool const windowActive = m_widget->window()->isActiveWindow();
    m_widget->setFocus(Qt::OtherFocusReason);
    // A window that is not active takes the focus when it is activated; the
    // control counts as the window's active control already. In an active window
    // a control without the focus now was refused it (a leave check kept it).
    if (TForm* form = parentForm(); form && !windowActive && !focused())
        form->focusMovedTo(this);
}

void TControl::setColor(TColor color)
{
    if (assignChanged(m_color, color))
        invalidate();
}

void TControl::setFont(const Font& font)
{
    // Always passed on: an edit hands its font to the native editor only here.
    m_font = font;
    fontChanged();
}

void TControl::setCursor(TCursor cursor)
{
    switch (cursor) {
    case TCursor::HandPoint: m_widget->setCursor(Qt::PointingHandCursor); break;
    case TCursor::IBeam: m_widget->setCursor(Qt::IBeamCursor); break;
    case TCursor::Default: m_widget->unsetCursor(); break;
    }
}

void TControl::setHint(const std::string& hint) { m_widget->setToolTip(QString::fromStdString(hint)); }

std::string TControl::hint() const { return m_widget->toolTip().toStdString(); }

void TControl::invalidate() { m_widget->update(); }

void TControl::invalidateRect(const TRect& r)
{
    if (!r.isEmpty())
        m_widget->update(toQRect(r));
}

namespace {

// The platform moves pixels only where nothing lies on top of them, else it
// repaints the whole area. An opaque sibling over one edge of the area (a
// scroll bar laid over a grid) is cut off it instead: what lies under it does
// not show, and is painted when the sibling uncovers it.
QRect withoutOpaqueSiblingsOnTop(const QWidget& widget, QRect area)
{
    const QWidget* parent = widget.parentWidget();
    if (!parent)
        return area;
    const QObjectList& siblings = parent->children();
    for (qsizetype i = siblings.indexOf(&widget) + 1; i > 0 && i < siblings.size(); ++i) {
        auto* sibling = qobject_cast<const QWidget*>(siblings[i]);
        if (!sibling || !sibling->isVisible() || sibling->isWindow())
            continue;
        QRect over = sibling->geometry().translated(-widget.pos());
        if (!over.intersects(area))
            continue;
        if (!sibling->testAttribute(Qt::WA_OpaquePaintEvent) || !sibling->mask().isEmpty())
            return area;
        bool fullHeight = over.top() <= area.top() && over.bottom() >= area.bottom();
        bool fullWidth = over.left() <= area.left() && over.right() >= area.right();
        if (fullHeight && over.left() > area.left())
            area.setRight(over.left() - 1);
        else if (fullHeight && over.right() < area.right())
            area.setLeft(over.right() + 1);
        else if (fullWidth && over.top() > area.top())
            area.setBottom(over.top() - 1);
        else if (fullWidth && over.bottom() < area.bottom())
            area.setTop(over.bottom() + 1);
        else
            return area;
    }
    return area;
}

} // namespace

void TControl::scrollRect(int dx, int dy, const TRect& r)
{
    if (r.isEmpty() || (dx == 0 && dy == 0))
        return;
    QRect area = withoutOpaqueSiblingsOnTop(*m_widget, toQRect(r) & m_widget->rect());
    if (area.isEmpty())
        return;
    m_widget->scroll(dx, dy, area);
}

void TControl::repaint() { m_widget->repaint(); }

TPoint TControl::clientToScreen(TPoint p) const
{
    QPoint q = m_widget->mapToGlobal(QPoint(p.x, p.y));
    return TPoint{q.x(), q.y()};
}

TPoint TControl::screenToClient(TPoint p) const
{
    QPoint q = m_widget->mapFromGlobal(QPoint(p.x, p.y));
    return TPoint{q.x(), q.y()};
}

bool TControl::mouseInside() const { return m_widget->underMouse(); }

void TControl::click()
{
    if (onClick)
        onClick();
}

void TControl::mouseDown(MouseButton, unsigned, int, int) {}
void TControl::mouseUp(MouseButton, unsigned, int, int) {}
void TControl::mouseMove(unsigned, int, int) {}

void TControl::mouseEnter()
{
    if (onMouseEnter)
        onMouseEnter();
}

void TControl::mouseLeave()
{
    if (onMouseLeave)
        onMouseLeave();
}

void TControl::mouseWheel(int, unsigned) {}

void TControl::keyDown(int& key, unsigned shift)
{
    if (onKeyDown)
        onKeyDown(key, shift);
}

void TControl::keyUp(int&, unsigned) {}

void TControl::keyPress(char& key)
{
    if (onKeyPress)
        onKeyPress(key);
}

void TControl::focusIn()
{
    if (onEnter)
        onEnter();
}

void TControl::focusOut()
{
    if (onExit)
        onExit();
}

// ---- TWinControl ----

TWinControl::TWinControl(TWinControl* parent) : TWinControl(parent, new ControlWidget(nullptr)) {}

TWinControl::TWinControl(TWinControl* parent, QWidget* widget) : TControl(parent, widget) {}

TWinControl::~TWinControl()
{
    for (TControl* child : m_children)
        child->m_parent = nullptr;
}

std::vector<TControl*> TWinControl::tabList() const
{
    std::vector<TControl*> list = m_children;
    std::stable_sort(list.begin(), list.end(), [](TControl* a, TControl* b) {
        int ta = a->tabOrder() < 0 ? 1 << 20 : a->tabOrder();
        int tb = b->tabOrder() < 0 ? 1 << 20 : b->tabOrder();
        return ta < tb;
    });
    return list;
}

void TWinControl::collectTabChain(std::vector<TControl*>& out) const
{
    for (TControl* child : tabList()) {
        if (child->tabStop())
            out.push_back(child);
        if (auto* win = dynamic_cast<TWinControl*>(child))
            win->collectTabChain(out);
    }
}

// ---- TCustomControl ----

TCustomControl::TCustomControl(TWinControl* parent) : TCustomControl(parent, new ControlWidget(nullptr)) {}

TCustomControl::TCustomControl(TWinControl* parent, QWidget* native) : TWinControl(parent, native)
{
    widget()->setAttribute(Qt::WA_OpaquePaintEvent);
    widget()->setAttribute(Qt::WA_NoSystemBackground);
}

void TCustomControl::setTransparent(bool transparent)
{
    if (assignChanged(m_transparent, transparent))
        invalidate();
}

void TCustomControl::paintTo(Canvas& canvas)
{
    settleMeasures();
    if (m_transparent)
        paintParentBackground(canvas);
    paint(canvas);
}

void TCustomControl::paint(Canvas& canvas)
{
    canvas.brush.color = color();
    canvas.brush.style = BrushStyle::Solid;
    canvas.fillRect(clientRect());
}

void TCustomControl::paintBackgroundFor(Canvas& canvas, const TControl&) { paintTo(canvas); }

void TCustomControl::paintParentBackground(Canvas& canvas)
{
    // On a form with a drawn frame the client background is the frame's.
    if (auto* form = dynamic_cast<TForm*>(parent()); form && form->frame()) {
        TPoint saved = canvas.origin();
        canvas.setOrigin(saved.x - left(), saved.y - top());
        form->frame()->eraseClient(canvas);
        canvas.setOrigin(saved.x, saved.y);
        return;
    }
    auto* parentCustom = dynamic_cast<TCustomControl*>(parent());
    if (!parentCustom) {
        canvas.brush.color = parent() ? parent()->color() : color();
        canvas.brush.style = BrushStyle::Solid;
        canvas.fillRect(clientRect());
        return;
    }
    TPoint saved = canvas.origin();
    canvas.setOrigin(saved.x - left(), saved.y - top());
    parentCustom->paintBackgroundFor(canvas, *this);
    canvas.setOrigin(saved.x, saved.y);
    canvas.clearClip();
}

} // namespace qv

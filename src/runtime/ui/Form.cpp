#include "runtime/ui/Form.h"

#include "runtime/ui/Application.h"
#include "runtime/ui/Widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>

#include "runtime/ui/StdControls.h"

namespace qv {

FormWidget::FormWidget() : ControlWidget(nullptr, Qt::Window) {}

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
    if (auto* form = dynamic_cast<TForm*>(control()))
        TApplication::guard([&] { TForm::FormEvents::shown(*form); });
}

void FormWidget::hideEvent(QHideEvent* event)
{
    ControlWidget::hideEvent(event);
    auto* form = dynamic_cast<TForm*>(control());
    if (form && form->onHide)
        TApplication::guard([&] { form->onHide(); });
}

TForm::TForm() : TWinControl(nullptr, new FormWidget)
{
    TControl::m_visible = false;
    widget()->setAttribute(Qt::WA_QuitOnClose, false);
}

TForm::~TForm() = default;

void TForm::setCaption(const std::string& caption)
{
    m_caption = caption;
    widget()->setWindowTitle(QString::fromStdString(caption));
}

void TForm::setClientSize(int width, int height) { widget()->resize(width, height); }

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
    widget()->setWindowModality(Qt::ApplicationModal);
    showAndRaise();
    QEventLoop loop;
    m_inModalLoop = true;
    QObject::connect(this->widget(), &QObject::destroyed, &loop, &QEventLoop::quit);
    while (m_modalResult == mrNone && widget()->isVisible())
        loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    m_inModalLoop = false;
    if (m_modalResult == mrNone)
        m_modalResult = mrCancel;
    setVisible(false);
    widget()->setWindowModality(Qt::NonModal);
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

void TForm::focusMovedTo(TControl* control)
{
    if (control == m_activeControl || control == this)
        return;
    TControl* previous = m_activeControl;
    m_activeControl = control;
    // The leave check may move the focus again (back into the field it checks).
    if (previous)
        TApplication::guard([&] { TControl::Events::exit(*previous); });
    if (control && m_activeControl == control)
        TApplication::guard([&] { TControl::Events::enter(*control); });
}

} // namespace qv

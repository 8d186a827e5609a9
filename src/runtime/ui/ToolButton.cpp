#include "runtime/ui/ToolButton.h"

#include "runtime/graphics/QtGraphics.h"
#include "runtime/ui/Actions.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Menus.h"

#include <QFrame>
#include <QPixmap>
#include <QToolButton>

namespace qv {

TToolButton::TToolButton(TWinControl* parent, TAction& action, const Bitmap& glyph)
    : TNativeControl(parent, new QToolButton)
    , m_action(action)
{
    auto* button = static_cast<QToolButton*>(native());
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    QPixmap pixmap = QPixmap::fromImage(glyph.impl().settled());
    button->setIcon(QIcon(pixmap));
    button->setIconSize(pixmap.size());
    button->setToolTip(QString::fromStdString(action.hint()));
    button->setText(QString::fromStdString(stripAccelerator(action.caption())));
    QObject::connect(button, &QToolButton::clicked, [this] { press(); });
    action.addClient([this] { actionChanged(); });
    setBounds(0, 0, 23, 22);
    actionChanged();
}

void TToolButton::press()
{
    TApplication::guard([this] { m_action.execute(); });
}

void TToolButton::actionChanged() { setEnabled(m_action.enabled()); }

TToolSeparator::TToolSeparator(TWinControl* parent) : TNativeControl(parent, new QFrame)
{
    auto* line = static_cast<QFrame*>(native());
    line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    setBounds(0, 0, 8, 22);
}

} // namespace qv

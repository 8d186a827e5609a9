#include "runtime/ui/MenuBar.h"

#include "runtime/ui/Menus.h"
#include "runtime/ui/PopupMenu.h"

#include <QMenuBar>

namespace qv {

TMenuBar::TMenuBar(TWinControl* parent, TMainMenu& menu) : TNativeControl(parent, new QMenuBar), m_menu(menu)
{
    native()->setFocusPolicy(Qt::NoFocus);
    rebuild();
}

void TMenuBar::rebuild()
{
    auto* bar = static_cast<QMenuBar*>(native());
    bar->clear();
    TMenuItem& items = m_menu.items();
    for (int i = 0; i < items.count(); ++i) {
        TMenuItem& top = items.item(i);
        fillPlatformMenu(bar->addMenu(platformCaption(top)), top);
    }
}

int TMenuBar::preferredHeight() const { return native()->sizeHint().height(); }

} // namespace qv

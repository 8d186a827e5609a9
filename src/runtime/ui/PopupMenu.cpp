#include "runtime/ui/PopupMenu.h"

#include "runtime/ui/Menus.h"

#include <QMenu>

namespace qv {

QString platformCaption(const TMenuItem& item)
{
    QString text = QString::fromStdString(item.caption());
    if (!item.shortCut().empty())
        text += "\t" + QString::fromStdString(item.shortCut());
    return text;
}

// States are read each time the menu opens, so they follow the window's actions.
void fillPlatformMenu(QMenu* menu, TMenuItem& parent)
{
    for (int i = 0; i < parent.count(); ++i) {
        TMenuItem& item = parent.item(i);
        if (item.isSeparator()) {
            menu->addSeparator();
            continue;
        }
        if (item.count() > 0) {
            fillPlatformMenu(menu->addMenu(platformCaption(item)), item);
            continue;
        }
        QAction* action = menu->addAction(platformCaption(item));
        QObject::connect(action, &QAction::triggered, [&item] { item.click(); });
    }
    QObject::connect(menu, &QMenu::aboutToShow, [menu, &parent] {
        QList<QAction*> actions = menu->actions();
        for (int i = 0; i < parent.count() && i < actions.size(); ++i) {
            TMenuItem& item = parent.item(i);
            actions[i]->setText(item.isSeparator() ? QString() : platformCaption(item));
            actions[i]->setEnabled(item.enabled());
            actions[i]->setVisible(item.visible());
        }
    });
}

void popupMenu(TMenuItem& items, TPoint screen)
{
    QMenu menu;
    fillPlatformMenu(&menu, items);
    menu.exec(QPoint(screen.x, screen.y));
}

} // namespace qv

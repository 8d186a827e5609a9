#include "runtime/ui/AccessibleBridge.h"

#include "runtime/ui/AccessibleFacts.h"
#include "runtime/ui/Control.h"
#include "runtime/ui/Menus.h"
#include "runtime/ui/Widgets.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QPointer>

#include <algorithm>
#include <map>
#include <utility>

namespace qv {

using namespace accessibility;

namespace {

AccessibleEventSink& eventSink()
{
    static AccessibleEventSink sink;
    return sink;
}

// Events cost nothing until a screen reader (or a test) listens.
bool listening() { return eventSink() || QAccessible::isActive(); }

void deliver(QAccessibleEvent& event)
{
    if (eventSink())
        eventSink()(event);
    else
        QAccessible::updateAccessibility(&event);
}

class ControlAccessible;
ControlAccessible* controlAccessibleOf(const QWidget* widget);

// ---- parts of a painted control: its items and, below a menu item, the menu's items ----

class PartAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PartAccessible(QWidget* owner, std::vector<int> path) : m_owner(owner), m_path(std::move(path)) {}

    const std::vector<int>& path() const { return m_path; }

    bool isValid() const override { return resolve().valid; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_owner ? m_owner->window()->windowHandle() : nullptr; }

    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override
    {
        Resolved r = resolve();
        const TMenuItem* menu = r.node ? r.node : r.item.menu;
        return r.valid && menu && !(r.node && r.node->isSeparator()) ? visibleCount(*menu) : 0;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        auto* part = dynamic_cast<const PartAccessible*>(child);
        if (!part || part->m_owner != m_owner || part->m_path.size() != m_path.size() + 1)
            return -1;
        return std::equal(m_path.begin(), m_path.end(), part->m_path.begin()) ? part->m_path.back() : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        Resolved r = resolve();
        if (!r.valid)
            return {};
        switch (t) {
        case QAccessible::Name:
            return qs(r.node ? stripAccelerator(r.node->isSeparator() ? "" : r.node->caption()) : r.item.name);
        case QAccessible::Description: return qs(r.node ? std::string{} : r.item.description);
        case QAccessible::Accelerator: return qs(r.node ? r.node->shortCut() : r.item.shortcut);
        default: return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        Resolved r = resolve();
        if (!r.valid || r.node || r.item.bounds.isEmpty())
            return {};
        const TRect& b = r.item.bounds;
        return QRect(m_owner->mapToGlobal(QPoint(b.left, b.top)), QSize(b.width(), b.height()));
    }
    QAccessible::Role role() const override
    {
        Resolved r = resolve();
        if (!r.valid)
            return QAccessible::NoRole;
        if (!r.node)
            return qtRole(r.item.role);
        if (r.node->isSeparator())
            return QAccessible::Separator;
        return QAccessible::MenuItem;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        Resolved r = resolve();
        if (!r.valid) {
            s.invalid = true;
            return s;
        }
        if (r.node) {
            s.disabled = !r.node->enabled();
            s.checkable = r.node->checked() || r.node->radioItem();
            s.checked = r.node->checked();
            s.hasPopup = r.node->count() > 0;
            return s;
        }
        addStates(s, r.item.states);
        s.invisible = s.invisible || r.item.bounds.isEmpty() || !m_owner->isVisible();
        if (!r.control->enabled())
            s.disabled = true;
        if (r.item.menu)
            s.hasPopup = true;
        if (r.control->accessibleFocusItem() == m_path[0] && r.control->focused())
            s.focused = true;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return qtActionNames(actions()); }
    void doAction(const QString& name) override
    {
        Resolved r = resolve();
        TAccessibleAction action;
        if (!r.valid || !findAction(actions(), name, action))
            return;
        if (r.node)
            r.control->accessibleMenuChosen(const_cast<TMenuItem&>(*r.node));
        else
            r.control->accessibleItemDo(m_path[0], action);
    }
    QStringList keyBindingsForAction(const QString& name) const override
    {
        QString keys = text(QAccessible::Accelerator);
        if (keys.isEmpty() || actionNames().value(0) != name)
            return {};
        return {keys};
    }

private:
    struct Resolved {
        bool valid = false;
        TControl* control = nullptr;
        TAccessibleItem item;
        const TMenuItem* node = nullptr;
    };

    Resolved resolve() const
    {
        Resolved r;
        r.control = m_owner ? controlOf(m_owner) : nullptr;
        if (!r.control || m_path.empty() || m_path[0] >= r.control->accessibleItemCount())
            return r;
        r.item = r.control->accessibleItem(m_path[0]);
        const TMenuItem* menu = r.item.menu;
        for (size_t i = 1; i < m_path.size(); ++i) {
            if (!menu)
                return r;
            r.node = visibleItem(*menu, m_path[i]);
            if (!r.node)
                return r;
            menu = r.node;
        }
        r.valid = true;
        return r;
    }

    std::vector<TAccessibleAction> actions() const
    {
        Resolved r = resolve();
        if (!r.valid)
            return {};
        if (!r.node)
            return r.item.actions;
        if (r.node->isSeparator() || !r.node->enabled())
            return {};
        return {r.node->count() > 0 ? TAccessibleAction::Open : TAccessibleAction::Press};
    }

    QPointer<QWidget> m_owner;
    std::vector<int> m_path;
};

// ---- table cells ----

class CellAccessible : public QAccessibleInterface,
                       public QAccessibleTableCellInterface,
                       public QAccessibleActionInterface {
public:
    CellAccessible(QWidget* owner, int col, int row) : m_owner(owner), m_col(col), m_row(row) {}

    bool isValid() const override
    {
        TAccessibleTable* t = model();
        return t && m_col < t->accessibleColumnCount() && m_row < t->accessibleRowCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_owner ? m_owner->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        TAccessibleTable* tab = model();
        if (!tab || !isValid() || (t != QAccessible::Name && t != QAccessible::Value))
            return {};
        return qs(tab->accessibleCellText(m_col, m_row));
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        TAccessibleTable* tab = model();
        if (!tab || !isValid())
            return {};
        TRect b = tab->accessibleCellRect(m_col, m_row);
        if (b.isEmpty())
            return {};
        return QRect(m_owner->mapToGlobal(QPoint(b.left, b.top)), QSize(b.width(), b.height()));
    }
    QAccessible::Role role() const override { return isHeader() ? QAccessible::ColumnHeader : QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        TAccessibleTable* tab = model();
        if (!tab || !isValid()) {
            s.invalid = true;
            return s;
        }
        s.invisible = tab->accessibleCellRect(m_col, m_row).isEmpty();
        if (isHeader())
            return s;
        s.selectable = true;
        s.focusable = true;
        s.selected = tab->accessibleCellSelected(m_col, m_row);
        TPoint current = tab->accessibleCurrentCell();
        TControl* control = controlOf(m_owner);
        s.focused = current.x == m_col && current.y == m_row && control && control->focused();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // QAccessibleTableCellInterface
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_col; }
    int rowIndex() const override { return m_row; }
    bool isSelected() const override
    {
        TAccessibleTable* t = model();
        return t && isValid() && t->accessibleCellSelected(m_col, m_row);
    }
    QAccessibleInterface* table() const override { return parent(); }

    // QAccessibleActionInterface
    QStringList actionNames() const override
    {
        return isHeader() ? QStringList{} : QStringList{QAccessibleActionInterface::pressAction()};
    }
    void doAction(const QString& name) override
    {
        if (TAccessibleTable* t = model();
            t && isValid() && !isHeader() && name == QAccessibleActionInterface::pressAction())
            t->accessibleSelectCell(m_col, m_row);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    TAccessibleTable* model() const
    {
        TControl* control = m_owner ? controlOf(m_owner) : nullptr;
        return control ? control->accessibleTable() : nullptr;
    }
    bool isHeader() const
    {
        TAccessibleTable* t = model();
        return t && m_row < t->accessibleHeaderRows();
    }

    QPointer<QWidget> m_owner;
    int m_col;
    int m_row;
};

// ---- controls ----

class ControlAccessible : public QAccessibleWidget, public QAccessibleTableInterface, public QAccessibleTextInterface {
public:
    explicit ControlAccessible(QWidget* widget) : QAccessibleWidget(widget) {}
    ~ControlAccessible() override { dropParts(); }

    TControl* control() const { return controlOf(widget()); }
    bool isValid() const override { return QAccessibleWidget::isValid() && control(); }

    QAccessible::Role role() const override
    {
        TControl* c = control();
        return c ? qtRole(c->accessibleRole()) : QAccessible::Client;
    }
    QString text(QAccessible::Text t) const override
    {
        TControl* c = control();
        if (!c)
            return {};
        switch (t) {
        case QAccessible::Name: return qs(nameOf(*c));
        case QAccessible::Description: return qs(c->accessibleDescription());
        case QAccessible::Value: return qs(c->accessibleValue());
        default: return QAccessibleWidget::text(t);
        }
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (TControl* c = control()) {
            addStates(s, c->accessibleStates());
            if (!c->tabStop() && s.focusable && !c->focused() && c->accessibleRole() != TAccessibleRole::EditableText)
                s.focusable = false;
        }
        return s;
    }

    QAccessibleInterface* parent() const override
    {
        QWidget* p = treeParent(widget());
        return p ? QAccessible::queryAccessibleInterface(p) : QAccessibleWidget::parent();
    }
    int childCount() const override { return partCount() + int(treeChildren(widget()).size()); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0)
            return nullptr;
        int parts = partCount();
        if (index < parts)
            return partAt(index);
        QList<QWidget*> children = treeChildren(widget());
        index -= parts;
        return index < children.size() ? QAccessible::queryAccessibleInterface(children[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        if (auto* part = dynamic_cast<const PartAccessible*>(child))
            return part->path().size() == 1 && partIds().count(part->path()) ? part->path()[0] : -1;
        if (auto* cell = dynamic_cast<const CellAccessible*>(child)) {
            TAccessibleTable* t = tableOf();
            return t ? cell->rowIndex() * t->accessibleColumnCount() + cell->columnIndex() : -1;
        }
        QList<QWidget*> children = treeChildren(widget());
        int i = int(children.indexOf(qobject_cast<QWidget*>(child->object())));
        return i < 0 ? -1 : partCount() + i;
    }
    QAccessibleInterface* focusChild() const override
    {
        TControl* c = control();
        if (!c || !c->focused())
            return QAccessibleWidget::focusChild();
        if (TAccessibleTable* t = tableOf()) {
            TPoint p = t->accessibleCurrentCell();
            return cell(p.x, p.y);
        }
        if (int item = c->accessibleFocusItem(); item >= 0)
            return part({item});
        return QAccessibleWidget::focusChild();
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        TControl* c = control();
        if (!c)
            return nullptr;
        QPoint local = widget()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < c->accessibleItemCount(); ++i) {
            if (c->accessibleItem(i).bounds.contains(TPoint{local.x(), local.y()}))
                return part({i});
        }
        return QAccessibleWidget::childAt(x, y);
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface && tableOf())
            return static_cast<QAccessibleTableInterface*>(this);
        if (type == QAccessible::TextInterface && showsText())
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // QAccessibleActionInterface
    QStringList actionNames() const override
    {
        TControl* c = control();
        return c ? qtActionNames(c->accessibleActions()) : QStringList{};
    }
    void doAction(const QString& name) override
    {
        TControl* c = control();
        TAccessibleAction action;
        if (c && c->enabled() && findAction(c->accessibleActions(), name, action))
            c->accessibleDo(action);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // QAccessibleTableInterface (row first, as the platform asks)
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override { return cell(column, row); }
    int columnCount() const override { return tableOf() ? tableOf()->accessibleColumnCount() : 0; }
    int rowCount() const override { return tableOf() ? tableOf()->accessibleRowCount() : 0; }
    QString columnDescription(int column) const override
    {
        TAccessibleTable* t = tableOf();
        return t && t->accessibleHeaderRows() > 0 ? qs(t->accessibleCellText(column, 0)) : QString{};
    }
    QString rowDescription(int) const override { return {}; }
    int selectedCellCount() const override { return int(selectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> out;
        TAccessibleTable* t = tableOf();
        if (!t)
            return out;
        for (int r = t->accessibleHeaderRows(); r < t->accessibleRowCount(); ++r) {
            for (int c = 0; c < t->accessibleColumnCount(); ++c) {
                if (t->accessibleCellSelected(c, r))
                    out << cell(c, r);
            }
        }
        return out;
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { dropParts(); }

    // QAccessibleTextInterface, read only: what a label shows.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return shownText().mid(start, end - start); }
    int characterCount() const override { return int(shownText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

    // ---- parts ----
    QAccessibleInterface* part(const std::vector<int>& path) const
    {
        auto it = m_parts.find(path);
        if (it != m_parts.end())
            return QAccessible::accessibleInterface(it->second);
        auto* iface = new PartAccessible(widget(), path);
        QAccessible::Id id = QAccessible::registerAccessibleInterface(iface);
        m_parts.emplace(path, id);
        return iface;
    }
    QAccessibleInterface* cell(int col, int row) const
    {
        TAccessibleTable* t = tableOf();
        if (!t || col < 0 || row < 0 || col >= t->accessibleColumnCount() || row >= t->accessibleRowCount())
            return nullptr;
        auto key = std::make_pair(col, row);
        auto it = m_cells.find(key);
        if (it != m_cells.end())
            return QAccessible::accessibleInterface(it->second);
        auto* iface = new CellAccessible(widget(), col, row);
        QAccessible::Id id = QAccessible::registerAccessibleInterface(iface);
        m_cells.emplace(key, id);
        return iface;
    }
    void dropParts()
    {
        for (auto& [path, id] : m_parts)
            QAccessible::deleteAccessibleInterface(id);
        for (auto& [key, id] : m_cells)
            QAccessible::deleteAccessibleInterface(id);
        m_parts.clear();
        m_cells.clear();
    }

private:
    TAccessibleTable* tableOf() const
    {
        TControl* c = control();
        return c ? c->accessibleTable() : nullptr;
    }
    bool showsText() const
    {
        TControl* c = control();
        return c
            && (c->accessibleRole() == TAccessibleRole::StaticText || c->accessibleRole() == TAccessibleRole::Link);
    }
    QString shownText() const
    {
        TControl* c = control();
        if (!c)
            return {};
        std::string value = c->accessibleValue();
        return qs(value.empty() ? nameOf(*c) : value);
    }
    // A table's parts are its cells, row by row; other controls' are their items.
    int partCount() const
    {
        TControl* c = control();
        if (!c)
            return 0;
        if (TAccessibleTable* t = c->accessibleTable())
            return t->accessibleRowCount() * t->accessibleColumnCount();
        return c->accessibleItemCount();
    }
    QAccessibleInterface* partAt(int index) const
    {
        if (TAccessibleTable* t = tableOf()) {
            int cols = t->accessibleColumnCount();
            return cols > 0 ? cell(index % cols, index / cols) : nullptr;
        }
        return part({index});
    }
    const std::map<std::vector<int>, QAccessible::Id>& partIds() const { return m_parts; }

    mutable std::map<std::vector<int>, QAccessible::Id> m_parts;
    mutable std::map<std::pair<int, int>, QAccessible::Id> m_cells;
};

ControlAccessible* controlAccessibleOf(const QWidget* widget)
{
    if (!widget)
        return nullptr;
    return dynamic_cast<ControlAccessible*>(QAccessible::queryAccessibleInterface(const_cast<QWidget*>(widget)));
}

QAccessibleInterface* PartAccessible::parent() const
{
    ControlAccessible* owner = controlAccessibleOf(m_owner);
    if (!owner || m_path.size() <= 1)
        return owner;
    return owner->part(std::vector<int>(m_path.begin(), m_path.end() - 1));
}

QAccessibleInterface* PartAccessible::child(int index) const
{
    ControlAccessible* owner = controlAccessibleOf(m_owner);
    if (!owner || index < 0 || index >= childCount())
        return nullptr;
    std::vector<int> path = m_path;
    path.push_back(index);
    return owner->part(path);
}

QAccessibleInterface* CellAccessible::parent() const { return controlAccessibleOf(m_owner); }

QList<QAccessibleInterface*> CellAccessible::columnHeaderCells() const
{
    TAccessibleTable* t = model();
    ControlAccessible* owner = controlAccessibleOf(m_owner);
    if (!t || !owner || t->accessibleHeaderRows() == 0)
        return {};
    return {owner->cell(m_col, 0)};
}

QAccessibleInterface* factory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (controlOf(widget))
        return new ControlAccessible(widget);
    if (auto* editor = qobject_cast<QLineEdit*>(widget); editor && standsIn(editor))
        return newEditorAccessible(editor);
    return nullptr;
}

QAccessible::Event qtEvent(TAccessibleEvent event, bool onPart)
{
    switch (event) {
    case TAccessibleEvent::Focus: return QAccessible::Focus;
    case TAccessibleEvent::NameChanged: return QAccessible::NameChanged;
    case TAccessibleEvent::DescriptionChanged: return QAccessible::DescriptionChanged;
    case TAccessibleEvent::ValueChanged: return QAccessible::ValueChanged;
    case TAccessibleEvent::StateChanged: return QAccessible::StateChanged;
    case TAccessibleEvent::SelectionChanged: return onPart ? QAccessible::Selection : QAccessible::SelectionWithin;
    case TAccessibleEvent::ItemsChanged: return QAccessible::ObjectReorder;
    case TAccessibleEvent::MenuStart: return QAccessible::MenuStart;
    case TAccessibleEvent::MenuEnd: return QAccessible::MenuEnd;
    case TAccessibleEvent::PopupMenuStart: return QAccessible::PopupMenuStart;
    case TAccessibleEvent::PopupMenuEnd: return QAccessible::PopupMenuEnd;
    }
    return QAccessible::NameChanged;
}

void send(QAccessibleInterface* target, TAccessibleEvent event, bool onPart)
{
    if (!target)
        return;
    if (event == TAccessibleEvent::StateChanged) {
        QAccessible::State changed;
        changed.checked = changed.selected = changed.pressed = changed.disabled = changed.expanded = true;
        QAccessibleStateChangeEvent e(target, changed);
        deliver(e);
        return;
    }
    if (event == TAccessibleEvent::ValueChanged && target->valueInterface()) {
        QAccessibleValueChangeEvent e(target, target->valueInterface()->currentValue());
        deliver(e);
        return;
    }
    if (event == TAccessibleEvent::ValueChanged && target->textInterface()) {
        QAccessibleTextInterface* text = target->textInterface();
        QAccessibleTextUpdateEvent e(target, 0, QString(), text->text(0, text->characterCount()));
        deliver(e);
        return;
    }
    QAccessibleEvent e(target, qtEvent(event, onPart));
    deliver(e);
}

} // namespace

QAccessible::Role qtAccessibleRole(TAccessibleRole role) { return qtRole(role); }
QAccessible::Event qtAccessibleEvent(TAccessibleEvent event, bool onPart) { return qtEvent(event, onPart); }

void installAccessibleFactory() { QAccessible::installFactory(factory); }

void setAccessibleEventSink(AccessibleEventSink sink) { eventSink() = std::move(sink); }

QAccessibleInterface* accessibleInterfaceOf(const TControl& control)
{
    return QAccessible::queryAccessibleInterface(standIn(control.widget()));
}

QAccessibleInterface* accessibleItemInterface(const TControl& control, int item)
{
    ControlAccessible* iface = controlAccessibleOf(control.widget());
    if (!iface || item < 0 || item >= control.accessibleItemCount())
        return nullptr;
    return iface->part({item});
}

QAccessibleInterface* accessibleCellInterface(const TControl& control, int col, int row)
{
    ControlAccessible* iface = controlAccessibleOf(control.widget());
    return iface ? iface->cell(col, row) : nullptr;
}

void TControl::accessibleNotify(TAccessibleEvent event, int item) const
{
    if (!listening())
        return;
    if (event == TAccessibleEvent::ItemsChanged) {
        if (ControlAccessible* iface = controlAccessibleOf(widget())) {
            iface->dropParts();
            send(iface, event, false);
        }
        return;
    }
    if (item >= 0)
        send(accessibleItemInterface(*this, item), event, true);
    else
        send(accessibleInterfaceOf(*this), event, false);
}

void TControl::accessibleNotifyCell(TAccessibleEvent event, int col, int row) const
{
    if (listening())
        send(accessibleCellInterface(*this, col, row), event, true);
}

void TAccessible::accessibleMenuChosen(TMenuItem& item) { item.click(); }

} // namespace qv

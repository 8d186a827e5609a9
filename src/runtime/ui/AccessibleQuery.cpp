#include "runtime/ui/AccessibleQuery.h"

#include "runtime/ui/AccessibleBridge.h"
#include "runtime/ui/Control.h"

#include <QAccessible>

namespace qv {

namespace {

constexpr TAccessibleRole allRoles[] = {
    TAccessibleRole::Client,       TAccessibleRole::Window,      TAccessibleRole::Dialog,
    TAccessibleRole::Grouping,     TAccessibleRole::StaticText,  TAccessibleRole::PushButton,
    TAccessibleRole::CheckBox,     TAccessibleRole::RadioButton, TAccessibleRole::EditableText,
    TAccessibleRole::ComboBox,     TAccessibleRole::Link,        TAccessibleRole::PageTabList,
    TAccessibleRole::PageTab,      TAccessibleRole::Table,       TAccessibleRole::Cell,
    TAccessibleRole::ColumnHeader, TAccessibleRole::MenuBar,     TAccessibleRole::MenuItem,
    TAccessibleRole::Separator,    TAccessibleRole::PopupMenu,   TAccessibleRole::Chart,
    TAccessibleRole::List,         TAccessibleRole::ListItem,    TAccessibleRole::ScrollBar,
    TAccessibleRole::ToolBar,      TAccessibleRole::StatusBar,   TAccessibleRole::ProgressBar,
    TAccessibleRole::Pane,
};

std::string roleName(const QAccessibleInterface& iface)
{
    QAccessible::Role role = iface.role();
    // A menu of a menu bar is an item with sub-items to the platform.
    if (role == QAccessible::MenuItem && iface.state().hasPopup)
        return accessibleRoleName(TAccessibleRole::Menu);
    for (TAccessibleRole r : allRoles) {
        if (qtAccessibleRole(r) == role)
            return accessibleRoleName(r);
    }
    return "role " + std::to_string(int(role));
}

unsigned statesOf(const QAccessible::State& s)
{
    unsigned out = 0;
    if (s.checkable)
        out |= asCheckable;
    if (s.checked)
        out |= asChecked;
    if (s.selectable)
        out |= asSelectable;
    if (s.selected)
        out |= asSelected;
    if (s.readOnly)
        out |= asReadOnly;
    if (s.hasPopup)
        out |= asHasPopup;
    if (s.expanded)
        out |= asExpanded;
    if (s.pressed)
        out |= asPressed;
    if (s.defaultButton)
        out |= asDefaultButton;
    if (s.focused)
        out |= asFocused;
    if (s.focusable)
        out |= asFocusable;
    if (s.disabled)
        out |= asDisabled;
    if (s.invisible)
        out |= asInvisible;
    if (s.editable)
        out |= asEditable;
    return out;
}

std::string actionWord(const QString& name)
{
    for (TAccessibleAction a : {TAccessibleAction::Press, TAccessibleAction::Toggle, TAccessibleAction::Open}) {
        QString platform = a == TAccessibleAction::Press ? QAccessibleActionInterface::pressAction()
            : a == TAccessibleAction::Toggle             ? QAccessibleActionInterface::toggleAction()
                                                         : QAccessibleActionInterface::showMenuAction();
        if (platform == name)
            return accessibleActionName(a);
    }
    return name == QAccessibleActionInterface::setFocusAction() ? "focus" : name.toStdString();
}

TAccessibleNode nodeOf(QAccessibleInterface* iface, int depth)
{
    TAccessibleNode node;
    if (!iface || !iface->isValid())
        return node;
    node.role = roleName(*iface);
    node.name = iface->text(QAccessible::Name).toStdString();
    node.description = iface->text(QAccessible::Description).toStdString();
    node.value = iface->text(QAccessible::Value).toStdString();
    node.states = statesOf(iface->state());
    if (QAccessibleActionInterface* actions = iface->actionInterface()) {
        for (const QString& name : actions->actionNames())
            node.actions.push_back(actionWord(name));
        if (!actions->actionNames().isEmpty()) {
            QStringList keys = actions->keyBindingsForAction(actions->actionNames().first());
            if (!keys.isEmpty())
                node.shortcut = keys.first().toStdString();
        }
    }
    if (node.value.empty()) {
        if (QAccessibleTextInterface* text = iface->textInterface())
            node.value = text->text(0, text->characterCount()).toStdString();
    }
    if (depth <= 0 || iface->tableInterface())
        return node;
    for (int i = 0; i < iface->childCount(); ++i)
        node.children.push_back(nodeOf(iface->child(i), depth - 1));
    return node;
}

std::string eventWord(QAccessible::Event type)
{
    switch (type) {
    case QAccessible::Focus: return "focus";
    case QAccessible::NameChanged: return "name-changed";
    case QAccessible::DescriptionChanged: return "description-changed";
    case QAccessible::ValueChanged: return "value-changed";
    case QAccessible::StateChanged: return "state-changed";
    case QAccessible::Selection: return "selection";
    case QAccessible::SelectionWithin: return "selection-within";
    case QAccessible::ObjectReorder: return "reorder";
    case QAccessible::MenuStart: return "menu-start";
    case QAccessible::MenuEnd: return "menu-end";
    case QAccessible::PopupMenuStart: return "popup-menu-start";
    case QAccessible::PopupMenuEnd: return "popup-menu-end";
    case QAccessible::TextUpdated: return "text-changed";
    default: return "event " + std::to_string(int(type));
    }
}

QAccessibleInterface* tableOf(const TControl& control)
{
    QAccessibleInterface* iface = accessibleInterfaceOf(control);
    return iface && iface->tableInterface() ? iface : nullptr;
}

} // namespace

const TAccessibleNode* TAccessibleNode::find(const std::string& r, const std::string& n) const
{
    if (role == r && (n.empty() || name == n))
        return this;
    for (const TAccessibleNode& child : children) {
        if (const TAccessibleNode* found = child.find(r, n))
            return found;
    }
    return nullptr;
}

std::vector<const TAccessibleNode*> TAccessibleNode::findAll(const std::string& r) const
{
    std::vector<const TAccessibleNode*> out;
    if (role == r)
        out.push_back(this);
    for (const TAccessibleNode& child : children) {
        auto more = child.findAll(r);
        out.insert(out.end(), more.begin(), more.end());
    }
    return out;
}

TAccessibleNode accessibleTree(const TControl& control, int depth)
{
    return nodeOf(accessibleInterfaceOf(control), depth);
}

TAccessibleNode accessibleFocusChild(const TControl& control)
{
    QAccessibleInterface* iface = accessibleInterfaceOf(control);
    return nodeOf(iface ? iface->focusChild() : nullptr, 0);
}

int accessibleTableRows(const TControl& control)
{
    QAccessibleInterface* t = tableOf(control);
    return t ? t->tableInterface()->rowCount() : -1;
}

int accessibleTableColumns(const TControl& control)
{
    QAccessibleInterface* t = tableOf(control);
    return t ? t->tableInterface()->columnCount() : -1;
}

TAccessibleNode accessibleTableCell(const TControl& control, int row, int col)
{
    QAccessibleInterface* t = tableOf(control);
    return nodeOf(t ? t->tableInterface()->cellAt(row, col) : nullptr, 0);
}

std::string accessibleColumnHeader(const TControl& control, int col)
{
    QAccessibleInterface* t = tableOf(control);
    QAccessibleInterface* cell = t ? t->tableInterface()->cellAt(t->tableInterface()->rowCount() - 1, col) : nullptr;
    if (!cell || !cell->tableCellInterface())
        return {};
    QList<QAccessibleInterface*> headers = cell->tableCellInterface()->columnHeaderCells();
    return headers.isEmpty() ? std::string{} : headers.first()->text(QAccessible::Name).toStdString();
}

bool accessibleDoAction(const TControl& control, const std::vector<int>& path, TAccessibleAction action)
{
    QAccessibleInterface* iface = accessibleInterfaceOf(control);
    for (int index : path)
        iface = iface ? iface->child(index) : nullptr;
    QAccessibleActionInterface* actions = iface ? iface->actionInterface() : nullptr;
    if (!actions)
        return false;
    for (const QString& name : actions->actionNames()) {
        if (actionWord(name) == accessibleActionName(action)) {
            actions->doAction(name);
            return true;
        }
    }
    return false;
}

TAccessibleEventLog::TAccessibleEventLog()
{
    setAccessibleEventSink([this](QAccessibleEvent& event) {
        QAccessibleInterface* iface = event.accessibleInterface();
        m_entries.push_back({eventWord(event.type()), iface ? roleName(*iface) : std::string{},
                             iface ? iface->text(QAccessible::Name).toStdString() : std::string{}});
    });
}

TAccessibleEventLog::~TAccessibleEventLog() { setAccessibleEventSink(nullptr); }

bool TAccessibleEventLog::contains(const std::string& event, const std::string& name) const
{
    for (const Entry& e : m_entries) {
        if (e.event == event && e.name == name)
            return true;
    }
    return false;
}

} // namespace qv

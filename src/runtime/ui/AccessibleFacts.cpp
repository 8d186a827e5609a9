#include "runtime/ui/AccessibleFacts.h"

#include "runtime/ui/Control.h"
#include "runtime/ui/Menus.h"
#include "runtime/ui/Widgets.h"

namespace qv {

namespace accessibility {

namespace {

bool isFormClient(const QWidget* widget) { return dynamic_cast<const FormClientWidget*>(widget) != nullptr; }

void collectChildren(const QWidget* host, QList<QWidget*>& out)
{
    for (QObject* object : host->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow())
            continue;
        if (isFormClient(child))
            collectChildren(child, out);
        else
            out << standIn(child);
    }
}

std::string trimLabel(std::string text)
{
    text = stripAccelerator(text);
    while (!text.empty() && (text.back() == ':' || text.back() == ' '))
        text.pop_back();
    return text;
}

// The caption of the label on the same line just before the control.
std::string labelBefore(const TControl& control)
{
    const TWinControl* parent = control.parent();
    if (!parent)
        return {};
    const TControl* best = nullptr;
    for (const TControl* sibling : parent->controls()) {
        if (sibling == &control || !sibling->visible() || sibling->accessibleRole() != TAccessibleRole::StaticText)
            continue;
        bool sameLine
            = sibling->top() < control.top() + control.height() && sibling->top() + sibling->height() > control.top();
        bool before = sibling->left() + sibling->width() <= control.left() + 2;
        if (sameLine && before && (!best || sibling->left() > best->left()))
            best = sibling;
    }
    return best ? trimLabel(best->accessibleName()) : std::string{};
}

} // namespace

QString qs(const std::string& text) { return QString::fromStdString(text); }

QAccessible::Role qtRole(TAccessibleRole role)
{
    switch (role) {
    case TAccessibleRole::Client: return QAccessible::Client;
    case TAccessibleRole::Window: return QAccessible::Window;
    case TAccessibleRole::Dialog: return QAccessible::Dialog;
    case TAccessibleRole::Grouping: return QAccessible::Grouping;
    case TAccessibleRole::Pane: return QAccessible::Pane;
    case TAccessibleRole::StaticText: return QAccessible::StaticText;
    case TAccessibleRole::PushButton: return QAccessible::PushButton;
    case TAccessibleRole::CheckBox: return QAccessible::CheckBox;
    case TAccessibleRole::RadioButton: return QAccessible::RadioButton;
    case TAccessibleRole::EditableText: return QAccessible::EditableText;
    case TAccessibleRole::ComboBox: return QAccessible::ComboBox;
    case TAccessibleRole::Link: return QAccessible::Link;
    case TAccessibleRole::PageTabList: return QAccessible::PageTabList;
    case TAccessibleRole::PageTab: return QAccessible::PageTab;
    case TAccessibleRole::Table: return QAccessible::Table;
    case TAccessibleRole::Cell: return QAccessible::Cell;
    case TAccessibleRole::ColumnHeader: return QAccessible::ColumnHeader;
    case TAccessibleRole::MenuBar: return QAccessible::MenuBar;
    // The platform has no role of its own for a menu of a menu bar: an item with sub-items.
    case TAccessibleRole::Menu: return QAccessible::MenuItem;
    case TAccessibleRole::MenuItem: return QAccessible::MenuItem;
    case TAccessibleRole::Separator: return QAccessible::Separator;
    case TAccessibleRole::PopupMenu: return QAccessible::PopupMenu;
    case TAccessibleRole::Chart: return QAccessible::Chart;
    case TAccessibleRole::List: return QAccessible::List;
    case TAccessibleRole::ListItem: return QAccessible::ListItem;
    case TAccessibleRole::ScrollBar: return QAccessible::ScrollBar;
    case TAccessibleRole::ToolBar: return QAccessible::ToolBar;
    case TAccessibleRole::StatusBar: return QAccessible::StatusBar;
    case TAccessibleRole::ProgressBar: return QAccessible::ProgressBar;
    }
    return QAccessible::Client;
}

QString qtActionName(TAccessibleAction action)
{
    switch (action) {
    case TAccessibleAction::Press: return QAccessibleActionInterface::pressAction();
    case TAccessibleAction::Toggle: return QAccessibleActionInterface::toggleAction();
    case TAccessibleAction::Open: return QAccessibleActionInterface::showMenuAction();
    }
    return {};
}

QStringList qtActionNames(const std::vector<TAccessibleAction>& actions)
{
    QStringList names;
    for (TAccessibleAction a : actions)
        names << qtActionName(a);
    return names;
}

bool findAction(const std::vector<TAccessibleAction>& actions, const QString& name, TAccessibleAction& found)
{
    for (TAccessibleAction a : actions) {
        if (qtActionName(a) == name) {
            found = a;
            return true;
        }
    }
    return false;
}

void addStates(QAccessible::State& s, unsigned states)
{
    if (states & asCheckable)
        s.checkable = true;
    if (states & asChecked)
        s.checked = true;
    if (states & asSelectable)
        s.selectable = true;
    if (states & asSelected)
        s.selected = true;
    if (states & asReadOnly)
        s.readOnly = true;
    if (states & asHasPopup)
        s.hasPopup = true;
    if (states & asExpanded)
        s.expanded = true;
    if (states & asPressed)
        s.pressed = true;
    if (states & asDefaultButton)
        s.defaultButton = true;
    if (states & asFocused)
        s.focused = true;
    if (states & asFocusable)
        s.focusable = true;
    if (states & asDisabled)
        s.disabled = true;
    if (states & asInvisible)
        s.invisible = true;
    if (states & asEditable)
        s.editable = true;
}

TControl* controlOf(const QWidget* widget)
{
    auto* cw = dynamic_cast<const ControlWidget*>(widget);
    return cw ? cw->control() : nullptr;
}

// A control that hands its focus to a native widget inside it (an edit's editor)
// is that widget to a screen reader: it is what takes the keys and the focus.
QWidget* standIn(QWidget* widget)
{
    QWidget* proxy = widget->focusProxy();
    return proxy && proxy->parentWidget() == widget ? proxy : widget;
}

bool standsIn(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    return parent && parent->focusProxy() == widget && controlOf(parent);
}

// A window's client area is no object of its own: its controls are the window's.
QWidget* treeParent(const QWidget* widget)
{
    QWidget* parent = widget->parentWidget();
    if (parent && standsIn(widget))
        parent = parent->parentWidget();
    if (parent && isFormClient(parent))
        parent = parent->parentWidget();
    return parent;
}

QList<QWidget*> treeChildren(const QWidget* widget)
{
    QList<QWidget*> children;
    collectChildren(widget, children);
    return children;
}

std::string nameOf(const TControl& control)
{
    std::string name = control.accessibleName();
    switch (control.accessibleRole()) {
    case TAccessibleRole::EditableText:
    case TAccessibleRole::ComboBox:
    case TAccessibleRole::List:
    case TAccessibleRole::Table:
        if (name.empty())
            name = labelBefore(control);
        break;
    default: break;
    }
    // A button with a picture only is known by its hint.
    return name.empty() ? control.hint() : name;
}

int visibleCount(const TMenuItem& menu)
{
    int n = 0;
    for (int i = 0; i < menu.count(); ++i)
        n += menu.item(i).visible() ? 1 : 0;
    return n;
}

const TMenuItem* visibleItem(const TMenuItem& menu, int index)
{
    for (int i = 0; i < menu.count(); ++i) {
        if (!menu.item(i).visible())
            continue;
        if (index-- == 0)
            return &menu.item(i);
    }
    return nullptr;
}

} // namespace accessibility

const char* accessibleRoleName(TAccessibleRole role)
{
    switch (role) {
    case TAccessibleRole::Client: return "filler";
    case TAccessibleRole::Window: return "frame";
    case TAccessibleRole::Dialog: return "dialog";
    case TAccessibleRole::Grouping: return "panel";
    case TAccessibleRole::Pane: return "panel";
    case TAccessibleRole::StaticText: return "label";
    case TAccessibleRole::PushButton: return "push button";
    case TAccessibleRole::CheckBox: return "check box";
    case TAccessibleRole::RadioButton: return "radio button";
    case TAccessibleRole::EditableText: return "text";
    case TAccessibleRole::ComboBox: return "combo box";
    case TAccessibleRole::Link: return "link";
    case TAccessibleRole::PageTabList: return "page tab list";
    case TAccessibleRole::PageTab: return "page tab";
    case TAccessibleRole::Table: return "table";
    case TAccessibleRole::Cell: return "table cell";
    case TAccessibleRole::ColumnHeader: return "column header";
    case TAccessibleRole::MenuBar: return "menu bar";
    case TAccessibleRole::Menu: return "menu";
    case TAccessibleRole::MenuItem: return "menu item";
    case TAccessibleRole::Separator: return "separator";
    case TAccessibleRole::PopupMenu: return "popup menu";
    case TAccessibleRole::Chart: return "chart";
    case TAccessibleRole::List: return "list";
    case TAccessibleRole::ListItem: return "list item";
    case TAccessibleRole::ScrollBar: return "scroll bar";
    case TAccessibleRole::ToolBar: return "tool bar";
    case TAccessibleRole::StatusBar: return "status bar";
    case TAccessibleRole::ProgressBar: return "progress bar";
    }
    return "unknown";
}

const char* accessibleActionName(TAccessibleAction action)
{
    switch (action) {
    case TAccessibleAction::Press: return "press";
    case TAccessibleAction::Toggle: return "toggle";
    case TAccessibleAction::Open: return "open";
    }
    return "";
}

} // namespace qv

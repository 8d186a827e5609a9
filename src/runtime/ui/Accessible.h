#pragma once

#include "runtime/graphics/Graphics.h"

#include <string>
#include <vector>

namespace qv {

class TMenuItem;

// What a screen reader is told a control, or a part of one, is.
enum class TAccessibleRole {
    Client,
    Window,
    Dialog,
    Grouping,
    Pane,
    StaticText,
    PushButton,
    CheckBox,
    RadioButton,
    EditableText,
    ComboBox,
    Link,
    PageTabList,
    PageTab,
    Table,
    Cell,
    ColumnHeader,
    MenuBar,
    Menu,
    MenuItem,
    Separator,
    PopupMenu,
    Chart,
    List,
    ListItem,
    ScrollBar,
    ToolBar,
    StatusBar,
    ProgressBar,
};

// States of a control or part. A control adds the ones of its own kind; the
// bridge finds focusable, focused, disabled and invisible itself.
enum TAccessibleState : unsigned {
    asCheckable = 1u << 0,
    asChecked = 1u << 1,
    asSelectable = 1u << 2,
    asSelected = 1u << 3,
    asReadOnly = 1u << 4,
    asHasPopup = 1u << 5,
    asExpanded = 1u << 6,
    asPressed = 1u << 7,
    asDefaultButton = 1u << 8,
    asFocused = 1u << 9,
    asFocusable = 1u << 10,
    asDisabled = 1u << 11,
    asInvisible = 1u << 12,
    asEditable = 1u << 13,
};

enum class TAccessibleAction { Press, Toggle, Open };

// What changed, for a screen reader that follows the program without polling.
enum class TAccessibleEvent {
    Focus,
    NameChanged,
    DescriptionChanged,
    ValueChanged,
    StateChanged,
    SelectionChanged,
    // Parts came or went (tabs, items, rows): cached parts are dropped.
    ItemsChanged,
    MenuStart,
    MenuEnd,
    PopupMenuStart,
    PopupMenuEnd,
};

// A part of a painted control that is no control itself: a page tab, a menu bar
// item, a list entry. With menu set, the part is a menu whose sub-items are
// read from that menu item.
struct TAccessibleItem {
    TAccessibleRole role = TAccessibleRole::ListItem;
    std::string name;
    std::string description;
    // The key that runs it, as the menu shows it.
    std::string shortcut;
    unsigned states = 0;
    // In the control's coordinates; empty while the part is not on screen.
    TRect bounds;
    std::vector<TAccessibleAction> actions;
    const TMenuItem* menu = nullptr;
};

// A control read as rows and columns of text; the leading header rows hold the
// column headers.
class TAccessibleTable {
public:
    virtual int accessibleColumnCount() const = 0;
    virtual int accessibleRowCount() const = 0;
    virtual int accessibleHeaderRows() const { return 0; }
    virtual std::string accessibleCellText(int col, int row) const = 0;
    // In the control's coordinates; empty while the cell is scrolled out of view.
    virtual TRect accessibleCellRect(int col, int row) const = 0;
    virtual bool accessibleCellSelected(int col, int row) const = 0;
    virtual TPoint accessibleCurrentCell() const = 0;
    // Makes the cell current as the user's keyboard would.
    virtual void accessibleSelectCell(int col, int row) = 0;

protected:
    ~TAccessibleTable() = default;
};

// The side of a control a screen reader sees. Controls say what they are; the
// runtime's bridge finds the common states and tells the platform.
class TAccessible {
public:
    virtual ~TAccessible() = default;

    virtual TAccessibleRole accessibleRole() const { return TAccessibleRole::Client; }
    // Empty: an edit, list or table takes the text of the label standing before it.
    virtual std::string accessibleName() const { return m_accessibleName; }
    void setAccessibleName(const std::string& name) { m_accessibleName = name; }
    virtual std::string accessibleDescription() const { return m_accessibleDescription; }
    void setAccessibleDescription(const std::string& text) { m_accessibleDescription = text; }
    virtual std::string accessibleValue() const { return {}; }
    virtual unsigned accessibleStates() const { return 0; }
    virtual std::vector<TAccessibleAction> accessibleActions() const { return {}; }
    virtual void accessibleDo(TAccessibleAction) {}

    virtual int accessibleItemCount() const { return 0; }
    virtual TAccessibleItem accessibleItem(int) const { return {}; }
    virtual void accessibleItemDo(int, TAccessibleAction) {}
    // A menu item reached through a part's menu was chosen.
    virtual void accessibleMenuChosen(TMenuItem& item);
    // The part that has the keyboard inside the control, or -1.
    virtual int accessibleFocusItem() const { return -1; }

    virtual TAccessibleTable* accessibleTable() { return nullptr; }

private:
    std::string m_accessibleName;
    std::string m_accessibleDescription;
};

// The words a screen reader uses for a role and an action, for tests and dumps.
const char* accessibleRoleName(TAccessibleRole role);
const char* accessibleActionName(TAccessibleAction action);

} // namespace qv

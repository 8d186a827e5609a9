#include "UiTestApp.h"

#include "runtime/ui/AccessibleQuery.h"
#include "runtime/ui/CustomEdit.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Menus.h"
#include "runtime/ui/StdControls.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

// Two painted tabs, one of them selected.
class PaintedTabs : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int selected = 0;
    std::vector<std::string> names{"First", "Second"};

    TAccessibleRole accessibleRole() const override { return TAccessibleRole::PageTabList; }
    int accessibleItemCount() const override { return static_cast<int>(names.size()); }
    TAccessibleItem accessibleItem(int index) const override
    {
        TAccessibleItem item;
        item.role = TAccessibleRole::PageTab;
        item.name = names.at(index);
        item.states = asSelectable | (index == selected ? asSelected : 0u);
        item.bounds = TRect{index * 50, 0, index * 50 + 50, 20};
        item.actions = {TAccessibleAction::Press};
        return item;
    }
    void accessibleItemDo(int index, TAccessibleAction) override { selected = index; }
    int accessibleFocusItem() const override { return selected; }
};

// A menu bar of one menu, read from its menu items.
class PaintedMenuBar : public TCustomControl {
public:
    explicit PaintedMenuBar(TWinControl* parent) : TCustomControl(parent)
    {
        TMenuItem& file = menu.items().add("mnuFile", "&File");
        file.add("mnuNew", "&New").onClick = [this] { ran.push_back("New"); };
        file.add("N1", "-");
        file.add("mnuHidden", "Hidden").setVisible(false);
        TMenuItem& wrap = file.add("mnuWrap", "&Wrap");
        wrap.setChecked(true);
        TMenuItem& exit = file.add("mnuExit", "E&xit");
        exit.setShortCut("Ctrl+Q");
        exit.onClick = [this] { ran.push_back("Exit"); };
    }
    TMainMenu menu;
    std::vector<std::string> ran;

    TAccessibleRole accessibleRole() const override { return TAccessibleRole::MenuBar; }
    int accessibleItemCount() const override { return 1; }
    TAccessibleItem accessibleItem(int) const override
    {
        TAccessibleItem item;
        item.role = TAccessibleRole::Menu;
        item.name = "File";
        item.menu = &menu.items().item(0);
        item.bounds = TRect{0, 0, 40, 20};
        item.actions = {TAccessibleAction::Open};
        return item;
    }
};

// Three rows of two columns; the first row holds the headers.
class PaintedTable : public TCustomControl, public TAccessibleTable {
public:
    using TCustomControl::TCustomControl;
    TPoint current{0, 1};
    int rows = 3;

    TAccessibleRole accessibleRole() const override { return TAccessibleRole::Table; }
    TAccessibleTable* accessibleTable() override { return this; }
    int accessibleColumnCount() const override { return 2; }
    int accessibleRowCount() const override { return rows; }
    int accessibleHeaderRows() const override { return 1; }
    std::string accessibleCellText(int col, int row) const override
    {
        if (row == 0)
            return col == 0 ? "No" : "Balance";
        return std::to_string(row) + (col == 0 ? "" : ",00");
    }
    TRect accessibleCellRect(int col, int row) const override
    {
        return TRect{col * 40, row * 20, col * 40 + 40, row * 20 + 20};
    }
    bool accessibleCellSelected(int col, int row) const override { return col == current.x && row == current.y; }
    TPoint accessibleCurrentCell() const override { return current; }
    void accessibleSelectCell(int col, int row) override { current = TPoint{col, row}; }
};

struct AccessibleForm : TForm {
    AccessibleForm()
    {
        setCaption("Loan");
        setClientSize(400, 200);
        amountLabel.setBounds(10, 10, 80, 18);
        amount.setBounds(100, 10, 80, 20);
        amount.setText("150000");
        lowerLabel.setBounds(10, 60, 80, 18);
        tabs.setBounds(10, 100, 100, 20);
        tabs.setTabStop(true);
    }
    TLabel amountLabel{this, "Loan &Amount:"};
    TCustomEdit amount{this};
    TLabel lowerLabel{this, "Below"};
    PaintedTabs tabs{this};
};

TEST(Accessibility, WindowShowsItsControlsNamedAndTheEditNamedByTheLabelBeforeIt)
{
    test::app();
    AccessibleForm form;
    TAccessibleNode tree = accessibleTree(form);
    EXPECT_EQ(tree.role, "frame");
    EXPECT_EQ(tree.name, "Loan");
    // The client area is no object of its own: the controls are the window's children.
    ASSERT_EQ(tree.children.size(), 4u);
    const TAccessibleNode* field = tree.find("text");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->name, "Loan Amount");
    EXPECT_EQ(field->value, "150000");
    EXPECT_TRUE(field->has(asEditable | asFocusable));
    EXPECT_NE(tree.find("label", "Below"), nullptr);

    form.amount.setReadOnly(true);
    TAccessibleNode readOnly = accessibleTree(form.amount);
    EXPECT_TRUE(readOnly.has(asReadOnly));
    EXPECT_FALSE(readOnly.has(asEditable));
}

TEST(Accessibility, EditWithoutALabelOnItsLineHasNoName)
{
    test::app();
    AccessibleForm form;
    form.amount.setTop(140);
    EXPECT_EQ(accessibleTree(form.amount).name, "");
}

TEST(Accessibility, PartsOfAPaintedControlAreItsChildrenAndRunTheirActions)
{
    test::app();
    AccessibleForm form;
    TAccessibleNode tabs = accessibleTree(form.tabs);
    EXPECT_EQ(tabs.role, "page tab list");
    ASSERT_EQ(tabs.children.size(), 2u);
    EXPECT_EQ(tabs.children[0].role, "page tab");
    EXPECT_EQ(tabs.children[1].name, "Second");
    EXPECT_TRUE(tabs.children[0].has(asSelected));
    EXPECT_FALSE(tabs.children[1].has(asSelected));
    EXPECT_EQ(tabs.children[1].actions, std::vector<std::string>{"press"});

    EXPECT_TRUE(accessibleDoAction(form.tabs, {1}, TAccessibleAction::Press));
    EXPECT_EQ(form.tabs.selected, 1);
    EXPECT_TRUE(accessibleTree(form.tabs).children[1].has(asSelected));
    EXPECT_FALSE(accessibleDoAction(form.tabs, {1}, TAccessibleAction::Toggle));
}

TEST(Accessibility, FewerPartsAfterAChangeAreReadAnew)
{
    test::app();
    AccessibleForm form;
    ASSERT_EQ(accessibleTree(form.tabs).children.size(), 2u);
    form.tabs.names = {"Only"};
    form.tabs.accessibleNotify(TAccessibleEvent::ItemsChanged);
    TAccessibleNode tabs = accessibleTree(form.tabs);
    ASSERT_EQ(tabs.children.size(), 1u);
    EXPECT_EQ(tabs.children[0].name, "Only");
}

TEST(Accessibility, MenuPartsReadTheirMenuItemsWithShortcutsAndChecks)
{
    test::app();
    TForm form;
    PaintedMenuBar bar(&form);
    TAccessibleNode tree = accessibleTree(bar);
    EXPECT_EQ(tree.role, "menu bar");
    ASSERT_EQ(tree.children.size(), 1u);
    const TAccessibleNode& file = tree.children[0];
    EXPECT_EQ(file.role, "menu");
    EXPECT_EQ(file.name, "File");
    // The hidden item is left out.
    ASSERT_EQ(file.children.size(), 4u);
    EXPECT_EQ(file.children[0].name, "New");
    EXPECT_EQ(file.children[0].role, "menu item");
    EXPECT_EQ(file.children[1].role, "separator");
    EXPECT_EQ(file.children[2].name, "Wrap");
    EXPECT_TRUE(file.children[2].has(asCheckable | asChecked));
    EXPECT_FALSE(file.children[0].has(asChecked));
    EXPECT_EQ(file.children[3].name, "Exit");
    EXPECT_EQ(file.children[3].shortcut, "Ctrl+Q");

    EXPECT_TRUE(accessibleDoAction(bar, {0, 3}, TAccessibleAction::Press));
    EXPECT_EQ(bar.ran, std::vector<std::string>{"Exit"});
    EXPECT_FALSE(accessibleDoAction(bar, {0, 1}, TAccessibleAction::Press)) << "a separator runs nothing";
}

TEST(Accessibility, TableReportsRowsColumnsHeadersAndTheCurrentCell)
{
    test::app();
    TForm form;
    PaintedTable table(&form);
    table.setBounds(0, 0, 100, 80);
    table.setTabStop(true);
    EXPECT_EQ(accessibleTableRows(table), 3);
    EXPECT_EQ(accessibleTableColumns(table), 2);
    EXPECT_EQ(accessibleColumnHeader(table, 1), "Balance");
    TAccessibleNode header = accessibleTableCell(table, 0, 0);
    EXPECT_EQ(header.role, "column header");
    EXPECT_EQ(header.name, "No");
    TAccessibleNode cell = accessibleTableCell(table, 2, 1);
    EXPECT_EQ(cell.role, "table cell");
    EXPECT_EQ(cell.name, "2,00");
    EXPECT_FALSE(cell.has(asSelected));
    EXPECT_TRUE(accessibleTableCell(table, 1, 0).has(asSelected));
    EXPECT_EQ(accessibleTableCell(table, 3, 0).role, "") << "no cell below the last row";

    TAccessibleNode tree = accessibleTree(table);
    ASSERT_EQ(tree.role, "table");
    EXPECT_TRUE(tree.children.empty()) << "cells are read through the table";

    table.rows = 2;
    table.accessibleNotify(TAccessibleEvent::ItemsChanged);
    EXPECT_EQ(accessibleTableRows(table), 2);
    EXPECT_EQ(accessibleTableCell(table, 2, 1).role, "");
}

TEST(Accessibility, EventsNameTheControlPartOrCellConcerned)
{
    test::app();
    AccessibleForm form;
    PaintedTable table(&form);
    TAccessibleEventLog log;
    form.setCaption("Loan 2");
    form.tabs.accessibleNotify(TAccessibleEvent::Focus, 1);
    form.tabs.accessibleNotify(TAccessibleEvent::SelectionChanged, 1);
    table.accessibleNotifyCell(TAccessibleEvent::NameChanged, 1, 2);
    table.accessibleNotify(TAccessibleEvent::ItemsChanged);
    EXPECT_TRUE(log.contains("name-changed", "Loan 2"));
    EXPECT_TRUE(log.contains("focus", "Second"));
    EXPECT_TRUE(log.contains("selection", "Second"));
    EXPECT_TRUE(log.contains("name-changed", "2,00"));
    EXPECT_TRUE(log.contains("reorder", ""));
    ASSERT_EQ(log.entries().size(), 5u);
    EXPECT_EQ(log.entries()[1].role, "page tab");

    log.clear();
    form.setCaption("Loan 2");
    EXPECT_TRUE(log.entries().empty()) << "an unchanged caption tells nothing";
}

TEST(Accessibility, CommonStatesComeFromTheControl)
{
    test::app();
    AccessibleForm form;
    form.showAndRaise();
    test::app().processMessages();
    form.tabs.setFocus();
    ASSERT_TRUE(form.tabs.focused());
    EXPECT_TRUE(accessibleTree(form.tabs).has(asFocused | asFocusable));
    EXPECT_EQ(accessibleFocusChild(form.tabs).name, "First");
    form.tabs.setEnabled(false);
    EXPECT_TRUE(accessibleTree(form.tabs).has(asDisabled));
    form.lowerLabel.hide();
    EXPECT_TRUE(accessibleTree(form.lowerLabel).has(asInvisible));
    form.hide();
}

} // namespace

#include "AppTestSupport.h"

#include "controls/SkinInplaceEdit.h"
#include "runtime/ui/AccessibleQuery.h"

using namespace qv;
using namespace qv::test;

namespace {

std::vector<std::string> namesOf(const std::vector<TAccessibleNode>& nodes)
{
    std::vector<std::string> names;
    for (const TAccessibleNode& node : nodes)
        names.push_back(node.name);
    return names;
}

TEST_F(MainWindowTest, EveryControlSaysWhatItIs)
{
    TfrmMain& w = start();
    calculate("200000", "5", "30");
    TAccessibleNode tree = accessibleTree(w);
    EXPECT_EQ(tree.name, "Quorvane");

    for (const char* caption : {"Calculate", "Report", "Chart", "Draw", "Clear"}) {
        const TAccessibleNode* button = tree.find("push button", caption);
        ASSERT_NE(button, nullptr) << caption;
        EXPECT_EQ(button->actions, std::vector<std::string>{"press"});
    }
    const std::pair<const char*, std::string> fields[]
        = {{"Loan Amount", "200000"}, {"Interest Rate", "5"}, {"Term", "30"}, {"Loan Date", w.txtLoanDate.text()}};
    for (const auto& [name, value] : fields) {
        const TAccessibleNode* field = tree.find("text", name);
        ASSERT_NE(field, nullptr) << name;
        EXPECT_EQ(field->value, value) << name;
        EXPECT_TRUE(field->has(asEditable)) << name;
    }
    EXPECT_EQ(tree.find("text", "Loan Date")->actions.back(), "open") << "the date edit opens its calendar";

    const std::pair<const char*, std::string> results[] = {{"Monthly Payment", "1074.13"},
                                                           {"Interest Payment", "186688.68"},
                                                           {"Total Payment", "386688.68"},
                                                           {"Interest Saved", "0"}};
    for (const auto& [name, value] : results) {
        const TAccessibleNode* label = tree.find("label", name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->value, value) << name;
    }

    const TAccessibleNode* tabs = tree.find("page tab list");
    ASSERT_NE(tabs, nullptr);
    std::vector<TAccessibleNode> pageTabs(tabs->children.begin(), tabs->children.begin() + 2);
    EXPECT_EQ(namesOf(pageTabs), (std::vector<std::string>{"Amortization Schedule", "Chart"}));
    EXPECT_TRUE(pageTabs[0].has(asSelected));
    EXPECT_FALSE(pageTabs[1].has(asSelected));

    const TAccessibleNode* chart = tree.find("chart");
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->name, "Interest & Principal");
    EXPECT_NE(chart->description.find(", "), std::string::npos) << chart->description;
}

TEST_F(MainWindowTest, MenusReadAsMenusWithTheirItemsAndShortcuts)
{
    TfrmMain& w = start();
    TAccessibleNode bar = accessibleTree(w.skinMenubar);
    EXPECT_EQ(bar.role, "menu bar");
    EXPECT_EQ(namesOf(bar.children), (std::vector<std::string>{"File", "Calculate", "Help"}));
    for (const TAccessibleNode& menu : bar.children)
        EXPECT_EQ(menu.role, "menu") << menu.name;
    EXPECT_EQ(namesOf(bar.children[0].children), (std::vector<std::string>{"New", "Open", "Save", "", "Exit"}));
    EXPECT_EQ(bar.children[0].children[3].role, "separator");
    const TAccessibleNode* help = bar.children[2].find("menu item", "Help");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->shortcut, "F1");

    // Opening a menu the way a screen reader does shows its popup, read as a popup menu.
    TAccessibleEventLog log;
    ASSERT_TRUE(accessibleDoAction(w.skinMenubar, {0}, TAccessibleAction::Open));
    ASSERT_TRUE(w.skinForm.menus().engine().visible());
    TbsSkinPopupWindow& popup = w.skinForm.menus().engine().level(0);
    TAccessibleNode popupTree = accessibleTree(popup);
    EXPECT_EQ(popupTree.role, "popup menu");
    EXPECT_EQ(popupTree.children.at(0).name, "New");
    EXPECT_TRUE(popupTree.children.at(0).has(asFocused));
    EXPECT_TRUE(log.contains("popup-menu-start", "File"));
    EXPECT_TRUE(log.contains("focus", "New"));

    // Choosing New through the menu tree runs it and closes the menus.
    calculate("10000", "7", "1");
    ASSERT_TRUE(accessibleDoAction(w.skinMenubar, {0, 0}, TAccessibleAction::Press));
    app().processMessages();
    EXPECT_FALSE(w.skinForm.menus().engine().visible());
    EXPECT_EQ(w.txtAmount.text(), "0");
    EXPECT_TRUE(log.contains("popup-menu-end", "File"));
}

TEST_F(MainWindowTest, ScheduleIsATableWithHeadersRowsAndTheCurrentCell)
{
    TfrmMain& w = start();
    calculate("200000", "5", "30");
    auto& grid = w.schedule.gridPayment;
    EXPECT_EQ(accessibleTree(grid).name, "Amortization Schedule");
    EXPECT_EQ(accessibleTableRows(grid), 361);
    EXPECT_EQ(accessibleTableColumns(grid), 6);
    std::vector<std::string> headers;
    for (int c = 0; c < 6; ++c)
        headers.push_back(accessibleColumnHeader(grid, c));
    EXPECT_EQ(headers,
              (std::vector<std::string>{"No", "Payment Date", "Interest Payment", "Principal Payment", "Extra Payment",
                                        "Balance"}));
    EXPECT_EQ(accessibleTableCell(grid, 1, 2).name, "834");
    EXPECT_EQ(accessibleTableCell(grid, 360, 0).name, "360");
    EXPECT_TRUE(accessibleTableCell(grid, 360, 0).has(asInvisible)) << "scrolled out of view";

    TAccessibleEventLog log;
    grid.setFocus();
    grid.setCol(3);
    grid.setRow(5);
    EXPECT_TRUE(accessibleTableCell(grid, 5, 3).has(asSelected | asFocused));
    EXPECT_EQ(accessibleFocusChild(grid).name, w.grid().cellText(3, 5));
    EXPECT_TRUE(log.contains("focus", w.grid().cellText(3, 5)));
    EXPECT_TRUE(log.contains("selection", w.grid().cellText(3, 5)));

    // The cell editor is named by its column.
    grid.setCol(4);
    sendChars(grid, "1");
    ASSERT_NE(grid.InplaceEditor(), nullptr);
    TAccessibleNode editor = accessibleTree(*grid.InplaceEditor());
    EXPECT_EQ(editor.name, "Extra Payment");
    EXPECT_EQ(editor.value, "1");
    EXPECT_TRUE(log.contains("name-changed", "1")) << "the edited cell tells its new text";

    // A new schedule's rows are read anew.
    calculate("10000", "7", "1");
    EXPECT_EQ(accessibleTableRows(grid), 13);
    EXPECT_EQ(accessibleTableCell(grid, 13, 0).role, "");
}

TEST_F(MainWindowTest, RecalculatedResultsAndPageChangesAreAnnounced)
{
    TfrmMain& w = start();
    TAccessibleEventLog log;
    // Another loan than the example the window starts with, so the figures change.
    calculate("100000", "4", "30");
    EXPECT_TRUE(log.contains("text-changed", "Monthly Payment"));
    log.clear();
    ASSERT_TRUE(accessibleDoAction(w.pageSchedule, {1}, TAccessibleAction::Press));
    EXPECT_EQ(w.pageSchedule.ActivePageIndex(), 1);
    EXPECT_TRUE(log.contains("selection", "Chart"));
    ASSERT_TRUE(accessibleDoAction(w.btnCal, {}, TAccessibleAction::Press));
    EXPECT_EQ(w.lblMonPay.Caption(), "477.18");
}

} // namespace

namespace {

TEST_F(MainWindowTest, TabReachesTheInputsCalculateThePagesTheScheduleAndTheButtons)
{
    TfrmMain& w = start();
    w.txtAmount.setFocus();
    std::vector<std::string> order;
    for (int i = 0; i < 9; ++i) {
        TControl* focused = w.activeControl();
        ASSERT_NE(focused, nullptr);
        order.push_back(focused->name());
        sendTab(*focused);
    }
    EXPECT_EQ(order,
              (std::vector<std::string>{"txtAmount", "txtRate", "txtTerm", "txtLoanDate", "btnCal", "pageSchedule",
                                        "gridPayment", "btnPrerpt", "btnViewChart"}));
    // The page tabs switch by the arrows; the chart page's buttons then take their turn.
    w.pageSchedule.setFocus();
    sendKeyStroke(w.pageSchedule, VK_RIGHT);
    EXPECT_EQ(w.pageSchedule.ActivePageIndex(), 1);
    sendTab(w.pageSchedule);
    EXPECT_EQ(w.activeControl(), &w.btnDrawChart);
    sendTab(w.btnDrawChart);
    EXPECT_EQ(w.activeControl(), &w.btnClearChart);
}

} // namespace

#include "AppTestSupport.h"

#include "controls/SkinInplaceEdit.h"
#include "support/RegionalPresets.h"
#include "support/SkipOrFailInCi.h"

#include "app/about/AboutForm.h"
#include "app/main/ProgramIdentity.h"
#include "runtime/core/DateTime.h"
#include "runtime/ui/FirstFrame.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/Timer.h"
#include "report/ui/ReportWindows.h"
#include "report/ui/TRPSetupForm.h"

#include <clocale>
#include <csignal>
#include <filesystem>

using namespace qv;
using qv::test::MainWindowTest;
using qv::test::app;

TEST_F(MainWindowTest, KeyFiltersOfAmountAndTerm)
{
    TfrmMain& w = start();
    w.txtAmount.setText("");
    w.txtAmount.setFocus();
    sendChars(w.txtAmount, "1.2.3");
    EXPECT_EQ(w.txtAmount.text(), "1.23");
    sendChars(w.txtAmount, "a-, 4");
    EXPECT_EQ(w.txtAmount.text(), "1.234");
    sendKeyStroke(w.txtAmount, VK_BACK);
    EXPECT_EQ(w.txtAmount.text(), "1.23");
    // Ctrl+V arrives as a control character, which the amount filter drops.
    char paste = 22;
    w.txtAmountKeyPress(paste);
    EXPECT_EQ(paste, 0);

    w.txtTerm.setText("");
    w.txtTerm.setFocus();
    sendChars(w.txtTerm, "-5");
    EXPECT_EQ(w.txtTerm.text(), "5");
    sendChars(w.txtTerm, ".x");
    EXPECT_EQ(w.txtTerm.text(), "5");

    // The rate field accepts everything.
    w.txtRate.setText("");
    w.txtRate.setFocus();
    sendChars(w.txtRate, "-5,5%");
    EXPECT_EQ(w.txtRate.text(), "-5,5%");
}

TEST_F(MainWindowTest, LeavingTheRateFieldWarnsAndReturnsTheFocus)
{
    TfrmMain& w = start();
    boxes.clear();
    struct Case {
        const char* text;
        bool warns;
    };
    for (Case c : {Case{"5%", true}, Case{"5.5", false}, Case{" 5", false}, Case{"5 ", true}, Case{"", true}}) {
        SCOPED_TRACE(c.text);
        boxes.clear();
        w.txtRate.setFocus();
        app().processMessages();
        w.txtRate.setText(c.text);
        sendTab(w.txtRate);
        app().processMessages();
        if (!c.warns) {
            EXPECT_TRUE(boxes.empty());
            EXPECT_TRUE(w.txtTerm.focused());
            continue;
        }
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, std::string(c.text) + "  is not a valid value!");
        EXPECT_EQ(boxes[0].caption, "Info");
        EXPECT_EQ(boxes[0].flags, unsigned(MB_TASKMODAL | MB_ICONINFORMATION));
        EXPECT_TRUE(w.txtRate.focused());
    }
    // A pasted page of text is repeated only in part.
    boxes.clear();
    w.txtRate.setFocus();
    w.txtRate.setText(std::string(100'000, 'x'));
    sendTab(w.txtRate);
    app().processMessages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, std::string(80, 'x') + "\xE2\x80\xA6  is not a valid value!");
}

// A click on Calculate moves the focus off an invalid rate: its warning comes once,
// the focus goes back to the rate and the press that was refused the focus does
// not calculate.
TEST_F(MainWindowTest, ClickingCalculateAfterABadRateWarnsOnceAndKeepsTheRate)
{
    TfrmMain& w = start();
    calculate("10000", "7", "1");
    boxes.clear();
    w.txtRate.setFocus();
    app().processMessages();
    w.txtRate.selectAll();
    sendWindowChars(w.txtRate, "abc");
    ASSERT_EQ(w.txtRate.text(), "abc");
    sendWindowClick(w.btnCal, 10, 8);
    app().processMessages();
    std::string shown;
    for (const MessageBoxCall& box : boxes)
        shown += box.text + " | ";
    ASSERT_EQ(boxes.size(), 1u) << shown;
    EXPECT_EQ(boxes[0].text, "abc  is not a valid value!");
    EXPECT_EQ(boxes[0].caption, "Info");
    EXPECT_TRUE(w.txtRate.focused());
    EXPECT_EQ(w.lblMonPay.Caption(), "865.25");
    EXPECT_FALSE(app().terminated());

    // With a good rate the same click calculates.
    boxes.clear();
    w.txtRate.selectAll();
    sendWindowChars(w.txtRate, "5");
    sendWindowClick(w.btnCal, 10, 8);
    app().processMessages();
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(w.btnCal.focused());
    EXPECT_EQ(w.lblMonPay.Caption(), "856.09");
}

// Clipboard and select-all keys as the window delivers them, in every edit of
// the window and the schedule's cell editor. The amount and term filters are
// for typed keys: pasted text is not filtered, as from the context menu.
TEST_F(MainWindowTest, ClipboardKeysWorkInEveryEdit)
{
    TfrmMain& w = start();
    auto clip = [&](const std::string& text) {
        w.txtRate.setText(text);
        w.txtRate.selectAll();
        w.txtRate.copyToClipboard();
    };
    auto focus = [&](TControl& edit) {
        edit.setFocus();
        app().processMessages();
    };

    clip("1234");
    focus(w.txtAmount);
    sendWindowKeyStroke(w.txtAmount, 'A', ssCtrl);
    sendWindowKeyStroke(w.txtAmount, 'V', ssCtrl);
    EXPECT_EQ(w.txtAmount.text(), "1234");
    clip("12ab");
    sendWindowKeyStroke(w.txtAmount, 'A', ssCtrl);
    sendWindowKeyStroke(w.txtAmount, VK_INSERT, ssShift);
    EXPECT_EQ(w.txtAmount.text(), "12ab");
    // Copy and cut, with both key sets.
    w.txtAmount.setText("777");
    sendWindowKeyStroke(w.txtAmount, 'A', ssCtrl);
    sendWindowKeyStroke(w.txtAmount, 'C', ssCtrl);
    focus(w.txtTerm);
    sendWindowKeyStroke(w.txtTerm, 'A', ssCtrl);
    sendWindowKeyStroke(w.txtTerm, 'V', ssCtrl);
    EXPECT_EQ(w.txtTerm.text(), "777");
    w.txtTerm.setText("25");
    sendWindowKeyStroke(w.txtTerm, 'A', ssCtrl);
    sendWindowKeyStroke(w.txtTerm, VK_INSERT, ssCtrl);
    sendWindowKeyStroke(w.txtTerm, 'X', ssCtrl);
    EXPECT_EQ(w.txtTerm.text(), "");
    sendWindowKeyStroke(w.txtTerm, 'V', ssCtrl);
    EXPECT_EQ(w.txtTerm.text(), "25");
    sendWindowKeyStroke(w.txtTerm, 'A', ssCtrl);
    sendWindowKeyStroke(w.txtTerm, VK_DELETE, ssShift);
    EXPECT_EQ(w.txtTerm.text(), "");
    focus(w.txtAmount);
    sendWindowKeyStroke(w.txtAmount, 'A', ssCtrl);
    sendWindowKeyStroke(w.txtAmount, 'V', ssCtrl);
    EXPECT_EQ(w.txtAmount.text(), "25");

    // The date field fits what is pasted into its mask and takes the date.
    clip("2024-12-01");
    focus(w.txtLoanDate);
    sendWindowKeyStroke(w.txtLoanDate, 'A', ssCtrl);
    sendWindowKeyStroke(w.txtLoanDate, 'V', ssCtrl);
    EXPECT_EQ(w.txtLoanDate.text(), "2024-12-01");
    EXPECT_EQ(w.txtLoanDate.Date(), encodeDate(2024, 12, 1));

    // The extra payment typed by paste re-amortizes like a typed one.
    calculate("10000", "7", "1");
    clip("1000");
    auto& grid = w.schedule.gridPayment;
    focus(grid);
    grid.setRow(3);
    grid.setCol(4);
    sendWindowChars(grid, "9");
    app().processMessages();
    auto* editor = grid.InplaceEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->focused());
    sendWindowKeyStroke(*editor, 'A', ssCtrl);
    sendWindowKeyStroke(*editor, 'V', ssCtrl);
    sendWindowKeyStroke(*editor, VK_RETURN);
    app().processMessages();
    EXPECT_EQ(w.grid().cellText(4, 3), "1000");
    EXPECT_EQ(w.lblSavePay.Caption(), "52.64");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, KeyboardWorksTheMenuAndTheFocusedEditSeesNoneOfItsKeys)
{
    TfrmMain& w = start();
    auto& menus = w.skinForm.menus();
    auto& bar = w.skinMenubar;
    w.txtAmount.setFocus();
    std::vector<int> delivered;
    w.txtAmount.onKeyDown = [&](int& key, unsigned) { delivered.push_back(key); };
    // A key no menu takes still reaches the edit: the hook lets it through.
    sendKeyStroke(w.txtAmount, 'X', ssAlt);
    EXPECT_EQ(delivered, (std::vector<int>{'X'}));
    delivered.clear();

    // F10 highlights "File"; Right moves to "Calculate"; Enter drops its menu.
    sendKeyStroke(w.txtAmount, VK_F10);
    ASSERT_TRUE(menus.mainMenuMode());
    EXPECT_TRUE(bar.barItem(0).active);
    EXPECT_FALSE(menus.engine().visible());
    sendKeyStroke(w.txtAmount, VK_RIGHT);
    EXPECT_TRUE(bar.barItem(1).active);
    EXPECT_FALSE(bar.barItem(0).active);
    sendKeyStroke(w.txtAmount, VK_RETURN);
    ASSERT_TRUE(menus.engine().visible());
    EXPECT_EQ(menus.engine().level(0).item(0).name(), "loan1");
    // Right on an item without sub-items moves along the bar, switching the open menu.
    sendKeyStroke(w.txtAmount, VK_RIGHT);
    ASSERT_TRUE(menus.engine().visible());
    EXPECT_EQ(menus.engine().level(0).item(0).name(), "Help2");
    EXPECT_TRUE(bar.barItem(2).down);
    // Esc closes the popup and keeps the bar highlighted; a second Esc leaves the mode.
    sendKeyStroke(w.txtAmount, VK_ESCAPE);
    EXPECT_FALSE(menus.engine().visible());
    EXPECT_TRUE(menus.mainMenuMode());
    EXPECT_TRUE(bar.barItem(2).active);
    EXPECT_FALSE(bar.barItem(2).down);
    sendKeyStroke(w.txtAmount, VK_ESCAPE);
    EXPECT_FALSE(menus.mainMenuMode());
    EXPECT_FALSE(bar.barItem(2).active);
    EXPECT_TRUE(delivered.empty());

    // Alt alone, then the access keys: H opens Help, E runs "Help" from it.
    sendKeyStroke(w.txtAmount, VK_MENU);
    ASSERT_TRUE(menus.mainMenuMode());
    sendKeyStroke(w.txtAmount, 'H');
    ASSERT_TRUE(menus.engine().visible());
    sendKeyStroke(w.txtAmount, 'E');
    app().processMessages();
    EXPECT_FALSE(menus.engine().visible());
    EXPECT_FALSE(menus.mainMenuMode());
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], test::exeDir() + "quorvane-help.html");
    EXPECT_FALSE(bar.barItem(2).down);

    // The menu's short-cut: F1 runs Help without opening anything.
    sendKeyStroke(w.txtAmount, VK_F1);
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_FALSE(menus.engine().visible());
    // Alt with an access key opens that menu at once; a click elsewhere ends it.
    sendKeyStroke(w.txtAmount, 'F', ssAlt);
    ASSERT_TRUE(menus.engine().visible());
    EXPECT_EQ(menus.engine().level(0).itemCount(), 5);
    sendMouseDown(w.bsSkinGroupBox1, 5, 40);
    EXPECT_FALSE(menus.engine().visible());
    EXPECT_FALSE(menus.mainMenuMode());
    // Of all these keys only the Alt press itself reached the edit.
    EXPECT_EQ(delivered, (std::vector<int>{VK_MENU}));
    EXPECT_TRUE(w.showing());
}

TEST_F(MainWindowTest, RestoringFromMinimizedLeavesTheFocusWhereItWas)
{
    TfrmMain& w = start();
    EXPECT_TRUE(w.txtAmount.focused()); // the first show puts it there
    boxes.clear();
    // A rate that does not parse: taking the focus away from it would warn.
    w.txtRate.setText("abc");
    w.txtRate.setFocus();
    app().processMessages();
    ASSERT_TRUE(w.txtRate.focused());
    sendMinimizeAndRestore(w);
    app().processMessages();
    EXPECT_TRUE(w.txtRate.focused());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, LoanDateFieldTakesTypedDatesAndKeepsIncompleteOnes)
{
    TfrmMain& w = start();
    EXPECT_EQ(w.txtLoanDate.EditMask(), "!0000/99/99;1; ");
    w.txtLoanDate.setFocus();
    w.txtLoanDate.selectAll();
    sendChars(w.txtLoanDate, "2025-12-05x");
    EXPECT_EQ(w.txtLoanDate.text(), "2025-12-05");
    EXPECT_EQ(w.txtLoanDate.Date(), encodeDate(2025, 12, 5));
    calculate("10000", "7", "1");
    EXPECT_EQ(w.grid().cellText(1, 1), "2026-01-05");

    // Leaving with an incomplete text reports nothing and shows the date the
    // field keeps, the one Calculate takes.
    boxes.clear();
    w.txtLoanDate.setFocus();
    w.txtLoanDate.selectAll();
    sendChars(w.txtLoanDate, "202513");
    EXPECT_EQ(w.txtLoanDate.text(), "2025-1 -  ");
    sendTab(w.txtLoanDate);
    app().processMessages();
    EXPECT_EQ(w.txtLoanDate.text(), "2025-12-05");
    EXPECT_EQ(w.txtLoanDate.Date(), encodeDate(2025, 12, 5));
    EXPECT_TRUE(boxes.empty());

    // A date typed over the date from its start, as people do, through the window.
    w.txtLoanDate.setDate(encodeDate(2024, 3, 15));
    w.txtLoanDate.setFocus();
    app().processMessages();
    sendWindowKeyStroke(w.txtLoanDate, VK_HOME);
    sendWindowChars(w.txtLoanDate, "20241201");
    EXPECT_EQ(w.txtLoanDate.text(), "2024-12-01");
    sendWindowClick(w.btnCal, 10, 8);
    app().processMessages();
    EXPECT_EQ(w.grid().cellText(1, 1), "2025-01-01");
}

TEST_F(MainWindowTest, CalculateUsesTheDateTheFieldShowsAfterBrowsingTheCalendar)
{
    TfrmMain& w = start();
    w.txtLoanDate.setDate(encodeDate(2024, 1, 31));
    w.txtLoanDate.setFocus();
    TPoint button{(w.txtLoanDate.buttonRect().left + w.txtLoanDate.buttonRect().right) / 2, 8};
    sendMouseMove(w.txtLoanDate, button.x, button.y);
    sendClick(w.txtLoanDate, button.x, button.y);
    ASSERT_TRUE(w.txtLoanDate.droppedDown());
    sendClick(w.txtLoanDate.popupCalendar().calendar().nextMonthButton(), 10, 10);
    sendKeyStroke(w.txtLoanDate, VK_END);
    EXPECT_FALSE(w.txtLoanDate.droppedDown());
    EXPECT_EQ(w.txtLoanDate.text(), "2024-01-31");
    EXPECT_EQ(w.txtLoanDate.Date(), encodeDate(2024, 1, 31));
    calculate("10000", "7", "1");
    // One month after 31 January 2024, not after the browsed 29 February.
    EXPECT_EQ(w.grid().cellText(1, 1), "2024-02-29");
}

TEST_F(MainWindowTest, CalculateButtonRespondsToTheMouse)
{
    TfrmMain& w = start();
    w.txtAmount.setText("10000");
    w.txtRate.setText("7");
    w.txtTerm.setText("1");
    sendClick(w.btnCal, 10, 8);
    EXPECT_EQ(w.lblMonPay.Caption(), "865.25");
}

TEST_F(MainWindowTest, MenuBarRunsCommandsAndCalculateLoanDoesNothing)
{
    TfrmMain& w = start();
    calculate("10000", "7", "1");
    auto& bar = w.skinMenubar;
    ASSERT_EQ(bar.itemCount(), 3);
    TRect file = bar.barItem(0).rect;
    sendMouseDown(bar, file.left + 3, file.top + 3);
    ASSERT_TRUE(w.skinForm.menus().engine().visible());
    auto& popup = w.skinForm.menus().engine().level(0);
    ASSERT_EQ(popup.itemCount(), 5);
    EXPECT_EQ(popup.activeItem(), 0); // "New" highlighted at once
    TRect newItem = popup.itemRect(0);
    sendMouseUp(popup, newItem.left + 5, newItem.top + 5);
    app().processMessages();
    EXPECT_FALSE(w.skinForm.menus().engine().visible());
    EXPECT_EQ(w.txtAmount.text(), "0");
    EXPECT_FALSE(w.btnPrerpt.enabled());

    // Calculate > Loan, picked from the bar as a user would: nothing at all happens.
    calculate("10000", "7", "1");
    w.txtAmount.setText("5");
    std::string const monthly = w.lblMonPay.Caption();
    std::size_t const boxesBefore = boxes.size();
    int const rowsBefore = w.grid().rowCount();
    TRect calc = bar.barItem(1).rect;
    sendMouseDown(bar, calc.left + 3, calc.top + 3);
    ASSERT_TRUE(w.skinForm.menus().engine().visible());
    auto& calcMenu = w.skinForm.menus().engine().level(0);
    ASSERT_EQ(calcMenu.itemCount(), 4); // Loan, a separator and the two rounding models
    TRect loanItem = calcMenu.itemRect(0);
    sendMouseUp(calcMenu, loanItem.left + 5, loanItem.top + 5);
    app().processMessages();
    EXPECT_FALSE(w.skinForm.menus().engine().visible()); // the pick was taken, and closed the menu
    EXPECT_EQ(w.txtAmount.text(), "5");
    EXPECT_EQ(w.lblMonPay.Caption(), monthly);
    EXPECT_EQ(w.grid().rowCount(), rowsBefore);
    EXPECT_EQ(boxes.size(), boxesBefore);
    EXPECT_TRUE(opened.empty());
}

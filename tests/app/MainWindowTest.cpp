#include "AppTestSupport.h"

#include "controls/SkinInplaceEdit.h"
#include "support/RegionalPresets.h"
#include "support/SkipOrFailInCi.h"

#include "app/about/AboutForm.h"
#include "app/main/ProgramIdentity.h"
#include "runtime/core/DateTime.h"
#include "runtime/graphics/Bitmap.h"
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

namespace {

int lineCount(const std::string& text)
{
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    return lines;
}

} // namespace

TEST_F(MainWindowTest, LayoutFollowsTheDesign)
{
    TfrmMain& w = start();
    EXPECT_EQ(w.caption(), "Quorvane");
    EXPECT_EQ(w.clientWidth(), 714);
    EXPECT_EQ(w.clientHeight(), 460);
    EXPECT_EQ(w.bsSkinGroupBox1.boundsRect(), (TRect{16, 32, 16 + 681, 32 + 89}));
    EXPECT_EQ(w.txtAmount.left(), 136);
    EXPECT_EQ(w.txtRate.left(), 424);
    // Designed 17 high; the skin's button section keeps its own height of 20.
    EXPECT_EQ(w.btnCal.boundsRect(), (TRect{560, 64, 560 + 73, 64 + 20}));
    EXPECT_EQ(w.pageSchedule.boundsRect(), (TRect{16, 128, 16 + 681, 128 + 321}));
    EXPECT_EQ(w.pageSchedule.ActivePageIndex(), 0);
    EXPECT_EQ(w.schedule.gridPayment.boundsRect(), (TRect{16, 16, 16 + 609, 16 + 177}));
    EXPECT_EQ(w.lblMonPay.boundsRect(), (TRect{136, 224, 136 + 97, 224 + 17}));
    // Tab order: amount, rate, term, date, Calculate.
    std::vector<TControl*> chain;
    w.bsSkinGroupBox1.collectTabChain(chain);
    ASSERT_EQ(chain.size(), 5u);
    EXPECT_EQ(chain[0], &w.txtAmount);
    EXPECT_EQ(chain[1], &w.txtRate);
    EXPECT_EQ(chain[2], &w.txtTerm);
    EXPECT_EQ(chain[3], &w.txtLoanDate);
    EXPECT_EQ(chain[4], &w.btnCal);
    EXPECT_TRUE(w.txtAmount.focused());
}

TEST_F(MainWindowTest, MenuBarSpansTheClientWidthWhenTheWindowResizes)
{
    TfrmMain& w = start();
    EXPECT_EQ(w.skinMenubar.boundsRect(), (TRect{0, 0, 714, 22}));
    // Within the screen: the frame keeps a window inside the work area.
    w.setClientSize(760, 480);
    app().processMessages();
    ASSERT_EQ(w.clientWidth(), 760);
    EXPECT_EQ(w.skinMenubar.boundsRect(), (TRect{0, 0, 760, 22}));
    w.setClientSize(714, 460);
    app().processMessages();
    EXPECT_EQ(w.skinMenubar.width(), 714);
}

TEST_F(MainWindowTest, FirstStartShowsTheExampleLoanCalculatedInTheUsersFormats)
{
    auto firstStart = [&](const RegionalSettings& region, const char* total, const char* firstDate) {
        ScopedRegionalSettings scoped(region);
        std::filesystem::remove(test::exeDir() + "example.qvl");
        boxes.clear();
        TfrmMain& w = start();
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(w.txtAmount.text(), "200000");
        EXPECT_EQ(w.txtRate.text(), "5");
        EXPECT_EQ(w.txtTerm.text(), "30");
        EXPECT_EQ(w.txtLoanDate.Date(), encodeDate(2024, 3, 15));
        EXPECT_EQ(w.txtLoanDate.text(), dateToStr(encodeDate(2024, 3, 15)));
        EXPECT_EQ(w.lblTotalPay.Caption(), total);
        EXPECT_EQ(w.grid().rowCount(), 361);
        EXPECT_EQ(w.grid().cellText(1, 1), firstDate);
        EXPECT_EQ(w.schedule.gridPayment.ColWidths(0), 30);
        EXPECT_EQ(w.reportProjectFile(), test::exeDir() + "rptQVR1.rav");
        // Nothing is written before the close; what the close writes reads back.
        EXPECT_FALSE(std::filesystem::exists(test::exeDir() + "example.qvl"));
        w.close();
        app().processMessages();
        boxes.clear();
        TfrmMain& next = start();
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(next.lblTotalPay.Caption(), total);
        EXPECT_EQ(next.txtLoanDate.Date(), encodeDate(2024, 3, 15));
    };
    firstStart(RegionalSettings::posix(), "386688.68", "2024-04-15");
    firstStart(test::germanGermany(), "386688,68", "2024-04-15");

    // The regional settings as the system's own locales give them.
    std::string const saved = std::setlocale(LC_ALL, nullptr);
    int checked = 0;
    for (const char* locale : {"de_DE.UTF-8", "en_US.UTF-8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_ALL, locale) == nullptr)
            continue;
        RegionalSettings const read = RegionalSettings::fromLocale();
        std::setlocale(LC_ALL, saved.c_str());
        SCOPED_TRACE(locale);
        ++checked;
        std::string total = "386688.68";
        total[6] = read.decimalSeparator;
        firstStart(read, total.c_str(), "2024-04-15");
    }
    std::setlocale(LC_ALL, saved.c_str());
    if (checked == 0)
        SKIP_OR_FAIL_IN_CI("no real locale installed (scripts/deps.sh generates them)");
}

TEST_F(MainWindowTest, CalculateFillsLabelsAndSchedule)
{
    TfrmMain& w = start();
    boxes.clear();
    calculate("200000", "5", "30");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(w.lblMonPay.Caption(), "1074.13");
    EXPECT_EQ(w.lblTotalPay.Caption(), "386688.68");
    EXPECT_EQ(w.lblTotalInt.Caption(), "186688.68");
    EXPECT_EQ(w.lblSavePay.Caption(), "0");
    EXPECT_EQ(w.grid().rowCount(), 361);
    EXPECT_EQ(w.grid().cellText(2, 1), "834");
    EXPECT_EQ(w.grid().cellText(3, 1), "240.13");
    EXPECT_EQ(w.grid().cellText(5, 360), "0");
    EXPECT_TRUE(w.schedule.bsSkinScrollBar1.visible());
    // The grid's bar draws from the main window's skin, 16 wide at the grid's right edge.
    EXPECT_TRUE(w.schedule.bsSkinScrollBar1.skinned());
    EXPECT_EQ(w.schedule.bsSkinScrollBar1.boundsRect(), (TRect{608, 16, 624, 193}));
}

TEST_F(MainWindowTest, CalculateReportsDataAndRateErrorsAndCarriesOn)
{
    TfrmMain& w = start();
    calculate("10000", "7", "1");
    boxes.clear();
    calculate("10000", "7", "0");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Data Error!");
    EXPECT_EQ(boxes[0].caption, "Info");
    EXPECT_EQ(w.lblMonPay.Caption(), "865.25");
    EXPECT_EQ(w.grid().rowCount(), 13);

    boxes.clear();
    calculate("10000", "5,5", "1");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "number 44");
    EXPECT_EQ(boxes[0].caption, "error");
    EXPECT_FALSE(app().terminated());

    // A term that does not convert goes to the default error box.
    boxes.clear();
    w.txtTerm.setText("");
    sendClick(w.btnCal, 5, 5);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "'' is not a valid integer value");
    EXPECT_EQ(boxes[0].caption, "Quorvane");
}

TEST_F(MainWindowTest, NewResetsInputsAndDisablesReportAndChartForGood)
{
    TfrmMain& w = start();
    calculate("10000", "7", "1");
    w.mnuNewClick();
    EXPECT_EQ(w.txtAmount.text(), "0");
    EXPECT_EQ(w.txtRate.text(), "0");
    EXPECT_EQ(w.txtTerm.text(), "0");
    EXPECT_EQ(w.txtLoanDate.Date(), today());
    EXPECT_EQ(w.grid().rowCount(), 2);
    for (int col = 0; col < 6; ++col)
        EXPECT_EQ(w.grid().cellText(col, 1), "");
    EXPECT_EQ(w.grid().cellText(2, 2), "53.6"); // kept beyond the row count
    EXPECT_EQ(w.lblMonPay.Caption(), "865.25");       // results are not reset
    EXPECT_FALSE(w.btnPrerpt.enabled());
    EXPECT_FALSE(w.btnViewChart.enabled());
    calculate("10000", "7", "1");
    EXPECT_FALSE(w.btnPrerpt.enabled());
    EXPECT_FALSE(w.btnViewChart.enabled());
}

TEST_F(MainWindowTest, ClosingWritesTheExampleFileAndRemembersIt)
{
    TfrmMain& w = start();
    calculate("10000", "7", "1");
    w.close();
    app().processMessages();
    std::string example = test::readFile(test::exeDir() + "example.qvl");
    EXPECT_EQ(lineCount(example), 12 + 60);
    EXPECT_EQ(example.substr(0, 7), "10000\r\n");
    std::string ini = test::readFile(test::exeDir() + "info.ini");
    EXPECT_NE(ini.find("[user saved]"), std::string::npos);
    EXPECT_NE(ini.find("filename=" + test::exeDir() + "example.qvl"), std::string::npos);

    // The next start shows the loan as it was left.
    boxes.clear();
    TfrmMain& next = start();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(next.txtAmount.text(), "10000");
    EXPECT_EQ(next.lblMonPay.Caption(), "865.25");
    EXPECT_EQ(next.grid().rowCount(), 13);
}

TEST_F(MainWindowTest, ExitEndsWithCodeOneAndSavesNothing)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    test::writeFile(test::exeDir() + "example.qvl", "old example");
    test::writeFile(test::exeDir() + "info.ini", "[user saved]\nfilename=old\n");
    EXPECT_EXIT(
        {
            TfrmMain& w = start();
            calculate("10000", "7", "1");
            w.mnuExitClick();
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EQ(test::readFile(test::exeDir() + "example.qvl"), "old example");
    EXPECT_EQ(test::readFile(test::exeDir() + "info.ini"), "[user saved]\nfilename=old\n");
}

TEST_F(MainWindowTest, BadLineInTheRememberedFileIsReportedOnceAndStartUpGoesOn)
{
    std::string bad = test::exeDir() + "bad.qvl";
    test::writeFile(bad, "12x\r\n5\r\n0.00417\r\n30\r\n2024-03-15\r\n1074.13\r\n1\r\n1\r\n1\r\n1\r\n0\r\n360\r\n");
    test::writeFile(test::exeDir() + "info.ini", "[user saved]\nfilename=" + bad + "\n");
    TfrmMain& w = start();
    ASSERT_EQ(boxes.size(), 1u);
    // The message names the file it could not take.
    EXPECT_EQ(boxes[0].text, "'12x' is not a valid floating point value\n\n" + bad);
    EXPECT_EQ(boxes[0].caption, "Quorvane");
    EXPECT_TRUE(w.showing());
    // Nothing of the refused file is applied, and no placeholder shows as a result.
    EXPECT_EQ(w.txtAmount.text(), "0");
    EXPECT_EQ(w.txtLoanDate.Date(), today());
    for (TbsSkinStdLabel* label : {&w.lblMonPay, &w.lblTotalInt, &w.lblTotalPay, &w.lblSavePay})
        EXPECT_EQ(label->Caption(), "");
    EXPECT_EQ(w.grid().rowCount(), 2);

    // The same for a file that is not there at all.
    std::filesystem::remove(bad);
    test::writeFile(test::exeDir() + "example.qvl", "x");
    std::filesystem::remove(test::exeDir() + "info.ini");
    boxes.clear();
    TfrmMain& again = start();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(test::exeDir() + "example.qvl"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(again.lblMonPay.Caption(), "");
}

TEST_F(MainWindowTest, ARefusedLoadLeavesThePreviousLoanAndTheExampleFileIntact)
{
    std::string const example = test::exeDir() + "example.qvl";
    {
        TfrmMain& w = start();
        calculate("10000", "7", "1");
        w.close();
        app().processMessages();
    }
    std::string const saved = test::readFile(example);
    ASSERT_EQ(lineCount(saved), 72);

    // A damaged remembered file at start-up, then a normal close: the example survives.
    std::string const bad = test::exeDir() + "damaged.qvl";
    test::writeFile(bad, saved.substr(0, 300));
    test::writeFile(test::exeDir() + "info.ini", "[user saved]\nfilename=" + bad + "\n");
    boxes.clear();
    TfrmMain& damaged = start();
    ASSERT_EQ(boxes.size(), 1u);
    damaged.close();
    app().processMessages();
    EXPECT_EQ(test::readFile(example), saved);

    // Open of a damaged file keeps the loan on screen; the close then saves that loan.
    test::writeFile(test::exeDir() + "info.ini", "[user saved]\nfilename=" + example + "\n");
    boxes.clear();
    TfrmMain& w = start();
    ASSERT_TRUE(boxes.empty());
    calculate("20000", "5", "2");
    test::writeFile(bad, "20000\r\n5\r\nx\r\n");
    test::answerFileDialogs(w, bad);
    TApplication::guard([&] { w.mnuOpenClick(); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, bad + " ends at line 3; a loan file needs at least 12 lines");
    EXPECT_EQ(w.txtAmount.text(), "20000");
    EXPECT_EQ(w.grid().rowCount(), 25);
    w.close();
    app().processMessages();
    EXPECT_EQ(lineCount(test::readFile(example)), 12 + 120);
}

TEST_F(MainWindowTest, SaveAddsTheExtensionAndRemembersTheFileOpenReadsItBack)
{
    TfrmMain& w = start();
    calculate("123456.78", "5", "2");
    std::string typed = test::exeDir() + "myloan";
    test::answerFileDialogs(w, typed, [](TbsSkinFileDialogForm& dialog) {
        EXPECT_EQ(dialog.caption(), "Save file");
        EXPECT_EQ(dialog.filterSelector.Filter(), "Quorvel files|*.qvl");
    });
    w.mnuSaveClick();
    std::string saved = typed + ".qvl";
    ASSERT_TRUE(std::filesystem::exists(saved));
    EXPECT_NE(test::readFile(test::exeDir() + "info.ini").find("filename=" + saved), std::string::npos);

    w.mnuNewClick();
    test::answerFileDialogs(w, saved, [](TbsSkinFileDialogForm& dialog) { EXPECT_EQ(dialog.caption(), "Open file"); });
    w.mnuOpenClick();
    EXPECT_EQ(w.txtAmount.text(), "123456.78125");
    EXPECT_EQ(w.txtRate.text(), "5");
    EXPECT_EQ(w.txtTerm.text(), "2");
    EXPECT_EQ(w.grid().rowCount(), 25);

    // A cancelled dialog changes nothing.
    test::answerFileDialogs(w, "");
    w.txtAmount.setText("1");
    w.mnuOpenClick();
    EXPECT_EQ(w.txtAmount.text(), "1");

    // Saving over the file asks nothing and replaces it whole.
    calculate("5000", "5", "1");
    boxes.clear();
    test::answerFileDialogs(w, typed);
    w.mnuSaveClick();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(lineCount(test::readFile(saved)), 12 + 60);
    EXPECT_EQ(test::readFile(saved).substr(0, 6), "5000\r\n");
}

TEST_F(MainWindowTest, HelpWebSiteEmailAndAbout)
{
    TfrmMain& w = start();
    w.Help2Click();
    w.HomePage1Click();
    w.Email1Click();
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0], test::exeDir() + "quorvane-help.html");
    EXPECT_EQ(opened[1], "https://quorvane.com/");
    EXPECT_EQ(opened[2], "Mailto:support@quorvane.com?subject=About Quorvane");

    TfrmAbout about(nullptr, ui());
    w.frmAbout = &about;
    EXPECT_FALSE(about.showing());
    w.About1Click();
    w.About1Click();
    EXPECT_TRUE(about.showing());
    about.btnOk.Click();
    app().processMessages();
    EXPECT_FALSE(about.showing());
    w.About1Click();
    EXPECT_TRUE(about.showing());
    EXPECT_EQ(about.lblLinkUrl.URL(), "https://quorvane.com/");
    sendClick(about.lblLinkUrl, 3, 3);
    EXPECT_EQ(opened.back(), "https://quorvane.com/");
}

TEST_F(MainWindowTest, ChartButtonShowsTheChartPage)
{
    TfrmMain& w = start();
    w.btnViewChart.Click();
    EXPECT_EQ(w.pageSchedule.ActivePageIndex(), 1);
    EXPECT_TRUE(w.chartAmo.showing());
    EXPECT_FALSE(w.schedule.gridPayment.showing());
}

TEST_F(MainWindowTest, ChartFollowsCalculateAndItsButtons)
{
    TfrmMain& w = start();
    calculate("200000", "5", "30");
    EXPECT_EQ(w.chartPage.Series1().PointCount(), 359);
    EXPECT_EQ(w.chartPage.Series2().PointCount(), 359);
    w.btnViewChartClick();
    sendClick(w.btnDrawChart, 5, 5);
    EXPECT_EQ(w.chartPage.Series1().PointCount(), 718);
    sendClick(w.btnClearChart, 5, 5);
    EXPECT_EQ(w.chartPage.Series1().PointCount(), 0);
    EXPECT_EQ(w.chartPage.Series2().PointCount(), 0);
}

// The chart the page shows is the loan as it is when the page comes up, whether the
// loan came in while the page was hidden (start-up, Calculate on the first page) or
// while it was shown.
TEST_F(MainWindowTest, ChartPageShowsTheLoanThatCameInWhileItWasHidden)
{
    TfrmMain& w = start();
    TChart& onScreen = w.chartAmo.chart();
    int const startMonths = w.loan.totals.scheduleMonths;
    ASSERT_GT(startMonths, 1);
    // Nothing of the chart is built before its page is shown.
    EXPECT_EQ(onScreen.SeriesAt(0).PointCount(), 0);
    w.btnViewChartClick();
    EXPECT_EQ(onScreen.SeriesAt(0).PointCount(), startMonths - 1);

    calculate("50000", "3.5", "10");
    EXPECT_EQ(onScreen.SeriesAt(1).PointCount(), 119);

    w.pageSchedule.setActivePageIndex(0);
    calculate("200000", "5", "30");
    w.pageSchedule.setActivePageIndex(1);
    app().processMessages();
    EXPECT_EQ(onScreen.SeriesAt(0).PointCount(), 359);
    ChartPage straight;
    straight.redraw(w.loan.table, w.loan.totals.scheduleMonths);
    Bitmap shown(ChartPage::chartWidth, ChartPage::chartHeight);
    w.chartAmo.paintTo(shown.canvas());
    Bitmap expected(ChartPage::chartWidth, ChartPage::chartHeight);
    straight.chartAmo().Paint(expected.canvas());
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            differing += shown.pixel(x, y) != expected.pixel(x, y);
    EXPECT_EQ(differing, 0);
}

TEST_F(MainWindowTest, ClosingTheMainWindowEndsTheMessageLoopAfterSaving)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            auto& main = app().createForm<TfrmMain>(std::string(), ui());
            main.frmAbout = &app().createForm<TfrmAbout>(&main.skinData, ui());
            TTimer closer;
            closer.setInterval(20);
            closer.onTimer = [&] {
                closer.setEnabled(false);
                main.close();
            };
            closer.setEnabled(true);
            app().run();
            std::exit(app().terminated() && !main.showing() ? 7 : 8);
        },
        ::testing::ExitedWithCode(7), "");
    EXPECT_TRUE(std::filesystem::exists(test::exeDir() + "example.qvl"));
    EXPECT_NE(test::readFile(test::exeDir() + "info.ini").find("example.qvl"), std::string::npos);
}

// As the program starts: what the first frame does not show (the icons, the hidden
// About window) is made once that frame is painted, and then About opens.
TEST_F(MainWindowTest, WorkLeftForAfterTheFirstFrameRunsOnceTheWindowIsPainted)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            TControl::measureAfterFirstExposure();
            applyProgramIdentityAfterFirstFrame(app());
            auto& main = app().createForm<TfrmMain>(std::string(), ui());
            long paintsBeforeAbout = -1;
            bool const iconLate = main.icon(16).isEmpty();
            afterFirstFrame([&] {
                paintsBeforeAbout = main.lblMonPay.paintCount();
                main.frmAbout = &app().createForm<TfrmAbout>(&main.skinData, ui());
                // About opens at the next pass of the loop, once all that work is done.
                postToMainThread([&] {
                    main.About1Click();
                    bool const aboutShown = main.frmAbout && main.frmAbout->showing();
                    bool const iconGiven = !main.icon(16).isEmpty();
                    std::exit(iconLate && iconGiven && paintsBeforeAbout > 0 && aboutShown ? 7 : 8);
                });
            });
            app().run();
            std::exit(9);
        },
        ::testing::ExitedWithCode(7), "");
}

// What a session sends at logout: the window closes as at its close button and
// the loan on screen is saved.
TEST_F(MainWindowTest, ASignalToEndClosesTheWindowWithItsSave)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(signal);
        std::filesystem::remove(test::exeDir() + "example.qvl");
        EXPECT_EXIT(
            {
                auto& main = app().createForm<TfrmMain>(std::string(), ui());
                main.frmAbout = &app().createForm<TfrmAbout>(&main.skinData, ui());
                main.txtAmount.setText("10000");
                main.txtRate.setText("7");
                main.txtTerm.setText("1");
                main.btnCalClick();
                // An extra payment typed, its cell not left yet.
                main.showAndRaise();
                app().processMessages();
                auto& grid = main.schedule.gridPayment;
                grid.setFocus();
                grid.setRow(3);
                grid.setCol(4);
                sendChars(grid, "1000");
                ::kill(::getpid(), signal);
                app().run();
                std::exit(app().terminated() && !main.showing() ? 7 : 8);
            },
            ::testing::ExitedWithCode(7), "");
        std::string const saved = test::readFile(test::exeDir() + "example.qvl");
        EXPECT_EQ(saved.substr(0, 12), "10000\r\n7\r\n0.") << saved.substr(0, 40);
        // Interest saved (line 11) by the extra payment of month 3.
        EXPECT_NE(saved.find("\r\n52.64\r\n"), std::string::npos) << saved.substr(0, 120);
        EXPECT_NE(test::readFile(test::exeDir() + "info.ini").find("example.qvl"), std::string::npos);
    }
}

TEST_F(MainWindowTest, ExtraPaymentTypedIntoTheGridReamortizes)
{
    TfrmMain& w = start();
    calculate("10000", "7", "1");
    auto& grid = w.schedule.gridPayment;
    grid.setFocus();
    grid.setRow(3);
    grid.setCol(4);
    sendChars(grid, "1000");
    sendKeyStroke(grid, VK_RETURN);
    app().processMessages();
    EXPECT_EQ(grid.Col(), 5);
    EXPECT_EQ(w.grid().rowCount(), 12);
    EXPECT_EQ(w.grid().cellText(5, 3), "6565.01");
    EXPECT_EQ(w.lblTotalInt.Caption(), "330.36");
    EXPECT_EQ(w.lblSavePay.Caption(), "52.64");
    EXPECT_EQ(w.lblTotalPay.Caption(), "10330.36");
}

namespace {

// Picks an item of the Calculate menu with the mouse, as a user does.
void pickCalculateItem(TfrmMain& w, int index)
{
    TRect calc = w.skinMenubar.barItem(1).rect;
    sendMouseDown(w.skinMenubar, calc.left + 3, calc.top + 3);
    ASSERT_TRUE(w.skinForm.menus().engine().visible());
    auto& menu = w.skinForm.menus().engine().level(0);
    TRect item = menu.itemRect(index);
    sendMouseUp(menu, item.left + 5, item.top + 5);
    app().processMessages();
}

constexpr int classicRoundingItem = 2;
constexpr int bankRoundingItem = 3;

} // namespace

TEST_F(MainWindowTest, SwitchingRoundingRecalculatesWithTheExtraPaymentsInPlace)
{
    TfrmMain& w = start();
    TMenuItem& classic = *w.MainMenu1.find("mnuClassicRounding");
    TMenuItem& bank = *w.MainMenu1.find("mnuBankRounding");
    EXPECT_TRUE(classic.checked());
    EXPECT_FALSE(bank.checked());
    EXPECT_TRUE(classic.radioItem() && bank.radioItem());

    calculate("10000", "7", "1");
    auto& grid = w.schedule.gridPayment;
    grid.setFocus();
    grid.setRow(3);
    grid.setCol(4);
    sendChars(grid, "1000");
    sendKeyStroke(grid, VK_RETURN);
    app().processMessages();
    ASSERT_EQ(w.lblTotalInt.Caption(), "330.36");

    boxes.clear();
    pickCalculateItem(w, bankRoundingItem);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(bank.checked());
    EXPECT_FALSE(classic.checked());
    EXPECT_EQ(w.loan.record.rounding, RoundingModel::Bank);
    EXPECT_EQ(w.lblMonPay.Caption(), "865.27");
    EXPECT_EQ(w.grid().cellText(4, 3), "1000");
    EXPECT_EQ(w.grid().cellText(5, 3), "6565.04");
    EXPECT_EQ(w.grid().rowCount(), 12);
    EXPECT_EQ(w.lblTotalInt.Caption(), "330.56");
    EXPECT_EQ(w.lblSavePay.Caption(), "52.66");
    EXPECT_EQ(w.lblTotalPay.Caption(), "10330.56");
    EXPECT_NE(test::readFile(test::exeDir() + "info.ini").find("rounding=bank"), std::string::npos);

    // An extra payment typed now re-amortizes in the bank model.
    grid.setFocus();
    grid.setRow(5);
    grid.setCol(4);
    sendChars(grid, "500");
    sendKeyStroke(grid, VK_RETURN);
    app().processMessages();
    EXPECT_EQ(w.loan.extraPayments(), (std::vector<std::pair<int, std::string>>{{3, "1000"}, {5, "500"}}));
    std::string const bankInterest = w.lblTotalInt.Caption();

    pickCalculateItem(w, classicRoundingItem);
    EXPECT_TRUE(classic.checked());
    EXPECT_EQ(w.lblMonPay.Caption(), "865.25");
    EXPECT_EQ(w.grid().cellText(4, 5), "500");
    EXPECT_NE(w.lblTotalInt.Caption(), bankInterest);
    pickCalculateItem(w, bankRoundingItem);
    EXPECT_EQ(w.lblTotalInt.Caption(), bankInterest); // the same loan comes back to the cent

    // The closing save keeps the model with the loan, and the next start both loads
    // it and offers bank rounding for new loans.
    w.close();
    app().processMessages();
    EXPECT_NE(test::readFile(test::exeDir() + "example.qvl").find("\r\nrounding=bank\r\n"), std::string::npos);
    form.reset();
    app().processMessages();
    TfrmMain& again = start();
    EXPECT_TRUE(again.MainMenu1.find("mnuBankRounding")->checked());
    EXPECT_EQ(again.loan.record.rounding, RoundingModel::Bank);
    EXPECT_EQ(again.lblTotalInt.Caption(), bankInterest);
    calculate("162000", "3.875", "30");
    EXPECT_EQ(again.lblMonPay.Caption(), "761.78");
}

TEST_F(MainWindowTest, AnErrorWhileSavingOnCloseKeepsTheWindowOpen)
{
    TfrmMain& w = start();
    boxes.clear();
    // A folder where the example file should go: it cannot be replaced.
    std::filesystem::create_directories(test::exeDir() + "example.qvl/x");
    w.close();
    app().processMessages();
    std::filesystem::remove_all(test::exeDir() + "example.qvl");
    EXPECT_TRUE(w.showing());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Quorvane");
    EXPECT_FALSE(std::filesystem::exists(test::exeDir() + "info.ini"));
}

TEST_F(MainWindowTest, ReportWithoutItsProjectFileReportsTheMissingFile)
{
    TfrmMain& w = start();
    calculate("10000", "7", "1");
    boxes.clear();
    sendClick(w.btnPrerpt, 5, 5);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Quorvane");
    EXPECT_NE(boxes[0].text.find("rptQVR1.rav"), std::string::npos);
    EXPECT_FALSE(w.RvProject1.Active());
}

TEST_F(MainWindowTest, ReportGoesFromTheOutputOptionsToThePreviewOfEveryPage)
{
    std::filesystem::copy_file(QV_REPORT_PROJECT, test::exeDir() + "rptQVR1.rav",
        std::filesystem::copy_options::overwrite_existing);
    TfrmMain& w = start();
    calculate("200000", "6.5", "30");
    boxes.clear();
    opened.clear();
    // The output options come first; OK there goes on to the preview destination.
    std::string setupCaption;
    test::AnswerEachShown<TRPSetupForm> ok(currentSetupWindow, [&](TRPSetupForm& setup) {
        setupCaption = setup.caption();
        EXPECT_TRUE(setup.PreviewRB.checked());
        sendClick(setup.bbtnOK, 10, 10);
    });
    std::string caption, firstPage, lastPage;
    test::ClosePreviews close([&](TRpPreviewForm& preview) {
        caption = preview.caption();
        firstPage = preview.StatusBar1.simpleText();
        sendChars(preview.ScrollBox1, "E");
        lastPage = preview.StatusBar1.simpleText();
    });
    sendClick(w.btnPrerpt, 5, 5);
    std::filesystem::remove(test::exeDir() + "rptQVR1.rav");
    EXPECT_EQ(setupCaption, "Output Options");
    EXPECT_EQ(close.shown(), 1);
    EXPECT_EQ(caption, "Report Preview");
    EXPECT_EQ(firstPage, "Page 1 of 8");
    EXPECT_EQ(lastPage, "Page 8 of 8");
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(opened.empty()) << "nothing is handed to another program";
    EXPECT_EQ(currentPreviewWindow(), nullptr);
    EXPECT_FALSE(w.RvProject1.Active()); // the Report command closes the project again
}

TEST_F(MainWindowTest, ReportShowsWhatIsWrongWithADamagedProject)
{
    std::string const project = test::exeDir() + "rptQVR1.rav";
    std::string damaged = test::readFile(QV_REPORT_PROJECT);
    ASSERT_NE(damaged.find("TRpDataView"), std::string::npos);
    damaged.replace(damaged.find("TRpDataView"), 11, "TRpDataVieX");
    TfrmMain& w = start();
    calculate("10000", "7", "1");

    test::writeFile(project, "");
    boxes.clear();
    sendClick(w.btnPrerpt, 5, 5);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Invalid Project Format");

    test::AcceptOutputOptions accept;
    test::ClosePreviews close;
    test::writeFile(project, damaged);
    boxes.clear();
    opened.clear();
    sendClick(w.btnPrerpt, 5, 5);
    std::filesystem::remove(project);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0].caption, "Quorvane");
    EXPECT_NE(boxes[0].text.find("Unknown class \"TRpDataVieX\" found."), std::string::npos);
    for (auto const& file : opened)
        std::filesystem::remove(file);
}

TEST_F(MainWindowTest, ReportCancelledInTheOutputOptionsDeliversNothing)
{
    std::filesystem::copy_file(QV_REPORT_PROJECT, test::exeDir() + "rptQVR1.rav",
        std::filesystem::copy_options::overwrite_existing);
    TfrmMain& w = start();
    calculate("10000", "7", "1");
    boxes.clear();
    opened.clear();
    test::AnswerEachShown<TRPSetupForm> cancel(
        currentSetupWindow, [](TRPSetupForm& setup) { sendKeyStroke(setup.CopiesED, VK_ESCAPE); });
    sendClick(w.btnPrerpt, 5, 5);
    std::filesystem::remove(test::exeDir() + "rptQVR1.rav");
    EXPECT_EQ(cancel.shown(), 1) << "the output options were shown";
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(w.RvProject1.Active());
}

namespace {

// Every skinned control under root, with the path of names that leads to it.
void collectSkinned(TWinControl& root, std::vector<std::pair<std::string, TbsSkinNoticeListener*>>& out)
{
    for (TControl* child : root.controls()) {
        if (auto* skinned = dynamic_cast<TbsSkinNoticeListener*>(child))
            out.emplace_back(root.name() + "/" + child->name(), skinned);
        if (auto* holder = dynamic_cast<TWinControl*>(child))
            collectSkinned(*holder, out);
    }
}

} // namespace

TEST_F(MainWindowTest, EverySkinnedControlOfBothWindowsIsBoundToTheMainWindowsSkin)
{
    TfrmMain& w = start();
    TfrmAbout about(&w.skinData);
    std::vector<std::pair<std::string, TbsSkinNoticeListener*>> skinned;
    collectSkinned(w, skinned);
    const size_t mainCount = skinned.size();
    collectSkinned(about, skinned);
    // Menu bar, group box, 6 + 8 labels, 4 edits, 5 buttons, page control, grid, scroll bar.
    EXPECT_EQ(mainCount, 28u);
    // 4 labels, the link and OK.
    EXPECT_EQ(skinned.size() - mainCount, 6u);
    for (auto& [path, control] : skinned) {
        EXPECT_EQ(control->SkinData(), &w.skinData) << path;
        EXPECT_GE(control->sectionIndex(), 0) << path;
    }
    // The labels take the skin's label font; the titles take it in bold.
    const auto& stdlabel = dynamic_cast<const TbsDataSkinStdLabelControl&>(
        w.skinData.skinControl(w.skinData.FindSkinControl("stdlabel")));
    EXPECT_TRUE(w.bsSkinStdLabel3.UseSkinFont());
    EXPECT_TRUE(about.lblName.UseSkinFont());
    for (TbsSkinStdLabel* title : {&w.lblTitle1, &w.lblTitle2, &w.lblTitle3, &w.lblTitle4}) {
        EXPECT_EQ(title->font().name, stdlabel.Font.FontName);
        EXPECT_EQ(title->font().cellHeight, stdlabel.Font.FontHeight);
        EXPECT_EQ(title->font().style, stdlabel.Font.FontStyle | fsBold);
    }
    // Titles end before the figures beside them start.
    for (auto [title, figure] : {std::pair{&w.lblTitle1, &w.lblMonPay}, std::pair{&w.lblTitle2, &w.lblTotalInt},
                                 std::pair{&w.lblTitle3, &w.lblTotalPay}, std::pair{&w.lblTitle4, &w.lblSavePay}})
        EXPECT_LT(title->left() + title->width(), figure->left()) << title->Caption();
    Bitmap probe(1, 1);
    probe.canvas().font.name = stdlabel.Font.FontName;
    probe.canvas().font.cellHeight = stdlabel.Font.FontHeight;
    EXPECT_EQ(w.bsSkinStdLabel3.width(), probe.canvas().textWidth("Loan Amount:"));
    EXPECT_EQ(w.bsSkinStdLabel3.height(), stdlabel.Font.FontHeight);
}

namespace {

// Paints so far of every self-painting control under root, with the path of names that leads to it.
void collectPaints(TWinControl& root, std::vector<std::pair<std::string, long>>& out)
{
    for (TControl* child : root.controls()) {
        if (auto* custom = dynamic_cast<TCustomControl*>(child))
            out.emplace_back(root.name() + "/" + child->name(), custom->paintCount());
        if (auto* holder = dynamic_cast<TWinControl*>(child))
            collectPaints(*holder, out);
    }
}

// Runs the window's timers for the given time, with the message loop between ticks as it
// would run. The longest period any timer of the window uses is the popup menu's and the
// scroll bar's 500 ms; the hover polls take 50, the fades 20, the frame's animation 25.
void runTimersFor(TManualTimerClock& clock, int milliseconds)
{
    constexpr int step = 5;
    for (int passed = 0; passed < milliseconds; passed += step) {
        clock.advance(step);
        app().processMessages();
    }
}

constexpr int longestTimerPeriod = 500;

} // namespace

// Started as the program starts, the window measures its text only once it is on
// screen, where the fonts are loaded: its first frame is the same, whole, and no
// control paints a second time to mend it.
TEST_F(MainWindowTest, AWindowMeasuredOnScreenShowsTheSameWholeFirstFrame)
{
    TfrmMain& measuredFirst = start();
    std::vector<std::pair<std::string, long>> expectedPaints;
    collectPaints(measuredFirst, expectedPaints);
    Bitmap const expected = screenImage(measuredFirst);
    std::string const amount = measuredFirst.txtAmount.text();
    form.reset();
    app().processMessages();

    TControl::measureAfterFirstExposure();
    TfrmMain& w = start();
    std::vector<std::pair<std::string, long>> paints;
    collectPaints(w, paints);
    Bitmap const shown = screenImage(w);
    TControl::settleMeasures();

    EXPECT_EQ(paints, expectedPaints);
    ASSERT_EQ(shown.width(), expected.width());
    ASSERT_EQ(shown.height(), expected.height());
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            differing += shown.pixel(x, y) != expected.pixel(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(w.txtAmount.text(), amount);
}

// A window left alone paints nothing: no control may ask for another paint while painting,
// and no timer (hover poll, fade, repeat) may repaint what has not changed.
TEST_F(MainWindowTest, AnIdleWindowDoesNotRepaint)
{
    TfrmMain& w = start();
    TManualTimerClock clock;
    w.txtAmount.setText("200000");
    w.txtRate.setText("6.5");
    w.txtTerm.setText("30");
    sendClick(w.btnCal, 5, 5);
    // The click's own fades run out first.
    runTimersFor(clock, 2 * longestTimerPeriod);
    std::vector<std::pair<std::string, long>> before;
    collectPaints(w, before);
    ASSERT_GT(before.size(), 20u);
    long painted = 0;
    for (auto& [path, count] : before)
        painted += count;
    EXPECT_GT(painted, 0);
    // The caption and borders are painted apart from the controls.
    long const framePaints = w.framePaintCount();
    EXPECT_GT(framePaints, 0);
    runTimersFor(clock, 2 * longestTimerPeriod);
    std::vector<std::pair<std::string, long>> after;
    collectPaints(w, after);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i].second, before[i].second) << after[i].first;
    EXPECT_EQ(w.framePaintCount(), framePaints);
    // A change still repaints what it touches.
    long const buttonPaints = w.btnCal.paintCount();
    w.btnCal.invalidate();
    app().processMessages();
    EXPECT_GT(w.btnCal.paintCount(), buttonPaints);
    w.setCaption(w.caption() + " ");
    app().processMessages();
    EXPECT_GT(w.framePaintCount(), framePaints);
}

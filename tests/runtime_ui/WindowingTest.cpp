#include "UiTestApp.h"

#include "runtime/core/Exception.h"
#include "runtime/ui/CustomEdit.h"
#include "runtime/ui/FirstFrame.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/Menus.h"
#include "runtime/ui/PopupWindow.h"
#include "runtime/ui/Shell.h"
#include "runtime/ui/Timer.h"
#include "runtime/ui/UiServices.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

using namespace qv;

namespace {

class Painted : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TColor fill = clRed;

protected:
    void paint(Canvas& canvas) override
    {
        canvas.brush.color = fill;
        canvas.fillRect(clientRect());
    }
};

struct TwoFields : TForm {
    TwoFields()
    {
        first.setBounds(10, 10, 80, 20);
        second.setBounds(10, 40, 80, 20);
        first.setTabOrder(0);
        second.setTabOrder(1);
        setClientSize(200, 100);
    }
    TCustomEdit first{this};
    TCustomEdit second{this};
};

class Windowing : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::app();
        test::recordMessageBoxes();
    }
};

} // namespace

TEST_F(Windowing, KeyPressHandlerCanDiscardOrReplaceCharacters)
{
    TwoFields form;
    form.showAndRaise();
    form.first.onKeyPress = [](char& key) {
        if (key == 'x')
            key = 0;
        else if (key == ',')
            key = '.';
    };
    form.first.setFocus();
    sendChars(form.first, "1x,5");
    EXPECT_EQ(form.first.text(), "1.5");
    sendKeyStroke(form.first, VK_BACK);
    EXPECT_EQ(form.first.text(), "1.");
}

TEST_F(Windowing, EveryKeyReachesOnKeyDownOnce)
{
    TwoFields form;
    form.showAndRaise();
    form.first.setFocus();
    std::vector<int> keys;
    form.first.onKeyDown = [&](int& key, unsigned) { keys.push_back(key); };
    sendKeyStroke(form.first, VK_F1); // of no use to the line editor
    sendChars(form.first, "7");
    sendKeyStroke(form.first, VK_LEFT);
    EXPECT_EQ(keys, (std::vector<int>{VK_F1, '7', VK_LEFT}));
}

TEST_F(Windowing, OnShowRunsWhenTheProgramShowsTheWindowNotWhenItIsRestored)
{
    TwoFields form;
    int shows = 0;
    form.onShow = [&] { ++shows; };
    form.showAndRaise();
    test::app().processMessages();
    EXPECT_EQ(shows, 1);
    form.showAndRaise(); // already visible
    sendMinimizeAndRestore(form);
    test::app().processMessages();
    EXPECT_EQ(shows, 1);
    form.setVisible(false);
    form.showAndRaise();
    test::app().processMessages();
    EXPECT_EQ(shows, 2);
}

TEST_F(Windowing, LeavingAFieldRunsItsExitHandlerOnce)
{
    TwoFields form;
    form.showAndRaise();
    test::app().processMessages();
    int exits = 0;
    form.first.onExit = [&] { ++exits; };
    form.first.setFocus();
    test::app().processMessages();
    sendTab(form.first);
    test::app().processMessages();
    EXPECT_TRUE(form.second.focused());
    EXPECT_EQ(form.activeControl(), &form.second);
    EXPECT_EQ(exits, 1);
}

TEST_F(Windowing, ErrorsLeavingHandlersGoToTheDefaultErrorBox)
{
    test::app().setTitle("Quorvane");
    bool ok = TApplication::guard([] { throw EConvertError("'x' is not a valid integer value"); });
    EXPECT_FALSE(ok);
    ASSERT_EQ(test::recordedBoxes().size(), 1u);
    EXPECT_EQ(test::recordedBoxes()[0].text, "'x' is not a valid integer value");
    EXPECT_EQ(test::recordedBoxes()[0].caption, "Quorvane");
    EXPECT_EQ(test::recordedBoxes()[0].flags & MB_ICONERROR, unsigned(MB_ICONERROR));

    TMenuItem item("mnuBoom", "&Boom");
    item.onClick = [] { throw Exception("File not found"); };
    item.click();
    ASSERT_EQ(test::recordedBoxes().size(), 2u);
    EXPECT_EQ(test::recordedBoxes()[1].text, "File not found");
}

TEST_F(Windowing, FormCreationErrorIsShownAndCreationContinues)
{
    struct Failing : TForm {
        Failing()
        {
            onCreate = [this] {
                step = 1;
                throw Exception("File not found");
            };
        }
        int step = 0;
    };
    // The application keeps the form; a second main form is never made here.
    auto& form = test::app().createForm<Failing>();
    EXPECT_EQ(form.step, 1);
    ASSERT_EQ(test::recordedBoxes().size(), 1u);
    EXPECT_EQ(test::recordedBoxes()[0].text, "File not found");
}

// Work left for after the first frame by an object that is gone by then (a window
// closed at once) must not run on what is left of it; the rest runs once.
TEST_F(Windowing, FirstFrameWorkOfAnOwnerGoneBeforeTheFrameIsDropped)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            int dropped = 0;
            int kept = 0;
            { FirstFrameWork gone([&] { ++dropped; }); }
            FirstFrameWork stays([&] { ++kept; });
            bool const pendingBefore = stays.pending();
            auto& form = test::app().createForm<TwoFields>();
            form.setBounds(0, 0, 200, 100);
            afterFirstFrame([&] { std::exit(dropped == 0 && kept == 1 && pendingBefore && !stays.pending() ? 7 : 8); });
            test::app().run();
            std::exit(9);
        },
        ::testing::ExitedWithCode(7), "");
}

TEST_F(Windowing, CustomControlPaintsThroughItsOffScreenBitmap)
{
    TwoFields form;
    Painted box(&form);
    box.setBounds(100, 10, 30, 30);
    box.fill = clLime;
    form.showAndRaise();
    test::app().processMessages();
    EXPECT_EQ(screenPixel(box, 5, 5), clLime);
    // The edit's default frame: shadow outside, window colour inside.
    EXPECT_EQ(screenPixel(form.first, 0, 0), colorToRGB(clBtnShadow));
    EXPECT_EQ(screenPixel(form.first, 40, 10), colorToRGB(clWindow));
}

TEST_F(Windowing, TimersFireInTimeOrderEveryIntervalOnTheManualClock)
{
    TManualTimerClock clock;
    std::int64_t const start = clock.now();
    EXPECT_EQ(tickCount(), start);
    std::vector<std::pair<char, std::int64_t>> fired;
    TTimer fast;
    fast.setInterval(5);
    fast.onTimer = [&] { fired.emplace_back('f', tickCount()); };
    fast.setEnabled(true);
    auto slow = std::make_unique<TTimer>();
    slow->setInterval(7);
    slow->onTimer = [&] { fired.emplace_back('s', tickCount()); };
    slow->setEnabled(true);

    clock.advance(4);
    EXPECT_TRUE(fired.empty());
    clock.advance(11);
    using Ticks = std::vector<std::pair<char, std::int64_t>>;
    EXPECT_EQ(fired,
              (Ticks{{'f', start + 5}, {'s', start + 7}, {'f', start + 10}, {'s', start + 14}, {'f', start + 15}}));
    EXPECT_EQ(tickCount(), start + 15);

    // A handler may stop its own timer and free another one that is about to fall due.
    fired.clear();
    fast.onTimer = [&] {
        fired.emplace_back('f', tickCount());
        fast.setEnabled(false);
        slow.reset();
    };
    fast.setInterval(5); // counts from now: due at start + 20, the slow one at start + 21
    clock.advance(100);
    EXPECT_EQ(fired, (Ticks{{'f', start + 20}}));
    EXPECT_EQ(slow, nullptr);

    // A new interval counts from the change; a disabled timer stays quiet until enabled.
    fired.clear();
    fast.onTimer = [&] { fired.emplace_back('f', tickCount()); };
    fast.setEnabled(true);
    clock.advance(4);
    EXPECT_TRUE(fired.empty());
    clock.advance(1);
    EXPECT_EQ(fired, (Ticks{{'f', start + 120}}));
}

TEST_F(Windowing, SaveDialogAddsTheFilterExtensionUnlessItIsThereInAnyCase)
{
    EXPECT_EQ(TFileDialog::withFilterExtension("/d/myloan", "*.qvl"), "/d/myloan.qvl");
    EXPECT_EQ(TFileDialog::withFilterExtension("/d/myloan.txt", "*.qvl"), "/d/myloan.txt.qvl");
    EXPECT_EQ(TFileDialog::withFilterExtension("/d/MYLOAN.QVL", "*.qvl"), "/d/MYLOAN.QVL");
    EXPECT_EQ(TFileDialog::withFilterExtension("/d.x/loan", "*.qvl"), "/d.x/loan.qvl");
    EXPECT_EQ(TFileDialog::withFilterExtension("/d/loan", "*.*"), "/d/loan");
}

TEST_F(Windowing, OpenDialogReturnsOnlyAnExistingFile)
{
    TFileDialog open(TFileDialog::Mode::Open);
    open.filter = "Quorvel files|*.qvl";
    EXPECT_EQ(open.title, "Open file");
    EXPECT_EQ(open.selectedPattern(), "*.qvl");
    UiServices ui;
    ui.chooseFile = [](const TFileDialog&) { return std::optional<std::string>("/nonexistent/loan.qvl"); };
    EXPECT_FALSE(open.execute(ui));
    ui.chooseFile = [](const TFileDialog&) { return std::optional<std::string>(); };
    EXPECT_FALSE(open.execute(ui));
}

TEST_F(Windowing, CommandLineThatCannotRunReportsFailure)
{
    EXPECT_FALSE(runCommandLine("hh.exe loan.chm"));
    EXPECT_FALSE(runCommandLine(""));
}

TEST(Menus, AcceleratorMarksAreStripped)
{
    EXPECT_EQ(stripAccelerator("E&xit"), "Exit");
    EXPECT_EQ(stripAccelerator("Save && Quit"), "Save & Quit");
    TMainMenu menu;
    auto& file = menu.items().add("mnuFile", "&File");
    file.add("mnuNew", "&New");
    EXPECT_NE(menu.find("mnuNew"), nullptr);
    EXPECT_EQ(menu.find("nothing"), nullptr);
}

TEST_F(Windowing, TabChainFollowsTabOrderNotCreationOrder)
{
    struct Reordered : TForm {
        Reordered()
        {
            a.setBounds(10, 10, 80, 20);
            b.setBounds(10, 40, 80, 20);
            c.setBounds(10, 70, 80, 20);
            c.setTabOrder(0);
            a.setTabOrder(1);
            b.setTabOrder(2);
        }
        TCustomEdit a{this};
        TCustomEdit b{this};
        TCustomEdit c{this};
    } form;
    std::vector<TControl*> chain;
    form.collectTabChain(chain);
    ASSERT_EQ(chain.size(), 3u);
    EXPECT_EQ(chain[0], &form.c);
    EXPECT_EQ(chain[1], &form.a);
    EXPECT_EQ(chain[2], &form.b);
    form.showAndRaise();
    form.c.setFocus();
    test::app().processMessages();
    sendTab(form.c);
    EXPECT_TRUE(form.a.focused());
    sendTab(form.a);
    EXPECT_TRUE(form.b.focused());
}

TEST_F(Windowing, TransparentControlShowsItsParentBehindIt)
{
    TwoFields form;
    Painted back(&form);
    back.setBounds(100, 0, 60, 60);
    back.fill = clYellow;
    struct Dot : TCustomControl {
        using TCustomControl::TCustomControl;
        void paint(Canvas& canvas) override
        {
            canvas.brush.color = clBlue;
            canvas.fillRect(TRect{0, 0, 2, 2});
        }
    } dot(&back);
    dot.setTransparent(true);
    dot.setBounds(10, 10, 20, 20);
    form.showAndRaise();
    test::app().processMessages();
    EXPECT_EQ(screenPixel(dot, 0, 0), clBlue);
    EXPECT_EQ(screenPixel(dot, 10, 10), clYellow);
}

TEST_F(Windowing, ClosingASecondaryFormHidesItAndAnErrorInOnCloseKeepsItOpen)
{
    TwoFields form;
    form.showAndRaise();
    int closes = 0;
    form.onClose = [&](TCloseAction& action) {
        ++closes;
        EXPECT_EQ(action, TCloseAction::Hide);
    };
    form.close();
    test::app().processMessages();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(form.showing());

    form.showAndRaise();
    form.onClose = [](TCloseAction&) { throw Exception("Unable to write to info.ini"); };
    form.close();
    test::app().processMessages();
    EXPECT_TRUE(form.showing());
    ASSERT_EQ(test::recordedBoxes().size(), 1u);
    EXPECT_EQ(test::recordedBoxes()[0].text, "Unable to write to info.ini");
    form.onClose = nullptr;
    EXPECT_FALSE(test::app().terminated());
}

TEST_F(Windowing, PopupWindowReportsItsClosing)
{
    TPopupWindow popup;
    int closed = 0;
    popup.onClosed = [&] { ++closed; };
    popup.popup(TRect{50, 50, 150, 120});
    EXPECT_TRUE(popup.isOpen());
    EXPECT_EQ(popup.width(), 100);
    popup.closePopup();
    EXPECT_FALSE(popup.isOpen());
    EXPECT_EQ(closed, 1);
    TRect area = screenWorkArea(TPoint{60, 60});
    EXPECT_FALSE(area.isEmpty());
}

TEST_F(Windowing, EnterAndEscapeOnlyReachOnKeyPress)
{
    TwoFields form;
    form.showAndRaise();
    std::string seen;
    form.first.onKeyPress = [&](char& key) { seen += std::to_string(int(key)) + " "; };
    form.first.setFocus();
    form.first.setText("12");
    form.first.setCaretPosition(2);
    sendKeyStroke(form.first, VK_RETURN);
    sendKeyStroke(form.first, VK_ESCAPE);
    EXPECT_EQ(seen, "13 27 ");
    EXPECT_EQ(form.first.text(), "12");
    form.first.setReadOnly(true);
    sendChars(form.first, "3");
    EXPECT_EQ(form.first.text(), "12");
}

#include "UiTestApp.h"

#include "runtime/core/Exception.h"
#include "runtime/ui/CustomEdit.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/Menus.h"
#include "runtime/ui/Shell.h"
#include "runtime/ui/Timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

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
    void TearDown() override { setMessageBoxHook(nullptr); }
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

TEST_F(Windowing, TimerFiresOnTheMessageLoop)
{
    TTimer timer;
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    timer.setInterval(5);
    timer.setEnabled(true);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (ticks < 2 && std::chrono::steady_clock::now() < deadline) {
        test::app().processMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    timer.setEnabled(false);
    EXPECT_GE(ticks, 2);
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
    setFileDialogHook([](const TFileDialog&) { return std::optional<std::string>("/nonexistent/loan.qvl"); });
    EXPECT_FALSE(open.execute());
    setFileDialogHook([](const TFileDialog&) { return std::optional<std::string>(); });
    EXPECT_FALSE(open.execute());
    setFileDialogHook(nullptr);
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

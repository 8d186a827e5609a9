#include "UiTestApp.h"

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/CustomEdit.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Input.h"

#include <gtest/gtest.h>

#include <memory>

using namespace qv;

namespace {

constexpr int placedWidth = 30;
constexpr int measuredWidth = 90;

// Takes its width from a "measure", and remembers the width its paints saw.
class Sized : public TCustomControl {
public:
    explicit Sized(TWinControl* parent) : TCustomControl(parent) { setBounds(4, 4, placedWidth, 20); }
    using TControl::Measured;
    using TControl::requestMeasure;
    int measures = 0;
    int widthAtFirstPaint = 0;

protected:
    void measure() override
    {
        ++measures;
        setBounds(boundsAsPlaced().left, boundsAsPlaced().top, measuredWidth, 20);
    }
    void paint(Canvas& canvas) override
    {
        if (paintCount() == 1)
            widthAtFirstPaint = boundsAsPlaced().width();
        TCustomControl::paint(canvas);
    }
};

struct MeasuredWindow : TForm {
    MeasuredWindow() { setClientSize(200, 100); }
    Sized control{this};
};

class DeferredMeasure : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::app();
        TControl::measureAfterFirstExposure();
    }
    // Later tests measure at once again.
    void TearDown() override { TControl::settleMeasures(); }
};

} // namespace

TEST_F(DeferredMeasure, WaitsUntilTheSizeIsReadAndThenRunsAtOnceOnlyWhileStillWaiting)
{
    MeasuredWindow window;
    Sized& c = window.control;
    c.requestMeasure();
    c.requestMeasure();
    EXPECT_EQ(c.measures, 0);
    EXPECT_EQ(c.left(), 4); // the position does not depend on the text
    EXPECT_EQ(c.measures, 0);
    EXPECT_EQ(c.width(), measuredWidth);
    EXPECT_EQ(c.measures, 1);
    EXPECT_EQ(c.height(), 20);
    EXPECT_EQ(c.measures, 1);

    // A measure that decides only what is shown leaves reading the size alone.
    c.requestMeasure(Sized::Measured::Content);
    EXPECT_EQ(c.width(), measuredWidth);
    EXPECT_EQ(c.measures, 1);
    TControl::settleMeasures();
    EXPECT_EQ(c.measures, 2);
    // Once settled, every measure runs as it is asked for.
    c.requestMeasure(Sized::Measured::Content);
    EXPECT_EQ(c.measures, 3);
}

TEST_F(DeferredMeasure, RunsBeforeTheFirstPaintOfAWindowComingOnScreen)
{
    MeasuredWindow window;
    window.control.requestMeasure();
    window.showAndRaise();
    test::app().processMessages();
    ASSERT_GT(window.control.paintCount(), 0);
    EXPECT_EQ(window.control.measures, 1);
    EXPECT_EQ(window.control.widthAtFirstPaint, measuredWidth);
}

TEST_F(DeferredMeasure, AControlFreedWhileItsMeasureWaitsIsForgotten)
{
    MeasuredWindow window;
    auto gone = std::make_unique<Sized>(&window);
    gone->requestMeasure();
    window.control.requestMeasure();
    gone.reset();
    TControl::settleMeasures();
    EXPECT_EQ(window.control.measures, 1);
}

// The native editor lays its text out as it is made, which loads the fonts: until
// then the edit keeps what it is given, and the editor takes it over unchanged.
TEST_F(DeferredMeasure, AnEditHoldsItsTextUntilItsEditorIsMade)
{
    TForm window;
    window.setClientSize(200, 100);
    TCustomEdit edit(&window);
    edit.setBounds(4, 4, 120, 20);
    int changes = 0;
    edit.onChange = [&] { ++changes; };
    edit.setText("123456");
    edit.setText("123456");
    EXPECT_EQ(changes, 1);
    edit.setMaxLength(4);
    EXPECT_EQ(edit.text(), "1234");
    EXPECT_EQ(changes, 2);
    edit.setReadOnly(true);
    edit.selectAll();
    EXPECT_EQ(edit.selLength(), 4);
    EXPECT_TRUE(edit.hasSelection());

    TControl::settleMeasures();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(edit.text(), "1234");
    EXPECT_EQ(edit.maxLength(), 4);
    EXPECT_TRUE(edit.readOnly());
    EXPECT_EQ(edit.selLength(), 4);
    EXPECT_EQ(edit.selStart(), 0);
    // The made editor is the one typed into.
    edit.setReadOnly(false);
    edit.setText("12");
    EXPECT_EQ(changes, 3);
    window.showAndRaise();
    edit.setFocus();
    test::app().processMessages();
    edit.setCaretPosition(2);
    sendChars(edit, "3");
    EXPECT_EQ(edit.text(), "123");
}

// The focus given before the editor exists (the window's first field) passes to it.
TEST_F(DeferredMeasure, TheFocusGivenToAnEditBeforeItsEditorIsMadeReachesTheEditor)
{
    TForm window;
    window.setClientSize(200, 100);
    TCustomEdit first(&window);
    first.setBounds(4, 4, 120, 20);
    TCustomEdit second(&window);
    second.setBounds(4, 40, 120, 20);
    second.setText("7");
    second.setFocus();
    window.showAndRaise();
    test::app().processMessages();
    EXPECT_TRUE(second.focused());
    EXPECT_FALSE(first.focused());
    second.setCaretPosition(1);
    sendChars(second, "8");
    EXPECT_EQ(second.text(), "78");
}

#include "GridTestSupport.h"

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/Timer.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test;

namespace {

struct BarWindow : TForm {
    BarWindow()
    {
        setClientSize(100, 200);
        bar.setKind(TScrollBarKind::Vertical);
        bar.setBounds(10, 10, 19, 177);
        bar.onChange = [this] { ++changes; };
        bar.onLastChange = [this] { ++lastChanges; };
        bar.onPageDown = [this] { ++pageDowns; };
        bar.onPageUp = [this] { ++pageUps; };
    }
    TbsSkinScrollBar bar{this};
    int changes = 0;
    int lastChanges = 0;
    int pageDowns = 0;
    int pageUps = 0;
};

class ScrollBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.showAndRaise();
        app().processMessages();
    }

    TPoint centre(const TRect& r) { return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    // Lets time pass, as for a user holding the button.
    void hold(int milliseconds)
    {
        clock.advance(milliseconds);
        app().processMessages();
    }

    TApplication& application = app();
    TManualTimerClock clock;
    BarWindow window;
    TbsSkinScrollBar& bar = window.bar;
};

} // namespace

TEST_F(ScrollBar, PositionIsClampedAndTheRangeSetterIsQuiet)
{
    EXPECT_EQ(bar.SkinDataName(), "vscrollbar");
    bar.setPosition(150);
    EXPECT_EQ(bar.Position(), 100);
    EXPECT_EQ(window.changes, 1);
    bar.setPosition(100);
    EXPECT_EQ(window.changes, 1); // unchanged: no event
    bar.setMax(40);
    EXPECT_EQ(bar.Position(), 40);
    bar.setMin(50);
    EXPECT_EQ(bar.Position(), 50);
    bar.setRange(0, 127, 0, 300);
    EXPECT_EQ(bar.Position(), 127);
    EXPECT_EQ(window.changes, 3);

    bar.setRange(0, 99, 0, 95);
    bar.setPageSize(10); // 100 < 10 + 95: refused
    EXPECT_EQ(bar.PageSize(), 0);
    bar.setPosition(80);
    bar.setPageSize(10);
    EXPECT_EQ(bar.PageSize(), 10);
    bar.setPosition(99);
    EXPECT_EQ(bar.Position(), 90);
}

TEST_F(ScrollBar, PlainGeometryOfAVerticalBar)
{
    EXPECT_EQ(bar.partRect(TbsSkinScrollBar::partDown), (TRect{1, 1, 18, 17}));
    EXPECT_EQ(bar.partRect(TbsSkinScrollBar::partUp), (TRect{1, 160, 18, 176}));
    EXPECT_EQ(bar.trackArea(), (TRect{1, 17, 18, 160}));
    EXPECT_EQ(bar.partRect(TbsSkinScrollBar::partThumb), (TRect{1, 17, 18, 33}));
    bar.setPosition(100);
    EXPECT_EQ(bar.partRect(TbsSkinScrollBar::partThumb), (TRect{1, 144, 18, 160}));
    bar.setRange(0, 99, 10, 0);
    // A page of a tenth of the range: nearest(143 * 10 / 100) = 14, below the 16-pixel minimum.
    EXPECT_EQ(bar.partRect(TbsSkinScrollBar::partThumb).height(), 16);
    bar.setRange(0, 9, 5, 0);
    EXPECT_EQ(bar.partRect(TbsSkinScrollBar::partThumb).height(), 72); // nearest(71.5) goes to the even 72
}

TEST_F(ScrollBar, HeldButtonRepeatsAfterTheFirstDelay)
{
    TPoint up = centre(bar.partRect(TbsSkinScrollBar::partUp));
    sendMouseDown(bar, up.x, up.y);
    EXPECT_EQ(bar.Position(), 1);
    EXPECT_TRUE(bar.partPressed(TbsSkinScrollBar::partUp));
    hold(TbsSkinScrollBar::firstDelay - 1);
    EXPECT_EQ(bar.Position(), 1); // still inside the first delay
    hold(1);
    EXPECT_EQ(bar.Position(), 2);
    hold(5 * TbsSkinScrollBar::repeatInterval + 10);
    int repeated = bar.Position();
    EXPECT_EQ(repeated, 7);
    sendMouseUp(bar, up.x, up.y);
    hold(1000);
    EXPECT_EQ(bar.Position(), repeated);
    EXPECT_EQ(window.changes, repeated);
    EXPECT_FALSE(bar.partPressed(TbsSkinScrollBar::partUp));

    int calls = 0;
    bar.onDownButtonClick = [&] { ++calls; };
    TPoint down = centre(bar.partRect(TbsSkinScrollBar::partDown));
    sendClick(bar, down.x, down.y);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(bar.Position(), repeated); // the handler replaces the step
}

TEST_F(ScrollBar, TrackPressPagesUntilTheThumbReachesTheMouse)
{
    bar.setLargeChange(10);
    int y = bar.trackArea().bottom - 30;
    sendMouseDown(bar, 9, y);
    EXPECT_EQ(bar.Position(), 10);
    EXPECT_EQ(window.pageDowns, 1);
    hold(1500);
    sendMouseUp(bar, 9, y);
    TRect thumb = bar.partRect(TbsSkinScrollBar::partThumb);
    EXPECT_GE(thumb.bottom, y);  // the thumb caught up with the mouse
    EXPECT_LT(bar.Position(), 100); // and paging stopped there
    int position = bar.Position();
    sendClick(bar, 9, bar.trackArea().top + 2);
    EXPECT_EQ(bar.Position(), position - 10);
    EXPECT_EQ(window.pageUps, 1);
}

TEST_F(ScrollBar, DraggingTheThumbStopsAtTheEnds)
{
    TPoint thumb = centre(bar.partRect(TbsSkinScrollBar::partThumb));
    sendMouseDown(bar, thumb.x, thumb.y);
    EXPECT_TRUE(bar.dragging());
    sendMouseMove(bar, thumb.x, thumb.y + 1000);
    EXPECT_EQ(bar.Position(), 100);
    sendMouseMove(bar, thumb.x, thumb.y + 63); // half the 127-pixel travel
    EXPECT_EQ(bar.Position(), 50);
    EXPECT_EQ(window.lastChanges, 0);
    sendMouseUp(bar, thumb.x, thumb.y + 63);
    EXPECT_FALSE(bar.dragging());
    EXPECT_EQ(window.lastChanges, 1);
}

TEST_F(ScrollBar, PlainLookShowsHotAndDisabledStates)
{
    Bitmap picture(bar.width(), bar.height());
    bar.paintTo(picture.canvas());
    TRect thumb = bar.partRect(TbsSkinScrollBar::partThumb);
    EXPECT_EQ(picture.pixel(thumb.left, thumb.top + 5), colorToRGB(clBtnShadow));
    TPoint p = centre(thumb);
    sendMouseMove(bar, p.x, p.y);
    EXPECT_EQ(bar.activePart(), TbsSkinScrollBar::partThumb);
    bar.paintTo(picture.canvas());
    EXPECT_EQ(picture.pixel(thumb.left, thumb.top + 5), colorToRGB(defaultlook::navyFrame));
    EXPECT_EQ(picture.pixel(thumb.left + 3, thumb.top + 5), colorToRGB(defaultlook::hotFill));
    bar.setEnabled(false);
    bar.paintTo(picture.canvas());
    EXPECT_EQ(picture.pixel(thumb.left + 3, thumb.top + 5), colorToRGB(clBtnFace)); // no thumb
}

#include "DateEditTestSupport.h"

#include "controls/CalendarGlyphs.h"
#include "controls/SkinMonthCalendar.h"
#include "runtime/core/RegionalSettings.h"
#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/AccessibleQuery.h"
#include "runtime/ui/Timer.h"

using namespace qv;
using namespace qv::test;

namespace {

struct CalendarWindow : TForm {
    CalendarWindow()
    {
        setClientSize(400, 300);
        calendar.setBounds(10, 10, 350, 150);
        calendar.onClick = [this] { ++steps; };
    }
    TbsSkinMonthCalendar calendar{this};
    int steps = 0;
};

class MonthCalendar : public DateEditFixture {
protected:
    void SetUp() override
    {
        w.showAndRaise();
        app().processMessages();
    }
    // The control as it paints itself, read in one go.
    Bitmap painted(TCustomControl& c)
    {
        Bitmap b(c.width(), c.height());
        c.paintTo(b.canvas());
        return b;
    }
    CalendarWindow w;
};

} // namespace

TEST_F(MonthCalendar, ButtonsSitInTheTopRowAndDaysFollowTheFirstWeekday)
{
    TbsSkinMonthCalendar& c = w.calendar;
    TRect client = c.panelClientRect();
    EXPECT_EQ(c.priorYearButton().boundsRect(),
              (TRect{client.left + 1, client.top + 1, client.left + 24, client.top + 24}));
    EXPECT_EQ(c.priorMonthButton().left(), client.left + 25);
    EXPECT_EQ(c.nextYearButton().left(), client.right - 24);
    EXPECT_EQ(c.nextMonthButton().left(), client.right - 48);
    EXPECT_FALSE(c.nextYearButton().CanFocused());

    // 1 March 2024 is a Friday; 1 September 2024 a Sunday.
    c.setDate(encodeDate(2024, 3, 1));
    int const w7 = (client.width() - 2) / 7;
    EXPECT_EQ(c.dayCellRect(1).left, client.left + 1 + 5 * w7);
    c.setFirstDayOfWeek(Mon);
    EXPECT_EQ(c.dayCellRect(1).left, client.left + 1 + 4 * w7);
    c.setDate(encodeDate(2024, 9, 1));
    // A month starting on the week's last column leaves the whole first row but it blank.
    EXPECT_EQ(c.dayCellRect(1).left, client.left + 1 + 6 * w7);
    EXPECT_EQ(c.dayCellRect(2).top, c.dayCellRect(1).bottom);
    EXPECT_EQ(c.dayAt(client.left + 2, c.dayCellRect(1).top + 2), 0);
    // Six rows fill the space under the header line.
    EXPECT_LE(c.dayCellRect(30).bottom, client.bottom);
    EXPECT_TRUE(c.dayCellRect(31).isEmpty());
}

TEST_F(MonthCalendar, StepsKeepTheDayWithinTheMonthAndTheYearWithinRange)
{
    TbsSkinMonthCalendar& c = w.calendar;
    c.setDate(encodeDate(2024, 1, 31));
    c.nextMonth();
    EXPECT_EQ(c.Date(), encodeDate(2024, 2, 29));
    c.setDate(encodeDate(2023, 1, 31));
    c.nextMonth();
    EXPECT_EQ(c.Date(), encodeDate(2023, 2, 28));
    c.setDate(encodeDate(2024, 12, 15));
    c.nextMonth();
    EXPECT_EQ(c.Date(), encodeDate(2025, 1, 15));
    c.priorMonth();
    c.priorMonth();
    EXPECT_EQ(c.Date(), encodeDate(2024, 11, 15));
    c.setDate(encodeDate(2024, 2, 29));
    c.nextYear();
    EXPECT_EQ(c.Date(), encodeDate(2025, 2, 28));
    w.steps = 0;

    c.setDate(encodeDate(1761, 6, 1));
    c.priorYear();
    EXPECT_EQ(c.Date(), encodeDate(1761, 6, 1));
    c.setDate(encodeDate(9999, 12, 31));
    c.nextYear();
    c.nextMonth();
    EXPECT_EQ(c.Date(), encodeDate(9999, 12, 31));
    EXPECT_EQ(w.steps, 0);
    c.priorYear();
    EXPECT_EQ(c.Date(), encodeDate(9998, 12, 31));
    EXPECT_EQ(w.steps, 1);
}

TEST_F(MonthCalendar, HeldButtonsRepeatEveryHundredOrTwoHundredFiftyMilliseconds)
{
    TManualTimerClock clock;
    TbsSkinMonthCalendar& c = w.calendar;
    c.setDate(encodeDate(2000, 6, 15));
    sendMouseEnter(c.nextYearButton());
    sendMouseDown(c.nextYearButton(), 10, 10);
    clock.advance(99);
    EXPECT_EQ(c.Date(), encodeDate(2000, 6, 15));
    clock.advance(1);
    EXPECT_EQ(c.Date(), encodeDate(2001, 6, 15));
    clock.advance(250);
    EXPECT_EQ(c.Date(), encodeDate(2003, 6, 15));
    sendMouseUp(c.nextYearButton(), 10, 10);
    // The release acts once more, and then nothing repeats.
    EXPECT_EQ(c.Date(), encodeDate(2004, 6, 15));
    clock.advance(1000);
    EXPECT_EQ(c.Date(), encodeDate(2004, 6, 15));

    sendMouseEnter(c.priorMonthButton());
    sendMouseDown(c.priorMonthButton(), 10, 10);
    clock.advance(600);
    EXPECT_EQ(c.Date(), encodeDate(2004, 4, 15));
    sendMouseUp(c.priorMonthButton(), 10, 10);
    EXPECT_EQ(c.Date(), encodeDate(2004, 3, 15));
    // A plain click acts once.
    sendMouseEnter(c.nextMonthButton());
    sendClick(c.nextMonthButton(), 10, 10);
    EXPECT_EQ(c.Date(), encodeDate(2004, 4, 15));
}

TEST_F(MonthCalendar, SelectedDayIsFramedInTheTitleColourOfTheSkin)
{
    TbsSkinMonthCalendar& c = w.calendar;
    c.setSkinData(&ownSkin());
    c.setDate(encodeDate(2024, 1, 31));
    c.nextMonth();
    TRect frame = c.dayCellRect(29);
    ASSERT_FALSE(frame.isEmpty());
    TColor const title = 16744448;
    Bitmap b = painted(c);
    EXPECT_EQ(b.pixel(frame.left, frame.top + frame.height() / 2), title);
    EXPECT_EQ(b.pixel(frame.right - 1, frame.top + frame.height() / 2), title);
    EXPECT_EQ(b.pixel(frame.left + frame.width() / 2, frame.bottom - 1), title);
    // Other days have no frame.
    TRect other = c.dayCellRect(28);
    EXPECT_NE(b.pixel(other.left, other.top + other.height() / 2), title);
    // The day numbers are drawn in the label colour, the title above them in the title colour.
    int black = 0;
    for (int y = frame.top; y < frame.bottom; ++y)
        for (int x = frame.left + 1; x < frame.right - 1; ++x)
            black += b.pixel(x, y) == 0;
    EXPECT_GT(black, 5);
    int titled = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 60; x < c.width() - 60; ++x)
            titled += b.pixel(x, y) == title;
    EXPECT_GT(titled, 20);

    // Without a model the font's colour serves for everything.
    c.setSkinData(nullptr);
    TbsSkinMonthCalendar plain(&w);
    plain.setBounds(0, 0, 350, 150);
    plain.setDate(c.Date());
    Bitmap p = painted(plain);
    TRect plainFrame = plain.dayCellRect(29);
    EXPECT_EQ(p.pixel(plainFrame.left, plainFrame.top + plainFrame.height() / 2), plain.font().color);
}

TEST_F(MonthCalendar, GlyphsArePicturesOfTheirOwn)
{
    Bitmap priorYear = calendarGlyph("BS_PRIORYEAR");
    Bitmap priorMonth = calendarGlyph("BS_PRIORMONTH");
    Bitmap nextMonth = calendarGlyph("BS_NEXTMONTH");
    ASSERT_FALSE(priorYear.isEmpty());
    EXPECT_TRUE(calendarGlyph("BS_NONE").isEmpty());
    auto inked = [](const Bitmap& b) {
        int n = 0;
        TColor key = b.pixel(0, b.height() - 1);
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                n += b.pixel(x, y) != key;
        return n;
    };
    // Two arrows for a year, one for a month; next mirrors prior.
    EXPECT_EQ(inked(priorYear), 2 * inked(priorMonth));
    for (int y = 0; y < priorMonth.height(); ++y)
        for (int x = 0; x < priorMonth.width(); ++x)
            EXPECT_EQ(priorMonth.pixel(x, y) == priorMonth.pixel(0, 8),
                      nextMonth.pixel(priorMonth.width() - 1 - x, y) == nextMonth.pixel(0, 8));
}

TEST_F(MonthCalendar, ScreenReaderReadsTheMonthAsATableOfDaysAndPicksOne)
{
    TbsSkinMonthCalendar& c = w.calendar;
    c.setDate(encodeDate(2024, 3, 14));
    int picks = 0;
    c.onNumberClick = [&] { ++picks; };
    EXPECT_EQ(accessibleTableRows(c), 7);
    EXPECT_EQ(accessibleTableColumns(c), 7);
    EXPECT_EQ(accessibleColumnHeader(c, 0), regionalSettings().shortDayNames[0]);
    // 1 March 2024 is a Friday: the first week row starts with five blanks.
    EXPECT_EQ(accessibleTableCell(c, 1, 4).name, "");
    EXPECT_EQ(accessibleTableCell(c, 1, 5).name, "1");
    TAccessibleNode selected = accessibleTableCell(c, 3, 4);
    EXPECT_EQ(selected.name, "14");
    EXPECT_TRUE(selected.has(asSelected));
    EXPECT_FALSE(accessibleTableCell(c, 3, 5).has(asSelected));

    ASSERT_TRUE(accessibleDoAction(c, {3 * 7 + 5}, TAccessibleAction::Press));
    EXPECT_EQ(c.Date(), encodeDate(2024, 3, 15));
    EXPECT_EQ(picks, 1);
    // A blank cell picks nothing.
    ASSERT_TRUE(accessibleDoAction(c, {1 * 7 + 0}, TAccessibleAction::Press));
    EXPECT_EQ(c.Date(), encodeDate(2024, 3, 15));
    EXPECT_EQ(picks, 1);
    c.nextMonth();
    EXPECT_EQ(accessibleTableCell(c, 1, 0).name, "") << "April 2024 begins on a Monday";
    EXPECT_EQ(accessibleTableCell(c, 1, 1).name, "1");
}

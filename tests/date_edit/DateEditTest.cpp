#include "DateEditTestSupport.h"

#include "runtime/core/DateTime.h"
#include "runtime/ui/DropDownWindow.h"
#include "runtime/ui/PopupWindow.h"

using namespace qv;
using namespace qv::test;

namespace {

class DateEdit : public DateEditFixture {};

} // namespace

TEST_F(DateEdit, TypedYearMonthDayDigitsBecomeTheDate)
{
    DateWindow w(RegionalSettings::posix());
    show(w);
    EXPECT_EQ(w.field->EditMask(), "!0000/99/99;1; ");
    EXPECT_EQ(w.field->MaxLength(), 10);
    w.field->setDate(encodeDate(2026, 3, 15));
    EXPECT_EQ(w.field->text(), "2026-03-15");
    w.dateChanges = 0;

    retype(*w.field, "2024120");
    EXPECT_EQ(w.field->text(), "2024-12-0 ");
    // Incomplete: the value is still the last complete one.
    EXPECT_EQ(w.field->Date(), encodeDate(2026, 3, 15));
    EXPECT_EQ(w.dateChanges, 0);
    sendChars(*w.field, "1");
    EXPECT_EQ(w.field->text(), "2024-12-01");
    EXPECT_EQ(w.field->Date(), encodeDate(2024, 12, 1));
    EXPECT_EQ(w.dateChanges, 1);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DateEdit, KeysThatCannotLeadToADateAreRefused)
{
    DateWindow w(RegionalSettings::posix());
    show(w);
    retype(*w.field, "202413");
    // The 3 is refused: 13 is no month; the 2 that follows fits.
    EXPECT_EQ(w.field->text(), "2024-1 -  ");
    sendChars(*w.field, "2");
    EXPECT_EQ(w.field->text(), "2024-12-  ");
    // A day cannot start with 4, nor hold a letter.
    sendChars(*w.field, "4x");
    EXPECT_EQ(w.field->text(), "2024-12-  ");
    sendChars(*w.field, "31");
    EXPECT_EQ(w.field->text(), "2024-12-31");
    EXPECT_EQ(w.field->Date(), encodeDate(2024, 12, 31));
    // Backspace blanks the character before the caret; Enter reaches OnKeyPress only.
    sendKeyStroke(*w.field, VK_BACK);
    EXPECT_EQ(w.field->text(), "2024-12-3 ");
    std::vector<char> pressed;
    w.field->onKeyPress = [&](char& key) { pressed.push_back(key); };
    sendKeyStroke(*w.field, VK_RETURN);
    EXPECT_EQ(pressed, std::vector<char>{chEnter});
    EXPECT_EQ(w.field->text(), "2024-12-3 ");
}

TEST_F(DateEdit, AnImpossibleCompleteDateIsReportedAndKept)
{
    DateWindow w(RegionalSettings::posix());
    show(w);
    w.field->setDate(encodeDate(2026, 3, 15));
    retype(*w.field, "20240431");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "'2024-04-31' is not a valid date");
    EXPECT_EQ(w.field->text(), "2024-04-31");
    EXPECT_EQ(w.field->Date(), encodeDate(2026, 3, 15));

    // Leaving reports nothing and shows the date the field holds, not a text
    // that stands for another date or none.
    boxes.clear();
    w.other.setFocus();
    app().processMessages();
    EXPECT_TRUE(w.other.focused());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(w.field->text(), "2026-03-15");
    retype(*w.field, "2025");
    EXPECT_EQ(w.field->text(), "2025-  -  ");
    sendTab(*w.field);
    app().processMessages();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(w.field->text(), "2026-03-15");
    EXPECT_EQ(w.field->Date(), encodeDate(2026, 3, 15));
}

TEST_F(DateEdit, TypingFromAPartsStartRetypesThePart)
{
    DateWindow w(RegionalSettings::posix());
    show(w);
    w.field->setDate(encodeDate(2024, 3, 15));
    w.dateChanges = 0;
    sendKeyStroke(*w.field, VK_HOME);
    sendChars(*w.field, "2024");
    EXPECT_EQ(w.field->text(), "2024-03-15");
    // The month's old 3 goes with its first digit: 1 then 2 make December.
    sendChars(*w.field, "1");
    EXPECT_EQ(w.field->text(), "2024-1 -15");
    sendChars(*w.field, "2");
    EXPECT_EQ(w.field->text(), "2024-12-15");
    sendChars(*w.field, "01");
    EXPECT_EQ(w.field->text(), "2024-12-01");
    EXPECT_EQ(w.field->Date(), encodeDate(2024, 12, 1));
    EXPECT_EQ(w.dateChanges, 2);

    // What can never be a date is still refused: no month starts with 2, none is 13.
    sendKeyStroke(*w.field, VK_HOME);
    sendChars(*w.field, "20252");
    EXPECT_EQ(w.field->text(), "2025-12-01");
    sendChars(*w.field, "13");
    EXPECT_EQ(w.field->text(), "2025-1 -01");
    // Inside a part a digit only overwrites its position.
    sendChars(*w.field, "1");
    sendKeyStroke(*w.field, VK_LEFT);
    sendKeyStroke(*w.field, VK_LEFT);
    sendChars(*w.field, "0");
    EXPECT_EQ(w.field->text(), "2025-10-01");
    EXPECT_EQ(w.field->Date(), encodeDate(2025, 10, 1));
    EXPECT_TRUE(boxes.empty());

    DateWindow german(germanGermany());
    show(german);
    german.field->setDate(encodeDate(2024, 3, 15));
    sendKeyStroke(*german.field, VK_HOME);
    sendChars(*german.field, "01122024");
    EXPECT_EQ(german.field->text(), "01.12.2024");
    EXPECT_EQ(german.field->Date(), encodeDate(2024, 12, 1));
}

TEST_F(DateEdit, DayMonthYearAndMonthNameFormats)
{
    {
        DateWindow w(germanGermany());
        show(w);
        EXPECT_EQ(w.field->EditMask(), "!99/99/0000;1; ");
        w.field->setDate(encodeDate(2026, 12, 8));
        EXPECT_EQ(w.field->text(), "08.12.2026");
        retype(*w.field, "31122024");
        EXPECT_EQ(w.field->text(), "31.12.2024");
        EXPECT_EQ(w.field->Date(), encodeDate(2024, 12, 31));
        // A first day digit above 3 is refused, and the text stays as it was.
        retype(*w.field, "4");
        EXPECT_EQ(w.field->text(), "31.12.2024");
        sendChars(*w.field, "0");
        EXPECT_EQ(w.field->text(), "0 .  .    ");
    }
    {
        DateWindow w(monthNameShortDate());
        show(w);
        EXPECT_EQ(w.field->EditMask(), "!99/LLL/0000;1; ");
        w.field->setDate(encodeDate(2026, 12, 8));
        EXPECT_EQ(w.field->text(), "08-Dec-2026");
        // Digits are refused where the name goes; the name's case does not matter.
        retype(*w.field, "051dec2024");
        EXPECT_EQ(w.field->text(), "05-dec-2024");
        EXPECT_EQ(w.field->Date(), encodeDate(2024, 12, 5));
        // A name that is no month leaves the date as it was, without a message.
        retype(*w.field, "05xyz2023");
        EXPECT_EQ(w.field->text(), "05-xyz-2023");
        EXPECT_EQ(w.field->Date(), encodeDate(2024, 12, 5));
        EXPECT_TRUE(boxes.empty());
    }
}

TEST_F(DateEdit, ButtonDropsTheCalendarBelowTheFieldAndTogglesIt)
{
    DateWindow w(RegionalSettings::posix());
    show(w);
    w.field->setDate(encodeDate(2024, 1, 31));
    clickButton(*w.field);
    ASSERT_TRUE(w.field->droppedDown());
    TbsSkinPopupMonthCalendar& popup = w.field->popupCalendar();
    TPoint corner = w.field->clientToScreen(TPoint{0, 0});
    EXPECT_EQ(popup.left(), corner.x);
    EXPECT_EQ(popup.top(), corner.y + w.field->height());
    EXPECT_EQ(popup.width(), 350);
    EXPECT_EQ(popup.height(), 150);
    EXPECT_EQ(popup.calendar().width(), 350);
    EXPECT_EQ(popup.calendar().Date(), encodeDate(2024, 1, 31));
    // The field keeps the focus while the calendar is shown.
    EXPECT_TRUE(w.field->focused());

    clickButton(*w.field);
    EXPECT_FALSE(w.field->droppedDown());
    EXPECT_TRUE(w.field->focused());
    EXPECT_EQ(w.field->text(), "2024-01-31");
}

TEST_F(DateEdit, CalendarOpensAboveAFieldNearTheScreenBottom)
{
    DateWindow w(RegionalSettings::posix());
    show(w);
    TRect area = screenWorkArea(w.field->clientToScreen(TPoint{0, 0}));
    w.setScreenPosition(area.left + 10, area.bottom - 60);
    app().processMessages();
    clickButton(*w.field);
    ASSERT_TRUE(w.field->droppedDown());
    TPoint corner = w.field->clientToScreen(TPoint{0, 0});
    if (corner.y + w.field->height() + 150 <= area.bottom)
        GTEST_SKIP() << "the window could not be placed near the screen's bottom";
    EXPECT_EQ(w.field->popupCalendar().top(), corner.y - 150);
}

TEST_F(DateEdit, BrowsedMonthsCountOnlyWhenADayIsPicked)
{
    DateWindow w(RegionalSettings::posix());
    show(w);
    w.field->setDate(encodeDate(2024, 1, 31));
    w.dateChanges = 0;
    clickButton(*w.field);
    TbsSkinMonthCalendar& calendar = w.field->popupCalendar().calendar();
    TbsSkinSpeedButton& next = calendar.nextMonthButton();
    sendClick(next, 10, 10);
    EXPECT_EQ(calendar.Date(), encodeDate(2024, 2, 29));
    EXPECT_EQ(w.field->Date(), encodeDate(2024, 1, 31));
    EXPECT_EQ(w.field->text(), "2024-01-31");
    // Any key in the field closes the calendar without taking a date: the date
    // stays the one the field shows.
    sendKeyStroke(*w.field, VK_RIGHT);
    EXPECT_FALSE(w.field->droppedDown());
    EXPECT_EQ(w.field->text(), "2024-01-31");
    EXPECT_EQ(w.field->Date(), encodeDate(2024, 1, 31));
    EXPECT_EQ(w.dateChanges, 0);
    // The same with the button, and the calendar opens again on the field's date.
    clickButton(*w.field);
    sendClick(next, 10, 10);
    clickButton(*w.field);
    EXPECT_FALSE(w.field->droppedDown());
    EXPECT_EQ(w.field->Date(), encodeDate(2024, 1, 31));
    clickButton(*w.field);
    EXPECT_EQ(calendar.Date(), encodeDate(2024, 1, 31));
    sendKeyStroke(*w.field, VK_ESCAPE);
    EXPECT_FALSE(w.field->droppedDown());

    // Picking a day takes it into the text.
    clickButton(*w.field);
    sendClick(next, 10, 10);
    TPoint day = centre(calendar.dayCellRect(14));
    sendClick(calendar, day.x, day.y);
    EXPECT_FALSE(w.field->droppedDown());
    EXPECT_EQ(w.field->text(), "2024-02-14");
    EXPECT_EQ(w.field->Date(), encodeDate(2024, 2, 14));
    EXPECT_EQ(w.dateChanges, 1);
    EXPECT_TRUE(w.field->focused());
}

TEST_F(DateEdit, BlankCellsAndClicksOutsideTheDaysDoNothing)
{
    DateWindow w(RegionalSettings::posix());
    show(w);
    // March 2024 begins on a Friday: with Sunday first, five blank cells come before it.
    w.field->setDate(encodeDate(2024, 3, 10));
    clickButton(*w.field);
    TbsSkinMonthCalendar& calendar = w.field->popupCalendar().calendar();
    TRect first = calendar.dayCellRect(1);
    int presses = 0;
    calendar.onNumberClick = [&] { ++presses; };
    sendClick(calendar, first.left - first.width() / 2, first.top + first.height() / 2);
    sendClick(calendar, 3, 3);
    EXPECT_EQ(presses, 0);
    EXPECT_TRUE(w.field->droppedDown());
    EXPECT_EQ(calendar.Date(), encodeDate(2024, 3, 10));
    // The same click on the first lands.
    sendClick(calendar, first.left + first.width() / 2, first.top + first.height() / 2);
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(calendar.Date(), encodeDate(2024, 3, 1));
}

TEST_F(DateEdit, CalendarClosesWhenTheFocusGoesOrModesAreCancelled)
{
    DateWindow w(RegionalSettings::posix());
    show(w);
    w.field->setDate(encodeDate(2024, 5, 5));
    clickButton(*w.field);
    ASSERT_TRUE(w.field->droppedDown());
    cancelModes();
    EXPECT_FALSE(w.field->droppedDown());
    EXPECT_TRUE(w.field->focused());

    clickButton(*w.field);
    ASSERT_TRUE(w.field->droppedDown());
    // A press elsewhere in the window closes it too.
    sendMouseDown(w, 300, 250);
    sendMouseUp(w, 300, 250);
    EXPECT_FALSE(w.field->droppedDown());

    clickButton(*w.field);
    ASSERT_TRUE(w.field->droppedDown());
    sendTab(*w.field);
    app().processMessages();
    EXPECT_FALSE(w.field->droppedDown());
    // Closing always puts the focus back into the field.
    EXPECT_TRUE(w.field->focused());
    EXPECT_EQ(w.field->text(), "2024-05-05");

    // Another window taking the activation closes it as well.
    clickButton(*w.field);
    ASSERT_TRUE(w.field->droppedDown());
    TForm second;
    second.setClientSize(100, 100);
    second.showAndRaise();
    app().processMessages();
    EXPECT_FALSE(w.field->droppedDown());
}

TEST_F(DateEdit, PastedTextIsFittedOrRefused)
{
    DateWindow w(RegionalSettings::posix());
    show(w);
    w.field->setDate(encodeDate(2026, 3, 15));
    auto paste = [&](const std::string& clip) {
        w.other.setText(clip);
        w.other.selectAll();
        w.other.copyToClipboard();
        w.field->setFocus();
        w.field->selectAll();
        w.field->pasteFromClipboard();
    };
    paste("2024-12-01");
    EXPECT_EQ(w.field->text(), "2024-12-01");
    EXPECT_EQ(w.field->Date(), encodeDate(2024, 12, 1));
    paste("2024-7-4");
    EXPECT_EQ(w.field->text(), "2024- 7- 4");
    // Letters cannot stand in a numeric date: the text stays as it was.
    paste("hello");
    EXPECT_EQ(w.field->text(), "2024- 7- 4");
    EXPECT_EQ(w.field->Date(), encodeDate(2024, 12, 1));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DateEdit, MovingTheWindowClosesTheCalendar)
{
    DateWindow w(RegionalSettings::posix());
    show(w);
    clickButton(*w.field);
    ASSERT_TRUE(w.field->droppedDown());
    TPoint at = w.screenPosition();
    w.setScreenPosition(at.x + 30, at.y + 20);
    app().processMessages();
    EXPECT_FALSE(w.field->droppedDown());
}

TEST_F(DateEdit, CalendarOpenedFromTheKeyboardIsWorkedByItsKeys)
{
    DateWindow w(RegionalSettings::posix());
    show(w);
    w.field->setDate(encodeDate(2024, 1, 31));
    w.dateChanges = 0;
    w.field->setFocus();
    sendKeyStroke(*w.field, VK_F4);
    ASSERT_TRUE(w.field->droppedDown());
    // The calendar moves; the field keeps its date until a day is taken.
    TbsSkinMonthCalendar const& calendar = w.field->popupCalendar().calendar();
    sendKeyStroke(*w.field, VK_RIGHT);
    EXPECT_EQ(calendar.Date(), encodeDate(2024, 2, 1));
    sendKeyStroke(*w.field, VK_UP);
    EXPECT_EQ(calendar.Date(), encodeDate(2024, 1, 25));
    sendKeyStroke(*w.field, VK_NEXT);
    EXPECT_EQ(calendar.Date(), encodeDate(2024, 2, 25));
    sendKeyStroke(*w.field, VK_NEXT, ssCtrl);
    EXPECT_EQ(calendar.Date(), encodeDate(2025, 2, 25));
    EXPECT_TRUE(w.field->droppedDown());
    EXPECT_EQ(w.field->text(), "2024-01-31") << "browsing leaves the text";
    EXPECT_EQ(w.field->Date(), encodeDate(2024, 1, 31)) << "and the date";
    sendKeyStroke(*w.field, VK_RETURN);
    EXPECT_FALSE(w.field->droppedDown());
    EXPECT_EQ(w.field->text(), "2025-02-25");
    EXPECT_EQ(w.dateChanges, 1);

    // Alt+Down opens it too; any other key closes it without taking the day.
    sendKeyStroke(*w.field, VK_DOWN, ssAlt);
    ASSERT_TRUE(w.field->droppedDown());
    sendKeyStroke(*w.field, VK_LEFT);
    sendKeyStroke(*w.field, VK_ESCAPE);
    EXPECT_FALSE(w.field->droppedDown());
    EXPECT_EQ(w.field->text(), "2025-02-25");
    EXPECT_EQ(w.dateChanges, 1);
}

#pragma once

#include "runtime/core/DateTime.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"

#include <functional>

namespace qv {

enum TbsDaysOfWeek { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

// One month as a table of days under its title, with buttons that step a month
// or a year back and forth (repeating while held). A click on a day selects it.
class TbsSkinMonthCalendar : public TbsSkinPanel, public TAccessibleTable {
public:
    explicit TbsSkinMonthCalendar(TWinControl* parent);

    // The shown and selected date.
    TDateTime Date() const { return m_date; }
    void setDate(TDateTime date);
    TbsDaysOfWeek FirstDayOfWeek() const { return m_firstDayOfWeek; }
    void setFirstDayOfWeek(TbsDaysOfWeek day);
    bool TodayDefault() const { return m_todayDefault; }
    void setTodayDefault(bool todayDefault) { m_todayDefault = todayDefault; }
    // The design has been loaded: with TodayDefault the date becomes today.
    void loaded();

    void setSkinData(TbsSkinData* data) override;

    // The four buttons' steps. A month step in December (January) changes the
    // year too; a year step stays within 1761 to 9999. The day is lowered to the
    // new month's length; OnClick follows.
    void nextMonth();
    void priorMonth();
    void nextYear();
    void priorYear();

    // Where a day of the shown month is drawn; empty for a day it does not have.
    TRect dayCellRect(int day) const;
    // The day whose cell holds the point; 0 for a blank cell or no cell.
    int dayAt(int x, int y) const;

    TbsSkinSpeedButton& priorYearButton() { return m_priorYear; }
    TbsSkinSpeedButton& priorMonthButton() { return m_priorMonth; }
    TbsSkinSpeedButton& nextMonthButton() { return m_nextMonth; }
    TbsSkinSpeedButton& nextYearButton() { return m_nextYear; }

    // A day was clicked; Date is that day.
    std::function<void()> onNumberClick;

    // A screen reader reads the month as a table: the weekday names over six weeks.
    TAccessibleRole accessibleRole() const override { return TAccessibleRole::Table; }
    std::string accessibleName() const override;
    TAccessibleTable* accessibleTable() override { return this; }
    int accessibleColumnCount() const override { return 7; }
    int accessibleRowCount() const override { return 7; }
    int accessibleHeaderRows() const override { return 1; }
    std::string accessibleCellText(int col, int row) const override;
    TRect accessibleCellRect(int col, int row) const override;
    bool accessibleCellSelected(int col, int row) const override;
    TPoint accessibleCurrentCell() const override;
    void accessibleSelectCell(int col, int row) override;

protected:
    void drawDefaultLook(Canvas& canvas) override;
    void drawSkinLook(Canvas& canvas) override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;
    void resized() override;

private:
    struct Layout {
        TRect client;
        int columnWidth = 0;
        int headerTop = 0;
        int lineY = 0;
        int rowHeight = 0;
        // Day in the first cell of the first row (below 1: blanks come first).
        int firstCellDay = 0;
        int monthLength = 0;
    };
    Layout layout() const;
    // The day of the month's first cell, known without measuring text.
    int firstCellDay() const;
    // The day in a week row's column (below 1 or past the month: blank).
    int dayOfCell(int col, int row) const { return firstCellDay() + (row - 1) * 7 + col; }
    TRect cellRect(const Layout& l, int column, int row) const;
    void paintMonth(Canvas& canvas);
    // Title, header, line and selection colour; the day numbers' colour.
    TColor titleColor() const;
    TColor numberColor() const;
    void placeButtons();
    // Moves to year/month, the day kept within the month; false when out of range.
    void stepTo(int year, int month);

    TDateTime m_date = 0;
    TbsDaysOfWeek m_firstDayOfWeek = Sun;
    bool m_todayDefault = false;
    TbsSkinSpeedButton m_priorYear{this, "resizebutton"};
    TbsSkinSpeedButton m_priorMonth{this, "resizebutton"};
    TbsSkinSpeedButton m_nextMonth{this, "resizebutton"};
    TbsSkinSpeedButton m_nextYear{this, "resizebutton"};
};

} // namespace qv

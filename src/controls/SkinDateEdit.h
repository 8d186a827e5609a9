#pragma once

#include "controls/DateEditMask.h"
#include "controls/SkinPopupMonthCalendar.h"
#include "runtime/core/DateTime.h"
#include "skin/controls/SkinEdit.h"

#include <functional>
#include <string>

namespace qv {

// A date field: the date as short-date text under an edit mask made from the
// user's format, and a button that drops a month calendar down. The date value
// is the one the field shows: months browsed in the calendar count only once a
// day is picked there.
class TbsSkinDateEdit : public TbsSkinEdit {
public:
    explicit TbsSkinDateEdit(TWinControl* parent);

    TDateTime Date() const { return m_date; }
    // Shows the date's text (without reading it back) and fires OnDateChange.
    void setDate(TDateTime date);
    bool TodayDefault() const { return m_todayDefault; }
    void setTodayDefault(bool todayDefault) { m_todayDefault = todayDefault; }
    int CalendarWidth() const { return m_calendarWidth; }
    void setCalendarWidth(int width) { m_calendarWidth = width; }
    int CalendarHeight() const { return m_calendarHeight; }
    void setCalendarHeight(int height) { m_calendarHeight = height; }
    const Font& CalendarFont() const { return m_calendarFont; }
    void setCalendarFont(const Font& font) { m_calendarFont = font; }
    TbsDaysOfWeek FirstDayOfWeek() const { return m_firstDayOfWeek; }
    void setFirstDayOfWeek(TbsDaysOfWeek day) { m_firstDayOfWeek = day; }
    int MaxLength() const { return m_maxLength; }
    // The mask fixes the length of a masked text; this limits a text without one.
    void setMaxLength(int length);
    std::string EditMask() const { return m_mask.editMask(); }

    // The design has been loaded: the mask is made again from the regional
    // format; with TodayDefault the date becomes today.
    void loaded();

    bool droppedDown() const { return m_popup.isOpen(); }
    TbsSkinPopupMonthCalendar& popupCalendar() { return m_popup; }

    std::function<void()> onDateChange;

protected:
    void keyDown(int& key, unsigned shift) override;
    void keyPress(char& key) override;
    void changed() override;
    void focusOut() override;

private:
    enum class CloseUp { Keep, TakeDate };
    void keyCheck(char& key);
    // Keys that work the open calendar; false for a key that closes it.
    bool calendarKey(int key, unsigned shift);
    void buttonClicked();
    void dropDown();
    void closeUp(CloseUp how);
    // A text of the control's own: fitted to the mask, not read back as a date.
    void setOwnText(const std::string& text);
    void applyEdit(const TMaskEdit& edit);
    void applyMask();
    void dateChanged();
    // Whether the text reads as the date value.
    bool showsDate() const;

    TbsSkinPopupMonthCalendar m_popup;
    TDateTime m_date = 0;
    TDateEditMask m_mask;
    bool m_todayDefault = false;
    bool m_loading = false;
    bool m_settingText = false;
    // The text as it last stood in the mask's shape, for a paste that does not fit.
    std::string m_lastText;
    // Opened from the keyboard: the calendar takes the keys until it closes.
    bool m_keyboardCalendar = false;
    int m_maxLength = 10;
    int m_calendarWidth = 350;
    int m_calendarHeight = 150;
    Font m_calendarFont;
    TbsDaysOfWeek m_firstDayOfWeek = Sun;
};

} // namespace qv

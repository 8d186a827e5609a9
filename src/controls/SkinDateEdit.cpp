#include "controls/SkinDateEdit.h"

#include "runtime/core/Exception.h"
#include "runtime/ui/PopupWindow.h"

#include <algorithm>

namespace qv {

TbsSkinDateEdit::TbsSkinDateEdit(TWinControl* parent) : TbsSkinEdit(parent)
{
    m_calendarFont.name = "Arial";
    m_calendarFont.cellHeight = 14;
    m_calendarFont.color = clBlack;
    setSkinDataName("buttonedit");
    setButtonMode(true);
    onKeyPress = [this](char& key) { keyCheck(key); };
    onButtonClick = [this] { buttonClicked(); };
    m_popup.calendar().onNumberClick = [this] { closeUp(CloseUp::TakeDate); };
    m_popup.onCancelMode = [this] { closeUp(CloseUp::Keep); };
    m_date = m_popup.calendar().Date();
    applyMask();
}

void TbsSkinDateEdit::applyMask()
{
    m_mask = TDateEditMask::fromRegionalSettings();
    TCustomEdit::setMaxLength(m_mask.valid() ? m_mask.length() : m_maxLength);
    setOwnText(text());
}

void TbsSkinDateEdit::loaded()
{
    m_loading = true;
    applyMask();
    m_popup.calendar().loaded();
    m_date = m_popup.calendar().Date();
    if (m_todayDefault)
        setDate(today());
    m_loading = false;
}

void TbsSkinDateEdit::setMaxLength(int length)
{
    m_maxLength = length;
    if (!m_mask.valid())
        TCustomEdit::setMaxLength(length);
}

void TbsSkinDateEdit::setDate(TDateTime date)
{
    m_popup.calendar().setDate(date);
    m_date = m_popup.calendar().Date();
    if (!m_loading && !m_todayDefault)
        setOwnText(dateToStr(Date()));
    dateChanged();
}

void TbsSkinDateEdit::dateChanged()
{
    if (onDateChange)
        onDateChange();
}

void TbsSkinDateEdit::setOwnText(const std::string& text)
{
    bool const was = m_settingText;
    m_settingText = true;
    setText(m_mask.fit(text));
    m_settingText = was;
}

void TbsSkinDateEdit::applyEdit(const TMaskEdit& edit)
{
    setText(edit.text);
    setCaretPosition(edit.caret);
}

// Refuses a character after which the text could no longer become a date.
void TbsSkinDateEdit::keyCheck(char& key)
{
    auto const ch = static_cast<unsigned char>(key);
    if (key == chEnter || key == chBackspace || ch < 32 || !m_mask.valid())
        return;
    std::optional<TMaskEdit> edit = m_mask.typed(text(), selStart(), selLength(), ch);
    if (!edit || !m_mask.canBecomeDate(edit->text))
        key = 0;
}

// Typing overwrites the mask's positions; the editor itself never inserts.
void TbsSkinDateEdit::keyPress(char& key)
{
    TbsSkinEdit::keyPress(key);
    auto const ch = static_cast<unsigned char>(key);
    if (key == 0 || !m_mask.valid() || readOnly())
        return;
    if (key == chBackspace) {
        key = 0;
        applyEdit(m_mask.backspace(text(), selStart(), selLength()));
        return;
    }
    // Copy, select all and the like stay the editor's.
    if (ch < 32)
        return;
    key = 0;
    if (std::optional<TMaskEdit> edit = m_mask.typed(text(), selStart(), selLength(), ch))
        applyEdit(*edit);
}

void TbsSkinDateEdit::keyDown(int& key, unsigned shift)
{
    // Without a mouse: Alt+Down or F4 opens the calendar, whose keys then move the
    // day, the month and the year; Enter takes the day and any other key closes it.
    if (droppedDown() && m_keyboardCalendar && calendarKey(key, shift)) {
        key = 0;
        return;
    }
    if (droppedDown())
        closeUp(CloseUp::Keep);
    else if (key == VK_F4 || (key == VK_DOWN && (shift & ssAlt))) {
        key = 0;
        dropDown();
        m_keyboardCalendar = true;
        return;
    }
    TbsSkinEdit::keyDown(key, shift);
    if (key == VK_DELETE && m_mask.valid() && !readOnly()) {
        key = 0;
        applyEdit(m_mask.deleteForward(text(), selStart(), selLength()));
    }
}

void TbsSkinDateEdit::changed()
{
    TbsSkinEdit::changed();
    // A paste or cut leaves a text out of the mask's shape: it is fitted, or, when
    // what came in cannot stand in the mask (letters in a numeric date), undone.
    if (m_mask.valid() && !m_mask.holds(text())) {
        int const caret = std::min(selStart(), m_mask.length());
        std::string const fitted = m_mask.fit(text());
        setText(m_mask.holds(fitted) ? fitted : m_lastText);
        setCaretPosition(caret);
        return;
    }
    m_lastText = text();
    if (m_settingText)
        return;
    std::optional<TDateTime> date;
    if (m_mask.valid()) {
        date = m_mask.dateOf(text());
    } else {
        try {
            date = strToDate(text());
        } catch (const EConvertError&) {
            // Without a mask a half-typed date is simply not a date yet.
        }
    }
    if (!date || *date == Date())
        return;
    m_popup.calendar().setDate(*date);
    m_date = m_popup.calendar().Date();
    dateChanged();
}

bool TbsSkinDateEdit::showsDate() const
{
    try {
        std::optional<TDateTime> const shown = m_mask.valid() ? m_mask.dateOf(text()) : strToDate(text());
        return shown && *shown == m_date;
    } catch (const EConvertError&) {
        return false;
    }
}

// A half-typed or impossible text would leave the field showing another date
// than the one Calculate reads: leaving puts the date value back into view.
void TbsSkinDateEdit::focusOut()
{
    if (droppedDown())
        closeUp(CloseUp::Keep);
    else if (m_todayDefault || !showsDate())
        setOwnText(dateToStr(Date()));
    TbsSkinEdit::focusOut();
}

void TbsSkinDateEdit::buttonClicked()
{
    if (droppedDown())
        closeUp(CloseUp::Keep);
    else
        dropDown();
}

// Below the field, or above it where below would leave the screen.
void TbsSkinDateEdit::dropDown()
{
    m_keyboardCalendar = false;
    TbsSkinMonthCalendar& calendar = m_popup.calendar();
    calendar.setDate(m_date);
    calendar.setSkinData(SkinData());
    calendar.setFont(m_calendarFont);
    calendar.setFirstDayOfWeek(m_firstDayOfWeek);
    m_popup.setSize(m_calendarWidth, m_calendarHeight);
    TPoint const corner = clientToScreen(TPoint{0, 0});
    int y = corner.y + height();
    if (y + m_calendarHeight > screenWorkArea(corner).bottom)
        y = corner.y - m_calendarHeight;
    m_popup.popupAt(*this, TPoint{corner.x, y});
}

bool TbsSkinDateEdit::calendarKey(int key, unsigned shift)
{
    TbsSkinMonthCalendar& calendar = m_popup.calendar();
    bool const ctrl = shift & ssCtrl;
    switch (key) {
    case VK_LEFT: calendar.setDate(calendar.Date() - 1); return true;
    case VK_RIGHT: calendar.setDate(calendar.Date() + 1); return true;
    case VK_UP: calendar.setDate(calendar.Date() - 7); return true;
    case VK_DOWN: calendar.setDate(calendar.Date() + 7); return true;
    case VK_PRIOR: ctrl ? calendar.priorYear() : calendar.priorMonth(); return true;
    case VK_NEXT: ctrl ? calendar.nextYear() : calendar.nextMonth(); return true;
    case VK_RETURN: closeUp(CloseUp::TakeDate); return true;
    default: return false;
    }
}

void TbsSkinDateEdit::closeUp(CloseUp how)
{
    if (!droppedDown())
        return;
    m_keyboardCalendar = false;
    m_popup.closeUp();
    if (how == CloseUp::TakeDate) {
        m_date = m_popup.calendar().Date();
        setOwnText(dateToStr(Date()));
        dateChanged();
    } else {
        // Months browsed without a day picked are not the field's date.
        m_popup.calendar().setDate(m_date);
    }
    setFocus();
}

} // namespace qv

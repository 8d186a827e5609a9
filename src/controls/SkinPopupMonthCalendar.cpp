#include "controls/SkinPopupMonthCalendar.h"

namespace qv {

TbsSkinPopupMonthCalendar::TbsSkinPopupMonthCalendar()
{
    m_calendar.setBounds(0, 0, m_calendar.width(), m_calendar.height());
    setBounds(0, 0, m_calendar.width(), m_calendar.height());
}

void TbsSkinPopupMonthCalendar::setSize(int width, int height)
{
    setBounds(left(), top(), width, height);
    // A hidden window hears of its new size only when shown.
    m_calendar.setBounds(0, 0, width, height);
}

void TbsSkinPopupMonthCalendar::resized() { m_calendar.setBounds(0, 0, width(), height()); }

void TbsSkinPopupMonthCalendar::popupAt(TControl& owner, TPoint p)
{
    dropDown(owner, TRect{p.x, p.y, p.x + width(), p.y + height()});
}

} // namespace qv

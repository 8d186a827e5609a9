#pragma once

#include "controls/SkinMonthCalendar.h"
#include "runtime/ui/DropDownWindow.h"

namespace qv {

// The month calendar in a window of its own that drops down from a field and
// never takes the activation, so the field keeps the focus.
class TbsSkinPopupMonthCalendar : public TDropDownWindow {
public:
    TbsSkinPopupMonthCalendar();

    TbsSkinMonthCalendar& calendar() { return m_calendar; }
    const TbsSkinMonthCalendar& calendar() const { return m_calendar; }

    // Shows the calendar at a screen point at its present size.
    void popupAt(TControl& owner, TPoint screenPoint);
    void setSize(int width, int height);

protected:
    void resized() override;

private:
    TbsSkinMonthCalendar m_calendar{this};
};

} // namespace qv

#pragma once

#include "runtime/core/DateTime.h"
#include "skin/controls/SkinEdit.h"

namespace qv {

// The loan date: shows its date as short-date text and holds the date value.
// Typing accepts digits and separators; a text that reads as a date becomes
// the value, and leaving the field shows the value's text again.
class DateField : public TbsSkinEdit {
public:
    explicit DateField(TWinControl* parent);

    TDateTime date() const { return m_date; }
    void setDate(TDateTime date);

protected:
    void keyPress(char& key) override;
    void doExit() override;

private:
    TDateTime m_date = 0;
};

} // namespace qv

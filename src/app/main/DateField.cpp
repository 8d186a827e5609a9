#include "app/main/DateField.h"

#include "runtime/core/Exception.h"
#include "runtime/core/RegionalSettings.h"

#include <cctype>

namespace qv {

DateField::DateField(TWinControl* parent) : TbsSkinEdit(parent)
{
    // The calendar button comes with the date edit; until then the plain edit
    // section, so that no button is drawn that does nothing.
    setSkinDataName("edit");
    setMaxLength(10);
    onChange = [this] {
        try {
            m_date = strToDate(text());
        } catch (const EConvertError&) {
            // Half-typed dates stay text until they read as a date.
        }
    };
}

void DateField::setDate(TDateTime date)
{
    m_date = date;
    setText(dateToStr(date));
}

void DateField::keyPress(char& key)
{
    unsigned char c = static_cast<unsigned char>(key);
    bool separator = key == regionalSettings().dateSeparator || key == '/' || key == '-' || key == '.';
    if (!(key == chBackspace || std::isdigit(c) || separator || key < 32))
        key = 0;
    TbsSkinEdit::keyPress(key);
}

void DateField::doExit()
{
    setText(dateToStr(m_date));
    TbsSkinEdit::doExit();
}

} // namespace qv

#include "app/main/DateField.h"

#include "runtime/core/Exception.h"
#include "runtime/core/RegionalSettings.h"

#include <cctype>

namespace qv {

DateField::DateField(TWinControl* parent) : TbsSkinEdit(parent)
{
    setSkinDataName("buttonedit");
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

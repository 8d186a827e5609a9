#include "loan/PaymentDate.h"

#include "runtime/core/DateTime.h"

namespace qv {

std::string paymentDateText(int year, int month, int loanDay)
{
    // Years always take four digits, so that every date reads back the same way.
    std::string yearText = std::to_string(year);
    if (yearText.size() < 4)
        yearText.insert(0, 4 - yearText.size(), '0');
    std::string text = yearText + (month < 10 ? "-0" : "-") + std::to_string(month);
    if (loanDay < 10)
        return text + "-0" + std::to_string(loanDay);
    if (loanDay == 31 && (month == 4 || month == 6 || month == 9 || month == 11))
        return text + "-30";
    if (loanDay > 28 && month == 2)
        return text + (isLeapYear(year) ? "-29" : "-28");
    return text + "-" + std::to_string(loanDay);
}

} // namespace qv

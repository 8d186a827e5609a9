#include "loan/PaymentDate.h"

#include "runtime/core/DateTime.h"

namespace qv {

std::string paymentDateText(int year, int month, int loanDay)
{
    std::string text = std::to_string(year) + (month < 10 ? "-0" : "-") + std::to_string(month);
    if (loanDay < 10)
        return text + "-0" + std::to_string(loanDay);
    if (loanDay == 31 && (month == 4 || month == 6 || month == 9 || month == 11))
        return text + "-30";
    if (loanDay > 28 && month == 2)
        return text + (isLeapYear(year) ? "-29" : "-28");
    return text + "-" + std::to_string(loanDay);
}

} // namespace qv

#include "loan/PaymentDate.h"

#include "runtime/core/DateTime.h"

#include <charconv>
#include <iterator>

namespace qv {
namespace {

char* twoDigits(char* out, int value)
{
    *out++ = static_cast<char>('0' + value / 10);
    *out++ = static_cast<char>('0' + value % 10);
    return out;
}

// The day of the month a payment falls on, from the loan date's day.
int paymentDay(int year, int month, int loanDay)
{
    if (loanDay == 31 && (month == 4 || month == 6 || month == 9 || month == 11))
        return 30;
    if (loanDay > 28 && month == 2)
        return isLeapYear(year) ? 29 : 28;
    return loanDay;
}

} // namespace

// Built in place: Calculate writes one per month.
std::string paymentDateText(int year, int month, int loanDay)
{
    // Years always take four digits, so that every date reads back the same way.
    char text[32];
    char* o = text;
    for (int width = 1000; width > 1 && year >= 0 && year < width; width /= 10)
        *o++ = '0';
    o = std::to_chars(o, std::end(text), year).ptr;
    *o++ = '-';
    o = twoDigits(o, month);
    *o++ = '-';
    o = twoDigits(o, paymentDay(year, month, loanDay)); // a date's day: 1 to 31
    return std::string(text, o);
}

} // namespace qv

#pragma once

#include <string>

namespace qv {

// A date as a count of days since 30 December 1899, the time of day as the fraction.
using TDateTime = double;

struct DateParts {
    int year = 0;
    int month = 0;
    int day = 0;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);
bool isValidDate(int year, int month, int day);
// Raises EConvertError for an impossible date.
TDateTime encodeDate(int year, int month, int day);
DateParts decodeDate(TDateTime date);
TDateTime today();

// Short date text in the regional format; years always with four digits.
std::string dateToStr(TDateTime date);
// Reverse of dateToStr; raises EConvertError "'%s' is not a valid date".
TDateTime strToDate(const std::string& text);

} // namespace qv

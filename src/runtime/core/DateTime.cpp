#include "runtime/core/DateTime.h"

#include "runtime/core/DisplayFormat.h"
#include "runtime/core/Exception.h"
#include "runtime/core/Format.h"
#include "runtime/core/RegionalSettings.h"
#include "runtime/core/Text.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

namespace qv {
namespace {

// Days from 1970-01-01 to a proleptic Gregorian date (Howard Hinnant's civil algorithm).
long long daysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    long long const era = (y >= 0 ? y : y - 399) / 400;
    long long const yoe = y - era * 400;
    long long const doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    long long const doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

DateParts civilFromDays(long long z)
{
    z += 719468;
    long long const era = (z >= 0 ? z : z - 146096) / 146097;
    long long const doe = z - era * 146097;
    long long const yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long const doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long const mp = (5 * doy + 2) / 153;
    int const d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    int const m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    int const y = static_cast<int>(yoe + era * 400 + (m <= 2));
    return {y, m, d};
}

constexpr long long epochOffset = 25569; // 1970-01-01 as a day count from 1899-12-30

std::string notADate(const std::string& text)
{
    return formatMessage("'%s' is not a valid date", echoedInput(text));
}

// The order in which the short date format names day, month and year.
std::string fieldOrder(const std::string& format)
{
    std::string order;
    char quote = 0;
    for (char c : format) {
        if (quote != 0 || c == '"' || c == '\'') {
            quote = quote == 0 ? c : (c == quote ? 0 : quote);
            continue;
        }
        char const field = (c == 'd' || c == 'D') ? 'd' : (c == 'M' || c == 'm') ? 'm' : (c == 'y' || c == 'Y') ? 'y' : 0;
        if (field != 0 && order.find(field) == std::string::npos)
            order += field;
    }
    return order.size() == 3 ? order : "ymd";
}

bool isDateField(char c)
{
    return c == 'd' || c == 'D' || c == 'M' || c == 'm' || c == 'y' || c == 'Y';
}

// The texts around and between the fields of a short date format, as dateToStr
// writes them: before the first field, between the fields, after the last.
std::vector<std::string> fieldLiterals(const std::string& format, char separator)
{
    std::vector<std::string> literals(1);
    for (std::size_t i = 0; i < format.size();) {
        char const c = format[i];
        if (c == '"' || c == '\'') {
            std::size_t const close = format.find(c, i + 1);
            literals.back() += format.substr(i + 1, close == std::string::npos ? std::string::npos : close - i - 1);
            i = close == std::string::npos ? format.size() : close + 1;
            continue;
        }
        if (isDateField(c)) {
            while (i < format.size() && format[i] == c)
                ++i;
            literals.emplace_back();
            continue;
        }
        literals.back() += c == '/' ? separator : c;
        ++i;
    }
    return literals;
}

bool startsWith(const std::string& text, std::size_t pos, const std::string& part)
{
    return !part.empty() && text.compare(pos, part.size(), part) == 0;
}

} // namespace

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && isLeapYear(year))
        return 29;
    return days[month - 1];
}

bool isValidDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month);
}

TDateTime encodeDate(int year, int month, int day)
{
    if (!isValidDate(year, month, day))
        throw EConvertError("Invalid argument to date encode");
    return static_cast<TDateTime>(daysFromCivil(year, month, day) + epochOffset);
}

DateParts decodeDate(TDateTime date)
{
    long long const days = static_cast<long long>(std::floor(date)) - epochOffset;
    return civilFromDays(days);
}

TDateTime today()
{
    std::time_t const now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return encodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string dateToStr(TDateTime date)
{
    return formatRegionalDate(regionalSettings().shortDateFormat, date);
}

TDateTime strToDate(const std::string& typed)
{
    RegionalSettings const& settings = regionalSettings();
    // Messages quote the text as typed, spaces around it included.
    std::string const text = trim(typed, " ");
    std::size_t i = 0;
    std::size_t end = text.size();
    // Formats such as 2024年03月15日 write their own texts around the numbers.
    std::vector<std::string> const literals = fieldLiterals(settings.shortDateFormat, settings.dateSeparator);
    if (startsWith(text, i, literals.front()))
        i += literals.front().size();
    if (literals.size() > 1 && end - i > literals.back().size() && startsWith(text, end - literals.back().size(), literals.back()))
        end -= literals.back().size();

    std::vector<int> numbers;
    std::vector<int> widths;
    while (i < end) {
        if (!numbers.empty()) {
            std::string const& own = literals[std::min(numbers.size(), literals.size() - 1)];
            if (startsWith(text, i, own) && i + own.size() <= end)
                i += own.size();
            else if (text[i] == settings.dateSeparator)
                ++i;
            else
                throw EConvertError(notADate(typed));
        }
        int value = 0;
        int width = 0;
        while (i < end && text[i] >= '0' && text[i] <= '9' && width < 6) {
            value = value * 10 + (text[i] - '0');
            ++i;
            ++width;
        }
        if (width == 0 || numbers.size() == 3)
            throw EConvertError(notADate(typed));
        numbers.push_back(value);
        widths.push_back(width);
    }
    if (numbers.size() < 2)
        throw EConvertError(notADate(typed));

    std::string order = fieldOrder(settings.shortDateFormat);
    int const thisYear = decodeDate(today()).year;
    int year = thisYear;
    int month = 0;
    int day = 0;
    if (numbers.size() == 2)
        order.erase(order.find('y'), 1);
    bool shortYear = false;
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        if (order[k] == 'y') {
            year = numbers[k];
            shortYear = widths[k] <= 2;
        } else if (order[k] == 'm') {
            month = numbers[k];
        } else {
            day = numbers[k];
        }
    }
    if (shortYear)
        year += thisYear / 100 * 100;
    if (!isValidDate(year, month, day))
        throw EConvertError(notADate(typed));
    return encodeDate(year, month, day);
}

} // namespace qv

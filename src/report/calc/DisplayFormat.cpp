#include "report/calc/DisplayFormat.h"

#include "runtime/core/Numbers.h"
#include "runtime/core/RegionalSettings.h"

#include <cctype>
#include <cmath>
#include <vector>

namespace qv::report {

namespace {

std::vector<std::string> sections(const std::string& format)
{
    std::vector<std::string> parts(1);
    char quote = 0;
    for (char c : format) {
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            parts.emplace_back();
            continue;
        }
        parts.back() += c;
    }
    return parts;
}

struct Pattern {
    std::string prefix;
    std::string suffix;
    int integerZeros = 0;
    int decimalZeros = 0;
    int decimalPlaces = 0;
    bool thousands = false;
    bool hasDigits = false;
};

Pattern parsePattern(const std::string& section)
{
    Pattern pattern;
    bool afterPoint = false;
    bool digitsDone = false;
    char quote = 0;
    for (char c : section) {
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                (pattern.hasDigits ? pattern.suffix : pattern.prefix) += c;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            continue;
        }
        bool placeholder = c == '0' || c == '#' || c == '.' || c == ',';
        if (placeholder && !digitsDone) {
            pattern.hasDigits = true;
            if (c == '.') {
                afterPoint = true;
            } else if (c == ',') {
                pattern.thousands = pattern.thousands || !afterPoint;
            } else if (afterPoint) {
                ++pattern.decimalPlaces;
                if (c == '0')
                    pattern.decimalZeros = pattern.decimalPlaces;
            } else if (c == '0') {
                ++pattern.integerZeros;
            }
            continue;
        }
        if (pattern.hasDigits) {
            digitsDone = true;
            pattern.suffix += c;
        } else {
            pattern.prefix += c;
        }
    }
    return pattern;
}

std::string applyPattern(const Pattern& pattern, long double value)
{
    if (!pattern.hasDigits)
        return pattern.prefix + pattern.suffix;
    long double scale = std::pow(10.0L, pattern.decimalPlaces);
    long double scaled = std::round(std::fabs(value) * scale);
    long double integral = std::floor(scaled / scale);
    long double fraction = scaled - integral * scale;

    std::string digits;
    for (long double rest = integral; rest >= 1; rest = std::floor(rest / 10))
        digits.insert(digits.begin(), char('0' + int(std::fmod(rest, 10.0L))));
    while (int(digits.size()) < pattern.integerZeros)
        digits.insert(digits.begin(), '0');
    if (pattern.thousands) {
        for (int i = int(digits.size()) - 3; i > 0; i -= 3)
            digits.insert(std::string::size_type(i), 1, ',');
    }

    std::string decimals;
    for (int i = 0; i < pattern.decimalPlaces; ++i) {
        long double place = std::pow(10.0L, pattern.decimalPlaces - 1 - i);
        int digit = int(std::fmod(std::floor(fraction / place), 10.0L));
        decimals += char('0' + digit);
    }
    while (int(decimals.size()) > pattern.decimalZeros && !decimals.empty() && decimals.back() == '0')
        decimals.pop_back();

    std::string text = digits;
    if (!decimals.empty())
        text += regionalSettings().decimalSeparator + decimals;
    return pattern.prefix + text + pattern.suffix;
}

std::string twoDigits(int value)
{
    std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}

bool startsWithNoCase(const std::string& text, std::string::size_type pos, const char* word)
{
    for (std::string::size_type i = 0; word[i]; ++i) {
        if (pos + i >= text.size() || std::tolower(static_cast<unsigned char>(text[pos + i])) != word[i])
            return false;
    }
    return true;
}

} // namespace

std::string formatNumber(const std::string& format, long double value)
{
    if (format.empty())
        return numberText(value);
    auto parts = sections(format);
    if (value < 0 && parts.size() >= 2 && !parts[1].empty())
        return applyPattern(parsePattern(parts[1]), -value);
    Pattern positive = parsePattern(parts[0]);
    long double rounded = std::round(std::fabs(value) * std::pow(10.0L, positive.decimalPlaces));
    if (rounded == 0 && parts.size() >= 3 && !parts[2].empty())
        return applyPattern(parsePattern(parts[2]), 0);
    std::string text = applyPattern(positive, value);
    return value < 0 && rounded != 0 ? "-" + text : text;
}

std::string formatDateTime(const std::string& format, TDateTime value)
{
    const RegionalSettings& region = regionalSettings();
    DateParts date = decodeDate(std::floor(value));
    double dayFraction = value - std::floor(value);
    int totalSeconds = int(std::lround(dayFraction * 86400.0)) % 86400;
    int hour = totalSeconds / 3600;
    int minute = totalSeconds / 60 % 60;
    int second = totalSeconds % 60;
    int weekday = (int(std::floor(value)) % 7 + 7 + 6) % 7; // day 0 (1899-12-30) was a Saturday

    if (format.empty())
        return totalSeconds ? formatDateTime("ddddd t", value) : dateToStr(value);

    std::string out;
    bool lastWasHour = false;
    std::string::size_type i = 0;
    auto run = [&](char c) {
        std::string::size_type n = 0;
        while (i + n < format.size() && std::tolower(static_cast<unsigned char>(format[i + n])) == c)
            ++n;
        return n;
    };
    while (i < format.size()) {
        char c = format[i];
        char lower = char(std::tolower(static_cast<unsigned char>(c)));
        if (c == '"' || c == '\'') {
            auto end = format.find(c, i + 1);
            out += format.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
            i = end == std::string::npos ? format.size() : end + 1;
            continue;
        }
        if (startsWithNoCase(format, i, "am/pm") || startsWithNoCase(format, i, "ampm")) {
            out += hour < 12 ? "am" : "pm";
            i += startsWithNoCase(format, i, "ampm") ? 4 : 5;
            continue;
        }
        std::string::size_type n = 1;
        switch (lower) {
        case 'd':
            n = run('d');
            if (n == 1) out += std::to_string(date.day);
            else if (n == 2) out += twoDigits(date.day);
            else if (n == 3) out += region.shortDayNames[weekday];
            else if (n == 4) out += region.longDayNames[weekday];
            else if (n == 5) out += dateToStr(value);
            else out += region.longDayNames[weekday] + ", " + region.longMonthNames[date.month - 1] + " " + std::to_string(date.day) + ", " + std::to_string(date.year);
            lastWasHour = false;
            break;
        case 'm':
            n = run('m');
            if (lastWasHour && n <= 2) out += n == 1 ? std::to_string(minute) : twoDigits(minute);
            else if (n == 1) out += std::to_string(date.month);
            else if (n == 2) out += twoDigits(date.month);
            else if (n == 3) out += region.shortMonthNames[date.month - 1];
            else out += region.longMonthNames[date.month - 1];
            lastWasHour = false;
            break;
        case 'y':
            n = run('y');
            out += n <= 2 ? twoDigits(date.year % 100) : std::to_string(date.year);
            lastWasHour = false;
            break;
        case 'h': {
            n = run('h');
            bool twelve = format.find("am") != std::string::npos || format.find("AM") != std::string::npos;
            int shown = twelve ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            out += n == 1 ? std::to_string(shown) : twoDigits(shown);
            lastWasHour = true;
            break;
        }
        case 'n':
            n = run('n');
            out += n == 1 ? std::to_string(minute) : twoDigits(minute);
            break;
        case 's':
            n = run('s');
            out += n == 1 ? std::to_string(second) : twoDigits(second);
            lastWasHour = false;
            break;
        case 't':
            n = run('t');
            out += std::to_string(hour) + ":" + twoDigits(minute) + (n >= 2 ? ":" + twoDigits(second) : "");
            lastWasHour = false;
            break;
        case '/':
            out += region.dateSeparator;
            break;
        default:
            out += c;
            break;
        }
        i += n;
    }
    return out;
}

} // namespace qv::report

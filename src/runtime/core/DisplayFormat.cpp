#include "runtime/core/DisplayFormat.h"

#include "runtime/core/Numbers.h"
#include "runtime/core/RegionalSettings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

namespace qv {

namespace {

// ---- numbers ----

std::vector<std::string> sections(const std::string& pattern)
{
    std::vector<std::string> parts(1);
    char quote = 0;
    for (char c : pattern) {
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

struct NumberPattern {
    std::string prefix;
    std::string suffix;
    int integerZeros = 0;
    int decimalZeros = 0;
    int decimalPlaces = 0;
    bool grouped = false;
    bool hasDigits = false;
};

NumberPattern parseNumberPattern(const std::string& section)
{
    NumberPattern pattern;
    bool afterPoint = false;
    bool digitsDone = false;
    char quote = 0;
    for (char c : section) {
        std::string& text = pattern.hasDigits ? pattern.suffix : pattern.prefix;
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                text += c;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            continue;
        }
        bool const placeholder = c == '0' || c == '#' || c == '.' || c == ',';
        if (!placeholder || digitsDone) {
            digitsDone = pattern.hasDigits;
            text += c;
            continue;
        }
        pattern.hasDigits = true;
        if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else if (c == ',') {
            pattern.grouped = pattern.grouped || !afterPoint;
        } else if (afterPoint && c != '.') {
            ++pattern.decimalPlaces;
            if (c == '0')
                pattern.decimalZeros = pattern.decimalPlaces;
        } else if (c == '0') {
            ++pattern.integerZeros;
        }
    }
    return pattern;
}

// The significant digits a number carries; whole digits past them are binary noise
// (1e308 would print as 1000000000000000010979...), and such a value is shown in the
// general (scientific) form instead of as another number.
constexpr std::size_t carriedDigits = 15;

bool wholeDigitsAreNoise(const std::string& whole)
{
    std::size_t const first = whole.find_first_not_of('0');
    if (first == std::string::npos || whole.size() - first <= carriedDigits)
        return false;
    return whole.find_first_not_of('0', first + carriedDigits) != std::string::npos;
}

// The digits of |value| rounded half away from zero to the pattern's places, as one
// decimal string with the last decimalPlaces digits being the fraction; empty when the
// pattern cannot show the value exactly.
std::string scaledDigits(const NumberPattern& pattern, long double value)
{
    long double const scaled = std::round(std::fabs(value) * std::pow(10.0L, pattern.decimalPlaces));
    if (!std::isfinite(scaled))
        return {};
    char buffer[5200];
    std::snprintf(buffer, sizeof buffer, "%.0Lf", scaled);
    std::string digits = buffer;
    if (wholeDigitsAreNoise(digits.substr(0, digits.size() - std::min(digits.size(), std::size_t(pattern.decimalPlaces)))))
        return {};
    if (static_cast<int>(digits.size()) <= pattern.decimalPlaces)
        digits.insert(0, std::size_t(pattern.decimalPlaces + 1 - static_cast<int>(digits.size())), '0');
    return digits;
}

std::string groupDigits(const std::string& digits)
{
    RegionalSettings const& region = regionalSettings();
    if (region.grouping.empty() || region.thousandSeparator.empty())
        return digits;
    std::string out;
    std::size_t end = digits.size();
    std::size_t group = 0;
    std::vector<std::string> chunks;
    while (end > 0) {
        int const size = region.grouping[std::min(group, region.grouping.size() - 1)];
        if (size <= 0 || std::size_t(size) >= end) {
            chunks.push_back(digits.substr(0, end));
            break;
        }
        chunks.push_back(digits.substr(end - std::size_t(size), std::size_t(size)));
        end -= std::size_t(size);
        ++group;
    }
    for (auto chunk = chunks.rbegin(); chunk != chunks.rend(); ++chunk) {
        if (!out.empty())
            out += region.thousandSeparator;
        out += *chunk;
    }
    return out;
}

// |value| by one section; the caller places any minus sign.
std::string applyNumberPattern(const NumberPattern& pattern, long double value)
{
    if (!pattern.hasDigits)
        return pattern.prefix + pattern.suffix;
    std::string digits = scaledDigits(pattern, value);
    if (digits.empty())
        return pattern.prefix + numberText(std::fabs(value)) + pattern.suffix;
    std::string integer = digits.substr(0, digits.size() - std::size_t(pattern.decimalPlaces));
    std::string fraction = digits.substr(integer.size());
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
    if (static_cast<int>(integer.size()) < pattern.integerZeros)
        integer.insert(0, std::size_t(pattern.integerZeros) - integer.size(), '0');
    while (static_cast<int>(fraction.size()) > pattern.decimalZeros && fraction.back() == '0')
        fraction.pop_back();
    if (pattern.grouped)
        integer = groupDigits(integer);
    // A pattern of "#" alone would print nothing for zero; a label must show something.
    if (integer.empty() && fraction.empty())
        integer = "0";
    std::string text = pattern.prefix + integer;
    if (!fraction.empty())
        text += regionalSettings().decimalSeparator + fraction;
    return text + pattern.suffix;
}

bool roundsToZero(const NumberPattern& pattern, long double value)
{
    std::string const digits = scaledDigits(pattern, value);
    return !digits.empty() && digits.find_first_not_of('0') == std::string::npos;
}

// ---- dates ----

std::string padded(long long value, int width)
{
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, std::size_t(width) - text.size(), '0');
    return text;
}

// Days of the dates a DateParts can hold, 0001-01-01 to 9999-12-31.
constexpr double firstDay = -693593;
constexpr double lastDay = 2958465;

struct Moment {
    DateParts date;
    int weekday = 0; // Sunday 0
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    long long milliseconds = 0;
};

Moment split(TDateTime value)
{
    Moment m;
    double const day = std::trunc(value);
    m.date = decodeDate(day);
    long long const whole = static_cast<long long>(day);
    m.weekday = static_cast<int>(((whole + 6) % 7 + 7) % 7); // day 0, 1899-12-30, was a Saturday
    long long ms = std::llround(std::fabs(value - day) * 86400000.0);
    if (ms > 86399999)
        ms = 86399999;
    m.milliseconds = ms;
    m.hour = static_cast<int>(ms / 3600000);
    m.minute = static_cast<int>(ms / 60000 % 60);
    m.second = static_cast<int>(ms / 1000 % 60);
    m.millisecond = static_cast<int>(ms % 1000);
    return m;
}

bool inDateRange(TDateTime value)
{
    return std::isfinite(value) && std::trunc(value) >= firstDay && std::trunc(value) <= lastDay;
}

bool startsWithNoCase(const std::string& text, std::size_t pos, const char* word)
{
    for (std::size_t i = 0; word[i]; ++i) {
        if (pos + i >= text.size() || std::tolower(static_cast<unsigned char>(text[pos + i])) != word[i])
            return false;
    }
    return true;
}

// Position after the quoted text that opens at open (an unclosed quote runs to the end).
std::size_t quotedEnd(const std::string& text, std::size_t open)
{
    std::size_t const close = text.find(text[open], open + 1);
    return close == std::string::npos ? text.size() : close + 1;
}

// Copies the quoted text at open to out; returns the position after it.
std::size_t copyQuoted(const std::string& text, std::size_t open, std::string& out)
{
    std::size_t const close = text.find(text[open], open + 1);
    out += text.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    return quotedEnd(text, open);
}

// Any of the three day-half markers makes the hours of the whole pattern 12-hour.
bool hasDayHalf(const std::string& pattern)
{
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern[i] == '"' || pattern[i] == '\'') {
            i = quotedEnd(pattern, i);
            continue;
        }
        if (startsWithNoCase(pattern, i, "am/pm") || startsWithNoCase(pattern, i, "a/p") || startsWithNoCase(pattern, i, "ampm"))
            return true;
        ++i;
    }
    return false;
}

std::size_t runOf(const std::string& text, std::size_t pos, char lower)
{
    std::size_t n = 0;
    while (pos + n < text.size() && std::tolower(static_cast<unsigned char>(text[pos + n])) == lower)
        ++n;
    return n;
}

// Regional time formats may not hold t or tt themselves; a depth keeps a strange
// setting from expanding forever.
void appendDateTime(std::string& out, const std::string& pattern, TDateTime value, int depth)
{
    RegionalSettings const& region = regionalSettings();
    Moment const m = split(value);
    bool const twelveHour = hasDayHalf(pattern);
    bool afterHour = false;
    std::size_t i = 0;
    while (i < pattern.size()) {
        char const c = pattern[i];
        char const lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (c == '"' || c == '\'') {
            i = copyQuoted(pattern, i, out);
            continue;
        }
        if (startsWithNoCase(pattern, i, "am/pm")) {
            std::string const word = pattern.substr(i + (m.hour < 12 ? 0 : 3), 2);
            out += word;
            i += 5;
            continue;
        }
        if (startsWithNoCase(pattern, i, "a/p")) {
            out += pattern[i + (m.hour < 12 ? 0 : 2)];
            i += 3;
            continue;
        }
        if (startsWithNoCase(pattern, i, "ampm")) {
            std::string const& half = m.hour < 12 ? region.amString : region.pmString;
            out += half.empty() ? (m.hour < 12 ? "AM" : "PM") : half;
            i += 4;
            continue;
        }
        std::size_t n = 1;
        switch (lower) {
        case 'c':
            appendDateTime(out, "ddddd", value, depth + 1);
            if (m.milliseconds != 0 && depth < 2) {
                out += ' ';
                appendDateTime(out, region.longTimeFormat, value, depth + 1);
            }
            break;
        case 'd':
            n = runOf(pattern, i, 'd');
            if (n == 1) out += std::to_string(m.date.day);
            else if (n == 2) out += padded(m.date.day, 2);
            else if (n == 3) out += region.shortDayNames[std::size_t(m.weekday)];
            else if (n == 4) out += region.longDayNames[std::size_t(m.weekday)];
            else if (n == 5) out += formatRegionalDate(region.shortDateFormat, value);
            else out += formatRegionalDate(region.longDateFormat, value);
            afterHour = false;
            break;
        case 'm':
            n = runOf(pattern, i, 'm');
            if (afterHour && n <= 2) out += n == 1 ? std::to_string(m.minute) : padded(m.minute, 2);
            else if (n == 1) out += std::to_string(m.date.month);
            else if (n == 2) out += padded(m.date.month, 2);
            else if (n == 3) out += region.shortMonthNames[std::size_t(m.date.month - 1)];
            else out += region.longMonthNames[std::size_t(m.date.month - 1)];
            afterHour = false;
            break;
        case 'y':
            n = runOf(pattern, i, 'y');
            out += n <= 2 ? padded(m.date.year % 100, 2) : padded(m.date.year, 4);
            afterHour = false;
            break;
        case 'h': {
            n = runOf(pattern, i, 'h');
            int const shown = twelveHour ? (m.hour % 12 == 0 ? 12 : m.hour % 12) : m.hour;
            out += n == 1 ? std::to_string(shown) : padded(shown, 2);
            afterHour = true;
            break;
        }
        case 'n':
            n = runOf(pattern, i, 'n');
            out += n == 1 ? std::to_string(m.minute) : padded(m.minute, 2);
            afterHour = false;
            break;
        case 's':
            n = runOf(pattern, i, 's');
            out += n == 1 ? std::to_string(m.second) : padded(m.second, 2);
            afterHour = false;
            break;
        case 'z':
            n = runOf(pattern, i, 'z');
            out += n < 3 ? std::to_string(m.millisecond) : padded(m.millisecond, 3);
            break;
        case 't':
            n = runOf(pattern, i, 't');
            if (depth < 2)
                appendDateTime(out, n == 1 ? region.shortTimeFormat : region.longTimeFormat, value, depth + 1);
            afterHour = false;
            break;
        case '/':
            out += region.dateSeparator;
            break;
        case ':':
            out += region.timeSeparator;
            break;
        default:
            out += c;
            break;
        }
        i += n;
    }
}

} // namespace

std::string formatFloat(const std::string& pattern, long double value)
{
    if (pattern.empty() || !std::isfinite(value))
        return numberText(value);
    std::vector<std::string> const parts = sections(pattern);
    if (value < 0 && parts.size() >= 2 && !parts[1].empty())
        return applyNumberPattern(parseNumberPattern(parts[1]), value);
    NumberPattern const positive = parseNumberPattern(parts[0]);
    bool const zero = roundsToZero(positive, value);
    if (zero && parts.size() >= 3 && !parts[2].empty())
        return applyNumberPattern(parseNumberPattern(parts[2]), 0);
    std::string const text = applyNumberPattern(positive, value);
    return value < 0 && !zero ? "-" + text : text;
}

std::string formatDateTime(const std::string& pattern, TDateTime value)
{
    // Beyond the calendar a value is only a number.
    if (!inDateRange(value))
        return numberText(value);
    std::string out;
    appendDateTime(out, pattern.empty() ? std::string("c") : pattern, value, 0);
    return out;
}

std::string formatRegionalDate(const std::string& format, TDateTime date)
{
    if (!inDateRange(date))
        return numberText(date);
    RegionalSettings const& region = regionalSettings();
    Moment const m = split(date);
    std::string out;
    for (std::size_t i = 0; i < format.size();) {
        char const c = format[i];
        if (c == '"' || c == '\'') {
            i = copyQuoted(format, i, out);
            continue;
        }
        std::size_t run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        switch (c) {
        case 'y':
        case 'Y':
            out += padded(m.date.year, 4);
            break;
        case 'M':
        case 'm':
            if (run >= 4)
                out += region.longMonthNames[std::size_t(m.date.month - 1)];
            else if (run == 3)
                out += region.shortMonthNames[std::size_t(m.date.month - 1)];
            else
                out += padded(m.date.month, static_cast<int>(run));
            break;
        case 'd':
        case 'D':
            if (run >= 4)
                out += region.longDayNames[std::size_t(m.weekday)];
            else if (run == 3)
                out += region.shortDayNames[std::size_t(m.weekday)];
            else
                out += padded(m.date.day, static_cast<int>(run));
            break;
        case '/':
            out += std::string(run, region.dateSeparator);
            break;
        default:
            out += std::string(run, c);
            break;
        }
        i += run;
    }
    return out;
}

} // namespace qv

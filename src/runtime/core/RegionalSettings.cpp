#include "runtime/core/RegionalSettings.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace qv {
namespace {

RegionalSettings& current()
{
    static RegionalSettings settings = RegionalSettings::posix();
    return settings;
}

bool isPosixLocale(const char* name)
{
    return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0
        || std::strncmp(name, "C.", 2) == 0;
}

// Turns a strftime date pattern into our token form; false when it holds
// something a short date cannot show (month names, weekdays).
bool convertDatePattern(const std::string& pattern, std::string& format, char& separator)
{
    format.clear();
    separator = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char const c = pattern[i];
        if (c != '%') {
            if (separator == 0)
                separator = c;
            format += (c == separator) ? '/' : c;
            continue;
        }
        if (++i >= pattern.size())
            return false;
        char spec = pattern[i];
        if (spec == 'E' || spec == 'O' || spec == '-') {
            if (++i >= pattern.size())
                return false;
            spec = pattern[i];
        }
        switch (spec) {
        case 'd': format += "dd"; break;
        case 'e': format += "d"; break;
        case 'm': format += "MM"; break;
        case 'y':
        case 'Y': format += "yyyy"; break;
        case 'D': format += "MM/dd/yyyy"; if (separator == 0) separator = '/'; break;
        case 'F': format += "yyyy/MM/dd"; if (separator == 0) separator = '-'; break;
        default: return false;
        }
    }
    return separator != 0 && format.find('d') != std::string::npos && format.find('M') != std::string::npos
        && format.find('y') != std::string::npos;
}

} // namespace

RegionalSettings RegionalSettings::posix()
{
    RegionalSettings s;
    s.decimalSeparator = '.';
    s.shortDateFormat = "yyyy/MM/dd";
    s.dateSeparator = '-';
    s.longMonthNames = {"January", "February", "March", "April", "May", "June", "July", "August",
        "September", "October", "November", "December"};
    s.shortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    s.longDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    s.shortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return s;
}

RegionalSettings RegionalSettings::fromLocale()
{
    RegionalSettings s = posix();
    char const* numeric = std::setlocale(LC_NUMERIC, nullptr);
    if (!isPosixLocale(numeric)) {
        lconv const* conv = std::localeconv();
        if (conv != nullptr && conv->decimal_point != nullptr && std::strlen(conv->decimal_point) == 1)
            s.decimalSeparator = conv->decimal_point[0];
    }
    char const* time = std::setlocale(LC_TIME, nullptr);
    if (isPosixLocale(time))
        return s;

    std::string format;
    char separator = 0;
    if (convertDatePattern(nl_langinfo(D_FMT), format, separator)) {
        s.shortDateFormat = format;
        s.dateSeparator = separator;
    }
    static constexpr nl_item longMonths[12] = {MON_1, MON_2, MON_3, MON_4, MON_5, MON_6, MON_7, MON_8,
        MON_9, MON_10, MON_11, MON_12};
    static constexpr nl_item shortMonths[12] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4, ABMON_5, ABMON_6,
        ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    static constexpr nl_item longDays[7] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
    static constexpr nl_item shortDays[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
    for (int i = 0; i < 12; ++i) {
        s.longMonthNames[i] = nl_langinfo(longMonths[i]);
        s.shortMonthNames[i] = nl_langinfo(shortMonths[i]);
    }
    for (int i = 0; i < 7; ++i) {
        s.longDayNames[i] = nl_langinfo(longDays[i]);
        s.shortDayNames[i] = nl_langinfo(shortDays[i]);
    }
    return s;
}

const RegionalSettings& regionalSettings()
{
    return current();
}

void setRegionalSettings(const RegionalSettings& settings)
{
    current() = settings;
}

void loadRegionalSettingsFromLocale()
{
    current() = RegionalSettings::fromLocale();
    // The regional form is applied by our own conversions; the C library keeps "."
    // so that no other formatting picks up the user's separator by accident.
    std::setlocale(LC_NUMERIC, "C");
}

ScopedRegionalSettings::ScopedRegionalSettings(const RegionalSettings& settings)
    : m_saved(regionalSettings())
{
    setRegionalSettings(settings);
}

ScopedRegionalSettings::~ScopedRegionalSettings()
{
    setRegionalSettings(m_saved);
}

} // namespace qv

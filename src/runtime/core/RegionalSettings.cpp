#include "runtime/core/RegionalSettings.h"

#include <climits>
#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <vector>

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

// Literal text of a converted format: quoted when it holds letters that would read
// as tokens; other bytes (punctuation, UTF-8 such as 年) stand for themselves.
std::string literal(const std::string& text)
{
    for (char c : text) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            return '"' + text + '"';
    }
    return text;
}

// One strftime pattern split into conversions and the literal text between them.
struct Piece {
    char spec = 0; // 0 for literal text
    std::string text;
};

std::vector<Piece> splitPattern(const std::string& pattern)
{
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 >= pattern.size()) {
            if (pieces.empty() || pieces.back().spec != 0)
                pieces.push_back({});
            pieces.back().text += pattern[i];
            continue;
        }
        char spec = pattern[++i];
        // Flags and the E/O modifiers change nothing that a format of ours can show.
        while ((spec == 'E' || spec == 'O' || spec == '-' || spec == '_' || spec == '0' || spec == '^' || spec == '#')
            && i + 1 < pattern.size())
            spec = pattern[++i];
        if (spec == '%') {
            if (pieces.empty() || pieces.back().spec != 0)
                pieces.push_back({});
            pieces.back().text += '%';
            continue;
        }
        pieces.push_back({spec, {}});
    }
    return pieces;
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

bool isTimeConversion(char spec)
{
    return std::strchr("HIklMSpPrRTZzs", spec) != nullptr;
}

// The locale has no long date of its own; its date(1) layout comes closest. Its time
// and zone are dropped, with the text that stood between them, and names are written
// out in full, as a long date does.
std::string convertLongDatePattern(const std::string& pattern)
{
    std::vector<Piece> kept;
    bool droppedSince = false;
    for (const Piece& piece : splitPattern(pattern)) {
        if (piece.spec != 0 && isTimeConversion(piece.spec)) {
            droppedSince = true;
            continue;
        }
        if (piece.spec == 0 && (kept.empty() || (droppedSince && kept.back().spec == 0)))
            continue;
        kept.push_back(piece);
        droppedSince = false;
    }
    while (!kept.empty() && kept.back().spec == 0)
        kept.pop_back();

    std::string format;
    bool day = false, month = false, year = false;
    for (const Piece& piece : kept) {
        switch (piece.spec) {
        case 0: format += literal(piece.text); break;
        case 'a': case 'A': format += "dddd"; break;
        case 'b': case 'B': case 'h': format += "MMMM"; month = true; break;
        case 'd': case 'e': format += "d"; day = true; break;
        case 'm': format += "MM"; month = true; break;
        case 'y': case 'Y': format += "yyyy"; year = true; break;
        case 'D': format += "MM/dd/yyyy"; day = month = year = true; break;
        case 'F': format += "yyyy/MM/dd"; day = month = year = true; break;
        default: return {};
        }
    }
    return day && month && year ? format : std::string();
}

struct TimeFormats {
    std::string longFormat;
    std::string shortFormat;
    char separator = 0;
};

// Turns a strftime time pattern into the pattern tokens; the short form is the long
// one without its seconds (and the separator before them, or the unit after them).
TimeFormats convertTimePattern(const std::string& pattern, const std::string& ampmPattern)
{
    std::vector<Piece> pieces;
    for (const Piece& piece : splitPattern(pattern)) {
        std::string expansion = piece.spec == 'T' ? "%H:%M:%S" : piece.spec == 'R' ? "%H:%M" : piece.spec == 'r' ? ampmPattern : "";
        if (expansion.empty()) {
            pieces.push_back(piece);
            continue;
        }
        for (const Piece& inner : splitPattern(expansion))
            pieces.push_back(inner);
    }

    auto separatorLike = [](const Piece& piece) { return piece.spec == 0 && (piece.text == ":" || piece.text == "."); };
    std::vector<bool> notShort(pieces.size(), false);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].spec != 'S')
            continue;
        notShort[i] = true;
        if (i > 0 && separatorLike(pieces[i - 1]))
            notShort[i - 1] = true;
        else if (i + 1 < pieces.size() && pieces[i + 1].spec == 0)
            notShort[i + 1] = true;
    }

    TimeFormats formats;
    auto render = [&](bool withSeconds) {
        std::string format;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const Piece& piece = pieces[i];
            if (!withSeconds && notShort[i])
                continue;
            switch (piece.spec) {
            case 0:
                if (separatorLike(piece) && (formats.separator == 0 || formats.separator == piece.text[0])) {
                    formats.separator = piece.text[0];
                    format += ':';
                } else {
                    format += literal(piece.text);
                }
                break;
            case 'H': case 'I': format += "hh"; break;
            case 'k': case 'l': format += "h"; break;
            case 'M': format += "nn"; break;
            case 'S': format += "ss"; break;
            case 'p': case 'P': format += "ampm"; break;
            default: return std::string();
            }
        }
        return format;
    };
    formats.longFormat = render(true);
    formats.shortFormat = render(false);
    if (formats.longFormat.find('h') == std::string::npos)
        return {};
    return formats;
}

// "3;3" and the like; a size of CHAR_MAX or below 1 ends the grouping.
std::vector<int> groupingOf(const char* sizes)
{
    std::vector<int> grouping;
    for (const char* p = sizes; p != nullptr && *p != 0; ++p) {
        if (*p == CHAR_MAX || *p < 1) {
            grouping.push_back(0);
            break;
        }
        grouping.push_back(*p);
    }
    return grouping;
}

} // namespace

RegionalSettings RegionalSettings::posix()
{
    RegionalSettings s;
    s.decimalSeparator = '.';
    s.thousandSeparator = ",";
    s.grouping = {3};
    s.shortDateFormat = "yyyy/MM/dd";
    s.longDateFormat = "dddd, MMMM d, yyyy";
    s.dateSeparator = '-';
    s.shortTimeFormat = "hh:nn";
    s.longTimeFormat = "hh:nn:ss";
    s.timeSeparator = ':';
    s.amString = "AM";
    s.pmString = "PM";
    s.uiLanguage.clear();
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
        if (conv != nullptr && conv->thousands_sep != nullptr) {
            s.thousandSeparator = conv->thousands_sep;
            std::vector<int> grouping = groupingOf(conv->grouping);
            s.grouping = grouping.empty() || s.thousandSeparator.empty() ? std::vector<int>{} : grouping;
        }
    }
    char const* messages = std::setlocale(LC_MESSAGES, nullptr);
    if (!isPosixLocale(messages)) {
        std::string language = messages;
        s.uiLanguage = language.substr(0, language.find_first_of(".@"));
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
    std::string longDate = convertLongDatePattern(nl_langinfo(_DATE_FMT));
    if (!longDate.empty())
        s.longDateFormat = longDate;
    TimeFormats times = convertTimePattern(nl_langinfo(T_FMT), nl_langinfo(T_FMT_AMPM));
    if (!times.longFormat.empty()) {
        s.longTimeFormat = times.longFormat;
        s.shortTimeFormat = times.shortFormat;
        s.timeSeparator = times.separator != 0 ? times.separator : ':';
    }
    s.amString = nl_langinfo(AM_STR);
    s.pmString = nl_langinfo(PM_STR);
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

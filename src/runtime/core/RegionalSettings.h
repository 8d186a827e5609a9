#pragma once

#include <array>
#include <string>
#include <vector>

namespace qv {

// The user's regional format. Date formats use the tokens d, dd, ddd, dddd, M, MM,
// MMM, MMMM, yyyy and quoted literals; '/' stands for the date separator, any other
// character for itself. Time formats use the pattern tokens h, hh, nn, ss and ampm,
// with ':' for the time separator.
struct RegionalSettings {
    char decimalSeparator = '.';
    // Any text, often more than one byte (U+202F in French, U+2019 in Swiss German).
    std::string thousandSeparator = ",";
    // Digits per group from the decimal point leftwards; the last size repeats, and
    // a size of 0 ends the grouping. Empty: no grouping.
    std::vector<int> grouping = {3};
    std::string shortDateFormat = "yyyy/MM/dd";
    std::string longDateFormat = "dddd, MMMM d, yyyy";
    char dateSeparator = '-';
    std::string shortTimeFormat = "hh:nn";
    std::string longTimeFormat = "hh:nn:ss";
    char timeSeparator = ':';
    std::string amString = "AM";
    std::string pmString = "PM";
    // Language of the user interface ("ja_JP", "de"), from LC_MESSAGES; empty for C.
    std::string uiLanguage;
    std::array<std::string, 12> longMonthNames;
    std::array<std::string, 12> shortMonthNames;
    std::array<std::string, 7> longDayNames;  // Sunday first
    std::array<std::string, 7> shortDayNames;

    // The C/POSIX settings: "." and 2024-03-15, "," grouping by three, 24-hour times,
    // English names.
    static RegionalSettings posix();
    // Read from the process locale (LC_NUMERIC, LC_TIME, LC_MESSAGES) after
    // setlocale(LC_ALL, "").
    static RegionalSettings fromLocale();
};

const RegionalSettings& regionalSettings();
void setRegionalSettings(const RegionalSettings& settings);
// Reads the user's locale into the process-wide settings, then puts the C library's
// numeric formatting back to "." (call after setlocale(LC_ALL, "") or the toolkit's start).
void loadRegionalSettingsFromLocale();

// Swaps the settings for a scope (tests).
class ScopedRegionalSettings {
public:
    explicit ScopedRegionalSettings(const RegionalSettings& settings);
    ~ScopedRegionalSettings();
    ScopedRegionalSettings(const ScopedRegionalSettings&) = delete;
    ScopedRegionalSettings& operator=(const ScopedRegionalSettings&) = delete;

private:
    RegionalSettings m_saved;
};

} // namespace qv

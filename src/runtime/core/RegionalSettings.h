#pragma once

#include <array>
#include <string>

namespace qv {

// The user's regional format. Dates use the tokens d, dd, M, MM, yyyy; any other
// character in the short date format stands for the date separator when it is '/',
// or for itself.
struct RegionalSettings {
    char decimalSeparator = '.';
    std::string shortDateFormat = "yyyy/MM/dd";
    char dateSeparator = '-';
    std::array<std::string, 12> longMonthNames;
    std::array<std::string, 12> shortMonthNames;
    std::array<std::string, 7> longDayNames;  // Sunday first
    std::array<std::string, 7> shortDayNames;

    // The C/POSIX settings: "." and 2024-03-15, English names.
    static RegionalSettings posix();
    // Read from the process locale (LC_NUMERIC, LC_TIME) after setlocale(LC_ALL, "").
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

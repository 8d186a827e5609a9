#pragma once

#include "runtime/core/RegionalSettings.h"

#include <string>
#include <vector>

namespace qv::test {

// Each as the C library's locale of that name gives it (glibc 2.36).
inline RegionalSettings germanGermany()
{
    RegionalSettings s = RegionalSettings::posix();
    s.decimalSeparator = ',';
    s.thousandSeparator = ".";
    s.grouping = {3, 3};
    s.shortDateFormat = "dd/MM/yyyy";
    s.dateSeparator = '.';
    s.longDateFormat = "dddd d. MMMM yyyy";
    s.shortTimeFormat = "hh:nn";
    s.longTimeFormat = "hh:nn:ss";
    s.amString = "";
    s.pmString = "";
    s.longMonthNames = {"Januar", "Februar", "M\xC3\xA4rz", "April", "Mai", "Juni", "Juli", "August", "September",
        "Oktober", "November", "Dezember"};
    s.shortMonthNames = {"Jan", "Feb", "M\xC3\xA4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    s.longDayNames = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
    s.shortDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    s.uiLanguage = "de_DE";
    return s;
}

inline RegionalSettings swissGerman()
{
    RegionalSettings s = germanGermany();
    s.decimalSeparator = '.';
    s.thousandSeparator = "\xE2\x80\x99"; // U+2019
    s.longDateFormat = "dddd d MMMM yyyy";
    s.uiLanguage = "de_CH";
    return s;
}

inline RegionalSettings frenchFrance()
{
    RegionalSettings s = RegionalSettings::posix();
    s.decimalSeparator = ',';
    s.thousandSeparator = "\xE2\x80\xAF"; // U+202F, a narrow no-break space
    s.grouping = {3};
    s.shortDateFormat = "dd/MM/yyyy";
    s.dateSeparator = '/';
    s.longDateFormat = "dddd d MMMM yyyy";
    s.shortTimeFormat = "hh:nn";
    s.longTimeFormat = "hh:nn:ss";
    s.amString = "";
    s.pmString = "";
    s.longMonthNames = {"janvier", "f\xC3\xA9vrier", "mars", "avril", "mai", "juin", "juillet", "ao\xC3\xBBt",
        "septembre", "octobre", "novembre", "d\xC3\xA9" "cembre"};
    s.shortMonthNames = {"janv.", "f\xC3\xA9vr.", "mars", "avril", "mai", "juin", "juil.", "ao\xC3\xBBt", "sept.",
        "oct.", "nov.", "d\xC3\xA9" "c."};
    s.longDayNames = {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"};
    s.shortDayNames = {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."};
    s.uiLanguage = "fr_FR";
    return s;
}

inline RegionalSettings englishUnitedStates()
{
    RegionalSettings s = RegionalSettings::posix();
    s.thousandSeparator = ",";
    s.grouping = {3, 3};
    s.shortDateFormat = "MM/dd/yyyy";
    s.dateSeparator = '/';
    s.longDateFormat = "dddd MMMM d yyyy";
    s.shortTimeFormat = "hh:nn ampm";
    s.longTimeFormat = "hh:nn:ss ampm";
    s.longDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    s.uiLanguage = "en_US";
    return s;
}

// A desktop whose short date writes the month's abbreviated name: 05-Dec-2024.
// No C library locale gives one; users set it by hand.
inline RegionalSettings monthNameShortDate()
{
    RegionalSettings s = RegionalSettings::posix();
    s.shortDateFormat = "dd/MMM/yyyy";
    s.dateSeparator = '-';
    return s;
}

struct NamedSettings {
    const char* locale; // the system locale these settings stand for
    RegionalSettings settings;
};

// The five desktops every regional test runs under.
inline std::vector<NamedSettings> everyRegion()
{
    return {{"C", RegionalSettings::posix()}, {"de_DE.UTF-8", germanGermany()}, {"fr_FR.UTF-8", frenchFrance()},
        {"de_CH.UTF-8", swissGerman()}, {"en_US.UTF-8", englishUnitedStates()}};
}

} // namespace qv::test

#include "runtime/core/DisplayFormat.h"
#include "runtime/core/Exception.h"
#include "runtime/core/Numbers.h"
#include "runtime/core/RegionalSettings.h"

#include "RegionalPresets.h"
#include "support/SkipOrFailInCi.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace qv {
namespace {

// 2026-12-09 was a Wednesday.
TDateTime december9(int hour = 0, int minute = 0, int second = 0)
{
    return encodeDate(2026, 12, 9) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

TEST(FormatFloat, DigitPatternsRoundAndDropTrailingZeros)
{
    ScopedRegionalSettings posix(RegionalSettings::posix());
    EXPECT_EQ(formatFloat("#,##0.###", 1250), "1,250");
    EXPECT_EQ(formatFloat("#,##0.###", 87.5), "87.5");
    EXPECT_EQ(formatFloat("#,##0.###", 0), "0");
    EXPECT_EQ(formatFloat("#,##0.###", 1234567.8916), "1,234,567.892");
    EXPECT_EQ(formatFloat("#,##0.###", -1069.66), "-1,069.66");
    EXPECT_EQ(formatFloat("#,##0.###", -1e-14), "0") << "no minus sign on a value that rounds to zero";
    EXPECT_EQ(formatFloat("##0.## %", 12.346), "12.35 %");
    EXPECT_EQ(formatFloat("#,##0.00", 834), "834.00");
    EXPECT_EQ(formatFloat("0.00", -2.5), "-2.50");
    EXPECT_EQ(formatFloat("0.00", 0.125), "0.13") << "half away from zero";
    EXPECT_EQ(formatFloat("000", 7), "007");
    EXPECT_EQ(formatFloat("#.##", 0.5), ".5");
    EXPECT_EQ(formatFloat("#", 0), "0");
    EXPECT_EQ(formatFloat("0' payments'", 12), "12 payments");
    EXPECT_EQ(formatFloat("", 0.1), "0.1");
    EXPECT_EQ(formatFloat("#,##0", 1e20), "100,000,000,000,000,000,000");
}

TEST(FormatFloat, SectionsForNegativeAndZero)
{
    ScopedRegionalSettings posix(RegionalSettings::posix());
    EXPECT_EQ(formatFloat("0.0;(0.0);'zero'", -3), "(3.0)");
    EXPECT_EQ(formatFloat("0.0;(0.0);'zero'", 0.04), "zero");
    EXPECT_EQ(formatFloat("0.0;(0.0);'zero'", 2), "2.0");
    EXPECT_EQ(formatFloat("0.0;;'zero'", -2), "-2.0") << "an empty negative section falls back to the first";
    EXPECT_EQ(formatFloat("'a;b' 0", 5), "a;b 5") << "a quoted ';' divides nothing";
}

TEST(FormatFloat, NonFiniteAndHugeValuesStayReadable)
{
    ScopedRegionalSettings posix(RegionalSettings::posix());
    EXPECT_EQ(formatFloat("#,##0.00", std::numeric_limits<long double>::infinity()), numberText(std::numeric_limits<long double>::infinity()));
    EXPECT_FALSE(formatFloat("#,##0.00", std::nanl("")).empty());
    // Whole digits beyond the fifteen a number carries would show another number: the
    // general form shows the value itself.
    EXPECT_EQ(formatFloat("0", 1.5e300), "1.5E300");
    EXPECT_EQ(formatFloat("#,##0.00", 1e308), "1E308");
    EXPECT_EQ(formatFloat("#,##0.00;(#,##0.00)", -1e308), "(1E308)");
    EXPECT_EQ(formatFloat("#,##0.00", -2.5e15), "-2,500,000,000,000,000.00") << "no digit beyond fifteen to hide";
    EXPECT_EQ(formatFloat("#,##0.00", 999999999999999.0L), "999,999,999,999,999.00");
    EXPECT_EQ(formatFloat("#,##0", 123456789012345678.0), "1.23456789012346E17");
}

TEST(FormatFloat, GroupsTheWayEachRegionDoes)
{
    struct Case {
        RegionalSettings settings;
        const char* money;
        const char* label;
    };
    const Case cases[] = {
        {RegionalSettings::posix(), "1,074.13", "186,688.68"},
        {test::englishUnitedStates(), "1,074.13", "186,688.68"},
        {test::germanGermany(), "1.074,13", "186.688,68"},
        {test::frenchFrance(), "1\xE2\x80\xAF" "074,13", "186\xE2\x80\xAF" "688,68"},
        {test::swissGerman(), "1\xE2\x80\x99" "074.13", "186\xE2\x80\x99" "688.68"},
    };
    for (const Case& c : cases) {
        ScopedRegionalSettings region(c.settings);
        EXPECT_EQ(formatFloat("#,##0.00", 1074.13), c.money);
        EXPECT_EQ(formatFloat("#,##0.###", 186688.68), c.label);
        EXPECT_EQ(formatFloat("#,##0.00", 834), std::string("834") + c.settings.decimalSeparator + "00");
    }

    RegionalSettings indian = test::englishUnitedStates();
    indian.grouping = {3, 2};
    ScopedRegionalSettings region(indian);
    EXPECT_EQ(formatFloat("#,##0", 1234567), "12,34,567");
    indian.grouping = {3, 0};
    ScopedRegionalSettings once(indian);
    EXPECT_EQ(formatFloat("#,##0", 1234567), "1234,567") << "a size of 0 ends the grouping";
    indian.grouping = {};
    ScopedRegionalSettings none(indian);
    EXPECT_EQ(formatFloat("#,##0", 1234567), "1234567");
}

TEST(FormatDateTime, RegionalDatesAndNames)
{
    struct Case {
        RegionalSettings settings;
        const char* shortDate;
        const char* longDate;
    };
    const Case cases[] = {
        {RegionalSettings::posix(), "2026-12-09", "Wednesday, December 9, 2026"},
        {test::englishUnitedStates(), "12/09/2026", "Wednesday December 9 2026"},
        {test::germanGermany(), "09.12.2026", "Mittwoch 9. Dezember 2026"},
        {test::frenchFrance(), "09/12/2026", "mercredi 9 d\xC3\xA9" "cembre 2026"},
        {test::swissGerman(), "09.12.2026", "Mittwoch 9 Dezember 2026"},
    };
    for (const Case& c : cases) {
        ScopedRegionalSettings region(c.settings);
        EXPECT_EQ(formatDateTime("ddddd", december9(15, 4)), c.shortDate);
        EXPECT_EQ(dateToStr(december9()), c.shortDate);
        EXPECT_EQ(formatDateTime("dddddd", december9()), c.longDate);
    }
    ScopedRegionalSettings german(test::germanGermany());
    EXPECT_EQ(formatDateTime("ddd dd mmm mmmm yy", encodeDate(2024, 3, 5)), "Di 05 M\xC3\xA4r M\xC3\xA4rz 24");
    EXPECT_EQ(formatDateTime("mm/dd/yy", encodeDate(2024, 3, 5)), "03.05.24") << "'/' is the date separator";
    EXPECT_EQ(formatDateTime("d 'dd' \"mm\"", encodeDate(2024, 3, 5)), "5 dd mm");
}

TEST(FormatDateTime, TimesByRegionAndDayHalf)
{
    {
        ScopedRegionalSettings posix(RegionalSettings::posix());
        EXPECT_EQ(formatDateTime("t", december9(15, 4, 7)), "15:04");
        EXPECT_EQ(formatDateTime("tt", december9(15, 4, 7)), "15:04:07");
        EXPECT_EQ(formatDateTime("hh:nn ampm", december9(15, 4)), "03:04 PM");
        EXPECT_EQ(formatDateTime("h:mm am/pm", december9(0, 30)), "12:30 am") << "m after an hour is minutes";
        EXPECT_EQ(formatDateTime("h:nn a/p", december9(12, 0)), "12:00 p");
        EXPECT_EQ(formatDateTime("hh:nn:ss.zzz", encodeDate(2026, 12, 9) + 0.5 + 0.25 / 86400), "12:00:00.250");
        EXPECT_EQ(formatDateTime("", december9(15, 4, 7)), "2026-12-09 15:04:07");
        EXPECT_EQ(formatDateTime("", december9()), "2026-12-09");
    }
    {
        ScopedRegionalSettings us(test::englishUnitedStates());
        EXPECT_EQ(formatDateTime("t", december9(15, 4, 7)), "03:04 PM");
        EXPECT_EQ(formatDateTime("tt", december9(9, 4, 7)), "09:04:07 AM");
    }
    RegionalSettings finnish = test::germanGermany();
    finnish.timeSeparator = '.';
    finnish.shortTimeFormat = "t tt"; // a setting that names itself must not expand for ever
    ScopedRegionalSettings region(finnish);
    EXPECT_EQ(formatDateTime("hh:nn", december9(15, 4)), "15.04");
    EXPECT_FALSE(formatDateTime("t", december9(15, 4)).empty());
    EXPECT_EQ(formatDateTime("hh:nn ampm", december9(15, 4)), "03.04 PM") << "no day-half names of its own";
}

TEST(FormatDateTime, ValuesBeyondTheCalendarPrintAsNumbers)
{
    ScopedRegionalSettings posix(RegionalSettings::posix());
    EXPECT_EQ(formatDateTime("ddddd", 1e300), numberText(1e300));
    EXPECT_EQ(formatDateTime("ddddd", std::numeric_limits<double>::infinity()), numberText(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(formatDateTime("yyyy-mm-dd hh:nn", encodeDate(9999, 12, 31) + 0.999999999), "9999-12-31 23:59");
    EXPECT_EQ(formatDateTime("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
}

// The locale readers against the real system locales, where a machine has them.
TEST(RegionalSettingsFromLocale, ReadsWhatEachLocaleWrites)
{
    std::string const saved = std::setlocale(LC_ALL, nullptr);
    int checked = 0;
    for (const test::NamedSettings& region : test::everyRegion()) {
        if (std::setlocale(LC_ALL, region.locale) == nullptr)
            continue;
        ++checked;
        RegionalSettings const read = RegionalSettings::fromLocale();
        RegionalSettings const& expected = region.settings;
        SCOPED_TRACE(region.locale);
        EXPECT_EQ(read.decimalSeparator, expected.decimalSeparator);
        EXPECT_EQ(read.thousandSeparator, expected.thousandSeparator);
        EXPECT_EQ(read.grouping, expected.grouping);
        EXPECT_EQ(read.shortDateFormat, expected.shortDateFormat);
        EXPECT_EQ(read.dateSeparator, expected.dateSeparator);
        EXPECT_EQ(read.longDateFormat, expected.longDateFormat);
        EXPECT_EQ(read.shortTimeFormat, expected.shortTimeFormat);
        EXPECT_EQ(read.longTimeFormat, expected.longTimeFormat);
        EXPECT_EQ(read.timeSeparator, expected.timeSeparator);
        EXPECT_EQ(read.amString, expected.amString);
        EXPECT_EQ(read.longMonthNames, expected.longMonthNames);
        EXPECT_EQ(read.shortDayNames, expected.shortDayNames);
        EXPECT_EQ(read.uiLanguage, expected.uiLanguage);
    }
    std::setlocale(LC_ALL, saved.c_str());
    if (checked < 5)
        SKIP_OR_FAIL_IN_CI("only " + std::to_string(checked)
                           + " of the five locales are installed (scripts/deps.sh generates them)");
}

TEST(RegionalSettingsFromLocale, JapaneseNamesItsUnitsAndItsLanguage)
{
    std::string const saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "ja_JP.UTF-8") == nullptr)
        SKIP_OR_FAIL_IN_CI("ja_JP.UTF-8 is not installed (scripts/deps.sh generates it)");
    RegionalSettings const read = RegionalSettings::fromLocale();
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(read.uiLanguage, "ja_JP");
    EXPECT_EQ(read.longTimeFormat, "hh\xE6\x99\x82nn\xE5\x88\x86ss\xE7\xA7\x92"); // hh時nn分ss秒
    EXPECT_EQ(read.shortTimeFormat, "hh\xE6\x99\x82nn\xE5\x88\x86") << "the seconds go with their unit";
    ScopedRegionalSettings japanese(read);
    EXPECT_EQ(formatDateTime("ddddd", december9()), "2026\xE5\xB9\xB4" "12\xE6\x9C\x88" "09\xE6\x97\xA5");
    EXPECT_EQ(strToDate(dateToStr(december9())), december9()) << "a loan file's date reads back";
}

TEST(RegionalDates, DatesWithTheirOwnTextsReadBack)
{
    RegionalSettings units = RegionalSettings::posix();
    units.shortDateFormat = "yyyy\xE5\xB9\xB4" "MM\xE6\x9C\x88" "dd\xE6\x97\xA5"; // yyyy年MM月dd日
    units.dateSeparator = '/';
    ScopedRegionalSettings region(units);
    EXPECT_EQ(dateToStr(december9()), "2026\xE5\xB9\xB4" "12\xE6\x9C\x88" "09\xE6\x97\xA5");
    EXPECT_EQ(strToDate("2026\xE5\xB9\xB4" "12\xE6\x9C\x88" "09\xE6\x97\xA5"), december9());
    EXPECT_EQ(strToDate(" 2026/12/9 "), december9()) << "the plain separator still works";
    EXPECT_THROW(strToDate("2026\xE5\xB9\xB4" "12\xE6\x9C\x88"), EConvertError) << "a unit without its number";
    EXPECT_THROW(strToDate("2026-12-09"), EConvertError);

    units.shortDateFormat = "'le' d/MM/yyyy";
    ScopedRegionalSettings quoted(units);
    EXPECT_EQ(dateToStr(december9()), "le 9/12/2026");
    EXPECT_EQ(strToDate("le 9/12/2026"), december9());
}

} // namespace
} // namespace qv

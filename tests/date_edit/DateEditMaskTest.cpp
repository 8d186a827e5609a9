#include "controls/DateEditMask.h"
#include "runtime/core/Exception.h"
#include "runtime/core/RegionalSettings.h"
#include "support/RegionalPresets.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test;

namespace {

TDateEditMask maskUnder(const RegionalSettings& settings)
{
    ScopedRegionalSettings scope(settings);
    return TDateEditMask::fromRegionalSettings();
}

RegionalSettings oneDigitDays()
{
    RegionalSettings s = RegionalSettings::posix();
    s.shortDateFormat = "d/MM/yyyy";
    s.dateSeparator = '/';
    return s;
}

} // namespace

TEST(DateEditMask, MaskFollowsThePartsOfTheShortDateFormat)
{
    EXPECT_EQ(maskUnder(RegionalSettings::posix()).editMask(), "!0000/99/99;1; ");
    EXPECT_EQ(maskUnder(RegionalSettings::posix()).length(), 10);
    EXPECT_EQ(maskUnder(englishUnitedStates()).editMask(), "!99/99/0000;1; ");
    EXPECT_EQ(maskUnder(germanGermany()).editMask(), "!99/99/0000;1; ");
    TDateEditMask names = maskUnder(monthNameShortDate());
    EXPECT_EQ(names.editMask(), "!99/LLL/0000;1; ");
    EXPECT_TRUE(names.hasMonthNames());
    EXPECT_EQ(names.length(), 11);
    // A format that does not split into three parts at the separator leaves the text free.
    RegionalSettings odd = RegionalSettings::posix();
    odd.shortDateFormat = "yyyyMMdd";
    EXPECT_FALSE(maskUnder(odd).valid());
}

TEST(DateEditMask, SetTextsAreFittedPartByPart)
{
    ScopedRegionalSettings scope(RegionalSettings::posix());
    TDateEditMask mask = TDateEditMask::fromRegionalSettings();
    EXPECT_EQ(mask.fit("2024-12-01"), "2024-12-01");
    EXPECT_EQ(mask.fit("2024-3-5"), "2024- 3- 5");
    EXPECT_EQ(mask.fit("02024-003-15"), "2024-03-15");
    EXPECT_EQ(mask.fit("2024"), "2024-  -  ");
    EXPECT_EQ(mask.fit(""), "    -  -  ");
    EXPECT_TRUE(mask.holds("2024- 3-  "));
    EXPECT_FALSE(mask.holds("ello-  -  "));
    EXPECT_FALSE(mask.holds("2024-03-1"));
    EXPECT_FALSE(mask.holds("2024/03/15"));

    ScopedRegionalSettings days(oneDigitDays());
    TDateEditMask d = TDateEditMask::fromRegionalSettings();
    EXPECT_EQ(d.editMask(), "!99/99/0000;1; ");
    EXPECT_EQ(d.fit(dateToStr(encodeDate(2026, 12, 8))), " 8/12/2026");
}

TEST(DateEditMask, TypingOverwritesAndSkipsTheSeparators)
{
    ScopedRegionalSettings scope(RegionalSettings::posix());
    TDateEditMask mask = TDateEditMask::fromRegionalSettings();
    auto typed = mask.typed("2024-  -  ", 4, 0, U'1');
    ASSERT_TRUE(typed);
    EXPECT_EQ(typed->text, "2024-1 -  ");
    EXPECT_EQ(typed->caret, 6);
    // The last position of a part leaves the caret after the separator.
    typed = mask.typed("2024-1 -  ", 6, 0, U'2');
    EXPECT_EQ(typed->text, "2024-12-  ");
    EXPECT_EQ(typed->caret, 8);
    // A selection is blanked before the character goes into its first position.
    typed = mask.typed("2024-12-01", 0, 10, U'1');
    EXPECT_EQ(typed->text, "1   -  -  ");
    // Letters never go into digit positions; nothing goes past the end.
    EXPECT_FALSE(mask.typed("2024-12-01", 0, 0, U'x'));
    EXPECT_FALSE(mask.typed("2024-12-01", 10, 0, U'1'));
    // The separator jumps to the next part; right after a filled part it stays.
    typed = mask.typed("2024-  -  ", 1, 0, U'-');
    EXPECT_EQ(typed->text, "2024-  -  ");
    EXPECT_EQ(typed->caret, 5);
    EXPECT_EQ(mask.typed("2024-  -  ", 5, 0, U'-')->caret, 5);

    TMaskEdit back = mask.backspace("2024-12-01", 8, 0);
    EXPECT_EQ(back.text, "2024-1 -01");
    EXPECT_EQ(back.caret, 6);
    EXPECT_EQ(mask.deleteForward("2024-12-01", 4, 0).text, "2024- 2-01");
}

TEST(DateEditMask, KeyCheckRefusesWhatCanNoLongerBeADate)
{
    ScopedRegionalSettings scope(RegionalSettings::posix());
    TDateEditMask mask = TDateEditMask::fromRegionalSettings();
    EXPECT_TRUE(mask.canBecomeDate("2024-1 -  "));
    EXPECT_FALSE(mask.canBecomeDate("2024-13-  "));
    EXPECT_FALSE(mask.canBecomeDate("2024-2 -  "));
    EXPECT_TRUE(mask.canBecomeDate("2024-12-3 "));
    EXPECT_FALSE(mask.canBecomeDate("2024-12-4 "));
    EXPECT_FALSE(mask.canBecomeDate("2024-12-32"));
    EXPECT_FALSE(mask.canBecomeDate("2024-00-  "));
    EXPECT_FALSE(mask.canBecomeDate("0000-  -  "));
    EXPECT_FALSE(mask.canBecomeDate("2024-1x-  "));
    // A day whose blank comes first (a fitted one-digit day) is not judged.
    EXPECT_TRUE(mask.canBecomeDate("2024-12- 8"));

    ScopedRegionalSettings names(monthNameShortDate());
    TDateEditMask n = TDateEditMask::fromRegionalSettings();
    EXPECT_TRUE(n.canBecomeDate("05-de -2024"));
    EXPECT_FALSE(n.canBecomeDate("32-dec-2024"));
}

TEST(DateEditMask, CompleteTextsBecomeDatesAndImpossibleOnesRaise)
{
    ScopedRegionalSettings scope(RegionalSettings::posix());
    TDateEditMask mask = TDateEditMask::fromRegionalSettings();
    EXPECT_EQ(mask.dateOf("2024-12-01"), encodeDate(2024, 12, 1));
    EXPECT_FALSE(mask.dateOf("2024-12- 1"));
    EXPECT_FALSE(mask.dateOf("2024-13-01"));
    try {
        mask.dateOf("2024-04-31");
        ADD_FAILURE() << "31 April converted";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'2024-04-31' is not a valid date");
    }

    ScopedRegionalSettings names(monthNameShortDate());
    TDateEditMask n = TDateEditMask::fromRegionalSettings();
    EXPECT_EQ(n.dateOf("05-DEC-2024"), encodeDate(2024, 12, 5));
    EXPECT_EQ(n.dateOf("29-feb-2024"), encodeDate(2024, 2, 29));
    EXPECT_FALSE(n.dateOf("05-xyz-2024"));
    EXPECT_THROW(n.dateOf("29-Feb-2023"), EConvertError);
}

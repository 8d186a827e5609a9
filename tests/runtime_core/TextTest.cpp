#include "runtime/core/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv;

namespace {

using Lines = std::vector<std::string>;

} // namespace

TEST(Text, TrimTakesOnlyTheBlanksItIsGiven)
{
    EXPECT_EQ(trim(""), "");
    EXPECT_EQ(trim(" \t \t"), "");
    EXPECT_EQ(trim("\t a b \t"), "a b");
    // Within a line a line end is no blank; with line ends it is.
    EXPECT_EQ(trim(" x\r\n"), "x\r\n");
    EXPECT_EQ(trim(" x\r\n", blanksWithLineEnds), "x");
    EXPECT_EQ(trim("\r\n \r\n", blanksWithLineEnds), "");
    EXPECT_EQ(trim("\v1\f", blanksWithLineEnds), "\v1\f");
    EXPECT_EQ(trim("\v1\f", asciiSpaces), "1");
    EXPECT_EQ(trim("\t a \t", " "), "\t a \t");
    // A no-break space in Latin-1 or UTF-8 is no blank.
    EXPECT_EQ(trim("\xA0x\xC2\xA0"), "\xA0x\xC2\xA0");
    EXPECT_EQ(trim(std::string("\0x\0", 3)), std::string("\0x\0", 3));
}

TEST(Text, CaseChangesAndComparesAsciiLettersOnly)
{
    EXPECT_EQ(lower(""), "");
    EXPECT_EQ(lower("Info.INI @[`{"), "info.ini @[`{");
    EXPECT_EQ(upper("fsBold z@[`{"), "FSBOLD Z@[`{");
    EXPECT_EQ(lower("\xC4\xD6"), "\xC4\xD6");
    EXPECT_EQ(upper("\xE4\xF6"), "\xE4\xF6");
    EXPECT_EQ(upper("\xC3\xA4"), "\xC3\xA4");

    EXPECT_TRUE(sameText("", ""));
    EXPECT_TRUE(sameText("User Saved", "user SAVED"));
    EXPECT_FALSE(sameText("user", "users"));
    EXPECT_FALSE(sameText("@", "`"));
    EXPECT_FALSE(sameText("\xC4", "\xE4"));

    EXPECT_TRUE(endsWithText("REPORT.PDF", ".pdf"));
    EXPECT_TRUE(endsWithText("x", ""));
    EXPECT_FALSE(endsWithText("pdf", ".pdf"));
    EXPECT_FALSE(endsWithText("a.pdfx", ".pdf"));
}

TEST(Text, SplitLinesAcceptsEveryLineEnd)
{
    EXPECT_EQ(splitLines(""), Lines{});
    EXPECT_EQ(splitLines("a"), Lines{"a"});
    EXPECT_EQ(splitLines("a\r\n"), Lines{"a"});
    EXPECT_EQ(splitLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(splitLines("x\ny\rz\r"), (Lines{"x", "y", "z"}));
    // LF CR is two line ends, CR CR LF two as well.
    EXPECT_EQ(splitLines("a\n\rb\r\r\nc"), (Lines{"a", "", "b", "", "c"}));
    EXPECT_EQ(splitLines("\n"), Lines{""});
    EXPECT_EQ(splitLines("\r\n\n"), (Lines{"", ""}));
    EXPECT_EQ(splitLines(" \xFF\xC3\xA4 \n"), Lines{" \xFF\xC3\xA4 "});
}

TEST(Text, SplitAtKeepsEmptyPieces)
{
    EXPECT_EQ(splitAt("", '|'), Lines{""});
    EXPECT_EQ(splitAt("Loan|*.qvl", '|'), (Lines{"Loan", "*.qvl"}));
    EXPECT_EQ(splitAt("|a||", '|'), (Lines{"", "a", "", ""}));
    EXPECT_EQ(splitAt("1 000\r", '\r'), (Lines{"1 000", ""}));
    EXPECT_EQ(splitAt("a\nb", '\r'), Lines{"a\nb"});
}

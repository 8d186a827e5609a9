#include "runtime/core/Exception.h"
#include "runtime/core/GraphicTypes.h"
#include "skin/model/SkinIni.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(SkinIniReaders, RectanglesAndPointsDropEveryNonDigit)
{
    EXPECT_EQ(ReadSkinRect(" 3 , 5,63 ,  25 "), (TRect{3, 5, 63, 25}));
    EXPECT_EQ(ReadSkinRect("-3,0,5,5"), (TRect{3, 0, 5, 5}));
    EXPECT_EQ(ReadSkinRect("1,2,3,4,5"), (TRect{1, 2, 3, 4}));
    EXPECT_EQ(ReadSkinPoint("12,9"), (TPoint{12, 9}));
    EXPECT_THROW(ReadSkinRect("1,2,3"), EConvertError);
    EXPECT_THROW(ReadSkinRect("1,2,,4"), EConvertError);
    EXPECT_THROW(ReadSkinPoint("x,1"), EConvertError);
    EXPECT_THROW(ReadSkinRect("1,2,3,99999999999"), EConvertError);
    EXPECT_EQ(ReadSkinRect("0,0,0,2147483647").bottom, 2147483647);
    EXPECT_THROW(ReadSkinRect("0,0,0,2147483648"), EConvertError);
}

TEST(SkinIniReaders, WordsAndFlags)
{
    EXPECT_TRUE(ReadSkinBool("1"));
    EXPECT_FALSE(ReadSkinBool("2"));
    EXPECT_FALSE(ReadSkinBool("true"));
    EXPECT_FALSE(ReadSkinBool(""));

    EXPECT_EQ(ReadSkinFontStyle("fsbold"), unsigned(fsBold));
    EXPECT_EQ(ReadSkinFontStyle("FSBOLD"), 0u);
    EXPECT_EQ(ReadSkinFontStyle("fsbold,fsitalic"), unsigned(fsBold | fsItalic));
    EXPECT_EQ(ReadSkinFontStyle("fsitalicfsbold"), unsigned(fsBold | fsItalic));
    EXPECT_EQ(ReadSkinFontStyle("[fsunderline, fsstrikeout]"), unsigned(fsUnderline | fsStrikeOut));

    EXPECT_EQ(ReadSkinAlignment("tacenter"), TAlignment::Center);
    EXPECT_EQ(ReadSkinAlignment("taleftjustify"), TAlignment::LeftJustify);
    EXPECT_EQ(ReadSkinAlignment("TACENTER"), TAlignment::RightJustify);
    EXPECT_EQ(ReadSkinMorphKind("mkpush"), mkPush);
    EXPECT_EQ(ReadSkinMorphKind("mkwobble"), mkDefault);
    EXPECT_EQ(ReadSkinInactiveEffect("ieinvert"), ieInvert);
    EXPECT_EQ(ReadSkinInactiveEffect("iesparkle"), ieGrayScale);
    EXPECT_EQ(ReadSkinCommand("cmrollup"), cmRollUp);
    EXPECT_EQ(ReadSkinCommand("cmclose"), cmClose);
    EXPECT_EQ(ReadSkinCommand("cmwhatever"), cmMinimizeToTray);
    EXPECT_EQ(splitNameKind("groupbox:panel"), (std::pair<std::string, std::string>{"groupbox", "panel"}));
    EXPECT_EQ(splitNameKind("a:b:c"), (std::pair<std::string, std::string>{"a", "b:c"}));
    EXPECT_EQ(splitNameKind("nokind"), (std::pair<std::string, std::string>{}));
}

TEST(SkinIniReaders, SectionsKeysAndDefaults)
{
    TbsSkinIni ini("[Button]\r\nFontHeight = 12\r\nfontheight=99\r\ncolour=$FF\r\nbad=12x\r\n"
                   "[pictures]\nactivepicturescount=2\n0=one.bmp\n1=two.bmp\r\n[last]\r\nkey=no newline");
    TbsSectionReader button(ini, "button");
    EXPECT_EQ(button.integer("fontheight", 14), 12); // first of two equal keys
    EXPECT_EQ(button.integer("missing", 14), 14);
    EXPECT_EQ(button.integer("bad", 7), 7);
    EXPECT_EQ(button.color("colour"), 255u);
    EXPECT_EQ(button.str("fontname", "Arial"), "Arial");
    EXPECT_EQ(button.rect("skinrect"), TRect{});
    EXPECT_EQ(button.morphKind("morphkind"), mkDefault);
    EXPECT_EQ(button.inactiveEffect("inactiveeffect"), ieBrightness);
    EXPECT_EQ(TbsSectionReader(ini, "PICTURES").nameList("activepictures"), (std::vector<std::string>{"one.bmp", "two.bmp"}));
    EXPECT_EQ(TbsSectionReader(ini, "last").str("key"), "no newline");

    // A section that is not there reads every key as its default.
    TbsSectionReader const none(ini, "nosuchsection");
    EXPECT_EQ(none.str("key", "d"), "d");
    EXPECT_EQ(none.integer("fontheight", 14), 14);
    EXPECT_EQ(none.rect("skinrect"), TRect{});
    EXPECT_EQ(none.alignment("alignment"), TAlignment::Center);

    TbsSkinIni hostile("[s]\r\ncount=2147483647\r\n");
    EXPECT_EQ(TbsSectionReader(hostile, "s").listCount("count"), TbsSectionReader::maxListCount);
}

} // namespace
} // namespace qv

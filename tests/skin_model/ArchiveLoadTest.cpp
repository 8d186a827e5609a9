#include "SkinTestSupport.h"
#include "skin/model/SkinData.h"
#include "skin/model/SkinSection.h"
#include "skin/store/CompressedStoredSkin.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::smallBmp;

const char* const iniText =
    "[VERSION]\r\nskinname=Test\r\n"
    "[PICTURES]\r\npicture=main.bmp\r\nmask=mask.bmp\r\nactivepicturescount=2\r\n0=a.bmp\r\n1=b.bmp\r\n"
    "[FORMINFO]\r\nlefttoppoint=2,2\r\nrighttoppoint=40,2\r\nleftbottompoint=2,40\r\nrightbottompoint=40,40\r\n"
    "clientrect=5,20,45,45\r\nborderwidth=4\r\nhittestlefttoppoint=0,9\r\n"
    "[POPUPWINDOW]\r\nwindowpictureindex=1\r\n"
    "[SKINOBJECTS]\r\ncount=3\r\n0=close:stdbutton\r\n1=wobble:nosuchkind\r\n2=caption:caption\r\n"
    "[close]\r\ncommand=cmclose\r\nskinrect=1,2,16,17\r\nskinrectinapicture=1\r\n"
    "[caption]\r\nalignment=taleftjustify\r\n"
    "[SKINCONTROLS]\r\ncount=4\r\n0=button:button\r\n1=groupbox:panel\r\n2=button:edit\r\n3=odd\r\n"
    "[button]\r\npictureindex=1\r\nskinrect=3,5,63,25\r\nlefttoppoint=12,9\r\nrighttoppoint=46,10\r\n"
    "[groupbox]\r\nfontcolor=16777215\r\nskinrect=0,0,10,10";

TbsSkinArchive sampleArchive()
{
    TbsSkinArchive a;
    a.mainPicture = smallBmp(50, 50, 0x112233);
    a.maskPicture = smallBmp(50, 50, 0, 4);
    a.activePictures = {smallBmp(4, 3, 0x0000FF), smallBmp(70, 30, 0x00FF00)};
    a.iniText = iniText;
    return a;
}

struct NoticeLog : TbsSkinNoticeTarget {
    explicit NoticeLog(std::string n, std::vector<std::string>& log) : name(std::move(n)), events(log) {}
    void skinNotice(TbsSkinNotice code, TbsSkinData* model, int param) override
    {
        events.push_back(name + ":" + std::to_string(code) + (model && model->empty() ? ":empty" : ":full") + ":" + std::to_string(param));
    }
    std::string name;
    std::vector<std::string>& events;
};

TEST(SkinLoad, ArchiveFillsPicturesSectionsAndLookups)
{
    TbsSkinData model;
    model.loadFromArchive(sampleArchive().write());
    ASSERT_FALSE(model.empty());
    EXPECT_EQ(model.picture().width(), 50);
    EXPECT_TRUE(model.inactivePicture().isEmpty());
    EXPECT_EQ(model.maskPicture().bitsPerPixel(), 4);
    ASSERT_EQ(model.activePictureCount(), 2);
    EXPECT_EQ(model.activePicture(1)->width(), 70);
    EXPECT_EQ(model.activePicture(2), nullptr);
    EXPECT_EQ(model.activePicture(-1), nullptr);
    EXPECT_EQ(model.activePictureNames(), (std::vector<std::string>{"a.bmp", "b.bmp"}));
    EXPECT_EQ(model.SkinName, "Test");
    EXPECT_EQ(model.maskName(), "mask.bmp");
    EXPECT_EQ(model.frame().BorderWidth, 4);
    EXPECT_EQ(model.popupWindow().WindowPictureIndex, 1);

    // Unknown kinds create nothing; a line without ":" has an empty kind.
    ASSERT_EQ(model.skinObjectCount(), 2);
    EXPECT_EQ(model.FindSkinObject("caption"), 1);
    EXPECT_EQ(model.FindSkinObject("wobble"), -1);
    auto& close = dynamic_cast<TbsDataSkinStdButton&>(model.skinObject(0));
    EXPECT_EQ(close.Command, cmClose);
    EXPECT_TRUE(close.SkinRectInAPicture);
    EXPECT_EQ(dynamic_cast<TbsDataSkinCaption&>(model.skinObject(1)).Alignment, TAlignment::LeftJustify);

    // Two entries named "button": the first one (a button section) wins the lookup.
    ASSERT_EQ(model.skinControlCount(), 3);
    EXPECT_EQ(model.FindSkinControl("button"), 0);
    EXPECT_NE(dynamic_cast<TbsDataSkinButtonControl*>(&model.skinControl(0)), nullptr);
    EXPECT_EQ(model.FindSkinControl("Button"), -1);
    EXPECT_EQ(dynamic_cast<TbsDataSkinPanelControl&>(model.skinControl(1)).Font.FontColor, 16777215u);
}

TEST(SkinLoad, FormInfoWidensTheMaskAreaAndClampsFramePoints)
{
    TbsSkinData model;
    model.loadFromArchive(sampleArchive().write());
    const TbsSkinFrameInfo& f = model.frame();
    EXPECT_EQ(f.MaskRectArea, (TRect{5, 20, 45, 45}));
    // A hit-test point with a zero coordinate takes the frame point of its corner (before clamping).
    EXPECT_EQ(f.HitTestLTPoint, (TPoint{2, 2}));
    EXPECT_EQ(f.HitTestRBPoint, (TPoint{40, 40}));
    EXPECT_EQ(f.LTPoint, (TPoint{5, 20}));
    EXPECT_EQ(f.RTPoint, (TPoint{40, 20}));
    EXPECT_EQ(f.LBPoint, (TPoint{5, 40}));
    EXPECT_EQ(f.RBPoint, (TPoint{40, 40}));
}

TEST(SkinLoad, OlderArchivesSkipTheirExtraPicturesAndEmptyListsWork)
{
    TbsSkinArchive a = sampleArchive();
    std::string v3 = a.write();
    // Version 2: two more flag+BMP pairs after the mask, N follows them.
    TByteBuffer v2;
    writeInt32(v2, 2);
    size_t afterVersion = 4;
    size_t afterMask = afterVersion + 1 + a.mainPicture->size() + 1 + 1 + a.maskPicture->size();
    v2.write(v3.data() + afterVersion, static_cast<int64_t>(afterMask - afterVersion));
    std::string extra = std::string(1, '\0') + smallBmp(3, 3, 0xABCDEF) + std::string(1, '\1');
    v2.write(extra.data(), static_cast<int64_t>(extra.size()));
    v2.write(v3.data() + afterMask, static_cast<int64_t>(v3.size() - afterMask));
    TbsSkinData model;
    model.loadFromArchive(v2.bytes());
    EXPECT_EQ(model.activePictureCount(), 2);
    EXPECT_EQ(model.FindSkinControl("groupbox"), 1);

    // N = 0 and an INI text without a final CR LF: the last line still counts.
    a.activePictures.clear();
    a.inactivePicture = smallBmp(2, 2, 0);
    a.iniText = "[PICTURES]\r\nactivepicturescount=0\r\n[SKINCONTROLS]\r\ncount=1\r\n0=stdlabel:stdlabel\r\n[stdlabel]\r\nfontcolor=255";
    model.loadFromArchive(a.write());
    EXPECT_EQ(model.activePictureCount(), 0);
    EXPECT_EQ(model.inactivePicture().width(), 2);
    ASSERT_EQ(model.skinControlCount(), 1);
    EXPECT_EQ(dynamic_cast<TbsDataSkinStdLabelControl&>(model.skinControl(0)).Font.FontColor, 255u);
    EXPECT_EQ(dynamic_cast<TbsDataSkinStdLabelControl&>(model.skinControl(0)).ActiveFontColor, 16711680u);
}

TEST(SkinLoad, NoticesReachTheOwnerFirstThenEveryFormOnce)
{
    std::vector<std::string> events;
    NoticeLog first("first", events), owner("owner", events), last("last", events);
    TbsSkinData model;
    model.setOwner(&owner);
    model.loadFromArchive(sampleArchive().write());
    std::vector<std::string> expected = {
        "owner:1225:empty:1000", "first:1225:empty:1000", "last:1225:empty:1000",
        "owner:1226:full:1000", "first:1226:full:1000", "last:1226:full:1000",
        "owner:1227:full:1000", "first:1227:full:1000", "last:1227:full:1000",
    };
    EXPECT_EQ(events, expected);

    // A newer archive: cleared, SkinChangeBegin sent, nothing after it.
    events.clear();
    TByteBuffer v4;
    writeInt32(v4, 4);
    model.loadFromArchive(v4.bytes());
    EXPECT_TRUE(model.empty());
    EXPECT_EQ(model.skinControlCount(), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"owner:1225:empty:1000", "first:1225:empty:1000", "last:1225:empty:1000"}));

    events.clear();
    TbsResourceStrData strings;
    model.setResourceStrData(&strings);
    EXPECT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], "owner:1274:empty:1000");
}

TEST(SkinLoad, DamagedArchivesRaiseClearErrorsAndLeaveTheModelEmpty)
{
    std::string good = sampleArchive().write();
    TbsSkinData model;
    // Cut anywhere inside the pictures: a read error, never a read past the end.
    for (size_t cut : {size_t(2), size_t(5), size_t(30), good.size() / 3, good.size() - std::string(iniText).size() - 3}) {
        model.loadFromArchive(good);
        EXPECT_THROW(model.loadFromArchive(good.substr(0, cut)), Exception) << cut;
        EXPECT_TRUE(model.empty());
        EXPECT_EQ(model.skinControlCount(), 0);
        EXPECT_EQ(model.activePictureCount(), 0);
        EXPECT_TRUE(model.picture().isEmpty());
    }
    std::string notBmp = good;
    notBmp[5] = 'X'; // the main picture no longer begins "BM"
    EXPECT_THROW(model.loadFromArchive(notBmp), ESkinArchiveError);

    TbsSkinArchive bad = sampleArchive();
    std::string badRect = std::string(iniText);
    badRect.replace(badRect.find("skinrect=3,5,63,25"), 18, "skinrect=3,5,,25");
    bad.iniText = badRect;
    EXPECT_THROW(model.loadFromArchive(bad.write()), EConvertError);
    EXPECT_TRUE(model.empty());

    // A picture count far beyond what the bytes can hold is refused before anything is reserved.
    TByteBuffer huge;
    writeInt32(huge, 3);
    huge.write("\1\1\1", 3);
    writeInt32(huge, 0x7FFFFFFF);
    EXPECT_THROW(model.loadFromArchive(huge.bytes()), EStreamReadError);

    // Packed one-bit pictures that would decode to more than the skin limit together are refused
    // (the limit lowered, so that the pictures stay small).
    TbsSkinArchive heavy;
    for (int i = 0; i < 3; ++i)
        heavy.activePictures.push_back(smallBmp(64, 64, 0, 1));
    heavy.iniText = "[VERSION]";
    model.setPixelLimit(3 * 64 * 64);
    EXPECT_NO_THROW(model.loadFromArchive(heavy.write())) << "up to the limit";
    model.setPixelLimit(3 * 64 * 64 - 1);
    EXPECT_THROW(model.loadFromArchive(heavy.write()), ESkinArchiveError);
    EXPECT_TRUE(model.empty());
    EXPECT_EQ(model.activePictureCount(), 0);
}

TEST(SkinLoad, StoreLoadsOnceSetAndForgetsADestroyedStore)
{
    TbsSkinData model;
    {
        TbsCompressedStoredSkin empty;
        model.setCompressedStoredSkin(&empty);
        EXPECT_TRUE(model.empty());
        TbsCompressedStoredSkin store;
        store.compressArchive(sampleArchive().write());
        model.setCompressedStoredSkin(&store);
        EXPECT_FALSE(model.empty());
        EXPECT_EQ(model.CompressedStoredSkin(), &store);
    }
    EXPECT_EQ(model.CompressedStoredSkin(), nullptr);
    EXPECT_FALSE(model.empty());

    TbsCompressedStoredSkin corrupt;
    corrupt.setCompressedData("\x78\xDA garbage that is no deflate data");
    EXPECT_THROW(model.setCompressedStoredSkin(&corrupt), EDecompressionError);
    EXPECT_TRUE(model.empty());
}

TEST(SkinLoad, SectionBindingCopiesPiecesAndPictureReferences)
{
    TbsSkinArchive a = sampleArchive();
    std::string text = iniText;
    text.replace(text.find("count=4"), 7, "count=5");
    text.replace(text.find("3=odd"), 5, "3=odd\r\n4=stdlabel:stdlabel");
    a.iniText = text;
    TbsSkinData model;
    model.loadFromArchive(a.write());

    TbsSkinSectionPieces button;
    button.bind(model, model.FindSkinControl("button"));
    EXPECT_EQ(button.mode, TbsPieceMode::Horizontal);
    EXPECT_EQ(button.picture, model.activePicture(1)); // a reference, not a copy
    EXPECT_EQ(button.mask, nullptr);                    // "maskpictureindex" -1
    EXPECT_EQ(button.fields.RT, (TPoint{46, 10}));

    // A section of another class keeps no picture and draws as Fixed.
    TbsSkinSectionPieces label;
    label.bind(model, model.FindSkinControl("stdlabel"));
    EXPECT_EQ(label.mode, TbsPieceMode::Fixed);
    EXPECT_EQ(label.picture, nullptr);

    button.forget();
    EXPECT_EQ(button.picture, nullptr);
    EXPECT_EQ(button.mode, TbsPieceMode::None);
    button.bind(model, -1);
    EXPECT_EQ(button.mode, TbsPieceMode::None);
}

TEST(SkinLoad, StringTableLooksUpTheTextAfterTheFirstEquals)
{
    TbsResourceStrData strings;
    EXPECT_EQ(strings.GetResStr("MI_MINCAPTION"), "Mi&nimize");
    EXPECT_EQ(strings.GetResStr("FLV_LOOKIN"), "Look in: ");
    EXPECT_EQ(strings.GetResStr("MI_MIN"), "");
    strings.ResStrings.push_back("X=a=b");
    EXPECT_EQ(strings.GetResStr("X"), "a=b");
    EXPECT_EQ(strings.CharSet, 1);
}

TEST(SkinPicture, BmpWhosePixelsOverlapItsHeadersOrWithOddPlanesIsRefused)
{
    std::string const good = smallBmp(8, 4, 0x112233, 8);
    EXPECT_NO_THROW(TbsSkinPicture::fromBmp(good));
    auto patched = [&](size_t at, uint32_t value, int bytes) {
        std::string bmp = good;
        for (int i = 0; i < bytes; ++i)
            bmp[at + size_t(i)] = char((value >> (8 * i)) & 0xFF);
        return bmp;
    };
    // The pixel offset pointing into the file header, the info header or the palette.
    for (uint32_t offset : {0u, 14u, 30u, 14u + 40u + 4u})
        EXPECT_THROW(TbsSkinPicture::fromBmp(patched(10, offset, 4)), ESkinPictureError) << offset;
    for (uint32_t planes : {0u, 2u, 9u})
        EXPECT_THROW(TbsSkinPicture::fromBmp(patched(26, planes, 2)), ESkinPictureError) << planes;
}

} // namespace
} // namespace qv

#include "runtime/core/GraphicTypes.h"
#include "skin/model/SkinData.h"
#include "skin/model/SkinFolder.h"
#include "skin/model/SkinIni.h"
#include "skin/model/SkinSection.h"
#include "skin/store/CompressedStoredSkin.h"
#include "skin/store/SkinArchive.h"

#include "skin/quorvane/QuorvaneSkin.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

std::string storedArchive()
{
    TbsCompressedStoredSkin store;
    store.setCompressedData(std::string(quorvaneCompressedSkin()));
    TByteBuffer out;
    store.ExtractArchive(out);
    return out.bytes();
}

struct Loaded {
    TbsSkinData model;
    Loaded() { model.loadFromArchive(storedArchive()); }
    template <class T> const T& control(const std::string& name) const
    {
        int i = model.FindSkinControl(name);
        EXPECT_GE(i, 0) << name;
        return dynamic_cast<const T&>(model.skinControl(i));
    }
};

TEST(StoredSkin, ArchiveHasThePicturesOfTheLayoutInOrder)
{
    std::string compressed(quorvaneCompressedSkin());
    ASSERT_GE(compressed.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(compressed[1]), 0xDA); // level 9
    std::string bytes = storedArchive();
    TByteBuffer stream(bytes);
    TbsSkinArchive archive = TbsSkinArchive::read(stream);
    EXPECT_EQ(archive.version, 3);
    ASSERT_TRUE(archive.mainPicture);
    EXPECT_FALSE(archive.inactivePicture);
    ASSERT_TRUE(archive.maskPicture);
    EXPECT_EQ(archive.mainPicture->size(), 35814u);
    EXPECT_EQ(archive.maskPicture->size(), 17486u);
    TbsSkinPicture main = TbsSkinPicture::fromBmp(*archive.mainPicture), mask = TbsSkinPicture::fromBmp(*archive.maskPicture);
    EXPECT_EQ(std::make_tuple(main.width(), main.height(), main.bitsPerPixel()), std::make_tuple(205, 167, 8));
    EXPECT_EQ(std::make_tuple(mask.width(), mask.height(), mask.bitsPerPixel()), std::make_tuple(205, 167, 4));
    const std::tuple<int, int, int> sizes[] = {{112, 67, 8}, {61, 40, 8}, {54, 80, 8}, {253, 196, 8}, {60, 20, 1},
        {68, 16, 1}, {15, 78, 1}, {78, 15, 1}, {47, 21, 8}, {32, 32, 8}};
    ASSERT_EQ(archive.activePictures.size(), 10u);
    for (size_t i = 0; i < 10; ++i) {
        TbsSkinPicture p = TbsSkinPicture::fromBmp(archive.activePictures[i]);
        EXPECT_EQ(std::make_tuple(p.width(), p.height(), p.bitsPerPixel()), sizes[i]) << i;
    }
    EXPECT_EQ(archive.iniText.rfind("[VERSION]", 0), 0u);

    Loaded skin;
    EXPECT_EQ(skin.model.activePictureNames(), (std::vector<std::string>{"active.bmp", "pw.bmp", "menuitems.bmp", "controls.bmp",
        "buttonmask.bmp", "crmask.bmp", "trbmask.bmp", "htrbmask.bmp", "hw.bmp", "mdibg.bmp"}));
    EXPECT_EQ(skin.model.pictureName(), "main.bmp");
    EXPECT_EQ(skin.model.maskName(), "mask.bmp");
}

TEST(StoredSkin, FrameGeometry)
{
    Loaded skin;
    const TbsSkinFrameInfo& f = skin.model.frame();
    const int pw = 205, ph = 167;
    EXPECT_EQ(f.ClRect.left, 7);
    EXPECT_EQ(f.ClRect.top, 30);
    EXPECT_EQ(pw - f.ClRect.right, 7);
    EXPECT_EQ(ph - f.ClRect.bottom, 7);
    EXPECT_EQ(ph - f.ClRect.height(), 37);
    EXPECT_EQ(f.BorderWidth, 4);
    EXPECT_EQ(f.ButtonsOffset, 2);
    EXPECT_FALSE(f.ButtonsInLeft);
    // Buttons run leftwards from the right edge of the buttons rectangle, which moves with the width.
    EXPECT_GT(f.ButtonsRect.left, pw / 2);
    EXPECT_EQ(f.ButtonsRect.right, pw - 24);
    EXPECT_EQ(f.ButtonsRect.top, 7);
    const char* order[] = {"close", "maximize", "minimize", "rollup"};
    const TbsStdCommand commands[] = {cmClose, cmMaximize, cmMinimize, cmRollUp};
    int right = f.ButtonsRect.right;
    for (int i = 0; i < 4; ++i) {
        int index = skin.model.FindSkinObject(order[i]);
        ASSERT_GE(index, 0) << order[i];
        auto& b = dynamic_cast<const TbsDataSkinStdButton&>(skin.model.skinObject(index));
        EXPECT_EQ(b.Command, commands[i]);
        EXPECT_TRUE(b.SkinRectInAPicture);
        EXPECT_EQ(b.SkinRect.width(), 15);
        EXPECT_EQ(b.SkinRect.height(), 15);
        EXPECT_GE(right - 15, f.ButtonsRect.left);
        if (i == 0) {
            EXPECT_EQ(right - 15, pw - 39);
        }
        right -= 15 + f.ButtonsOffset;
    }
    // The system menu stays in the top-left zone; the caption runs from it into the top-right zone.
    auto& sys = dynamic_cast<const TbsDataSkinStdButton&>(skin.model.skinObject(skin.model.FindSkinObject("sysmenu")));
    EXPECT_EQ(sys.Command, cmSysMenu);
    EXPECT_FALSE(sys.SkinRectInAPicture);
    EXPECT_EQ(sys.SkinRect, (TRect{19, 7, 34, 22}));
    TbsPieceFields frame{f.LTPoint, f.RTPoint, f.LBPoint, f.RBPoint, {0, 0, pw, ph}, f.ClRect};
    EXPECT_EQ(mapSubRect(sys.SkinRect, frame, TbsPieceMode::Framed, 300, 200), sys.SkinRect);
    auto& caption = dynamic_cast<const TbsDataSkinCaption&>(skin.model.skinObject(skin.model.FindSkinObject("caption")));
    EXPECT_EQ(caption.SkinRect, (TRect{55, 7, 91, 22}));
    EXPECT_EQ(mapSubRect(caption.SkinRect, frame, TbsPieceMode::Framed, 300, 200), (TRect{55, 7, 391, 22}));
}

TEST(StoredSkin, ControlSectionsCarryTheirValues)
{
    Loaded skin;
    auto& button = skin.control<TbsDataSkinButtonControl>("button");
    EXPECT_EQ(button.SkinRect, (TRect{66, 0, 126, 20}));
    EXPECT_EQ(button.LTPoint, (TPoint{12, 9}));
    EXPECT_EQ(button.RTPoint, (TPoint{46, 10}));
    EXPECT_EQ(button.LBPoint, TPoint{});
    EXPECT_EQ(button.RBPoint, TPoint{});
    EXPECT_EQ(button.MaskPictureIndex, 4);
    EXPECT_EQ(button.MorphKind, mkGradient);
    EXPECT_EQ(skin.control<TbsDataSkinEditControl>("edit").SkinRect.height(), 17);

    TbsSkinSectionPieces bar;
    bar.bind(skin.model, skin.model.FindSkinControl("vscrollbar"));
    EXPECT_EQ(bar.mode, TbsPieceMode::Vertical);
    EXPECT_EQ(bar.geometry(40, 177).width, 16);
    auto& vs = skin.control<TbsDataSkinScrollBarControl>("vscrollbar");
    EXPECT_GT(vs.UpButtonRect.top, vs.LBPoint.y); // "up" at the bottom

    auto& tab = skin.control<TbsDataSkinTabControl>("tab");
    EXPECT_EQ(tab.TabRect.height(), 17);
    EXPECT_EQ(tab.ActiveTabRect, (TRect{69, 70, 110, 87}));
    EXPECT_EQ(tab.FocusTabRect, (TRect{111, 88, 152, 105}));
    EXPECT_TRUE(tab.MouseInTabRect.isEmpty());
    EXPECT_EQ(tab.ActiveFontColor, 16777215u);
    EXPECT_EQ(tab.MouseInFontColor, 16744448u);
    EXPECT_EQ(tab.SkinRect.width() - tab.ClRect.right, 3);
    EXPECT_EQ(tab.SkinRect.height() - tab.ClRect.bottom, 2);
    EXPECT_EQ(std::make_pair(tab.ClRect.width(), tab.ClRect.height()), std::make_pair(63, 52));
    EXPECT_GE(skin.model.FindSkinControl(tab.UpDown), 0);

    auto& grid = skin.control<TbsDataSkinGridControl>("grid");
    for (const TRect& r : {grid.FixedCellRect, grid.SelectCellRect, grid.FocusCellRect})
        EXPECT_EQ(std::make_pair(r.width(), r.height()), std::make_pair(60, 20));
    EXPECT_EQ(grid.LinesColor, 8421504u);
    EXPECT_EQ(grid.BGColor, 16777215u);
    EXPECT_EQ(std::make_tuple(grid.Font.FontName, grid.Font.FontHeight, grid.Font.FontColor), std::make_tuple(std::string("Arial"), 14, 0u));
    EXPECT_EQ(grid.SelectFontColor, 16777215u);
    EXPECT_EQ(grid.FocusFontColor, 16777215u);
    EXPECT_EQ(grid.FixedFont.FontStyle, unsigned(fsBold));

    auto& label = skin.control<TbsDataSkinStdLabelControl>("stdlabel");
    EXPECT_EQ(label.Font.FontColor, 0u);
    EXPECT_EQ(label.ActiveFontColor, 16744448u);
    auto& box = skin.control<TbsDataSkinPanelControl>("groupbox");
    EXPECT_EQ(box.Font.FontColor, 16777215u);
    EXPECT_EQ(box.Alignment, TAlignment::Center);

    for (const char* name : {"panel", "buttonedit", "resizebutton", "mainmenubar", "hscrollbar", "toolpanel", "combobox"})
        EXPECT_GE(skin.model.FindSkinControl(name), 0) << name;
    EXPECT_GE(skin.model.FindSkinObject("MENUITEM"), 0);
    EXPECT_GE(skin.model.FindSkinObject(skin.control<TbsDataSkinMainMenuBar>("mainmenubar").MenuBarItem), 0);
    EXPECT_EQ(skin.model.popupWindow().WindowPictureIndex, 1);
    EXPECT_EQ(skin.model.hintWindow().WindowPictureIndex, 8);
}

TEST(StoredSkin, EveryRectangleLiesInsideItsPicture)
{
    Loaded skin;
    const TbsSkinPicture& controls = *skin.model.activePicture(3);
    auto inside = [&](const TRect& r, const std::string& what) {
        if (r.isEmpty())
            return;
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= controls.width() && r.bottom <= controls.height()) << what;
    };
    for (int i = 0; i < skin.model.skinControlCount(); ++i) {
        const TbsDataSkinControl& c = skin.model.skinControl(i);
        inside(c.SkinRect, c.Name);
        if (auto* b = dynamic_cast<const TbsDataSkinButtonControl*>(&c)) {
            inside(b->ActiveSkinRect, c.Name + " active");
            inside(b->DownSkinRect, c.Name + " down");
        }
    }
}

// A repeat stretch that is not uniform along its direction shows a seam at every tile.
TEST(StoredSkin, RepeatStretchesTileWithoutSeams)
{
    Loaded skin;
    auto uniformRows = [](const TbsSkinPicture& p, int x0, int x1, int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                if (p.pixel(x, y) != p.pixel(x0, y))
                    return false;
            }
        }
        return true;
    };
    auto uniformColumns = [](const TbsSkinPicture& p, int x0, int x1, int y0, int y1) {
        for (int x = x0; x < x1; ++x) {
            for (int y = y0; y < y1; ++y) {
                if (p.pixel(x, y) != p.pixel(x, y0))
                    return false;
            }
        }
        return true;
    };
    int checked = 0;
    for (int i = 0; i < skin.model.skinControlCount(); ++i) {
        TbsSkinSectionPieces s;
        s.bind(skin.model, i);
        if (!s.picture)
            continue;
        const TbsPieceFields& f = s.fields;
        const int L = f.skinRect.left, T = f.skinRect.top;
        const std::string& name = skin.model.skinControl(i).Name;
        if (s.mode == TbsPieceMode::Horizontal) {
            EXPECT_TRUE(uniformRows(*s.picture, L + f.LT.x, L + f.RT.x, T, T + f.sh())) << name;
            ++checked;
        } else if (s.mode == TbsPieceMode::Vertical) {
            EXPECT_TRUE(uniformColumns(*s.picture, L, L + f.sw(), T + f.LT.y, T + f.LB.y)) << name;
            ++checked;
        } else if (s.mode == TbsPieceMode::Framed) {
            const TRect& C = f.clientRect;
            EXPECT_TRUE(uniformRows(*s.picture, L + f.LT.x, L + f.RT.x, T, T + C.top)) << name << " top";
            EXPECT_TRUE(uniformRows(*s.picture, L + f.LB.x, L + f.RB.x, T + C.bottom, T + f.sh())) << name << " bottom";
            EXPECT_TRUE(uniformColumns(*s.picture, L, L + C.left, T + f.LT.y, T + f.LB.y)) << name << " left";
            EXPECT_TRUE(uniformColumns(*s.picture, L + C.right, L + f.sw(), T + f.RT.y, T + f.RB.y)) << name << " right";
            ++checked;
        }
    }
    EXPECT_GE(checked, 10);
    // The frame picture tiles the same way.
    const TbsSkinFrameInfo& fr = skin.model.frame();
    const TbsSkinPicture& main = skin.model.picture();
    EXPECT_TRUE(uniformRows(main, fr.LTPoint.x, fr.RTPoint.x, 0, fr.ClRect.top));
    EXPECT_TRUE(uniformRows(main, fr.LBPoint.x, fr.RBPoint.x, fr.ClRect.bottom, main.height()));
    EXPECT_TRUE(uniformColumns(main, 0, fr.ClRect.left, fr.LTPoint.y, fr.LBPoint.y));
    EXPECT_TRUE(uniformColumns(main, fr.ClRect.right, main.width(), fr.RTPoint.y, fr.RBPoint.y));
}

TEST(StoredSkin, ButtonOfSeventyThreeByTwentyFiveIsDrawnTwentyHighWithItsMask)
{
    Loaded skin;
    TbsSkinSectionPieces button;
    button.bind(skin.model, skin.model.FindSkinControl("button"));
    ASSERT_EQ(button.mode, TbsPieceMode::Horizontal);
    ASSERT_NE(button.picture, nullptr);
    ASSERT_NE(button.mask, nullptr);
    TbsPieceGeometry g = button.geometry(73, 25);
    EXPECT_EQ(std::make_pair(g.width, g.height), std::make_pair(73, 20));
    TbsSkinPicture out;
    drawPiece(out, button.picture, button.fields, button.mode, g, button.fields.skinRect);
    const int L = button.fields.skinRect.left, T = button.fields.skinRect.top;
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(out.pixel(0, y), button.picture->pixel(L, T + y));
        EXPECT_EQ(out.pixel(72, y), button.picture->pixel(L + 59, T + y));
        EXPECT_EQ(out.pixel(12 + 34, y), button.picture->pixel(L + 12, T + y));
    }
    TbsRegionRects region = pieceRegion(button.mask, button.fields, button.mode, g);
    EXPECT_FALSE(region.contains({0, 0}));  // rounded ends
    EXPECT_FALSE(region.contains({72, 19}));
    EXPECT_TRUE(region.contains({36, 0}));
    EXPECT_TRUE(region.contains({0, 10}));
}

// Every rectangle the INI cuts out of a picture, with a fingerprint of the pixels it
// cuts: the pictures may be repainted or packed anew, but a coordinate that stops
// following its piece must not go unnoticed. After a deliberate change of the art,
// take the new fingerprints from this test's failure messages.
TEST(StoredSkin, EveryRectangleCutsThePiecePaintedForIt)
{
    struct Cut {
        const char* section;
        const char* key;
        uint32_t fingerprint;
    };
    const Cut cuts[] = {
        {"sysmenu", "skinrect", 0xdc77d11au},
        {"caption", "skinrect", 0x13bb7236u},
        {"sysmenu", "activeskinrect", 0x1a124856u},
        {"sysmenu", "downrect", 0x192dd23eu},
        {"close", "skinrect", 0xff209525u},
        {"close", "activeskinrect", 0xe493fd81u},
        {"close", "downrect", 0xdd59cd44u},
        {"close", "inactiveskinrect", 0x337e3a3cu},
        {"maximize", "skinrect", 0xff79e2d7u},
        {"maximize", "activeskinrect", 0x825b2e58u},
        {"maximize", "downrect", 0xde3591bcu},
        {"maximize", "inactiveskinrect", 0x93b231d6u},
        {"maximize", "restorerect", 0x99cba361u},
        {"maximize", "restoreactiverect", 0xa27f3a06u},
        {"maximize", "restoredownrect", 0x5eb8c1d0u},
        {"maximize", "restoreinactiverect", 0x65c08925u},
        {"minimize", "skinrect", 0x36a58030u},
        {"minimize", "activeskinrect", 0x261458c2u},
        {"minimize", "downrect", 0xcb4bf658u},
        {"minimize", "inactiveskinrect", 0xb98406c4u},
        {"rollup", "skinrect", 0x48ae3d3du},
        {"rollup", "activeskinrect", 0x2ea90de7u},
        {"rollup", "downrect", 0xa74c3f65u},
        {"rollup", "inactiveskinrect", 0x899d92f9u},
        {"rollup", "restorerect", 0xecfeb0d6u},
        {"rollup", "restoreactiverect", 0x574bfa73u},
        {"rollup", "restoredownrect", 0x6cc752edu},
        {"rollup", "restoreinactiverect", 0xa92203b9u},
        {"MENUITEM", "skinrect", 0x9ab34667u},
        {"MENUITEM", "activeskinrect", 0x6f3d2033u},
        {"MENUITEM", "dividerrect", 0x3532ae37u},
        {"mainmenubaritem1", "skinrect", 0x1ed1222du},
        {"mainmenubaritem1", "activeskinrect", 0xbc7c70a1u},
        {"mainmenubaritem1", "downrect", 0xbc7c70a1u},
        {"button", "skinrect", 0xa36bffcdu},
        {"button", "activeskinrect", 0x1edfdf2du},
        {"button", "downskinrect", 0x6f37f1cdu},
        {"resizebutton", "skinrect", 0x20d8992du},
        {"resizebutton", "activeskinrect", 0xeb6aa82du},
        {"resizebutton", "downskinrect", 0x5d8f018du},
        {"toolbutton", "skinrect", 0x20d8992du},
        {"toolbutton", "activeskinrect", 0xeb6aa82du},
        {"toolbutton", "downskinrect", 0x5d8f018du},
        {"toolmenubutton", "skinrect", 0x20d8992du},
        {"toolmenubutton", "activeskinrect", 0xeb6aa82du},
        {"toolmenubutton", "downskinrect", 0x5d8f018du},
        {"groupbox", "skinrect", 0xd1dbbcc1u},
        {"groupbox", "checkimagerect", 0xb45cc22eu},
        {"groupbox", "uncheckimagerect", 0xb36fa447u},
        {"panel", "skinrect", 0x9419ed7fu},
        {"panel", "checkimagerect", 0xb45cc22eu},
        {"panel", "uncheckimagerect", 0xb36fa447u},
        {"toolpanel", "skinrect", 0xe1287e28u},
        {"statusbar", "skinrect", 0x87467e55u},
        {"edit", "skinrect", 0x30b1e2e4u},
        {"edit", "activeskinrect", 0xbb750745u},
        {"buttonedit", "skinrect", 0x428ecc6au},
        {"buttonedit", "activeskinrect", 0x4084b9bau},
        {"buttonedit", "activebuttonrect", 0xb2463f9u},
        {"buttonedit", "downbuttonrect", 0xd5f8197du},
        {"combobox", "skinrect", 0x428ecc6au},
        {"combobox", "activebuttonrect", 0xb2463f9u},
        {"combobox", "downbuttonrect", 0xd5f8197du},
        {"toolcombobox", "skinrect", 0x428ecc6au},
        {"toolcombobox", "activebuttonrect", 0xb2463f9u},
        {"toolcombobox", "downbuttonrect", 0xd5f8197du},
        {"vscrollbar", "skinrect", 0x2fa72f38u},
        {"vscrollbar", "activeupbuttonrect", 0x3aceca21u},
        {"vscrollbar", "downupbuttonrect", 0x8cd6a610u},
        {"vscrollbar", "activedownbuttonrect", 0xf17ce861u},
        {"vscrollbar", "downdownbuttonrect", 0xffd422a0u},
        {"vscrollbar", "thumbrect", 0x91054101u},
        {"vscrollbar", "activethumbrect", 0x5e8a38e1u},
        {"vscrollbar", "downthumbrect", 0xbd44bac1u},
        {"hscrollbar", "skinrect", 0x73bfc428u},
        {"hscrollbar", "activeupbuttonrect", 0x24711685u},
        {"hscrollbar", "downupbuttonrect", 0xa87c6bd5u},
        {"hscrollbar", "activedownbuttonrect", 0xbb727d85u},
        {"hscrollbar", "downdownbuttonrect", 0xe6fe8b5u},
        {"hscrollbar", "thumbrect", 0xf3985741u},
        {"hscrollbar", "activethumbrect", 0x7cae3ba1u},
        {"hscrollbar", "downthumbrect", 0x750ac601u},
        {"bothhscrollbar", "skinrect", 0x73bfc428u},
        {"bothhscrollbar", "activeupbuttonrect", 0x24711685u},
        {"bothhscrollbar", "downupbuttonrect", 0xa87c6bd5u},
        {"bothhscrollbar", "activedownbuttonrect", 0xbb727d85u},
        {"bothhscrollbar", "downdownbuttonrect", 0xe6fe8b5u},
        {"bothhscrollbar", "thumbrect", 0xf3985741u},
        {"bothhscrollbar", "activethumbrect", 0x7cae3ba1u},
        {"bothhscrollbar", "downthumbrect", 0x750ac601u},
        {"hupdown", "skinrect", 0xb6367ea9u},
        {"hupdown", "activeupbuttonrect", 0x7c78f7a5u},
        {"hupdown", "downupbuttonrect", 0xc6619df5u},
        {"hupdown", "activedownbuttonrect", 0xf4a603a5u},
        {"hupdown", "downdownbuttonrect", 0x8d878d95u},
        {"tab", "skinrect", 0x849ee5e8u},
        {"tab", "tabrect", 0x99fd2a2du},
        {"tab", "activetabrect", 0x6334ac01u},
        {"tab", "focustabrect", 0xa17b2315u},
        {"tab", "tabsbgrect", 0x5081f475u},
        {"grid", "fixedcellrect", 0xb6bf848du},
        {"grid", "selectcellrect", 0x946246edu},
        {"grid", "focuscellrect", 0xabebad6du},
        {"mainmenubar", "skinrect", 0xaa0cb43fu},
    };
    Loaded skin;
    TByteBuffer stream(storedArchive());
    TbsSkinIni ini(TbsSkinArchive::read(stream).iniText);
    auto pictureOf = [&](const TbsSectionReader& r, const std::string& key) -> const TbsSkinPicture* {
        if (ini.hasKey(r.section(), "pictureindex"))
            return skin.model.activePicture(r.integer("pictureindex", -1));
        if (key == "skinrect" && !r.flag("skinrectinapicture"))
            return &skin.model.picture();
        return skin.model.activePicture(r.integer("activepictureindex", -1));
    };
    for (const Cut& cut : cuts) {
        TbsSectionReader r(ini, cut.section);
        TRect const rect = r.rect(cut.key);
        const TbsSkinPicture* picture = pictureOf(r, cut.key);
        ASSERT_NE(picture, nullptr) << cut.section << " " << cut.key;
        ASSERT_FALSE(rect.isEmpty()) << cut.section << " " << cut.key;
        ASSERT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= picture->width()
                    && rect.bottom <= picture->height())
            << cut.section << " " << cut.key << " lies outside its picture";
        uint32_t hash = 2166136261u; // FNV-1a over the size and the pixels
        auto mix = [&hash](uint32_t v) {
            for (int b = 0; b < 4; ++b)
                hash = (hash ^ ((v >> (8 * b)) & 0xFF)) * 16777619u;
        };
        mix(static_cast<uint32_t>(rect.width()));
        mix(static_cast<uint32_t>(rect.height()));
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x)
                mix(picture->pixel(x, y));
        }
        EXPECT_EQ(hash, cut.fingerprint) << "{\"" << cut.section << "\", \"" << cut.key << "\", 0x" << std::hex << hash
                                         << "u},";
    }
}

TEST(SkinFolder, ExportThenPackGivesTheStoredArchiveBack)
{
    fs::path dir = fs::temp_directory_path() / ("qv_skin_folder_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    std::string archive = storedArchive();
    EXPECT_EQ(exportSkinArchive(archive, dir.string()), 14);
    std::ifstream in(dir / "archive.bin", std::ios::binary);
    std::stringstream bin;
    bin << in.rdbuf();
    EXPECT_EQ(bin.str(), archive);
    EXPECT_TRUE(fs::exists(dir / "controls.bmp"));
    EXPECT_EQ(packSkinFolder(dir.string()), archive);

    // A folder missing a required section, or naming a picture outside itself, is refused.
    std::ifstream iniIn(dir / "SKIN.INI", std::ios::binary);
    std::stringstream ini;
    ini << iniIn.rdbuf();
    std::string text = ini.str();
    auto rewrite = [&](const std::string& t) {
        std::ofstream out(dir / "SKIN.INI", std::ios::binary | std::ios::trunc);
        out << t;
    };
    std::string noObjects = text;
    noObjects.replace(noObjects.find("[SKINOBJECTS]"), 13, "[OBJECTS]");
    rewrite(noObjects);
    try {
        packSkinFolder(dir.string());
        FAIL();
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("[SKINOBJECTS]"), std::string::npos) << e.what();
    }
    std::string escape = text;
    escape.replace(escape.find("picture=main.bmp"), 16, "picture=../main.bmp");
    rewrite(escape);
    EXPECT_THROW(packSkinFolder(dir.string()), Exception);
    fs::remove(dir / "mask.bmp");
    rewrite(text);
    EXPECT_THROW(packSkinFolder(dir.string()), EInOutError);
    fs::remove_all(dir);
}

} // namespace
} // namespace qv

#include "GridTestSupport.h"

#include "runtime/graphics/Bitmap.h"
#include "skin/store/CompressedStoredSkin.h"

#include "skin/quorvane/QuorvaneSkin.h"

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test;

namespace {

constexpr TColor fixedFill = 0x0000C0;
constexpr TColor fixedEdge = 0x000040;
constexpr TColor selectFill = 0xC00000;
constexpr TColor focusFill = 0x00C000;
constexpr TColor background = 0xF0F0F0;
constexpr TColor lines = 0x404040;

// A grid whose section comes from a picture made here: rows 0-19 the fixed
// cell (dark ends of 2 pixels), 20-37 the selected cell, 40-57 the focused cell.
class SkinnedGrid : public TbsSkinStringGrid {
public:
    explicit SkinnedGrid(TWinControl* parent) : TbsSkinStringGrid(parent), m_picture(60, 60)
    {
        Canvas& c = m_picture.canvas();
        defaultlook::fillRect(c, TRect{0, 0, 60, 20}, fixedFill);
        defaultlook::fillRect(c, TRect{0, 0, 2, 20}, fixedEdge);
        defaultlook::fillRect(c, TRect{58, 0, 60, 20}, fixedEdge);
        defaultlook::fillRect(c, TRect{0, 20, 60, 38}, selectFill);
        defaultlook::fillRect(c, TRect{0, 40, 60, 58}, focusFill);
    }

    bool withFixedPicture = true;
    TColor fontColor = clBlack;

protected:
    bool readSkin(GridSkin& skin) const override
    {
        skin.picture = &m_picture;
        skin.fixedCellRect = withFixedPicture ? TRect{0, 0, 60, 20} : TRect{};
        skin.selectCellRect = TRect{0, 20, 60, 38};
        skin.focusCellRect = TRect{};
        skin.fixedCellLeftOffset = 2;
        skin.fixedCellRightOffset = 2;
        skin.fixedCellTextRect = TRect{2, 2, 58, 18};
        skin.cellTextRect = TRect{2, 2, 58, 16};
        skin.linesColor = lines;
        skin.bgColor = background;
        skin.font.name = "Arial";
        skin.font.cellHeight = 14;
        skin.font.color = fontColor;
        skin.fixedFont = skin.font;
        skin.fixedFont.style = fsBold;
        return true;
    }

private:
    Bitmap m_picture;
};

struct SkinWindow : TForm {
    SkinWindow()
    {
        setClientSize(400, 200);
        grid.setBounds(0, 0, 330, 177);
        grid.setColCount(4);
        grid.setColWidths(1, 110);
    }
    SkinnedGrid grid{this};
};

class GridSkinLook : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.showAndRaise();
        app().processMessages();
    }

    TColor at(int col, int row, int dx, int dy)
    {
        Bitmap picture(grid.width(), grid.height());
        grid.paintTo(picture.canvas());
        TRect r = grid.CellRect(col, row);
        return picture.pixel(dx >= 0 ? r.left + dx : r.right + dx, r.top + dy);
    }

    TApplication& application = app();
    SkinWindow window;
    SkinnedGrid& grid = window.grid;
};

} // namespace

TEST_F(GridSkinLook, RowsTakeTheSelectedPictureHeight)
{
    grid.skinChanged();
    EXPECT_TRUE(grid.skinUsable());
    EXPECT_EQ(grid.DefaultRowHeight(), 18);
    grid.withFixedPicture = false; // no fixed picture: the section cannot paint
    grid.skinChanged();
    EXPECT_FALSE(grid.skinUsable());
    EXPECT_EQ(grid.DefaultRowHeight(), grid.DefaultCellHeight());
}

TEST_F(GridSkinLook, CellsArePaintedFromThePictures)
{
    grid.skinChanged();
    clickCell(grid, 1, 1);
    grid.setFocus();
    sendKeyStroke(grid, VK_DOWN, ssShift);
    app().processMessages();
    ASSERT_TRUE(grid.focused());

    EXPECT_EQ(at(1, 0, 0, 5), fixedEdge);   // the ends keep their width
    EXPECT_EQ(at(1, 0, 50, 5), fixedFill);  // the middle is tiled over 110 pixels
    EXPECT_EQ(at(1, 0, 80, 5), fixedFill);
    EXPECT_EQ(at(1, 0, -1, 5), fixedEdge);
    EXPECT_EQ(at(1, 1, 80, 5), selectFill); // selected
    EXPECT_EQ(at(1, 2, 80, 5), selectFill); // focused: the empty focus picture borrows the selected one
    EXPECT_EQ(at(2, 2, 5, 5), background);
    TRect plain = grid.CellRect(2, 2);
    Bitmap picture(grid.width(), grid.height());
    grid.paintTo(picture.canvas());
    EXPECT_EQ(picture.pixel(plain.right, plain.top + 5), lines);
    EXPECT_EQ(picture.pixel(grid.width() - 2, grid.height() - 2), background);
}

TEST_F(GridSkinLook, WithoutAUsableSectionThePlainLookStays)
{
    grid.withFixedPicture = false;
    grid.skinChanged();
    EXPECT_EQ(at(1, 0, 50, 5), colorToRGB(clBtnFace));
    EXPECT_EQ(at(2, 2, 5, 5), colorToRGB(clWindow));
}

TEST_F(GridSkinLook, EditorTakesTheSkinBackground)
{
    grid.skinChanged();
    grid.setOptions(31 | goEditing);
    grid.setFocus();
    sendKeyStroke(grid, VK_F2);
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(grid.InplaceEditor()->color(), background);
    EXPECT_EQ(grid.InplaceEditor()->font().name, "Arial");
}

TEST_F(GridSkinLook, EditorTextShowsInTheSkinCellFontColour)
{
    constexpr TColor skinText = 0x2060C0;
    grid.fontColor = skinText;
    grid.skinChanged();
    grid.setCells(1, 1, "HHHH");
    grid.setOptions(31 | goEditing);
    auto onScreen = [&](TColor colour) {
        grid.setFocus();
        sendKeyStroke(grid, VK_F2);
        EXPECT_TRUE(grid.EditorMode());
        grid.InplaceEditor()->setCaretPosition(4); // selected text would show in the selection colours
        app().processMessages();
        Bitmap shot = screenImage(*grid.InplaceEditor());
        int n = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                n += shot.pixel(x, y) == colour;
        grid.setEditorMode(false);
        return n;
    };
    EXPECT_GT(onScreen(skinText), 0);
    EXPECT_GT(onScreen(background), 0);
    EXPECT_EQ(onScreen(clBlack), 0); // not the grid's own font colour

    // Without the skin font: the grid's font, still in the skin's colour.
    grid.setUseSkinFont(false);
    EXPECT_GT(onScreen(skinText), 0);
}

namespace {

// The grid as the schedule uses it, bound to our own skin's "grid" section.
struct OwnSkinWindow : TForm {
    OwnSkinWindow()
    {
        store.FileName = "SKIN.INI";
        store.setCompressedData(std::string(quorvaneCompressedSkin()));
        model.setCompressedStoredSkin(&store);
        setClientSize(400, 200);
        grid.setBounds(0, 0, 330, 177);
        grid.setColCount(4);
        grid.setColWidths(1, 110);
        grid.setSkinData(&model);
    }
    TbsCompressedStoredSkin store;
    TbsSkinData model;
    TbsSkinStringGrid grid{this};
};

} // namespace

TEST(GridOwnSkin, CellsShowTheSectionsPicturesAndRowsItsHeight)
{
    app();
    OwnSkinWindow window;
    window.showAndRaise();
    app().processMessages();
    TbsSkinStringGrid& grid = window.grid;
    int i = window.model.FindSkinControl("grid");
    ASSERT_GE(i, 0);
    const auto& s = dynamic_cast<const TbsDataSkinGridControl&>(window.model.skinControl(i));
    const TbsSkinPicture& pic = *window.model.activePicture(s.PictureIndex);
    EXPECT_EQ(grid.DefaultRowHeight(), 20);
    EXPECT_EQ(grid.DefaultRowHeight(), s.SelectCellRect.height());

    grid.setFocus();
    app().processMessages();
    ASSERT_TRUE(grid.focused());
    sendKeyStroke(grid, VK_DOWN, ssShift); // (1, 1) selected, (1, 2) focused
    Bitmap shot(grid.width(), grid.height());
    grid.paintTo(shot.canvas());
    // A cell picture fitted to the cell: both ends as they are, the middle tiled.
    auto expectPiece = [&](int col, int row, const TRect& S, int leftWidth, int rightWidth) {
        TRect r = grid.CellRect(col, row);
        int d = S.width() - leftWidth - rightWidth, wrong = 0;
        for (int y = 0; y < r.height(); ++y) {
            for (int x = 0; x < r.width(); ++x) {
                int sx = x < leftWidth ? x : x >= r.width() - rightWidth ? S.width() - (r.width() - x) : leftWidth + (x - leftWidth) % d;
                // Text lies over the picture; only columns clear of it are compared.
                if (x >= 2 && x < r.width() - 2 && y >= 2 && y < r.height() - 2)
                    continue;
                wrong += shot.pixel(r.left + x, r.top + y) != pic.pixel(S.left + sx, S.top + y);
            }
        }
        EXPECT_EQ(wrong, 0) << col << "," << row;
    };
    expectPiece(1, 0, s.FixedCellRect, s.FixedCellLeftOffset, s.FixedCellRightOffset);
    expectPiece(0, 1, s.FixedCellRect, s.FixedCellLeftOffset, s.FixedCellRightOffset);
    expectPiece(1, 1, s.SelectCellRect, s.CellLeftOffset, s.CellRightOffset);
    expectPiece(1, 2, s.FocusCellRect, s.CellLeftOffset, s.CellRightOffset);
    EXPECT_FALSE(s.SelectCellRect == s.FocusCellRect);
    TRect plain = grid.CellRect(2, 2);
    EXPECT_EQ(shot.pixel(plain.left + 1, plain.top + 1), s.BGColor);
    EXPECT_EQ(shot.pixel(plain.right, plain.top + 5), s.LinesColor);

    // Rows keep a height of their own when the skin's is not wanted.
    grid.setUseSkinCellHeight(false);
    grid.setDefaultRowHeight(26);
    grid.skinChanged();
    EXPECT_EQ(grid.DefaultRowHeight(), 26);
    grid.setUseSkinCellHeight(true);
    grid.skinChanged();
    EXPECT_EQ(grid.DefaultRowHeight(), 20);

    // An empty model: the plain look and the grid's own row height again.
    TbsSkinData empty;
    grid.setSkinData(&empty);
    grid.skinChanged();
    EXPECT_FALSE(grid.skinUsable());
    EXPECT_EQ(grid.DefaultRowHeight(), grid.DefaultCellHeight());
}

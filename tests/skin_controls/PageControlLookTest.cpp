#include "SkinLookTest.h"

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinPageControl.h"

#include <cstdlib>

using namespace qv;
using namespace qv::looktest;

namespace {

const TbsDataSkinTabControl& tabSection() { return section<TbsDataSkinTabControl>("tab"); }

// The tab picture S fitted to width w: the 5 columns at each end copied, the middle tiled.
TColor tabPixel(const TRect& S, int w, int x, int y)
{
    const auto& s = tabSection();
    const int a = s.TabLeftOffset, r = s.TabRightOffset, d = S.width() - a - r;
    int sx = x < a ? x : x >= w - r ? S.width() - (w - x) : a + (x - a) % d;
    return picture(s.PictureIndex).pixel(S.left + sx, S.top + y);
}

class PageLook : public SkinLook {
protected:
    void SetUp() override
    {
        SkinLook::SetUp();
        pages.setBounds(10, 10, 360, 250);
        pages.setSkinData(&ownSkin());
        elsewhere.setBounds(10, 270, 73, 25);
        elsewhere.setFocus();
        waitFor([&] { return elsewhere.focused(); });
    }
    Bitmap shot()
    {
        app().processMessages();
        return grabImage(pages);
    }
    // Pixels of tab i that differ from the picture S fitted to the tab, outside the caption's columns.
    int edgeMismatches(int i, const TRect& S)
    {
        TRect t = pages.tabRect(i);
        Bitmap screen = shot();
        int wrong = 0;
        for (int y = 0; y < t.height(); ++y)
            for (int x : {0, 1, 2, 3, 4, t.width() - 5, t.width() - 4, t.width() - 3, t.width() - 2, t.width() - 1})
                wrong += screen.pixel(t.left + x, t.top + y) != tabPixel(S, t.width(), x, y);
        return wrong;
    }
    // Pixels of tab i in colour c, counting the smoothed edges of small text that
    // stay within a quarter of the range of it in every channel.
    int pixelsOf(int i, TColor c)
    {
        TRect t = pages.tabRect(i);
        Bitmap screen = shot();
        auto near = [](TColor a, TColor b) {
            for (int shift : {0, 8, 16}) {
                if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 64)
                    return false;
            }
            return true;
        };
        int n = 0;
        for (int y = t.top; y < t.bottom; ++y)
            for (int x = t.left; x < t.right; ++x)
                n += near(screen.pixel(x, y), c);
        return n;
    }
    TbsSkinPageControl pages{&form};
    TbsSkinButton elsewhere{&form};
    TbsSkinTabSheet& first = pages.addPage("Amortization Schedule");
    TbsSkinTabSheet& second = pages.addPage("Chart");
};

} // namespace

TEST_F(PageLook, SelectedTabShowsTheActivePictureAndWithFocusTheFocusPicture)
{
    const auto& s = tabSection();
    ASSERT_GE(pages.sectionIndex(), 0);
    EXPECT_EQ(pages.tabRect(0).height(), s.TabRect.height());
    EXPECT_FALSE(pages.focused());
    EXPECT_EQ(edgeMismatches(0, s.ActiveTabRect), 0);
    EXPECT_EQ(edgeMismatches(1, s.TabRect), 0);
    EXPECT_GT(pixelsOf(0, s.ActiveFontColor), 20);
    EXPECT_GT(pixelsOf(1, s.Font.FontColor), 20);

    pages.setFocus();
    ASSERT_TRUE(waitFor([&] { return pages.focused(); }));
    EXPECT_EQ(edgeMismatches(0, s.FocusTabRect), 0);
    EXPECT_GT(pixelsOf(0, s.FocusFontColor), 20);
    EXPECT_EQ(edgeMismatches(1, s.TabRect), 0);
}

TEST_F(PageLook, HoverChangesTheCaptionColourOfAnUnselectedTabOnly)
{
    const auto& s = tabSection();
    TRect t = pages.tabRect(1);
    sendMouseMove(pages, t.left + 3, t.top + 3);
    EXPECT_EQ(pages.hotTab(), 1);
    // No hover picture in this skin: the picture stays, the caption turns.
    EXPECT_EQ(edgeMismatches(1, s.TabRect), 0);
    EXPECT_GT(pixelsOf(1, s.MouseInFontColor), 20);
    EXPECT_EQ(pixelsOf(1, s.Font.FontColor), 0);

    sendMouseLeave(pages);
    TRect sel = pages.tabRect(0);
    Bitmap before = shot();
    sendMouseMove(pages, sel.left + 3, sel.top + 3);
    EXPECT_EQ(pages.hotTab(), 0);
    Bitmap after = shot();
    int changed = 0;
    for (int y = sel.top; y < sel.bottom; ++y)
        for (int x = sel.left; x < sel.right; ++x)
            changed += after.pixel(x, y) != before.pixel(x, y);
    EXPECT_EQ(changed, 0);

    sendMouseLeave(pages);
    EXPECT_EQ(pages.hotTab(), -1);
    EXPECT_EQ(pixelsOf(1, s.MouseInFontColor), 0);
    // Straight from a tab onto the page below it: the tab is no longer under the pointer.
    sendMouseMove(pages, t.left + 3, t.top + 3);
    EXPECT_EQ(pages.hotTab(), 1);
    sendMouseEnter(first);
    EXPECT_EQ(pages.hotTab(), -1);
}

TEST_F(PageLook, PagesSitInsideTheSkinFrameBelowTheTabStrip)
{
    const auto& s = tabSection();
    const TRect &S = s.SkinRect, &C = s.ClRect;
    const int a = S.width() - C.right, b = S.height() - C.bottom, h = s.TabRect.height();
    EXPECT_EQ(pages.displayRect(), (TRect{C.left, h + C.top, pages.width() - a, pages.height() - b}));
    EXPECT_EQ(first.boundsRect(), pages.displayRect());
    const TbsSkinPicture& pic = picture(s.PictureIndex);
    // The frame's corners come straight from the picture, its top one at the strip's bottom.
    EXPECT_EQ(pixel(pages, 0, h), pic.pixel(S.left, S.top));
    EXPECT_EQ(pixel(pages, pages.width() - 1, pages.height() - 1), pic.pixel(S.right - 1, S.bottom - 1));
    EXPECT_EQ(pixel(pages, pages.width() - 1, h), pic.pixel(S.right - 1, S.top));
    // Beyond the tabs the strip is tiled with its picture from the top-left.
    const TRect& bg = s.TabsBGRect;
    for (int x : {300, 340, 359})
        for (int y : {0, 5, h - 1})
            EXPECT_EQ(pixel(pages, x, y), pic.pixel(bg.left + x % bg.width(), bg.top + y % bg.height()))
                << x << "," << y;
    // The sheet is tiled with the section's client piece.
    const int pw = C.width(), ph = C.height();
    for (TPoint p : {TPoint{0, 0}, TPoint{pw + 7, 3}, TPoint{200, ph + 11}})
        EXPECT_EQ(pixel(first, p.x, p.y), pic.pixel(S.left + C.left + p.x % pw, S.top + C.top + p.y % ph)) << p.x;
}

// A transparent control on a sheet shows the sheet's tiles behind it, in the sheet's phase:
// only its part of the sheet is tiled for it.
TEST_F(PageLook, ATransparentControlOnASheetShowsTheSheetsTilesBehindIt)
{
    const auto& s = tabSection();
    const TRect &S = s.SkinRect, &C = s.ClRect;
    const TbsSkinPicture& pic = picture(s.PictureIndex);
    const int pw = C.width(), ph = C.height();
    TbsSkinStdLabel label(&first);
    label.setAutoSize(false);
    label.setCaption(" ");
    label.setBounds(pw + 5, ph + 3, 40, 17);
    for (TPoint p : {TPoint{0, 0}, TPoint{7, 2}, TPoint{39, 16}}) {
        int const x = label.left() + p.x, y = label.top() + p.y;
        EXPECT_EQ(pixel(label, p.x, p.y), pic.pixel(S.left + C.left + x % pw, S.top + C.top + y % ph)) << p.x;
    }
}

TEST_F(PageLook, SideTabsAreTurnedAndBottomTabsMirrored)
{
    const auto& s = tabSection();
    const TRect& S = s.TabRect;
    const int h = S.height();
    auto check = [&](TTabPosition position, auto screenPoint) {
        pages.setTabPosition(position);
        TRect t = pages.tabRect(1);
        const int w = position == TTabPosition::tpBottom ? t.width() : t.height();
        Bitmap screen = shot();
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x : {0, 2, 4, w - 3, w - 1}) {
                TPoint p = screenPoint(t, w, x, y);
                wrong += screen.pixel(p.x, p.y) != tabPixel(S, w, x, y);
            }
        return wrong;
    };
    // Turned a quarter anticlockwise on the left, clockwise on the right, upside down at the bottom.
    auto left = [](TRect t, int w, int x, int y) { return TPoint{t.left + y, t.top + w - 1 - x}; };
    auto right = [&](TRect t, int, int x, int y) { return TPoint{t.left + h - 1 - y, t.top + x}; };
    auto bottom = [&](TRect t, int, int x, int y) { return TPoint{t.left + x, t.top + h - 1 - y}; };
    EXPECT_EQ(check(TTabPosition::tpLeft, left), 0);
    EXPECT_EQ(check(TTabPosition::tpRight, right), 0);
    EXPECT_EQ(check(TTabPosition::tpBottom, bottom), 0);
    // Each time the pages stay inside the frame, off the tab side.
    EXPECT_EQ(pages.displayRect().bottom, pages.height() - h - (s.SkinRect.height() - s.ClRect.bottom));
    pages.setTabPosition(TTabPosition::tpLeft);
    EXPECT_EQ(pages.displayRect().left, h + s.ClRect.left);
}

TEST_F(PageLook, TabHeightStretchesTheTabPicture)
{
    const auto& s = tabSection();
    pages.setTabHeight(30);
    TRect t = pages.tabRect(1);
    EXPECT_EQ(t.height(), 30);
    EXPECT_EQ(pages.displayRect().top, 30 + s.ClRect.top);
    // The 17 rows stretched onto 30: the first and last rows are the picture's own.
    const TRect& S = s.TabRect;
    for (int y : {0, 29}) {
        int sy = y * S.height() / 30;
        EXPECT_EQ(pixel(pages, t.left + 1, t.top + y), tabPixel(S, t.width(), 1, sy)) << y;
    }
    EXPECT_EQ(pixel(pages, t.left + 1, t.top + 15), tabPixel(S, t.width(), 1, 15 * S.height() / 30));
    pages.setTabHeight(0);
    EXPECT_EQ(pages.tabRect(1).height(), S.height());
}

TEST_F(PageLook, TabsThatDoNotFitScrollWithAnUpDown)
{
    EXPECT_EQ(pages.upDown(), nullptr);
    const int secondEnd = pages.tabRect(1).right;
    pages.setWidth(secondEnd + 3);
    EXPECT_EQ(pages.upDown(), nullptr);
    pages.setWidth(secondEnd + 2);
    TbsSkinUpDown* upDown = pages.upDown();
    ASSERT_NE(upDown, nullptr);
    EXPECT_EQ(upDown->boundsRect(), (TRect{pages.width() - 40, 0, pages.width(), 20}));
    EXPECT_EQ(upDown->SkinDataName(), "hupdown");
    EXPECT_GE(upDown->sectionIndex(), 0);
    EXPECT_EQ(upDown->Position(), 0);
    EXPECT_EQ(upDown->Max(), 1);

    // The right arrow scrolls the first tab off the strip.
    TRect up = upDown->partRect(TbsSkinUpDown::Part::Up);
    sendClick(*upDown, up.left + 2, up.top + 2);
    EXPECT_EQ(upDown->Position(), 1);
    EXPECT_EQ(pages.firstTab(), 1);
    EXPECT_LE(pages.tabRect(0).right, 0);
    EXPECT_EQ(pages.tabRect(1).left, 0);
    sendClick(*upDown, up.left + 2, up.top + 2);
    EXPECT_EQ(upDown->Position(), 1);
    // Selecting the first page brings its tab back.
    pages.setActivePageIndex(1);
    pages.setActivePageIndex(0);
    EXPECT_EQ(pages.firstTab(), 0);
    EXPECT_EQ(upDown->Position(), 0);

    pages.setWidth(360);
    EXPECT_EQ(pages.upDown(), nullptr);
}

TEST_F(PageLook, EmptyModelGivesThePlainLook)
{
    TbsSkinData empty;
    pages.setSkinData(&empty);
    pages.skinChanged();
    EXPECT_EQ(pages.sectionIndex(), -1);
    EXPECT_EQ(pages.tabRect(0).height(), pages.DefaultItemHeight());
    EXPECT_EQ(pages.displayRect(), (TRect{1, 21, pages.width() - 1, pages.height() - 1}));
    EXPECT_EQ(pixel(first, 10, 10), colorToRGB(clBtnFace));
    EXPECT_EQ(pixel(pages, 0, 20), colorToRGB(clBtnShadow));
    TRect t = pages.tabRect(0);
    EXPECT_EQ(pixel(pages, t.left, t.top), 8388608u);
    EXPECT_EQ(pixel(pages, t.left + 2, t.top + 2), 13811126u);
    // A focused control shows its selected tab on the pressed fill.
    pages.setFocus();
    ASSERT_TRUE(waitFor([&] { return pages.focused(); }));
    EXPECT_EQ(pixel(pages, t.left + 2, t.top + 2), 11899781u);
}

namespace {

// Stands in for a window frame: passes the model's notices to the form's controls.
struct FrameRelay : TbsSkinNoticeTarget {
    TWinControl* root = nullptr;
    std::function<void(TbsSkinNotice)> after;
    void skinNotice(TbsSkinNotice code, TbsSkinData* model, int) override
    {
        relaySkinNotice(*root, code, model);
        if (after)
            after(code);
    }
};

} // namespace

TEST_F(SkinLook, EveryFamilyDropsItsSectionAsTheSkinChangesAndBindsToTheReloadedOne)
{
    TbsCompressedStoredSkin store;
    store.FileName = "SKIN.INI";
    store.setCompressedData(std::string(quorvaneCompressedSkin()));
    TbsSkinData model;
    model.setCompressedStoredSkin(&store);

    TbsSkinPageControl pages(&form);
    TbsSkinTabSheet& sheet = pages.addPage("Amortization Schedule");
    pages.addPage("Chart");
    TbsSkinButton button(&sheet);
    TbsSkinStdLabel label(&sheet);
    TbsSkinEdit edit(&sheet);
    // A control of another model hears nothing of this one's changes.
    TbsSkinStdLabel other(&sheet);
    other.setSkinData(&ownSkin());
    pages.setBounds(0, 0, 360, 250);
    button.setBounds(10, 10, 73, 25);
    label.setCaption("Term:");
    label.setBounds(10, 50, 0, 0);
    edit.setBounds(10, 80, 57, 18);
    std::vector<TbsSkinNoticeListener*> ours{&pages, &button, &label, &edit};
    for (auto* c : ours) {
        if (auto* skinned = dynamic_cast<TbsSkinControl*>(c))
            skinned->setSkinData(&model);
    }
    edit.setSkinData(&model);
    for (auto* c : ours)
        EXPECT_GE(c->sectionIndex(), 0);

    FrameRelay relay;
    relay.root = &form;
    std::vector<int> duringChange;
    relay.after = [&](TbsSkinNotice code) {
        if (code != SkinChangeBegin)
            return;
        for (auto* c : ours)
            duringChange.push_back(c->sectionIndex());
        duringChange.push_back(other.sectionIndex() >= 0);
    };
    model.setCompressedStoredSkin(&store);
    EXPECT_EQ(duringChange, (std::vector<int>{-1, -1, -1, -1, 1}));
    for (auto* c : ours)
        EXPECT_GE(c->sectionIndex(), 0);
    // Drawn from the reloaded pictures.
    const auto& s = tabSection();
    TRect t = pages.tabRect(0);
    EXPECT_EQ(pixel(pages, t.left, t.top + 5), tabPixel(s.ActiveTabRect, t.width(), 0, 5));
    EXPECT_EQ(edit.height(), section<TbsDataSkinEditControl>("edit").SkinRect.height());
    EXPECT_EQ(button.height(), 20);
}

// The frame and the sheet background follow a new size and a new skin.
TEST_F(PageLook, FrameAndSheetFollowANewSizeAndANewSkin)
{
    const auto& s = tabSection();
    const TRect &S = s.SkinRect, &C = s.ClRect;
    const TbsSkinPicture& pic = picture(s.PictureIndex);
    const int pw = C.width(), ph = C.height();
    auto sheetPixel = [&](int x, int y) { return pic.pixel(S.left + C.left + x % pw, S.top + C.top + y % ph); };
    EXPECT_EQ(pixel(pages, pages.width() - 1, pages.height() - 1), pic.pixel(S.right - 1, S.bottom - 1));
    const long painted = first.paintCount();
    pages.setBounds(10, 10, 400, 280);
    EXPECT_EQ(pixel(pages, pages.width() - 1, pages.height() - 1), pic.pixel(S.right - 1, S.bottom - 1));
    EXPECT_EQ(pixel(pages, 360, pages.height() - 1), pic.pixel(S.left + C.right, S.bottom - 1));
    const TPoint grown{first.width() - 3, first.height() - 2};
    EXPECT_EQ(pixel(first, grown.x, grown.y), sheetPixel(grown.x, grown.y));
    EXPECT_GT(first.paintCount(), painted);

    TbsSkinData empty;
    pages.setSkinData(&empty);
    pages.skinChanged();
    EXPECT_EQ(pixel(first, grown.x, grown.y), colorToRGB(clBtnFace));
    pages.setSkinData(&ownSkin());
    pages.skinChanged();
    EXPECT_EQ(pixel(first, grown.x, grown.y), sheetPixel(grown.x, grown.y));
}

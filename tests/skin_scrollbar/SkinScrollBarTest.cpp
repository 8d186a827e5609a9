#include "runtime/ui/Application.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Input.h"
#include "skin/model/SkinControlData.h"
#include "skin/model/SkinData.h"
#include "skin/scrollbar/SkinScrollBar.h"
#include "skin/store/CompressedStoredSkin.h"
#include "skin/store/SkinArchive.h"

#include "skin/quorvane/QuorvaneSkin.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <functional>
#include <memory>
#include <vector>

using namespace qv;

namespace {

TApplication& app()
{
    static int argc = 1;
    static char arg0[] = "/tmp/quorvane-scrollbar-test/quorvane";
    static char* argv[] = {arg0, nullptr};
    static TApplication* application = new TApplication(argc, argv);
    return *application;
}

// Our stored skin as the program carries it, inflated.
std::string storedArchive()
{
    TbsCompressedStoredSkin store;
    store.setCompressedData(std::string(quorvaneCompressedSkin()));
    TByteBuffer out;
    store.ExtractArchive(out);
    return out.bytes();
}

// The same archive with one INI line replaced by another.
std::string archiveWith(const std::string& line, const std::string& replacement)
{
    TByteBuffer in(storedArchive());
    TbsSkinArchive archive = TbsSkinArchive::read(in);
    size_t at = archive.iniText.find(line);
    EXPECT_NE(at, std::string::npos) << line;
    if (at != std::string::npos)
        archive.iniText.replace(at, line.size(), replacement);
    return archive.write();
}

// Our archive with a mask for the vertical bar: black inside, with the four
// pixels at the left end of its first and last rows cut away.
std::string archiveWithMaskedBar()
{
    TByteBuffer in(storedArchive());
    TbsSkinArchive archive = TbsSkinArchive::read(in);
    TbsSkinPicture mask(16, 109, clBlack);
    for (int x : {0, 1}) {
        mask.setPixel(x, 0, clWhite);
        mask.setPixel(x, 108, clWhite);
    }
    archive.activePictures.push_back(mask.toBmp(24));
    auto replace = [&](const std::string& line, const std::string& with) {
        size_t at = archive.iniText.find(line);
        EXPECT_NE(at, std::string::npos) << line;
        if (at != std::string::npos)
            archive.iniText.replace(at, line.size(), with);
    };
    replace("activepicturescount=10", "activepicturescount=11\r\n10=barmask.bmp");
    replace("[vscrollbar]\r\npictureindex=3\r\nmaskpictureindex=-1",
            "[vscrollbar]\r\npictureindex=3\r\nmaskpictureindex=10");
    return archive.write();
}

std::unique_ptr<TbsSkinData> loadedSkin(const std::string& archive = storedArchive())
{
    auto model = std::make_unique<TbsSkinData>();
    model->loadFromArchive(archive);
    return model;
}

// Which row (column) of a section of length n a bar of length H shows at pos:
// the first a and last b copied, the middle tiled from a.
int pieceSource(int pos, int H, int a, int b, int n)
{
    if (pos < a)
        return pos;
    if (pos >= H - b)
        return n - (H - pos);
    return a + (pos - a) % (n - a - b);
}

// Relays the model's notices to the bars, as a form's frame does.
struct Relay : TbsSkinNoticeTarget {
    void skinNotice(TbsSkinNotice code, TbsSkinData*, int) override
    {
        for (TbsSkinScrollBar* bar : bars) {
            if (code == SkinChangeBegin) {
                bar->skinChangeBegins();
                boundDuringLoad = boundDuringLoad || bar->sectionIndex() >= 0 || bar->skinned();
            } else if (code == SkinChanged) {
                bar->skinChanged();
            }
        }
    }
    std::vector<TbsSkinScrollBar*> bars;
    bool boundDuringLoad = false;
};

class SkinnedBar : public ::testing::Test {
protected:
    SkinnedBar()
    {
        form.setColor(clWhite);
        form.setClientSize(400, 320);
        vbar.setKind(TScrollBarKind::Vertical);
        vbar.setBounds(10, 10, 19, 177);
        hbar.setBounds(60, 10, 200, 19);
        vbar.setSkinData(skin.get());
        hbar.setSkinData(skin.get());
        form.showAndRaise();
        app().processMessages();
    }

    const TbsDataSkinScrollBarControl& section(const char* name)
    {
        return dynamic_cast<const TbsDataSkinScrollBarControl&>(skin->skinControl(skin->FindSkinControl(name)));
    }
    const TbsSkinPicture& picture(const char* name) { return *skin->activePicture(section(name).PictureIndex); }

    TColor pixel(TControl& c, int x, int y)
    {
        app().processMessages();
        return screenPixel(c, x, y);
    }

    // Counts the pixels of r on screen that differ from want(x, y); reports the first few.
    int mismatches(TControl& c, const TRect& r, const std::function<TColor(int, int)>& want)
    {
        app().processMessages();
        int wrong = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (screenPixel(c, x, y) != want(x, y) && ++wrong < 4)
                    ADD_FAILURE() << "pixel " << x << "," << y;
        return wrong;
    }
    // r on screen shows the picture's rectangle S at r's size.
    int mismatchesWith(TControl& c, const TRect& r, const TbsSkinPicture& pic, const TRect& S)
    {
        EXPECT_EQ(r.width(), S.width());
        EXPECT_EQ(r.height(), S.height());
        return mismatches(c, r, [&](int x, int y) { return pic.pixel(S.left + x - r.left, S.top + y - r.top); });
    }
    // The bar's normal picture by the piece rule, at the pixel (x, y) of the bar.
    TColor normalPixel(const TbsSkinScrollBar& bar, const char* name, int x, int y)
    {
        const auto& s = section(name);
        const TRect& S = s.SkinRect;
        if (bar.Kind() == TScrollBarKind::Vertical)
            y = pieceSource(y, bar.height(), s.LTPoint.y, S.height() - s.LBPoint.y, S.height());
        else
            x = pieceSource(x, bar.width(), s.LTPoint.x, S.width() - s.RTPoint.x, S.width());
        return picture(name).pixel(S.left + x, S.top + y);
    }
    TRect part(const TbsSkinScrollBar& bar, int p) { return bar.partRect(p); }
    TPoint centre(const TRect& r) { return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    bool m_appReady = (app(), true);
    std::unique_ptr<TbsSkinData> skin = loadedSkin();
    TForm form;
    TbsSkinScrollBar vbar{&form};
    TbsSkinScrollBar hbar{&form};
};

} // namespace

TEST_F(SkinnedBar, VerticalBarFollowsTheSectionAndTheRange)
{
    EXPECT_TRUE(vbar.skinned());
    EXPECT_EQ(vbar.width(), 16); // the Vertical section fixes the width
    EXPECT_EQ(vbar.height(), 177);
    vbar.setWidth(40);
    EXPECT_EQ(vbar.width(), 16);
    EXPECT_EQ(vbar.trackArea(), (TRect{3, 18, 13, 159}));
    EXPECT_EQ(part(vbar, TbsSkinScrollBar::partDown), (TRect{1, 2, 15, 16}));
    EXPECT_EQ(part(vbar, TbsSkinScrollBar::partUp), (TRect{1, 161, 15, 175}));
    // Without a page the thumb is the picture's 10 x 14, centred across the track.
    EXPECT_EQ(part(vbar, TbsSkinScrollBar::partThumb), (TRect{3, 18, 13, 32}));
    vbar.setPosition(100);
    EXPECT_EQ(part(vbar, TbsSkinScrollBar::partThumb), (TRect{3, 145, 13, 159}));

    // A page of a tenth: nearest(141 x 10 / 100) = 14, the picture's length.
    vbar.setRange(0, 99, 10, 0);
    EXPECT_EQ(part(vbar, TbsSkinScrollBar::partThumb), (TRect{3, 18, 13, 32}));
    vbar.setPosition(99);
    EXPECT_EQ(vbar.Position(), 90);
    EXPECT_EQ(part(vbar, TbsSkinScrollBar::partThumb), (TRect{3, 145, 13, 159}));
    vbar.setRange(0, 9, 5, 0);
    EXPECT_EQ(part(vbar, TbsSkinScrollBar::partThumb).height(), 70); // nearest(70.5) goes to the even 70
    // The grid's range: the middle of 0..127 puts the centre half way along the travel.
    vbar.setRange(0, 127, 0, 64);
    EXPECT_EQ(part(vbar, TbsSkinScrollBar::partThumb), (TRect{3, 82, 13, 96}));

    // Taller, the track and the lower button move with the bottom.
    vbar.setHeight(300);
    EXPECT_EQ(vbar.trackArea(), (TRect{3, 18, 13, 282}));
    EXPECT_EQ(part(vbar, TbsSkinScrollBar::partUp), (TRect{1, 284, 15, 298}));
    EXPECT_EQ(part(vbar, TbsSkinScrollBar::partDown), (TRect{1, 2, 15, 16}));
}

TEST_F(SkinnedBar, DegenerateRangesAndSizesLeaveASaneThumb)
{
    vbar.setRange(0, 99, 10, 0);
    // Max below Min: a range of no values must not divide the page by zero.
    vbar.setMax(-1);
    EXPECT_EQ(vbar.Position(), 0);
    std::feclearexcept(FE_ALL_EXCEPT);
    TRect thumb = part(vbar, TbsSkinScrollBar::partThumb);
    EXPECT_FALSE(std::fetestexcept(FE_DIVBYZERO | FE_INVALID));
    EXPECT_EQ(thumb, (TRect{3, 18, 13, 32}));
    vbar.setMax(99);
    // Shorter than its fixed ends, the bar has no room for a thumb and still paints.
    vbar.setHeight(30);
    EXPECT_TRUE(part(vbar, TbsSkinScrollBar::partThumb).isEmpty());
    EXPECT_EQ(pixel(vbar, 8, 0), normalPixel(vbar, "vscrollbar", 8, 0));
}

TEST_F(SkinnedBar, VerticalBarShowsTheSectionsPictures)
{
    const auto& s = section("vscrollbar");
    const TbsSkinPicture& pic = picture("vscrollbar");
    TRect thumb = part(vbar, TbsSkinScrollBar::partThumb);
    // Everything but the thumb: the normal picture with its top 18 and bottom 19 rows kept.
    EXPECT_EQ(mismatches(vbar, TRect{0, 0, vbar.width(), vbar.height()},
                         [&](int x, int y) {
                             if (thumb.contains(TPoint{x, y}))
                                 return pixel(vbar, x, y);
                             return normalPixel(vbar, "vscrollbar", x, y);
                         }),
              0);
    EXPECT_EQ(mismatchesWith(vbar, thumb, pic, s.ThumbRect), 0);

    // A page-sized thumb keeps five rows at each end and repeats the four between.
    vbar.setRange(0, 9, 5, 2);
    thumb = part(vbar, TbsSkinScrollBar::partThumb);
    ASSERT_EQ(thumb.height(), 70);
    EXPECT_EQ(mismatches(vbar, thumb,
                         [&](int x, int y) {
                             int sy = pieceSource(y - thumb.top, thumb.height(), s.ThumbOffset1, s.ThumbOffset2,
                                                  s.ThumbRect.height());
                             return pic.pixel(s.ThumbRect.left + x - thumb.left, s.ThumbRect.top + sy);
                         }),
              0);
    // The track around it is still the normal picture.
    EXPECT_EQ(pixel(vbar, 8, thumb.top - 1), normalPixel(vbar, "vscrollbar", 8, thumb.top - 1));
    EXPECT_EQ(pixel(vbar, 8, thumb.bottom), normalPixel(vbar, "vscrollbar", 8, thumb.bottom));
}

TEST_F(SkinnedBar, HoverAndPressShowTheStateImages)
{
    const auto& s = section("vscrollbar");
    const TbsSkinPicture& pic = picture("vscrollbar");
    TRect up = part(vbar, TbsSkinScrollBar::partUp);
    TRect down = part(vbar, TbsSkinScrollBar::partDown);
    auto restingAt = [&](const TRect& r) {
        return mismatches(vbar, r, [&](int x, int y) { return normalPixel(vbar, "vscrollbar", x, y); });
    };

    sendMouseMove(vbar, centre(up).x, centre(up).y);
    EXPECT_EQ(mismatchesWith(vbar, up, pic, s.ActiveUpButtonRect), 0);
    EXPECT_EQ(restingAt(down), 0);
    sendMouseDown(vbar, centre(up).x, centre(up).y);
    EXPECT_EQ(mismatchesWith(vbar, up, pic, s.DownUpButtonRect), 0);
    // Pressed but left: the button rests until the mouse comes back.
    sendMouseMove(vbar, 8, 80);
    EXPECT_EQ(restingAt(up), 0);
    sendMouseMove(vbar, centre(up).x, centre(up).y);
    EXPECT_EQ(mismatchesWith(vbar, up, pic, s.DownUpButtonRect), 0);
    sendMouseUp(vbar, centre(up).x, centre(up).y);
    EXPECT_EQ(mismatchesWith(vbar, up, pic, s.ActiveUpButtonRect), 0);

    sendMouseMove(vbar, centre(down).x, centre(down).y);
    EXPECT_EQ(mismatchesWith(vbar, down, pic, s.ActiveDownButtonRect), 0);
    EXPECT_EQ(restingAt(up), 0);
    sendMouseDown(vbar, centre(down).x, centre(down).y);
    EXPECT_EQ(mismatchesWith(vbar, down, pic, s.DownDownButtonRect), 0);
    sendMouseUp(vbar, centre(down).x, centre(down).y);

    vbar.setRange(0, 127, 0, 64);
    TRect thumb = part(vbar, TbsSkinScrollBar::partThumb);
    sendMouseMove(vbar, centre(thumb).x, centre(thumb).y);
    EXPECT_EQ(mismatchesWith(vbar, thumb, pic, s.ActiveThumbRect), 0);
    sendMouseDown(vbar, centre(thumb).x, centre(thumb).y);
    EXPECT_EQ(mismatchesWith(vbar, thumb, pic, s.DownThumbRect), 0);
    sendMouseUp(vbar, centre(thumb).x, centre(thumb).y);
    EXPECT_EQ(mismatchesWith(vbar, thumb, pic, s.ActiveThumbRect), 0);

    // Disabled, no thumb: the track shows through.
    vbar.setEnabled(false);
    EXPECT_EQ(restingAt(thumb), 0);
}

TEST_F(SkinnedBar, HorizontalBarStretchesAlongItsWidth)
{
    const auto& s = section("hscrollbar");
    const TbsSkinPicture& pic = picture("hscrollbar");
    EXPECT_TRUE(hbar.skinned());
    EXPECT_EQ(hbar.width(), 200);
    EXPECT_EQ(hbar.height(), 16);
    EXPECT_EQ(hbar.trackArea(), (TRect{18, 3, 182, 13}));
    TRect up = part(hbar, TbsSkinScrollBar::partUp);
    EXPECT_EQ(up, (TRect{185, 1, 199, 15}));
    hbar.setRange(0, 127, 0, 127);
    TRect thumb = part(hbar, TbsSkinScrollBar::partThumb);
    EXPECT_EQ(thumb, (TRect{168, 3, 182, 13}));
    EXPECT_EQ(mismatches(hbar, TRect{0, 0, hbar.width(), hbar.height()},
                         [&](int x, int y) {
                             if (thumb.contains(TPoint{x, y}))
                                 return pic.pixel(s.ThumbRect.left + x - thumb.left, s.ThumbRect.top + y - thumb.top);
                             return normalPixel(hbar, "hscrollbar", x, y);
                         }),
              0);
    sendMouseMove(hbar, centre(up).x, centre(up).y);
    EXPECT_EQ(mismatchesWith(hbar, up, pic, s.ActiveUpButtonRect), 0);

    // A page-sized horizontal thumb keeps its left and right ends.
    hbar.setRange(0, 9, 5, 0);
    thumb = part(hbar, TbsSkinScrollBar::partThumb);
    ASSERT_EQ(thumb.width(), 82);
    EXPECT_EQ(mismatches(hbar, thumb,
                         [&](int x, int y) {
                             int sx = pieceSource(x - thumb.left, thumb.width(), s.ThumbOffset1, s.ThumbOffset2,
                                                  s.ThumbRect.width());
                             return pic.pixel(s.ThumbRect.left + sx, s.ThumbRect.top + y - thumb.top);
                         }),
              0);
}

TEST_F(SkinnedBar, KindSwitchSwapsTheAskedSizeAndTakesTheOtherSection)
{
    // Placed while still horizontal, as a form may do before it sets Kind.
    TbsSkinScrollBar bar(&form);
    bar.setSkinData(skin.get());
    bar.setBounds(300, 10, 19, 177);
    EXPECT_EQ(bar.height(), 16);
    bar.setKind(TScrollBarKind::Vertical);
    EXPECT_EQ(bar.SkinDataName(), "vscrollbar");
    EXPECT_EQ(bar.boundsRect(), (TRect{300, 10, 316, 187}));

    // A horizontal bar of the created size turns on its side.
    TbsSkinScrollBar fresh(&form);
    fresh.setSkinData(skin.get());
    fresh.setKind(TScrollBarKind::Vertical);
    EXPECT_EQ(fresh.width(), 16);
    EXPECT_EQ(fresh.height(), 200);
    fresh.setKind(TScrollBarKind::Horizontal);
    EXPECT_EQ(fresh.SkinDataName(), "hscrollbar");
    EXPECT_EQ(fresh.width(), 200);
    EXPECT_EQ(fresh.height(), 16);

    // Without a skin the default breadth of 19 goes with the kind.
    TbsSkinScrollBar plain(&form);
    plain.setBounds(330, 10, 19, 177);
    plain.setKind(TScrollBarKind::Vertical);
    EXPECT_EQ(plain.DefaultWidth(), 19);
    EXPECT_EQ(plain.DefaultHeight(), 0);
    EXPECT_EQ(plain.width(), 19);
    EXPECT_EQ(plain.height(), 177);
}

TEST_F(SkinnedBar, EmptyModelGivesTheDefaultLookAtTheDefaultBreadth)
{
    TbsSkinData empty;
    vbar.setSkinData(&empty);
    vbar.skinChanged();
    EXPECT_FALSE(vbar.skinned());
    EXPECT_EQ(vbar.width(), 19);
    EXPECT_EQ(part(vbar, TbsSkinScrollBar::partDown), (TRect{1, 1, 18, 17}));
    TRect thumb = part(vbar, TbsSkinScrollBar::partThumb);
    EXPECT_EQ(thumb, (TRect{1, 17, 18, 33}));
    EXPECT_EQ(pixel(vbar, 0, 100), colorToRGB(clBtnFace));
    EXPECT_EQ(pixel(vbar, thumb.left, thumb.top + 5), colorToRGB(clBtnShadow));

    vbar.setSkinData(skin.get());
    EXPECT_TRUE(vbar.skinned());
    EXPECT_EQ(vbar.width(), 16);
    // A section of another class keeps its name but draws nothing from the skin.
    vbar.setSkinDataName("grid");
    EXPECT_GE(vbar.sectionIndex(), 0);
    EXPECT_FALSE(vbar.skinned());
    EXPECT_EQ(pixel(vbar, 0, 100), colorToRGB(clBtnFace));
}

TEST_F(SkinnedBar, ReloadDropsTheSectionAndBindsTheNewOne)
{
    Relay relay;
    relay.bars = {&vbar, &hbar};
    vbar.setRange(0, 127, 0, 64);
    TRect thumb = part(vbar, TbsSkinScrollBar::partThumb);
    const TRect downThumb = section("vscrollbar").DownThumbRect;
    // The new skin shows the pressed picture for a hovered thumb.
    skin->loadFromArchive(archiveWith("activethumbrect=232,32,242,46", "activethumbrect=232,16,242,30"));
    EXPECT_FALSE(relay.boundDuringLoad);
    EXPECT_TRUE(vbar.skinned());
    EXPECT_EQ(section("vscrollbar").ActiveThumbRect, downThumb);
    sendMouseMove(vbar, centre(thumb).x, centre(thumb).y);
    EXPECT_EQ(mismatchesWith(vbar, thumb, picture("vscrollbar"), downThumb), 0);

    // A skin without the section: the plain bar at its default breadth.
    skin->loadFromArchive(archiveWith("14=vscrollbar:scrollbar", "14=vscrollbaX:scrollbar"));
    EXPECT_FALSE(vbar.skinned());
    EXPECT_EQ(vbar.width(), 19);
    EXPECT_EQ(pixel(vbar, 0, 100), colorToRGB(clBtnFace));
}

TEST_F(SkinnedBar, GlyphIsCentredOnTheThumbInItsState)
{
    auto& s = dynamic_cast<TbsDataSkinScrollBarControl&>(skin->skinControl(skin->FindSkinControl("vscrollbar")));
    // Any 6 x 4 piece of the picture serves as a glyph; the active one falls back to it.
    s.GlyphRect = TRect{202, 116, 208, 120};
    s.DownGlyphRect = TRect{202, 74, 208, 78};
    vbar.skinChanged();
    const TbsSkinPicture& pic = picture("vscrollbar");
    TRect thumb = part(vbar, TbsSkinScrollBar::partThumb);
    ASSERT_EQ(thumb, (TRect{3, 18, 13, 32}));
    TRect glyph{5, 23, 11, 27}; // (10 - 6) / 2 across, (14 - 4) / 2 along
    EXPECT_EQ(mismatchesWith(vbar, glyph, pic, s.GlyphRect), 0);
    EXPECT_EQ(pixel(vbar, 4, 19), pic.pixel(s.ThumbRect.left + 1, s.ThumbRect.top + 1));
    sendMouseMove(vbar, 8, 25);
    EXPECT_EQ(mismatchesWith(vbar, glyph, pic, s.GlyphRect), 0);
    EXPECT_EQ(pixel(vbar, 4, 19), pic.pixel(s.ActiveThumbRect.left + 1, s.ActiveThumbRect.top + 1));
    sendMouseDown(vbar, 8, 25);
    EXPECT_EQ(mismatchesWith(vbar, glyph, pic, s.DownGlyphRect), 0);
    sendMouseUp(vbar, 8, 25);
}

TEST_F(SkinnedBar, MaskedSectionShapesTheBarAtEitherEnd)
{
    skin->loadFromArchive(archiveWithMaskedBar());
    vbar.skinChanged();
    hbar.skinChanged();
    ASSERT_TRUE(vbar.skinned());
    // The cut pixels show the form behind the bar, at the top and at the moved bottom.
    for (int x : {0, 1}) {
        EXPECT_EQ(pixel(vbar, x, 0), clWhite) << x;
        EXPECT_EQ(pixel(vbar, x, vbar.height() - 1), clWhite) << x;
    }
    EXPECT_EQ(pixel(vbar, 2, 0), normalPixel(vbar, "vscrollbar", 2, 0));
    EXPECT_NE(normalPixel(vbar, "vscrollbar", 0, 0), clWhite);
    EXPECT_EQ(pixel(vbar, 0, 1), normalPixel(vbar, "vscrollbar", 0, 1));
    // Taller, the shape follows.
    vbar.setHeight(250);
    EXPECT_EQ(pixel(vbar, 0, 249), clWhite);
    EXPECT_EQ(pixel(vbar, 0, 248), normalPixel(vbar, "vscrollbar", 0, 248));
}

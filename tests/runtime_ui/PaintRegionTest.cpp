#include "UiTestApp.h"

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace qv;

namespace {

// Horizontal bands whose colour follows the row on a scrolled sheet, so that
// what a scroll moves on screen is exactly what a repaint would draw there.
class Sheet : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int offset = 0;
    std::vector<TRect> clips;
    bool clearedClipStaysInRegion = true;

    static TColor band(int row) { return static_cast<TColor>(((row * 37) & 0xFF) | (((row * 11) & 0xFF) << 8)); }
    void scroll(int rows)
    {
        offset += rows;
        scrollRect(0, -rows, clientRect());
    }

protected:
    void paint(Canvas& canvas) override
    {
        TRect region = canvas.clipBox();
        clips.push_back(region);
        canvas.intersectClipRect(rectOf(0, 0, 1, 1));
        canvas.clearClip();
        clearedClipStaysInRegion = clearedClipStaysInRegion && canvas.clipBox() == region;
        for (int y = 0; y < height(); ++y) {
            canvas.brush.color = band(y + offset);
            canvas.fillRect(rectOf(0, y, width(), y + 1));
        }
    }
};

struct SheetWindow : TForm {
    SheetWindow()
    {
        setClientSize(200, 150);
        sheet.setBounds(10, 10, 120, 100);
    }
    Sheet sheet{this};
};

class PaintRegion : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.showAndRaise();
        test::app().processMessages();
        ASSERT_FALSE(sheet.clips.empty());
        sheet.clips.clear();
    }

    // What the screen shows left of x against a full paint of the sheet as it is now.
    int wrongPixels(int right = 1000)
    {
        Bitmap shot = screenImage(sheet);
        Bitmap full(sheet.width(), sheet.height());
        sheet.paintTo(full.canvas());
        if (shot.width() != full.width() || shot.height() != full.height())
            return -1;
        int wrong = 0;
        for (int y = 0; y < full.height(); ++y)
            for (int x = 0; x < std::min(right, full.width()); ++x)
                wrong += shot.pixel(x, y) != full.pixel(x, y);
        return wrong;
    }

    TApplication& application = test::app();
    SheetWindow window;
    Sheet& sheet = window.sheet;
};

} // namespace

TEST_F(PaintRegion, PaintSeesOnlyTheInvalidatedPart)
{
    sheet.invalidateRect(rectOf(20, 30, 50, 45));
    test::app().processMessages();
    ASSERT_EQ(sheet.clips.size(), 1u);
    EXPECT_EQ(sheet.clips[0], rectOf(20, 30, 50, 45));
    EXPECT_TRUE(sheet.clearedClipStaysInRegion);

    sheet.clips.clear();
    sheet.invalidate();
    test::app().processMessages();
    ASSERT_EQ(sheet.clips.size(), 1u);
    EXPECT_EQ(sheet.clips[0], sheet.clientRect());
}

TEST_F(PaintRegion, ScrollMovesThePixelsAndPaintsOnlyWhatItUncovers)
{
    sheet.scroll(7);
    test::app().processMessages();
    ASSERT_EQ(sheet.clips.size(), 1u);
    EXPECT_EQ(sheet.clips[0], rectOf(0, 93, 120, 100));
    EXPECT_EQ(wrongPixels(), 0);

    sheet.clips.clear();
    sheet.scroll(-20);
    test::app().processMessages();
    ASSERT_EQ(sheet.clips.size(), 1u);
    EXPECT_EQ(sheet.clips[0], rectOf(0, 0, 120, 20));
    EXPECT_EQ(wrongPixels(), 0);
}

namespace {

class Cover : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void paint(Canvas& canvas) override
    {
        canvas.brush.color = clNavy;
        canvas.fillRect(clientRect());
    }
};

} // namespace

TEST_F(PaintRegion, ASiblingOverTheEdgeDoesNotStopTheScroll)
{
    // A bar laid over the sheet's right edge, as a grid's scroll bar is.
    Cover bar(&window);
    bar.setBounds(sheet.left() + 100, sheet.top(), 30, 100);
    test::app().processMessages();
    sheet.clips.clear();
    sheet.scroll(5);
    test::app().processMessages();
    ASSERT_EQ(sheet.clips.size(), 1u);
    EXPECT_EQ(sheet.clips[0], rectOf(0, 95, 100, 100));
    EXPECT_EQ(wrongPixels(100), 0);

    // Once the bar goes, what lay under it is painted as it is now.
    bar.hide();
    test::app().processMessages();
    EXPECT_EQ(wrongPixels(), 0);
}

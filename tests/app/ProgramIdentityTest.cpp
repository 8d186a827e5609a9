#include "AppTestSupport.h"

#include "app/about/AboutForm.h"
#include "app/main/ProgramIdentity.h"
#include "app/mark/ProgramIconImage.h"

namespace qv::test {

namespace {

// How many pixels of two pictures differ; a size mismatch counts every pixel.
int differingPixels(const Bitmap& a, const Bitmap& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return std::max(a.width() * a.height(), b.width() * b.height());
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}

} // namespace

TEST_F(MainWindowTest, BothWindowsShowTheProgramsIconAtEachOfItsSizes)
{
    applyProgramIdentity(app());
    TfrmMain& main = start();
    TfrmAbout about(&main.skinData);
    TApplication::guard([&] { about.doCreate(); });

    for (int side : windowIconSides) {
        Bitmap const drawn = programIconImage(side);
        EXPECT_EQ(differingPixels(main.icon(side), drawn), 0) << "main window, " << side;
        EXPECT_EQ(differingPixels(about.icon(side), drawn), 0) << "About window, " << side;
    }
    // Sizes nobody drew are left to the window system to scale.
    EXPECT_TRUE(main.icon(20).isEmpty());
}

} // namespace qv::test

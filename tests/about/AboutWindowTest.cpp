#include "app/about/AboutForm.h"
#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Input.h"
#include "skin/store/CompressedStoredSkin.h"

#include "skin/quorvane/QuorvaneSkin.h"
#include "support/OwnSkin.h"

#include <gtest/gtest.h>

namespace qv {

namespace {

TApplication& app()
{
    static int argc = 1;
    static char arg0[] = "/tmp/quorvane-about-test/quorvane";
    static char* argv[] = {arg0, nullptr};
    static TApplication* application = new TApplication(argc, argv);
    return *application;
}

// The main window's model, loaded as start-up loads it.
TbsSkinData& mainSkin() { return qv::test::ownSkin(); }

class AboutWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        app();
        about = std::make_unique<TfrmAbout>(&mainSkin());
        about->showAndRaise();
        app().processMessages();
    }
    void TearDown() override
    {
        about.reset();
        app().processMessages();
    }
    std::unique_ptr<TfrmAbout> about;
};

} // namespace

TEST_F(AboutWindow, SitsOnTheSkinnedFrameOfTheMainWindowsModel)
{
    TbsSkinForm& frame = about->skinAboutForm;
    EXPECT_TRUE(frame.skinSupport());
    EXPECT_EQ(frame.SkinData(), &mainSkin());
    EXPECT_EQ(about->clientWidth(), 316);
    EXPECT_EQ(about->clientHeight(), 155);
    EXPECT_EQ(about->width(), 316 + 14);
    EXPECT_EQ(about->height(), 155 + 37);
    EXPECT_EQ(about->screenPosition(), (TPoint{268, 262}));
    for (TbsStdCommand command : {cmSysMenu, cmMinimize, cmMaximize, cmRollUp, cmClose}) {
        ASSERT_NE(frame.findButton(command), nullptr);
        EXPECT_TRUE(frame.findButton(command)->enabled()) << command;
    }
    EXPECT_TRUE(about->hasWindowRegion());
}

TEST_F(AboutWindow, EveryLabelIsBoundAndTheLinkShowsTheAddressItOpens)
{
    for (TbsSkinStdLabel* label : {&about->lblName, &about->bsSkinStdLabel1, &about->bsSkinStdLabel2,
             &about->bsSkinStdLabel3, static_cast<TbsSkinStdLabel*>(&about->lblLinkUrl)}) {
        EXPECT_EQ(label->SkinData(), &mainSkin());
        EXPECT_GE(label->sectionIndex(), 0) << label->Caption();
    }
    EXPECT_EQ(about->lblLinkUrl.Caption(), about->lblLinkUrl.URL());
    EXPECT_EQ(about->lblLinkUrl.URL(), "https://quorvane.com/");
    EXPECT_EQ(about->lblLinkUrl.boundsRect(), (TRect{120, 64, 120 + 118, 64 + 16}));
}

TEST_F(AboutWindow, TheWholeAddressFitsTheLinkLabel)
{
    // Arial 14 pixels underlined, the link label's font, in the label's 118 pixels.
    Bitmap probe(1, 1);
    Font font;
    font.name = "Arial";
    font.cellHeight = 14;
    font.style = fsUnderline;
    probe.canvas().font = font;
    EXPECT_LE(probe.canvas().textWidth(about->lblLinkUrl.URL()), about->lblLinkUrl.width());
}

TEST_F(AboutWindow, OkAndTheCloseButtonHideTheSameWindow)
{
    sendClick(about->btnOk, 10, 10);
    app().processMessages();
    EXPECT_FALSE(about->showing());
    about->showAndRaise();
    app().processMessages();
    EXPECT_TRUE(about->showing());
    EXPECT_EQ(about->lblName.Caption(), "Quorvane");
    TRect const close = about->skinAboutForm.findButton(cmClose)->objectRect();
    EXPECT_EQ(close.left, about->width() - 39);
    sendClick(*about, close.left + 7, close.top + 7);
    app().processMessages();
    EXPECT_FALSE(about->showing());
}

} // namespace qv

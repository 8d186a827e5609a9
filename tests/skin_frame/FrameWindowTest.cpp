#include "FrameTestSupport.h"

#include "skin/controls/SkinButton.h"
#include "skin/popupmenu/SkinMenu.h"

#include <vector>

namespace qv::frametest {

namespace {

using Commands = FramedWindow;

class PlainFrame : public FramedWindow {
protected:
    TbsSkinData* skinModel() override { return &m_empty; }
    TbsSkinData m_empty;
};

std::vector<std::string> itemNames(const TMenuItem& menu)
{
    std::vector<std::string> names;
    for (int i = 0; i < menu.count(); ++i)
        names.push_back(menu.item(i).name());
    return names;
}

} // namespace

TEST_F(Commands, RollUpLeavesTheFrameAndRollsBackToTheHeightItHad)
{
    resizeTo(400, 311);
    click(centreOf(cmRollUp).x, centreOf(cmRollUp).y);
    EXPECT_TRUE(frame->rollUpState());
    EXPECT_EQ(form->height(), 37);
    EXPECT_EQ(form->width(), 400);
    click(centreOf(cmRollUp).x, centreOf(cmRollUp).y);
    EXPECT_FALSE(frame->rollUpState());
    EXPECT_EQ(form->height(), 311);
}

TEST_F(Commands, MaximizeTakesTheWorkAreaAndRestoreTheBoundsBefore)
{
    TRect const before = form->windowBounds();
    click(centreOf(cmMaximize).x, centreOf(cmMaximize).y);
    ASSERT_EQ(frame->windowState(), TbsWindowState::Maximized);
    TRect area = form->workArea();
    // Nothing is reserved on the off-screen monitor: a pixel stays free on each side.
    if (area == form->monitorBounds())
        area = TRect{area.left + 1, area.top + 1, area.right - 1, area.bottom - 1};
    EXPECT_EQ(form->windowBounds(), area);
    EXPECT_EQ(rectOf(cmClose).left, area.width() - 39);
    click(centreOf(cmMaximize).x, centreOf(cmMaximize).y);
    EXPECT_EQ(frame->windowState(), TbsWindowState::Normal);
    EXPECT_EQ(form->windowBounds(), before);
}

TEST_F(Commands, DoubleClickOnTheCaptionMaximizesRestoresOrRollsUp)
{
    TManualTimerClock clock;
    TRect const before = form->windowBounds();
    click(150, 14);
    clock.advance(1000);
    click(150, 14);
    EXPECT_EQ(frame->windowState(), TbsWindowState::Normal) << "two clicks a second apart are no double click";
    click(150, 14);
    EXPECT_EQ(frame->windowState(), TbsWindowState::Maximized);
    clock.advance(1000);
    click(150, 14);
    click(150, 14);
    EXPECT_EQ(frame->windowState(), TbsWindowState::Normal);
    EXPECT_EQ(form->windowBounds(), before);
    frame->setBorderIcons(biSystemMenu | biMinimize | biRollUp);
    clock.advance(1000);
    click(150, 14);
    click(150, 14);
    EXPECT_EQ(frame->windowState(), TbsWindowState::Normal);
    EXPECT_TRUE(frame->rollUpState());
    EXPECT_EQ(form->height(), 37);
}

TEST_F(Commands, MinimizedSecondaryWindowsLineUpAtTheBottomLeft)
{
    TForm other;
    TbsSkinForm otherFrame(other);
    otherFrame.setSkinData(&ownSkin());
    other.setWindowBounds(TRect{100, 100, 500, 400});
    other.showAndRaise();
    app().processMessages();
    TRect const area = form->workArea();
    click(centreOf(cmMinimize).x, centreOf(cmMinimize).y);
    ASSERT_EQ(frame->windowState(), TbsWindowState::Minimized);
    EXPECT_EQ(form->windowBounds(), (TRect{area.left, area.bottom - 37, area.left + 205, area.bottom}));
    otherFrame.minimize();
    EXPECT_EQ(other.windowBounds(), (TRect{area.left + 205, area.bottom - 37, area.left + 410, area.bottom}));
    // The minimize button now restores.
    click(centreOf(cmMinimize).x, centreOf(cmMinimize).y);
    EXPECT_EQ(frame->windowState(), TbsWindowState::Normal);
    EXPECT_EQ(form->windowBounds(), (TRect{40, 50, 440, 350}));
}

TEST_F(Commands, CloseRunsOnReleaseOverTheButtonOnly)
{
    TPoint const c = centreOf(cmClose);
    sendMouseDown(*form, c.x, c.y);
    // Dragged off before the release: nothing happens.
    sendMouseMove(*form, 150, 150);
    sendMouseUp(*form, 150, 150);
    app().processMessages();
    EXPECT_TRUE(form->showing());
    sendMouseMove(*form, c.x, c.y);
    click(c.x, c.y);
    EXPECT_FALSE(form->showing());
}

TEST_F(Commands, ButtonsOfMissingBorderIconsCannotRun)
{
    frame->setBorderIcons(biSystemMenu);
    app().processMessages();
    for (TbsStdCommand command : {cmMaximize, cmMinimize, cmRollUp}) {
        ASSERT_NE(frame->findButton(command), nullptr);
        EXPECT_FALSE(frame->findButton(command)->enabled());
        EXPECT_FALSE(frame->findButton(command)->visible());
    }
    EXPECT_TRUE(frame->findButton(cmClose)->enabled());
    frame->maximize();
    frame->rollUp();
    EXPECT_EQ(frame->windowState(), TbsWindowState::Normal);
    EXPECT_FALSE(frame->rollUpState());
    EXPECT_EQ(itemNames(frame->buildSystemMenu()), (std::vector<std::string>{"BSF_CLOSE"}));
}

TEST_F(Commands, SystemMenuFollowsTheWindowStateAndOpensBelowItsButton)
{
    EXPECT_EQ(itemNames(frame->buildSystemMenu()),
        (std::vector<std::string>{"BSF_MINITEM", "BSF_MAXITEM", "BSF_ROLLUP", "BSF_SEP", "BSF_CLOSE"}));
    frame->maximize();
    EXPECT_EQ(itemNames(frame->buildSystemMenu()),
        (std::vector<std::string>{"BSF_MINITEM", "BSF_RESTORE", "BSF_ROLLUP", "BSF_SEP", "BSF_CLOSE"}));
    frame->restore();
    frame->rollUp();
    TMenuItem& menu = frame->buildSystemMenu();
    EXPECT_EQ(itemNames(menu), (std::vector<std::string>{"BSF_MINITEM", "BSF_MAXITEM", "BSF_RESTORE", "BSF_SEP", "BSF_CLOSE"}));
    EXPECT_EQ(menu.find("BSF_RESTORE")->caption(), "&Restore");
    EXPECT_EQ(menu.find("BSF_CLOSE")->shortCut(), "Alt+F4");
    menu.find("BSF_RESTORE")->click();
    EXPECT_FALSE(frame->rollUpState());
    EXPECT_EQ(form->height(), 300);

    TPoint const sys = centreOf(cmSysMenu);
    sendMouseDown(*form, sys.x, sys.y);
    app().processMessages();
    ASSERT_TRUE(frame->menuEngine().visible());
    TRect const button = frame->screenRectOf(rectOf(cmSysMenu));
    EXPECT_EQ(frame->menuEngine().level(0).top(), button.bottom);
    EXPECT_EQ(frame->menuEngine().level(0).left(), button.left);
    // A press in the window closes it, on the frame or on a control.
    sendMouseDown(*form, 150, 150);
    sendMouseUp(*form, 150, 150);
    app().processMessages();
    EXPECT_FALSE(frame->menuEngine().visible());
    TbsSkinButton control(form.get());
    control.setBounds(10, 10, 75, 25);
    frame->showSystemMenu(TRect{100, 100, 100, 100});
    ASSERT_TRUE(frame->menuEngine().visible());
    sendMouseDown(control, 5, 5);
    sendMouseUp(control, 5, 5);
    app().processMessages();
    EXPECT_FALSE(frame->menuEngine().visible());
}

TEST_F(Commands, HoverMorphsInFiveStepsAndFadesBackTheSameWay)
{
    TManualTimerClock clock;
    TbsSkinStdButtonObject* close = frame->findButton(cmClose);
    ASSERT_NE(close, nullptr);
    ASSERT_TRUE(close->morphing());
    TPoint const c = centreOf(cmClose);
    sendMouseMove(*form, c.x, c.y);
    EXPECT_TRUE(close->active());
    EXPECT_EQ(close->morphFactor(), 0);
    for (double expected : {0.2, 0.4, 0.6, 0.8, 1.0}) {
        clock.advance(20);
        EXPECT_DOUBLE_EQ(close->morphFactor(), expected);
    }
    clock.advance(20);
    EXPECT_FALSE(frame->morphAnimator().running());
    sendMouseMove(*form, 150, 150);
    EXPECT_FALSE(close->active());
    for (double expected : {0.8, 0.6, 0.4, 0.2, 0.0}) {
        clock.advance(20);
        EXPECT_NEAR(close->morphFactor(), expected, 1e-12);
    }
    EXPECT_EQ(close->morphFactor(), 0.0);
    clock.advance(20);
    EXPECT_FALSE(frame->morphAnimator().running());
    // Pressing a button that is still fading in shows it fully at once.
    sendMouseMove(*form, c.x, c.y);
    clock.advance(20);
    ASSERT_LT(close->morphFactor(), 1.0);
    sendMouseDown(*form, c.x, c.y);
    EXPECT_EQ(close->morphFactor(), 1.0);
    EXPECT_TRUE(close->down());
    sendMouseUp(*form, 150, 150);
    EXPECT_FALSE(close->down());
    EXPECT_TRUE(form->showing());
}

TEST_F(Commands, CursorPollFindsTheButtonUnderThePointer)
{
    TManualTimerClock clock;
    TbsSkinStdButtonObject* max = frame->findButton(cmMaximize);
    TPoint const m = centreOf(cmMaximize);
    sendMouseMove(*form, m.x, m.y);
    ASSERT_TRUE(max->active());
    // A skin change forgets the states; the pointer has not moved since.
    frame->setSkinData(&ownSkin());
    max = frame->findButton(cmMaximize);
    EXPECT_FALSE(max->active());
    clock.advance(49);
    EXPECT_FALSE(max->active());
    clock.advance(1);
    EXPECT_TRUE(max->active());
}

TEST_F(Commands, MagneticSnapsWithinItsDistanceOnly)
{
    frame->setMagnetic(true);
    TRect const area = form->workArea();
    TRect const near{area.left + 4, area.top + 40, area.left + 404, area.top + 340};
    EXPECT_EQ(frame->snapped(near).left, area.left);
    TRect const off{area.left + 5, area.top + 40, area.left + 405, area.top + 340};
    EXPECT_EQ(frame->snapped(off).left, area.left + 5);
    TRect const corner{area.right - 403, area.bottom - 302, area.right - 3, area.bottom - 2};
    EXPECT_EQ(frame->snapped(corner), (TRect{area.right - 400, area.bottom - 300, area.right, area.bottom}));
}

TEST_F(Commands, DraggingTheCaptionMovesAndABorderResizesWithoutAWindowManager)
{
    TRect const start = form->windowBounds();
    // Mouse points are the window's own; it moves under them.
    sendMouseDown(*form, 150, 14);
    sendMouseMove(*form, 150 + 30, 14 + 20);
    sendMouseUp(*form, 150 + 30, 14 + 20);
    app().processMessages();
    EXPECT_EQ(form->windowBounds(), (TRect{start.left + 30, start.top + 20, start.right + 30, start.bottom + 20}));
    TRect const moved = form->windowBounds();
    sendMouseDown(*form, 399, 150);
    sendMouseMove(*form, 399 + 25, 150);
    sendMouseUp(*form, 399 + 25, 150);
    app().processMessages();
    EXPECT_EQ(form->windowBounds(), (TRect{moved.left, moved.top, moved.right + 25, moved.bottom}));
    EXPECT_EQ(rectOf(cmClose).left, 425 - 39);
    // The top-left corner, past the minimum size: the opposite edges stay.
    sendMouseDown(*form, 1, 1);
    sendMouseMove(*form, 1 + 1000, 1 + 1000);
    sendMouseUp(*form, 1 + 1000, 1 + 1000);
    app().processMessages();
    EXPECT_EQ(form->windowBounds(), (TRect{moved.right + 25 - 205, moved.bottom - 37, moved.right + 25, moved.bottom}));
}

TEST_F(Commands, MaximizedWindowDoesNotMove)
{
    frame->maximize();
    TRect const at = form->windowBounds();
    sendMouseDown(*form, 150, 14);
    sendMouseMove(*form, 180, 40);
    sendMouseUp(*form, 180, 40);
    app().processMessages();
    EXPECT_EQ(form->windowBounds(), at);
}

namespace {

class CountingButton : public TbsSkinButton {
public:
    using TbsSkinButton::TbsSkinButton;
    void skinChangeBegins() override
    {
        ++begins;
        forgotten = true;
        TbsSkinButton::skinChangeBegins();
    }
    void skinChanged() override
    {
        if (forgotten)
            indexWhenRebound = sectionIndex();
        TbsSkinButton::skinChanged();
    }
    int begins = 0;
    bool forgotten = false;
    int indexWhenRebound = -2;
};

} // namespace

TEST(FrameNotices, SkinLoadIsRelayedToTheFormsSkinnedControls)
{
    app();
    TbsCompressedStoredSkin store;
    store.FileName = "SKIN.INI";
    store.setCompressedData(std::string(quorvaneCompressedSkin()));
    TbsSkinData model;
    TForm form;
    TbsSkinForm frame(form);
    CountingButton button(&form);
    button.setSkinData(&model);
    frame.setSkinData(&model);
    EXPECT_FALSE(frame.skinSupport());
    EXPECT_EQ(form.clientOrigin(), (TPoint{3, 22}));
    model.setCompressedStoredSkin(&store);
    EXPECT_TRUE(frame.skinSupport());
    EXPECT_EQ(button.begins, 1);
    EXPECT_EQ(button.indexWhenRebound, -1) << "the section is forgotten before the rebinding";
    EXPECT_GE(button.sectionIndex(), 0);
    EXPECT_EQ(form.clientOrigin(), (TPoint{7, 30}));
    EXPECT_GT(frame.objectCount(), 0);
}

TEST_F(PlainFrame, WithoutASkinThePlainFrameIsFullyUsable)
{
    EXPECT_FALSE(frame->skinSupport());
    EXPECT_EQ(form->clientOrigin(), (TPoint{3, 22}));
    EXPECT_EQ(form->clientWidth(), 400 - 6);
    EXPECT_EQ(form->clientHeight(), 300 - 25);
    EXPECT_FALSE(form->hasWindowRegion());
    EXPECT_EQ(frame->hitTest(TPoint{1, 150}), THitCode::Left);
    EXPECT_EQ(frame->hitTest(TPoint{1, 1}), THitCode::TopLeft);
    EXPECT_EQ(frame->hitTest(TPoint{200, 298}), THitCode::Bottom);
    EXPECT_EQ(frame->hitTest(TPoint{150, 10}), THitCode::Caption);
    EXPECT_EQ(frame->hitTest(TPoint{150, 150}), THitCode::Client);
    EXPECT_EQ(frame->hitTest(TPoint{400 - 10, 10}), THitCode::Object) << "the close button";
    EXPECT_EQ(frame->minimumWidth(), 120);
    EXPECT_EQ(frame->minimumHeight(), 25);
    // Roll-up is the fourth button from the right, maximize the second.
    click(400 - 3 - 17 * 3 - 8, 12);
    EXPECT_TRUE(frame->rollUpState());
    EXPECT_EQ(form->height(), 25);
    click(400 - 3 - 17 * 3 - 8, 12);
    click(400 - 3 - 17 - 8, 12);
    EXPECT_EQ(frame->windowState(), TbsWindowState::Maximized);
    click(form->width() - 3 - 8, 12);
    EXPECT_FALSE(form->showing());
}

} // namespace qv::frametest

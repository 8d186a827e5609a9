#pragma once

#include "runtime/ui/Application.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/Timer.h"
#include "skin/frame/SkinForm.h"
#include "skin/model/SkinData.h"
#include "skin/store/CompressedStoredSkin.h"

#include "skin/quorvane/QuorvaneSkin.h"
#include "support/OwnSkin.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace qv::frametest {

inline TApplication& app()
{
    static int argc = 1;
    static char arg0[] = "/tmp/quorvane-frame-test/quorvane";
    static char* argv[] = {arg0, nullptr};
    static TApplication* application = new TApplication(argc, argv);
    return *application;
}

using qv::test::ownSkin;

// A secondary window on its skinned frame, shown, W x H at (40, 50).
class FramedWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        app();
        form = std::make_unique<TForm>();
        form->setCaption("Frame test");
        frame = std::make_unique<TbsSkinForm>(*form);
        frame->setSkinData(skinModel());
        form->setWindowBounds(TRect{40, 50, 40 + 400, 50 + 300});
        form->showAndRaise();
        app().processMessages();
    }
    void TearDown() override
    {
        frame.reset();
        form.reset();
        app().processMessages();
    }
    virtual TbsSkinData* skinModel() { return &ownSkin(); }

    void resizeTo(int w, int h)
    {
        TRect b = form->windowBounds();
        form->setWindowBounds(TRect{b.left, b.top, b.left + w, b.top + h});
        app().processMessages();
    }
    void click(int x, int y)
    {
        sendMouseDown(*form, x, y);
        sendMouseUp(*form, x, y);
        app().processMessages();
    }
    TRect rectOf(TbsStdCommand command) const
    {
        TbsSkinStdButtonObject* b = frame->findButton(command);
        EXPECT_NE(b, nullptr);
        return b ? b->objectRect() : TRect{};
    }
    TPoint centreOf(TbsStdCommand command) const
    {
        TRect r = rectOf(command);
        return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    std::unique_ptr<TForm> form;
    std::unique_ptr<TbsSkinForm> frame;
};

} // namespace qv::frametest

#pragma once

#include "runtime/ui/Application.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/Timer.h"
#include "skin/model/SkinData.h"
#include "skin/store/CompressedStoredSkin.h"

#include "skin/quorvane/QuorvaneSkin.h"
#include "support/OwnSkin.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace qv::looktest {

inline TApplication& app()
{
    static int argc = 1;
    static char arg0[] = "/tmp/quorvane-skin-look-test/quorvane";
    static char* argv[] = {arg0, nullptr};
    static TApplication* application = new TApplication(argc, argv);
    return *application;
}

using qv::test::ownSkin;

template <class T> const T& section(const std::string& name)
{
    int i = ownSkin().FindSkinControl(name);
    EXPECT_GE(i, 0) << name;
    return dynamic_cast<const T&>(ownSkin().skinControl(i));
}

inline const TbsSkinPicture& picture(int index)
{
    const TbsSkinPicture* p = ownSkin().activePicture(index);
    EXPECT_NE(p, nullptr) << index;
    static TbsSkinPicture none;
    return p ? *p : none;
}

class SkinLook : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.setColor(clWhite);
        form.setClientSize(400, 300);
        form.showAndRaise();
        app().processMessages();
    }
    TColor pixel(TControl& c, int x, int y)
    {
        app().processMessages();
        return screenPixel(c, x, y);
    }
    // Moves the test's clock on and runs the message loop until done(), for at most ten
    // seconds of that clock: far past any fade, and no wait on the wall clock.
    bool waitFor(const std::function<bool()>& done)
    {
        constexpr int step = 10;
        for (int passed = 0; !done() && passed < 10000; passed += step) {
            clock.advance(step);
            app().processMessages();
        }
        return done();
    }
    bool m_appReady = (app(), true);
    // Every timer of a look test (fades, repeats, hover) runs on this clock.
    TManualTimerClock clock;
    TForm form;
};

} // namespace qv::looktest

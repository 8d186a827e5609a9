#pragma once

#include "runtime/ui/Application.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Input.h"
#include "skin/model/SkinData.h"
#include "skin/store/CompressedStoredSkin.h"

#include "skin/quorvane/QuorvaneSkin.h"
#include "support/OwnSkin.h"

#include <gtest/gtest.h>

#include <chrono>
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

// Runs the message loop until done() or a second has passed.
inline bool waitFor(const std::function<bool()>& done)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (!done() && std::chrono::steady_clock::now() < until)
        app().processMessages();
    return done();
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
    bool m_appReady = (app(), true);
    TForm form;
};

} // namespace qv::looktest

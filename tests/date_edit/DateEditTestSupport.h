#pragma once

#include "controls/SkinDateEdit.h"
#include "runtime/core/RegionalSettings.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Dialogs.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Input.h"
#include "skin/model/SkinData.h"
#include "skin/store/CompressedStoredSkin.h"
#include "support/RecordedBoxes.h"
#include "support/RegionalPresets.h"
#include "support/ScratchDir.h"

#include "skin/quorvane/QuorvaneSkin.h"
#include "support/OwnSkin.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qv::test {

inline TApplication& app()
{
    static int argc = 1;
    static ScratchDir exeFolder("quorvane-date-edit-test");
    static std::string program = exeFolder.file("quorvane");
    static char* argv[] = {program.data(), nullptr};
    // Never destroyed: Qt cannot be torn down during static destruction.
    static TApplication* application = new TApplication(argc, argv, recordingBoxes());
    return *application;
}

using qv::test::ownSkin;

// A window with the date field and a second edit to take the focus away. The
// field is made under the regional settings given, as a window is loaded.
struct DateWindow : TForm {
    explicit DateWindow(const RegionalSettings& settings) : regional(settings)
    {
        setClientSize(400, 300);
        field = std::make_unique<TbsSkinDateEdit>(this);
        field->setSkinData(&ownSkin());
        field->setBounds(20, 20, 81, 18);
        field->setTabOrder(0);
        other.setBounds(200, 20, 80, 20);
        other.setTabOrder(1);
        field->onDateChange = [this] { ++dateChanges; };
        field->loaded();
    }
    ~DateWindow() override
    {
        field->popupCalendar().closeUp();
        field.reset();
    }

    ScopedRegionalSettings regional;
    std::unique_ptr<TbsSkinDateEdit> field;
    TCustomEdit other{this};
    int dateChanges = 0;
};

class DateEditFixture : public ::testing::Test {
protected:
    void show(DateWindow& w)
    {
        w.showAndRaise();
        app().processMessages();
        w.field->setFocus();
        app().processMessages();
    }
    // Selects the whole text, as the focus does, and types.
    void retype(TbsSkinDateEdit& field, const std::string& chars)
    {
        field.setFocus();
        field.selectAll();
        sendChars(field, chars);
    }
    TPoint centre(const TRect& r) { return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    void clickButton(TbsSkinDateEdit& field)
    {
        TPoint p = centre(field.buttonRect());
        sendMouseMove(field, p.x, p.y);
        sendClick(field, p.x, p.y);
        app().processMessages();
    }

    bool m_appReady = (app(), true);
    // Every message box of the test, answered at once.
    std::vector<MessageBoxCall>& boxes = clearedBoxes();
};

} // namespace qv::test

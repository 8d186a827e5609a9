#include "UiTestApp.h"

#include "runtime/ui/AppHook.h"
#include "runtime/ui/CustomEdit.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/PopupWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace qv;

namespace {

struct HookWindow : TForm {
    HookWindow()
    {
        setClientSize(200, 100);
        edit.setBounds(10, 10, 100, 20);
    }
    TCustomEdit edit{this};
};

} // namespace

TEST(ApplicationHook, SeesInputBeforeTheControlsAndNewestFirst)
{
    test::app();
    HookWindow w;
    w.showAndRaise();
    w.edit.setFocus();
    std::vector<int> typed;
    w.edit.onKeyDown = [&](int& k, unsigned) { typed.push_back(k); };
    std::vector<std::string> order;
    TApplicationHook older([&](const TAppMessage& m) {
        if (m.kind == TAppMessage::Kind::KeyDown)
            order.push_back("older");
        return m.kind == TAppMessage::Kind::KeyDown && m.key == 'A';
    });
    auto newer = std::make_unique<TApplicationHook>([&](const TAppMessage& m) {
        if (m.kind != TAppMessage::Kind::KeyDown)
            return false;
        order.push_back("newer");
        EXPECT_EQ(m.control, &w.edit); // the control, not the native widget inside it
        return m.key == 'B';
    });
    sendKeyStroke(w.edit, 'B'); // the newest takes it: the older hook and the edit never see it
    EXPECT_EQ(order, (std::vector<std::string>{"newer"}));
    sendKeyStroke(w.edit, 'A');
    sendKeyStroke(w.edit, 'C');
    EXPECT_EQ(typed, (std::vector<int>{'C'}));
    newer.reset();
    order.clear();
    sendKeyStroke(w.edit, 'B');
    EXPECT_EQ(order.front(), "older");
    EXPECT_EQ(typed, (std::vector<int>{'C', 'B'}));
}

TEST(ApplicationHook, AHandlerMayRemoveItsOwnHookAndPressesCarryTheirScreenPoint)
{
    test::app();
    HookWindow w;
    w.showAndRaise();
    std::unique_ptr<TApplicationHook> once;
    std::vector<TPoint> presses;
    once = std::make_unique<TApplicationHook>([&](const TAppMessage& m) {
        if (m.kind != TAppMessage::Kind::MouseDown)
            return false;
        presses.push_back(m.screenPoint);
        once.reset();
        return true;
    });
    sendMouseDown(w.edit, 4, 5);
    sendMouseDown(w.edit, 4, 5);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0], w.edit.clientToScreen(TPoint{4, 5}));
    EXPECT_EQ(windowAtScreen(w.edit.clientToScreen(TPoint{4, 5})), &w);
}

TEST(ApplicationHook, PassivePopupLeavesTheKeyboardWithTheActiveWindow)
{
    test::app();
    HookWindow w;
    w.showAndRaise();
    w.edit.setFocus();
    TPopupWindow popup(PopupInput::Passive);
    popup.popup(TRect{300, 300, 360, 340});
    test::app().processMessages();
    EXPECT_TRUE(popup.isOpen());
    EXPECT_TRUE(w.edit.focused());
    // Nothing closes it but its owner.
    sendMouseDown(w.edit, 4, 5);
    EXPECT_TRUE(popup.isOpen());
    EXPECT_EQ(windowAtScreen(TPoint{310, 310}), &popup);
    popup.closePopup();
    EXPECT_FALSE(popup.isOpen());
}

#pragma once

#include "skin/popupmenu/SkinFormMenus.h"

#include <functional>

namespace qv {

class TForm;

// The skinned popup menu of an Extra Payment cell: "Repeat to the End of the Loan",
// "Clear Extra Payments from Here" and "Clear All Extra Payments". It only shows the
// menu and reports the choice; the schedule runs the commands.
class ExtraPaymentMenu {
public:
    enum class Command { RepeatToEnd, ClearFromHere, ClearAll };

    explicit ExtraPaymentMenu(std::function<void(Command)> run);
    ~ExtraPaymentMenu();
    ExtraPaymentMenu(const ExtraPaymentMenu&) = delete;
    ExtraPaymentMenu& operator=(const ExtraPaymentMenu&) = delete;

    // Shown by the menu engine of the form's frame at a screen point.
    void popup(TForm* form, TPoint screenPoint);
    // The engine that shows it, while there is a frame to show it (tests, scripted runs).
    TbsSkinMenu* engine() const;
    TMenuItem& items() { return m_menu.items(); }

private:
    TbsSkinPopupMenu m_menu;
};

} // namespace qv

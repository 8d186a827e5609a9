#include "app/schedule/ExtraPaymentMenu.h"

namespace qv {

ExtraPaymentMenu::ExtraPaymentMenu(std::function<void(Command)> run)
{
    struct Entry {
        const char* name;
        const char* caption;
        Command command;
    };
    for (Entry const& e : {Entry{"mnuRepeatExtra", "Repeat to the End of the Loan", Command::RepeatToEnd},
                           Entry{"mnuClearExtraFromHere", "Clear Extra Payments from Here", Command::ClearFromHere},
                           Entry{"mnuClearAllExtra", "Clear All Extra Payments", Command::ClearAll}}) {
        Command const command = e.command;
        m_menu.items().add(e.name, e.caption).onClick = [run, command] { run(command); };
    }
}

ExtraPaymentMenu::~ExtraPaymentMenu()
{
    // Open levels must not outlive the items they show.
    TbsSkinMenu* shown = engine();
    if (shown && shown->visible() && &shown->level(0).root() == &m_menu.items())
        shown->closeAll();
}

TbsSkinMenu* ExtraPaymentMenu::engine() const
{
    TbsSkinFormMenus* frame = TbsSkinFormMenus::of(m_menu.componentForm());
    return frame ? &frame->engine() : nullptr;
}

void ExtraPaymentMenu::popup(TForm* form, TPoint p)
{
    m_menu.setComponentForm(form);
    m_menu.popup(p.x, p.y);
}

} // namespace qv

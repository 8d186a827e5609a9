#include "runtime/ui/Actions.h"

#include "runtime/core/Property.h"
#include "runtime/ui/Control.h"

namespace qv {

namespace {

constexpr unsigned modifierBits = ssShift | ssAlt | ssCtrl;

std::string keyName(int key)
{
    switch (key) {
    case VK_PRIOR: return "PgUp";
    case VK_NEXT: return "PgDn";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_DELETE: return "Del";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_BACK: return "BkSp";
    case VK_TAB: return "Tab";
    default: break;
    }
    if (key >= VK_F1 && key < VK_F1 + 24)
        return "F" + std::to_string(key - VK_F1 + 1);
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    return "";
}

} // namespace

std::string shortCutText(TShortCut shortCut)
{
    if (shortCut.empty())
        return "";
    std::string text;
    if (shortCut.shift & ssShift)
        text += "Shift+";
    if (shortCut.shift & ssCtrl)
        text += "Ctrl+";
    if (shortCut.shift & ssAlt)
        text += "Alt+";
    return text + keyName(shortCut.key);
}

TAction::TAction(std::string name, std::string caption, std::string hint, TShortCut shortCut)
    : m_name(std::move(name))
    , m_caption(std::move(caption))
    , m_hint(std::move(hint))
    , m_shortCut(shortCut)
{
}

void TAction::setEnabled(bool enabled)
{
    if (!assignChanged(m_enabled, enabled))
        return;
    for (auto& client : m_clients)
        client();
}

bool TAction::execute()
{
    if (!m_enabled || !onExecute)
        return false;
    onExecute();
    return true;
}

TAction* TActionList::find(const std::string& name) const
{
    for (TAction* action : m_actions)
        if (action->name() == name)
            return action;
    return nullptr;
}

bool TActionList::isShortCut(int key, unsigned shift)
{
    TShortCut const pressed {key, shift & modifierBits};
    for (TAction* action : m_actions) {
        if (!action->shortCut().empty() && action->shortCut() == pressed)
            return action->execute();
    }
    return false;
}

} // namespace qv

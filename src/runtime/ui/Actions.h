#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qv {

// A key with its shift state (ssCtrl, ssShift, ssAlt) that runs a command; key 0 is none.
struct TShortCut {
    int key = 0;
    unsigned shift = 0;
    bool empty() const { return key == 0; }
    bool operator==(const TShortCut&) const = default;
};

// The text menus show for a shortcut: "Ctrl+O", "Ctrl+PgUp", "Ctrl+Home".
std::string shortCutText(TShortCut shortCut);

// A command shared by menu items, tool buttons and keys: caption, hint, shortcut and
// the enabled state that all of them follow.
class TAction {
public:
    TAction(std::string name, std::string caption, std::string hint, TShortCut shortCut = {});
    TAction(const TAction&) = delete;
    TAction& operator=(const TAction&) = delete;

    const std::string& name() const { return m_name; }
    const std::string& caption() const { return m_caption; }
    const std::string& hint() const { return m_hint; }
    TShortCut shortCut() const { return m_shortCut; }
    bool enabled() const { return m_enabled; }
    // Tells every client (tool button, menu item) when the state changes.
    void setEnabled(bool enabled);

    // Runs OnExecute when enabled; false when disabled or without a handler.
    bool execute();
    std::function<void()> onExecute;

    // Called whenever the enabled state changes.
    void addClient(std::function<void()> changed) { m_clients.push_back(std::move(changed)); }

private:
    std::string m_name;
    std::string m_caption;
    std::string m_hint;
    TShortCut m_shortCut;
    bool m_enabled = true;
    std::vector<std::function<void()>> m_clients;
};

// The actions of one window; it runs the enabled action a key is the shortcut of.
class TActionList {
public:
    void add(TAction& action) { m_actions.push_back(&action); }
    const std::vector<TAction*>& actions() const { return m_actions; }
    TAction* find(const std::string& name) const;
    // True when an enabled action took the key; a disabled one leaves the key to others.
    bool isShortCut(int key, unsigned shift);

private:
    std::vector<TAction*> m_actions;
};

} // namespace qv

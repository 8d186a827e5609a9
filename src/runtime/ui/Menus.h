#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// A menu command: caption ("&" marks the access key, "-" is a separator),
// short-cut text, state and sub-items. Menus hold data only; whatever shows
// them draws them.
class TMenuItem {
public:
    TMenuItem(std::string name, std::string caption);

    const std::string& name() const { return m_name; }
    const std::string& caption() const { return m_caption; }
    void setCaption(const std::string& caption) { m_caption = caption; }
    bool isSeparator() const { return m_caption == "-"; }
    const std::string& shortCut() const { return m_shortCut; }
    void setShortCut(const std::string& text) { m_shortCut = text; }
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    bool checked() const { return m_checked; }
    void setChecked(bool checked) { m_checked = checked; }
    // A checked radio item shows a dot instead of a tick.
    bool radioItem() const { return m_radioItem; }
    void setRadioItem(bool radio) { m_radioItem = radio; }

    TMenuItem& add(std::string name, std::string caption);
    int count() const { return static_cast<int>(m_items.size()); }
    TMenuItem& item(int index) const { return *m_items.at(index); }
    TMenuItem* find(const std::string& name);
    // Removes the direct sub-items of that name.
    void remove(const std::string& name);

    // Runs OnClick under the application's error guard.
    void click();
    std::function<void()> onClick;

private:
    std::string m_name;
    std::string m_caption;
    std::string m_shortCut;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_checked = false;
    bool m_radioItem = false;
    std::vector<std::unique_ptr<TMenuItem>> m_items;
};

// Caption without "&" markers ("&&" stays one "&").
std::string stripAccelerator(const std::string& caption);

class TMainMenu {
public:
    TMainMenu() : m_items("", "") {}
    TMenuItem& items() { return m_items; }
    const TMenuItem& items() const { return m_items; }
    TMenuItem* find(const std::string& name);

private:
    TMenuItem m_items;
};

} // namespace qv

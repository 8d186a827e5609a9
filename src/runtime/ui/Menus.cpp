#include "runtime/ui/Menus.h"

#include "runtime/ui/Application.h"

namespace qv {

TMenuItem::TMenuItem(std::string name, std::string caption) : m_name(std::move(name)), m_caption(std::move(caption)) {}

TMenuItem& TMenuItem::add(std::string name, std::string caption)
{
    m_items.push_back(std::make_unique<TMenuItem>(std::move(name), std::move(caption)));
    return *m_items.back();
}

TMenuItem* TMenuItem::find(const std::string& name)
{
    if (m_name == name)
        return this;
    for (auto& item : m_items) {
        if (TMenuItem* found = item->find(name))
            return found;
    }
    return nullptr;
}

void TMenuItem::remove(const std::string& name)
{
    std::erase_if(m_items, [&](const std::unique_ptr<TMenuItem>& item) { return item->name() == name; });
}

void TMenuItem::click()
{
    if (onClick)
        TApplication::guard(onClick);
}

TMenuItem* TMainMenu::find(const std::string& name) { return name.empty() ? nullptr : m_items.find(name); }

std::string stripAccelerator(const std::string& caption)
{
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&')
                out += '&', ++i;
            continue;
        }
        out += caption[i];
    }
    return out;
}

} // namespace qv

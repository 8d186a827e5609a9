#include "runtime/ui/ToolBar.h"

#include "runtime/ui/ToolButton.h"

namespace qv {

namespace {
constexpr int indent = 2;
} // namespace

TToolBar::TToolBar(TWinControl* parent) : TWinControl(parent) {}

TToolBar::~TToolBar()
{
    // The owned buttons go before the bar's own list of children.
    m_items.clear();
    m_owned.clear();
}

TToolButton& TToolBar::addButton(TAction& action, const Bitmap& glyph)
{
    auto button = std::make_unique<TToolButton>(this, action, glyph);
    TToolButton& ref = *button;
    m_owned.push_back(std::move(button));
    m_items.push_back(&ref);
    arrange();
    return ref;
}

void TToolBar::addSeparator()
{
    auto separator = std::make_unique<TToolSeparator>(this);
    m_items.push_back(separator.get());
    m_owned.push_back(std::move(separator));
    arrange();
}

void TToolBar::addControl(TControl& control)
{
    m_items.push_back(&control);
    arrange();
}

void TToolBar::arrange()
{
    int left = indent;
    for (TControl* item : m_items) {
        if (!item->visible())
            continue;
        int const top = std::max(0, (height() - item->height()) / 2);
        item->setBounds(left, top, item->width(), item->height());
        left += item->width();
    }
}

} // namespace qv

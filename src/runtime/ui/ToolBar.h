#pragma once

#include "runtime/ui/Control.h"

#include <memory>
#include <vector>

namespace qv {

class TAction;
class Bitmap;
class TToolButton;

// A row of tool buttons, separators and other controls (labels, edits), placed left to
// right in the order they were added and centred in the bar's height.
class TToolBar : public TWinControl {
public:
    explicit TToolBar(TWinControl* parent);
    ~TToolBar() override;

    TToolButton& addButton(TAction& action, const Bitmap& glyph);
    void addSeparator();
    // A control whose parent is the tool bar, placed at its own width.
    void addControl(TControl& control);
    // Places the items again, as after one of them changed its width.
    void arrange();
    const std::vector<TControl*>& items() const { return m_items; }

protected:
    void resized() override { arrange(); }

private:
    std::vector<TControl*> m_items;
    std::vector<std::unique_ptr<TControl>> m_owned;
};

} // namespace qv

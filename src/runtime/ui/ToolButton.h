#pragma once

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/StdControls.h"

namespace qv {

class TAction;

// A flat button of a tool bar that runs its action and follows its enabled state;
// the action's hint is its tooltip. It never takes the focus.
class TToolButton : public TNativeControl {
public:
    TToolButton(TWinControl* parent, TAction& action, const Bitmap& glyph);
    TAction& action() const { return m_action; }
    // Presses the button as a click does.
    void press();

private:
    void actionChanged();
    TAction& m_action;
};

// The groove between two groups of tool buttons.
class TToolSeparator : public TNativeControl {
public:
    explicit TToolSeparator(TWinControl* parent);
};

} // namespace qv

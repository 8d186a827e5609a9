#pragma once

#include "runtime/ui/StdControls.h"

namespace qv {

class TMainMenu;

// The platform's menu bar over a main menu. Each menu takes the items' captions,
// shortcut texts and states as it opens; choosing an item runs its OnClick. The
// shortcuts are shown only: the window runs them from its own key handling.
class TMenuBar : public TNativeControl {
public:
    TMenuBar(TWinControl* parent, TMainMenu& menu);
    // Builds the menus again after items were added or renamed.
    void rebuild();
    int preferredHeight() const;

private:
    TMainMenu& m_menu;
};

} // namespace qv

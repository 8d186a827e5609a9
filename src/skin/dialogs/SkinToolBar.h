#pragma once

#include "skin/controls/SkinPanel.h"

namespace qv {

// The strip along the top of a window that holds tool buttons: a borderless
// panel drawn from the "toolpanel" section, 25 pixels high by default.
class TbsSkinToolBar : public TbsSkinPanel {
public:
    explicit TbsSkinToolBar(TWinControl* parent) : TbsSkinPanel(parent, "toolpanel")
    {
        setBorderStyle(TbsSkinBorderStyle::bvNone);
        setHeight(25);
    }
};

} // namespace qv

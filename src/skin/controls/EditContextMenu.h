#pragma once

#include "runtime/graphics/Graphics.h"
#include "runtime/ui/Menus.h"
#include "skin/popupmenu/SkinMenu.h"

#include <memory>

namespace qv {

class TCustomEdit;
class TbsSkinData;

// The context menu of every skinned edit: Undo, Cut, Copy, Paste, Delete and
// Select All, built on demand with the edit's states of the moment.
class EditContextMenu {
public:
    void popup(TCustomEdit& edit, TbsSkinData* skin, TPoint screenPoint);
    // The menu while it is open (tests, scripted runs).
    TbsSkinMenu* engine() const { return m_engine.get(); }

private:
    std::unique_ptr<TMenuItem> m_items;
    std::unique_ptr<TbsSkinMenu> m_engine;
};

} // namespace qv

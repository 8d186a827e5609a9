#pragma once

#include "runtime/graphics/Graphics.h"
#include "skin/popupmenu/SkinFormMenus.h"

#include <memory>

namespace qv {

class TCustomEdit;
class TbsSkinData;

// The context menu of every skinned edit: Undo, Cut, Copy, Paste, Delete and
// Select All, built on demand with the edit's states of the moment and shown
// by the menu engine of the frame on the edit's form. It stands for the edit as
// the menu's opener and frees the menu once a command from it has run.
class EditContextMenu : public TbsMenuNoticeTarget {
public:
    ~EditContextMenu() override;

    void popup(TCustomEdit& edit, TbsSkinData* skin, TPoint screenPoint);
    // The engine that shows the menu, while there is one (tests, scripted runs).
    TbsSkinMenu* engine() const;
    bool built() const { return m_menu != nullptr; }

    void menuNotice(TbsMenuNotice notice) override;

private:
    std::unique_ptr<TbsSkinPopupMenu> m_menu;
    TForm* m_form = nullptr;
};

} // namespace qv

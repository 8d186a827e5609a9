#include "skin/controls/EditContextMenu.h"

#include "runtime/ui/CustomEdit.h"

#include <functional>

namespace qv {

EditContextMenu::~EditContextMenu()
{
    // Open levels must not outlive the items they show.
    TbsSkinFormMenus* frame = TbsSkinFormMenus::of(m_form);
    if (m_menu && frame && frame->engine().visible() && &frame->engine().level(0).root() == &m_menu->items())
        frame->engine().closeAll();
}

TbsSkinMenu* EditContextMenu::engine() const
{
    TbsSkinFormMenus* frame = TbsSkinFormMenus::of(m_form);
    return frame ? &frame->engine() : nullptr;
}

void EditContextMenu::popup(TCustomEdit& edit, TbsSkinData* skin, TPoint p)
{
    m_form = edit.parentForm();
    auto menu = std::make_unique<TbsSkinPopupMenu>(m_form);
    menu->setSkinData(skin);
    TMenuItem& items = menu->items();
    bool const writable = !edit.readOnly();
    TbsSkinFormMenus* frame = TbsSkinFormMenus::of(m_form);
    TbsSkinData* model = frame ? frame->SkinData() : nullptr;
    auto add = [&items, model](const char* name, const char* caption, bool enabled, std::function<void()> run) {
        std::string text = caption;
        if (model && model->ResourceStrData() && !model->ResourceStrData()->GetResStr(name).empty())
            text = model->ResourceStrData()->GetResStr(name);
        TMenuItem& item = items.add(name, text);
        item.setEnabled(enabled);
        item.onClick = std::move(run);
    };
    add("EDIT_UNDO", "Undo", edit.canUndo(), [&edit] { edit.undo(); });
    items.add("N1", "-");
    add("EDIT_CUT", "Cut", edit.hasSelection() && writable, [&edit] { edit.cutToClipboard(); });
    add("EDIT_COPY", "Copy", edit.hasSelection(), [&edit] { edit.copyToClipboard(); });
    add("EDIT_PASTE", "Paste", edit.clipboardHasText() && writable, [&edit] { edit.pasteFromClipboard(); });
    add("EDIT_DELETE", "Delete", edit.hasSelection() && writable, [&edit] { edit.clearSelection(); });
    items.add("N2", "-");
    bool const allSelected = !edit.text().empty() && edit.selLength() == static_cast<int>(edit.text().size());
    add("EDIT_SELECTALL", "Select All", !allSelected, [&edit] { edit.selectAll(); });
    // The menu it replaces may still be on screen until the new one takes its place.
    std::unique_ptr<TbsSkinPopupMenu> previous = std::move(m_menu);
    m_menu = std::move(menu);
    m_menu->popupFromEdit(p, this);
    previous.reset();
}

void EditContextMenu::menuNotice(TbsMenuNotice notice)
{
    if (notice == MenuCommandDone)
        m_menu.reset();
}

} // namespace qv

#include "skin/controls/EditContextMenu.h"

#include "runtime/ui/CustomEdit.h"

#include <functional>

namespace qv {

void EditContextMenu::popup(TCustomEdit& edit, TbsSkinData* skin, TPoint p)
{
    if (m_engine)
        m_engine->closeAll();
    m_items = std::make_unique<TMenuItem>("EditMenu", "");
    bool const writable = !edit.readOnly();
    auto add = [this](const char* name, const char* caption, bool enabled, std::function<void()> run) {
        TMenuItem& item = m_items->add(name, caption);
        item.setEnabled(enabled);
        item.onClick = std::move(run);
    };
    add("EDIT_UNDO", "Undo", edit.canUndo(), [&edit] { edit.undo(); });
    m_items->add("N1", "-");
    add("EDIT_CUT", "Cut", edit.hasSelection() && writable, [&edit] { edit.cutToClipboard(); });
    add("EDIT_COPY", "Copy", edit.hasSelection(), [&edit] { edit.copyToClipboard(); });
    add("EDIT_PASTE", "Paste", edit.clipboardHasText() && writable, [&edit] { edit.pasteFromClipboard(); });
    add("EDIT_DELETE", "Delete", edit.hasSelection() && writable, [&edit] { edit.clearSelection(); });
    m_items->add("N2", "-");
    bool const allSelected = !edit.text().empty() && edit.selLength() == static_cast<int>(edit.text().size());
    add("EDIT_SELECTALL", "Select All", !allSelected, [&edit] { edit.selectAll(); });
    if (!m_engine)
        m_engine = std::make_unique<TbsSkinMenu>();
    m_engine->popup(skin, false, *m_items, TRect{p.x, p.y, p.x, p.y});
}

} // namespace qv

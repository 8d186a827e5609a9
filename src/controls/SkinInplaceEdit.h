#pragma once

#include "runtime/ui/CustomEdit.h"
#include "skin/controls/EditContextMenu.h"

#include <memory>

namespace qv {

class TbsSkinCustomGrid;

// The cell editor a grid lays over its current cell. It has no frame of its
// own; keys go through the grid first and every change is reported at once.
class TbsSkinInplaceEdit : public TCustomEdit {
public:
    explicit TbsSkinInplaceEdit(TbsSkinCustomGrid& grid);

    // The first keystroke that opened the editor: it replaces the selected text.
    void typeFirst(char key);

    // The skinned context menu while it is open (tests, scripted runs).
    TbsSkinMenu* contextMenuEngine() const { return m_contextMenu.engine(); }

    // Named by the header of the column it edits.
    std::string accessibleName() const override;

protected:
    TRect textRect() const override;
    void paintFrame(Canvas& canvas) override;
    // The grid gives the editor its cell font and colours when it opens it.
    TColor textColor() const override { return font().color; }
    void keyDown(int& key, unsigned shift) override;
    void keyPress(char& key) override;
    void focusOut() override;
    void mouseWheel(int delta, unsigned shift) override;
    // Undo, Cut, Copy, Paste, Delete and Select All in a skinned popup menu.
    bool contextMenu(TPoint screenPoint) override;

private:
    TbsSkinCustomGrid& m_grid;
    EditContextMenu m_contextMenu;
};

} // namespace qv

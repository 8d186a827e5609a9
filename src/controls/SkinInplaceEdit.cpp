#include "controls/SkinInplaceEdit.h"

#include "controls/SkinCustomGrid.h"

namespace qv {

TbsSkinInplaceEdit::TbsSkinInplaceEdit(TbsSkinCustomGrid& grid) : TCustomEdit(&grid), m_grid(grid)
{
    setName("InplaceEdit");
    setTabStop(false);
    setColor(clWindow);
    setFont(grid.font());
    onChange = [this] { m_grid.editorTextChanged(); };
    hide();
}

std::string TbsSkinInplaceEdit::accessibleName() const
{
    int const col = m_grid.Col();
    return m_grid.FixedRows() > 0 ? m_grid.accessibleCellText(col, 0) : std::string{};
}

void TbsSkinInplaceEdit::typeFirst(char key)
{
    // The whole text is selected when the editor opens, so the key replaces it.
    std::string text = key == chBackspace ? std::string() : std::string(1, key);
    setText(text);
    setCaretPosition(static_cast<int>(text.size()));
}

TRect TbsSkinInplaceEdit::textRect() const { return TRect{2, 2, width() - 2, height()}; }

void TbsSkinInplaceEdit::paintFrame(Canvas& canvas)
{
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = color();
    canvas.fillRect(clientRect());
}

void TbsSkinInplaceEdit::keyDown(int& key, unsigned shift)
{
    TCustomEdit::keyDown(key, shift);
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
    case VK_TAB:
        m_grid.editorKeyDown(key, shift);
        key = 0;
        return;
    case VK_APPS:
    case VK_F10:
        // The grid's menu for the cell being edited.
        if (key == VK_APPS || shift == ssShift) {
            m_grid.editorKeyDown(key, shift);
            key = 0;
        }
        return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END: {
        if (!(m_grid.Options() & goAlwaysShowEditor))
            return;
        int length = static_cast<int>(text().size());
        bool atStart = selStart() == 0 && selLength() == 0;
        bool atEnd = selStart() == length && selLength() == 0;
        bool towardsStart = key == VK_LEFT || key == VK_HOME;
        if ((shift & ssCtrl) || (towardsStart && atStart) || (!towardsStart && atEnd)) {
            m_grid.editorKeyDown(key, shift);
            key = 0;
        }
        return;
    }
    default:
        return;
    }
}

void TbsSkinInplaceEdit::keyPress(char& key)
{
    m_grid.editorKeyPress(key);
    if (key == chTab || key == chEscape)
        key = 0;
    if (key == chEnter) {
        // Enter reaches the editor only when the grid keeps it open.
        if (selLength() == static_cast<int>(text().size()))
            setCaretPosition(static_cast<int>(text().size()));
        else
            selectAll();
        key = 0;
    }
}

// The wheel over the editor still moves through the grid.
void TbsSkinInplaceEdit::mouseWheel(int delta, unsigned shift) { m_grid.editorWheel(delta, shift); }

bool TbsSkinInplaceEdit::contextMenu(TPoint p)
{
    // A grid with a menu of its own offers it over the cell being edited too.
    if (m_grid.onContextPopup) {
        m_grid.onContextPopup(m_grid.screenToClient(p));
        return true;
    }
    m_contextMenu.popup(*this, m_grid.SkinData(), p);
    return true;
}

void TbsSkinInplaceEdit::focusOut()
{
    TCustomEdit::focusOut();
    m_grid.editorExit();
}

} // namespace qv

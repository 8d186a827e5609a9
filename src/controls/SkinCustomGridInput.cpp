// Keyboard and mouse: navigation, typing into the in-place editor, selecting
// with a held button, the wheel.
#include "controls/SkinCustomGrid.h"

#include "controls/SkinInplaceEdit.h"
#include "runtime/ui/Form.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace qv {

namespace {

constexpr int doubleClickTime = 500;
constexpr int doubleClickDistance = 4;

} // namespace

// ---- keyboard ----

void TbsSkinCustomGrid::editorKeyDown(int& key, unsigned shift) { keyDown(key, shift); }

void TbsSkinCustomGrid::editorKeyPress(char& key) { gridKeyPress(key); }

void TbsSkinCustomGrid::gridKeyPress(char& key)
{
    TbsSkinControl::keyPress(key);
    if (key == chEnter && !(m_options & goAlwaysShowEditor)) {
        if (m_editorMode)
            hideEditor();
        else
            showEditor();
        key = 0;
    }
}

void TbsSkinCustomGrid::keyPress(char& key)
{
    gridKeyPress(key);
    if (key == 0)
        return;
    bool typing = key == chBackspace || static_cast<unsigned char>(key) >= 32;
    if (!typing || m_editorMode || !canEditShow())
        return;
    showEditor();
    if (m_editorMode)
        m_editor->typeFirst(key);
    key = 0;
}

void TbsSkinCustomGrid::keyDown(int& key, unsigned shift)
{
    TbsSkinControl::keyDown(key, shift);
    if (key == 0)
        return;
    if ((key == VK_APPS || (key == VK_F10 && shift == ssShift)) && onContextPopup) {
        key = 0;
        onContextPopup(TPoint{-1, -1});
        return;
    }
    bool ctrl = shift & ssCtrl;
    TGridCoord target = m_current;
    int rowPage = std::max(1, VisibleRowCount());
    int colPage = std::max(1, VisibleColCount());
    int scrollRows = 0;
    int scrollCols = 0;
    switch (key) {
    case VK_UP:
        if (ctrl) {
            setTopRow(m_rows.first - 1);
            key = 0;
            return;
        }
        target.y -= 1;
        break;
    case VK_DOWN:
        if (ctrl) {
            setTopRow(m_rows.first + 1);
            key = 0;
            return;
        }
        target.y += 1;
        break;
    case VK_LEFT:
        if (ctrl) {
            target.x -= colPage;
            scrollCols = -colPage;
        } else
            target.x -= 1;
        break;
    case VK_RIGHT:
        if (ctrl) {
            target.x += colPage;
            scrollCols = colPage;
        } else
            target.x += 1;
        break;
    case VK_PRIOR:
        if (ctrl)
            target.y = m_rows.first;
        else {
            target.y -= rowPage;
            scrollRows = -rowPage;
        }
        break;
    case VK_NEXT:
        if (ctrl)
            target.y = m_rows.first + rowPage - 1;
        else {
            target.y += rowPage;
            scrollRows = rowPage;
        }
        break;
    case VK_HOME:
        if (ctrl)
            target = TGridCoord{m_cols.fixed, m_rows.fixed};
        else if (m_options & goRowSelect)
            target.y = m_rows.fixed;
        else
            target.x = m_cols.fixed;
        break;
    case VK_END:
        if (ctrl)
            target = TGridCoord{m_cols.count - 1, m_rows.count - 1};
        else if (m_options & goRowSelect)
            target.y = m_rows.count - 1;
        else
            target.x = m_cols.count - 1;
        break;
    case VK_TAB:
        if (!(m_options & goTabs) || ctrl)
            return;
        if (shift & ssShift) {
            if (--target.x < m_cols.fixed) {
                target.x = m_cols.count - 1;
                if (--target.y < m_rows.fixed)
                    target.y = m_rows.count - 1;
            }
        } else if (++target.x >= m_cols.count) {
            target.x = m_cols.fixed;
            if (++target.y >= m_rows.count)
                target.y = m_rows.fixed;
        }
        shift &= ~static_cast<unsigned>(ssShift);
        break;
    case VK_F2:
        showEditor();
        key = 0;
        return;
    default:
        return;
    }
    key = 0;
    target = TGridCoord{m_cols.clampToScrolling(target.x), m_rows.clampToScrolling(target.y)};
    if (!(target == m_current))
        moveCurrent(target.x, target.y, (shift & ssShift) ? Anchor::Stay : Anchor::Follow, Scroll::None);
    if (scrollRows)
        setTopRow(m_rows.first + scrollRows);
    if (scrollCols)
        setLeftCol(m_cols.first + scrollCols);
    if (m_current.x < m_cols.count && m_current.y < m_rows.count)
        scrollIntoView(m_current.x, m_current.y);
}

// ---- mouse ----

void TbsSkinCustomGrid::mouseDown(MouseButton button, unsigned shift, int x, int y)
{
    TbsSkinControl::mouseDown(button, shift, x, y);
    hideEditor();
    if (!focused()) {
        setFocus();
        TForm* form = parentForm();
        // A leave check elsewhere took the focus back: the press ends here.
        if (!focused() && form && form->activeControl() != this)
            return;
    }
    std::int64_t const now = tickCount();
    bool doubleClick = m_lastPress && now - *m_lastPress < doubleClickTime
        && std::abs(x - m_lastPressPoint.x) <= doubleClickDistance
        && std::abs(y - m_lastPressPoint.y) <= doubleClickDistance;
    m_lastPress = doubleClick ? std::nullopt : std::optional<std::int64_t>(now);
    m_lastPressPoint = TPoint{x, y};
    if (doubleClick && onDblClick)
        onDblClick();
    if (button == MouseButton::Right && onContextPopup) {
        onContextPopup(TPoint{x, y});
        return;
    }
    if (button != MouseButton::Left)
        return;
    TGridCoord cell = MouseCoord(x, y);
    if (cell.x < 0 || isFixed(cell.x, cell.y))
        return;
    if ((m_options & goEditing) && cell == m_current) {
        showEditor();
        return;
    }
    bool extend = (shift & ssShift) && (m_options & goRangeSelect);
    moveCurrent(cell.x, cell.y, extend ? Anchor::Stay : Anchor::Follow, Scroll::IntoView);
    if (!(m_options & goEditing)) {
        m_selecting = true;
        m_mouse = TPoint{x, y};
        m_selectTimer.setEnabled(true);
    }
}

void TbsSkinCustomGrid::mouseMove(unsigned shift, int x, int y)
{
    TbsSkinControl::mouseMove(shift, x, y);
    m_mouse = TPoint{x, y};
    if (m_selecting)
        extendSelectionTo(x, y);
}

void TbsSkinCustomGrid::mouseUp(MouseButton button, unsigned shift, int x, int y)
{
    TbsSkinControl::mouseUp(button, shift, x, y);
    m_selecting = false;
    m_selectTimer.setEnabled(false);
}

void TbsSkinCustomGrid::extendSelectionTo(int x, int y)
{
    int cx = std::max(0, std::min(x, width() - 1));
    int cy = std::max(0, std::min(y, height() - 1));
    TGridCoord cell = MouseCoord(cx, cy);
    if (cell.x < 0)
        return;
    cell.x = std::max(m_cols.fixed, cell.x);
    cell.y = std::max(m_rows.fixed, cell.y);
    if (cell == m_current)
        return;
    moveCurrent(cell.x, cell.y, Anchor::Stay, Scroll::None);
}

void TbsSkinCustomGrid::selectTimerTick()
{
    if (!m_selecting) {
        m_selectTimer.setEnabled(false);
        return;
    }
    // Outside the window the selection scrolls on by one cell per tick.
    TGridCoord target = m_current;
    if (m_mouse.y >= height())
        target.y += 1;
    else if (m_mouse.y < m_rows.fixedExtent())
        target.y -= 1;
    if (m_mouse.x >= width())
        target.x += 1;
    else if (m_mouse.x < m_cols.fixedExtent())
        target.x -= 1;
    target = TGridCoord{m_cols.clampToScrolling(target.x), m_rows.clampToScrolling(target.y)};
    if (target == m_current)
        return;
    moveCurrent(target.x, target.y, Anchor::Stay, Scroll::IntoView);
}

void TbsSkinCustomGrid::mouseWheel(int delta, unsigned shift)
{
    TbsSkinControl::mouseWheel(delta, shift);
    if (delta < 0 && m_current.y < m_rows.count - 1)
        moveCurrent(m_current.x, m_current.y + 1, Anchor::Follow, Scroll::IntoView);
    else if (delta > 0 && m_current.y > m_rows.fixed)
        moveCurrent(m_current.x, m_current.y - 1, Anchor::Follow, Scroll::IntoView);
}

} // namespace qv

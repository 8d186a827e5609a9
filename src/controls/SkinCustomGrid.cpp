#include "controls/SkinCustomGrid.h"

#include "controls/SkinInplaceEdit.h"
#include "runtime/ui/Form.h"
#include "skin/model/SkinBitmaps.h"
#include "skin/scrollbar/SkinScrollBar.h"

#include <algorithm>
#include <cstdint>

namespace qv {

namespace {

// Windows' MulDiv: a * b / c in 64 bits, rounded half away from zero; -1 for c = 0.
int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    int64_t product = int64_t(a) * b;
    bool negative = (product < 0) != (c < 0);
    int64_t num = product < 0 ? -product : product;
    int64_t den = c < 0 ? -int64_t(c) : c;
    int64_t result = (num * 2 + den) / (den * 2);
    return static_cast<int>(negative ? -result : result);
}

constexpr int doubleClickTime = 500;
constexpr int doubleClickDistance = 4;

} // namespace

TbsSkinCustomGrid::TbsSkinCustomGrid(TWinControl* parent) : TbsSkinControl(parent, "grid")
{
    setColor(clWindow);
    setTabStop(true);
    setBounds(0, 0, 320, 120);
    m_selectTimer.setInterval(selectInterval);
    m_selectTimer.onTimer = [this] { selectTimerTick(); };
    // Made with the grid rather than on first use: an editor created on a window
    // already on screen never shows its text field, so it could not take the focus.
    m_editor = std::make_unique<TbsSkinInplaceEdit>(*this);
}

TbsSkinCustomGrid::~TbsSkinCustomGrid()
{
    // Freeing the editor moves the focus, which reports back here: let that
    // happen while the grid is still whole, with nothing left to hide.
    m_editorMode = false;
    m_editor.reset();
}

// ---- counts and sizes ----

void TbsSkinCustomGrid::setColCount(int value)
{
    if (value == m_colCount)
        return;
    value = std::max(1, value);
    int oldCols = m_colCount;
    int oldFixed = m_fixedCols;
    std::vector<int> oldWidths = m_colWidths;
    try {
        m_colCount = value;
        if (m_fixedCols >= value)
            m_fixedCols = value - 1;
        if (!m_colWidths.empty())
            m_colWidths.resize(value, m_defaultColWidth);
        sizeChanged(oldCols, m_rowCount);
    } catch (...) {
        m_colCount = oldCols;
        m_fixedCols = oldFixed;
        m_colWidths = oldWidths;
        throw;
    }
}

void TbsSkinCustomGrid::setRowCount(int value)
{
    if (value == m_rowCount)
        return;
    value = std::max(1, value);
    int oldRows = m_rowCount;
    int oldFixed = m_fixedRows;
    std::vector<int> oldHeights = m_rowHeights;
    try {
        m_rowCount = value;
        if (m_fixedRows >= value)
            m_fixedRows = value - 1;
        if (!m_rowHeights.empty())
            m_rowHeights.resize(value, m_defaultRowHeight);
        sizeChanged(m_colCount, oldRows);
    } catch (...) {
        m_rowCount = oldRows;
        m_fixedRows = oldFixed;
        m_rowHeights = oldHeights;
        throw;
    }
}

void TbsSkinCustomGrid::sizeChanged(int oldColCount, int oldRowCount)
{
    (void)oldColCount;
    (void)oldRowCount;
    if (m_current.x >= m_colCount || m_current.y >= m_rowCount)
        moveCurrent(std::min(m_current.x, m_colCount - 1), std::min(m_current.y, m_rowCount - 1), false, true);
    m_anchor.x = std::min(m_anchor.x, m_colCount - 1);
    m_anchor.y = std::min(m_anchor.y, m_rowCount - 1);
    clampTopLeft();
    placeEditor();
    invalidate();
    updateScrollBars();
}

void TbsSkinCustomGrid::setFixedCols(int value)
{
    if (value < 0)
        throw bsEInvalidGridOperation(griderrors::indexOutOfRange);
    if (value >= m_colCount)
        throw bsEInvalidGridOperation(griderrors::fixedColsTooMany);
    m_fixedCols = value;
    m_current.x = std::max(m_current.x, value);
    m_anchor.x = std::max(m_anchor.x, value);
    clampTopLeft();
    invalidate();
    updateScrollBars();
}

void TbsSkinCustomGrid::setFixedRows(int value)
{
    if (value < 0)
        throw bsEInvalidGridOperation(griderrors::indexOutOfRange);
    if (value >= m_rowCount)
        throw bsEInvalidGridOperation(griderrors::fixedRowsTooMany);
    m_fixedRows = value;
    m_current.y = std::max(m_current.y, value);
    m_anchor.y = std::max(m_anchor.y, value);
    clampTopLeft();
    invalidate();
    updateScrollBars();
}

void TbsSkinCustomGrid::setDefaultColWidth(int value)
{
    if (value == m_defaultColWidth)
        return;
    m_defaultColWidth = value;
    // Columns without their own width follow the default.
    m_colWidths.clear();
    resized();
}

void TbsSkinCustomGrid::setDefaultRowHeight(int value)
{
    if (value == m_defaultRowHeight)
        return;
    m_defaultRowHeight = value;
    m_rowHeights.clear();
    resized();
}

int TbsSkinCustomGrid::ColWidths(int index) const
{
    if (index < 0 || index >= m_colCount)
        throw bsEInvalidGridOperation(griderrors::indexOutOfRange);
    return m_colWidths.empty() ? m_defaultColWidth : m_colWidths[index];
}

void TbsSkinCustomGrid::setColWidths(int index, int value)
{
    if (index < 0 || index >= m_colCount)
        throw bsEInvalidGridOperation(griderrors::indexOutOfRange);
    if (m_colWidths.empty())
        m_colWidths.assign(m_colCount, m_defaultColWidth);
    if (m_colWidths[index] == value)
        return;
    m_colWidths[index] = value;
    resized();
}

int TbsSkinCustomGrid::RowHeights(int index) const
{
    if (index < 0 || index >= m_rowCount)
        throw bsEInvalidGridOperation(griderrors::indexOutOfRange);
    return m_rowHeights.empty() ? m_defaultRowHeight : m_rowHeights[index];
}

void TbsSkinCustomGrid::setRowHeights(int index, int value)
{
    if (index < 0 || index >= m_rowCount)
        throw bsEInvalidGridOperation(griderrors::indexOutOfRange);
    if (m_rowHeights.empty())
        m_rowHeights.assign(m_rowCount, m_defaultRowHeight);
    if (m_rowHeights[index] == value)
        return;
    m_rowHeights[index] = value;
    resized();
}

void TbsSkinCustomGrid::setGridLineWidth(int value)
{
    m_gridLineWidth = std::max(0, value);
    resized();
}

void TbsSkinCustomGrid::setGridLineColor(TColor value)
{
    m_gridLineColor = value;
    invalidate();
}

void TbsSkinCustomGrid::setFixedColor(TColor value)
{
    m_fixedColor = value;
    invalidate();
}

void TbsSkinCustomGrid::setDefaultDrawing(bool value)
{
    m_defaultDrawing = value;
    invalidate();
}

void TbsSkinCustomGrid::resized()
{
    clampTopLeft();
    placeEditor();
    invalidate();
    updateScrollBars();
}

// ---- options ----

void TbsSkinCustomGrid::setOptions(TGridOptions value)
{
    if (value == m_options)
        return;
    if (value & goRowSelect)
        value &= static_cast<TGridOptions>(~goAlwaysShowEditor);
    m_options = value;
    if (!m_editorMode) {
        if (m_options & goAlwaysShowEditor)
            showEditor();
        else
            hideEditor();
    }
    invalidate();
}

// ---- geometry ----

int TbsSkinCustomGrid::fixedExtentX() const
{
    int x = 0;
    for (int c = 0; c < m_fixedCols; ++c)
        x += ColWidths(c) + m_gridLineWidth;
    return x;
}

int TbsSkinCustomGrid::fixedExtentY() const
{
    int y = 0;
    for (int r = 0; r < m_fixedRows; ++r)
        y += RowHeights(r) + m_gridLineWidth;
    return y;
}

// Left edge of a column, or -1 when it is scrolled out to the left.
int TbsSkinCustomGrid::colLeft(int col) const
{
    if (col < m_fixedCols) {
        int x = 0;
        for (int c = 0; c < col; ++c)
            x += ColWidths(c) + m_gridLineWidth;
        return x;
    }
    if (col < m_topLeft.x)
        return -1;
    int x = fixedExtentX();
    for (int c = m_topLeft.x; c < col && x < width(); ++c)
        x += ColWidths(c) + m_gridLineWidth;
    return x;
}

int TbsSkinCustomGrid::rowTop(int row) const
{
    if (row < m_fixedRows) {
        int y = 0;
        for (int r = 0; r < row; ++r)
            y += RowHeights(r) + m_gridLineWidth;
        return y;
    }
    if (row < m_topLeft.y)
        return -1;
    int y = fixedExtentY();
    for (int r = m_topLeft.y; r < row && y < height(); ++r)
        y += RowHeights(r) + m_gridLineWidth;
    return y;
}

TRect TbsSkinCustomGrid::CellRect(int col, int row) const
{
    if (col < 0 || row < 0 || col >= m_colCount || row >= m_rowCount)
        return TRect{};
    int x = colLeft(col);
    int y = rowTop(row);
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return TRect{};
    return TRect{x, y, x + ColWidths(col), y + RowHeights(row)};
}

TGridCoord TbsSkinCustomGrid::MouseCoord(int x, int y) const
{
    TGridCoord none{-1, -1};
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return none;
    TGridCoord hit{-1, -1};
    int fx = fixedExtentX();
    int start = x < fx ? 0 : m_topLeft.x;
    for (int c = start, left = x < fx ? 0 : fx; c < m_colCount && left < width(); ++c) {
        if (x < fx && c >= m_fixedCols)
            break;
        int right = left + ColWidths(c) + m_gridLineWidth;
        if (x < right) {
            hit.x = c;
            break;
        }
        left = right;
    }
    int fy = fixedExtentY();
    start = y < fy ? 0 : m_topLeft.y;
    for (int r = start, top = y < fy ? 0 : fy; r < m_rowCount && top < height(); ++r) {
        if (y < fy && r >= m_fixedRows)
            break;
        int bottom = top + RowHeights(r) + m_gridLineWidth;
        if (y < bottom) {
            hit.y = r;
            break;
        }
        top = bottom;
    }
    if (hit.x < 0 || hit.y < 0)
        return none;
    return hit;
}

int TbsSkinCustomGrid::VisibleRowCount() const
{
    int y = fixedExtentY();
    int count = 0;
    for (int r = m_topLeft.y; r < m_rowCount; ++r) {
        y += RowHeights(r);
        if (y > height())
            break;
        y += m_gridLineWidth;
        ++count;
    }
    return count;
}

int TbsSkinCustomGrid::VisibleColCount() const
{
    int x = fixedExtentX();
    int count = 0;
    for (int c = m_topLeft.x; c < m_colCount; ++c) {
        x += ColWidths(c);
        if (x > width())
            break;
        x += m_gridLineWidth;
        ++count;
    }
    return count;
}

int TbsSkinCustomGrid::maxTopRow() const
{
    int available = height() - fixedExtentY();
    int extent = 0;
    int row = m_rowCount - 1;
    while (row >= m_fixedRows) {
        extent += RowHeights(row) + m_gridLineWidth;
        if (extent > available)
            break;
        --row;
    }
    return std::max(m_fixedRows, std::min(row + 1, m_rowCount - 1));
}

int TbsSkinCustomGrid::maxLeftCol() const
{
    int available = width() - fixedExtentX();
    int extent = 0;
    int col = m_colCount - 1;
    while (col >= m_fixedCols) {
        extent += ColWidths(col) + m_gridLineWidth;
        if (extent > available)
            break;
        --col;
    }
    return std::max(m_fixedCols, std::min(col + 1, m_colCount - 1));
}

// ---- current cell and scrolling ----

TGridRect TbsSkinCustomGrid::Selection() const
{
    TGridRect r{std::min(m_anchor.x, m_current.x), std::min(m_anchor.y, m_current.y),
        std::max(m_anchor.x, m_current.x), std::max(m_anchor.y, m_current.y)};
    if (m_options & goRowSelect) {
        r.left = m_fixedCols;
        r.right = m_colCount - 1;
    }
    return r;
}

void TbsSkinCustomGrid::setCol(int value)
{
    if (value == m_current.x)
        return;
    moveCurrent(value, m_current.y, true, true);
}

void TbsSkinCustomGrid::setRow(int value)
{
    if (value == m_current.y)
        return;
    moveCurrent(m_current.x, value, true, true);
}

void TbsSkinCustomGrid::moveCurrent(int col, int row, bool moveAnchor, bool show)
{
    if (col < 0 || row < 0 || col >= m_colCount || row >= m_rowCount)
        throw bsEInvalidGridOperation(griderrors::indexOutOfRange);
    if (!selectCell(col, row))
        return;
    // The handler may have changed the counts; the target is kept as asked.
    m_current = TGridCoord{col, row};
    if (!(m_options & goAlwaysShowEditor))
        hideEditor();
    if (moveAnchor || !(m_options & goRangeSelect))
        m_anchor = m_current;
    if (show)
        scrollIntoView(col, row);
    if (m_options & goAlwaysShowEditor)
        showEditor();
    invalidate();
}

void TbsSkinCustomGrid::clampTopLeft()
{
    int maxTop = maxTopRow();
    int maxLeft = maxLeftCol();
    TGridCoord clamped{std::max(m_fixedCols, std::min(m_topLeft.x, maxLeft)), std::max(m_fixedRows, std::min(m_topLeft.y, maxTop))};
    if (clamped == m_topLeft)
        return;
    m_topLeft = clamped;
    topLeftChanged();
}

void TbsSkinCustomGrid::scrollIntoView(int col, int row)
{
    TGridCoord wanted = m_topLeft;
    if (row >= m_fixedRows && row < m_rowCount) {
        if (row < wanted.y)
            wanted.y = row;
        else {
            // Lower the top row until the row fits below the fixed rows.
            int available = height() - fixedExtentY();
            int extent = 0;
            int top = row;
            while (top >= m_fixedRows) {
                extent += RowHeights(top) + m_gridLineWidth;
                if (extent > available)
                    break;
                --top;
            }
            top = std::min(row, top + 1);
            wanted.y = std::max(wanted.y, top);
        }
    }
    if (col >= m_fixedCols && col < m_colCount) {
        if (col < wanted.x)
            wanted.x = col;
        else {
            int available = width() - fixedExtentX();
            int extent = 0;
            int left = col;
            while (left >= m_fixedCols) {
                extent += ColWidths(left) + m_gridLineWidth;
                if (extent > available)
                    break;
                --left;
            }
            left = std::min(col, left + 1);
            wanted.x = std::max(wanted.x, left);
        }
    }
    if (wanted == m_topLeft)
        return;
    m_topLeft = wanted;
    topLeftChanged();
}

void TbsSkinCustomGrid::setTopRow(int value)
{
    value = std::max(m_fixedRows, std::min(value, maxTopRow()));
    if (value == m_topLeft.y)
        return;
    m_topLeft.y = value;
    topLeftChanged();
}

void TbsSkinCustomGrid::setLeftCol(int value)
{
    value = std::max(m_fixedCols, std::min(value, maxLeftCol()));
    if (value == m_topLeft.x)
        return;
    m_topLeft.x = value;
    topLeftChanged();
}

void TbsSkinCustomGrid::topLeftChanged()
{
    placeEditor();
    invalidate();
    updateScrollBars();
}

// ---- external scroll bars ----

void TbsSkinCustomGrid::setHScrollBar(TbsSkinScrollBar* bar)
{
    unwireScrollBar(m_hScrollBar);
    m_hScrollBar = bar;
    wireScrollBar(bar, false);
    updateScrollBars();
}

void TbsSkinCustomGrid::setVScrollBar(TbsSkinScrollBar* bar)
{
    unwireScrollBar(m_vScrollBar);
    m_vScrollBar = bar;
    wireScrollBar(bar, true);
    updateScrollBars();
}

void TbsSkinCustomGrid::wireScrollBar(TbsSkinScrollBar* bar, bool vertical)
{
    if (!bar)
        return;
    bar->setKind(vertical ? TScrollBarKind::Vertical : TScrollBarKind::Horizontal);
    // The "up" button increases the position, which scrolls towards the end.
    bar->onUpButtonClick = [this, vertical] { scrollMessage(vertical, ScrollCode::LineDown, 0); };
    bar->onDownButtonClick = [this, vertical] { scrollMessage(vertical, ScrollCode::LineUp, 0); };
    bar->onPageUp = [this, vertical] { scrollMessage(vertical, ScrollCode::PageUp, 0); };
    bar->onPageDown = [this, vertical] { scrollMessage(vertical, ScrollCode::PageDown, 0); };
    bar->onChange = [this, vertical, bar] {
        if (bar->dragging() && (m_options & goThumbTracking))
            scrollMessage(vertical, ScrollCode::Thumb, bar->Position());
    };
    bar->onLastChange = [this, vertical, bar] { scrollMessage(vertical, ScrollCode::Thumb, bar->Position()); };
}

void TbsSkinCustomGrid::unwireScrollBar(TbsSkinScrollBar* bar)
{
    if (!bar)
        return;
    bar->onUpButtonClick = nullptr;
    bar->onDownButtonClick = nullptr;
    bar->onPageUp = nullptr;
    bar->onPageDown = nullptr;
    bar->onChange = nullptr;
    bar->onLastChange = nullptr;
}

void TbsSkinCustomGrid::updateScrollBars()
{
    updateScrollBar(m_vScrollBar, true);
    updateScrollBar(m_hScrollBar, false);
}

void TbsSkinCustomGrid::updateScrollBar(TbsSkinScrollBar* bar, bool vertical)
{
    if (!bar)
        return;
    int fixed = vertical ? m_fixedRows : m_fixedCols;
    int maxFirst = vertical ? maxTopRow() : maxLeftCol();
    if (maxFirst <= fixed) {
        bar->setRange(0, 0, 0, 0);
        bar->setVisible(false);
        return;
    }
    int count = vertical ? m_rowCount : m_colCount;
    int visibleCount = vertical ? VisibleRowCount() : VisibleColCount();
    int first = vertical ? m_topLeft.y : m_topLeft.x;
    int rest = count - visibleCount - fixed;
    int change = std::max(1, rest > 0 ? scrollRange / rest : scrollRange);
    bar->setRange(0, scrollRange, 0, mulDiv(first - fixed, scrollRange, maxFirst - fixed));
    bar->setSmallChange(change);
    bar->setLargeChange(change);
    bar->setVisible(visible());
}

void TbsSkinCustomGrid::scrollMessage(bool vertical, ScrollCode code, int position)
{
    if (showing() && enabled() && tabStop() && !focused()) {
        hideEditor();
        setFocus();
    }
    int fixed = vertical ? m_fixedRows : m_fixedCols;
    int maxFirst = vertical ? maxTopRow() : maxLeftCol();
    int first = vertical ? m_topLeft.y : m_topLeft.x;
    int page = std::max(1, vertical ? VisibleRowCount() : VisibleColCount());
    switch (code) {
    case ScrollCode::LineUp: first -= 1; break;
    case ScrollCode::LineDown: first += 1; break;
    case ScrollCode::PageUp: first -= page; break;
    case ScrollCode::PageDown: first += page; break;
    case ScrollCode::Thumb: first = fixed + mulDiv(position, maxFirst - fixed, scrollRange); break;
    }
    first = std::max(fixed, std::min(first, maxFirst));
    if (vertical)
        setTopRow(first);
    else
        setLeftCol(first);
    // The bar moved itself; bring it back to where the grid really is.
    updateScrollBars();
}

void TbsSkinCustomGrid::setVisible(bool visible)
{
    TbsSkinControl::setVisible(visible);
    if (!visible) {
        for (TbsSkinScrollBar* bar : {m_hScrollBar, m_vScrollBar})
            if (bar)
                bar->setVisible(false);
        return;
    }
    updateScrollBars();
}

void TbsSkinCustomGrid::skinChanged()
{
    TbsSkinControl::skinChanged();
    refreshSkin();
    if (!m_skinUsable)
        setDefaultRowHeight(m_defaultCellHeight);
    else if (m_useSkinCellHeight && m_defaultRowHeight != m_skinValues.selectCellRect.height())
        setDefaultRowHeight(m_skinValues.selectCellRect.height());
    updateScrollBars();
}

// The three cell pictures are cut out of the section's picture into one small
// strip each time, so nothing of a skin outlives a reload.
bool TbsSkinCustomGrid::readSkin(GridSkin& skin) const
{
    if (sectionIndex() < 0)
        return false;
    auto* s = dynamic_cast<const TbsDataSkinGridControl*>(&SkinData()->skinControl(sectionIndex()));
    if (!s)
        return false;
    const TbsSkinPicture* source = SkinData()->activePicture(s->PictureIndex);
    if (!source)
        return false;
    const TRect* pieces[] = {&s->FixedCellRect, &s->SelectCellRect, &s->FocusCellRect};
    TRect* strip[] = {&skin.fixedCellRect, &skin.selectCellRect, &skin.focusCellRect};
    int width = 0, height = 0;
    for (const TRect* r : pieces) {
        if (r->isEmpty())
            continue;
        width = std::max(width, r->width());
        height += r->height();
    }
    TbsSkinPicture cells(width, height);
    int y = 0;
    for (int i = 0; i < 3; ++i) {
        const TRect& r = *pieces[i];
        if (r.isEmpty())
            continue;
        *strip[i] = TRect{0, y, r.width(), y + r.height()};
        cells.copyRect(*strip[i], *source, r);
        y += r.height();
    }
    m_skinCells = toBitmap(cells);
    skin.picture = &m_skinCells;
    skin.fixedCellLeftOffset = s->FixedCellLeftOffset;
    skin.fixedCellRightOffset = s->FixedCellRightOffset;
    skin.cellLeftOffset = s->CellLeftOffset;
    skin.cellRightOffset = s->CellRightOffset;
    skin.fixedCellTextRect = s->FixedCellTextRect;
    skin.cellTextRect = s->CellTextRect;
    skin.linesColor = s->LinesColor;
    skin.bgColor = s->BGColor;
    skin.font = skinFont(s->Font, font());
    skin.selectFontColor = s->SelectFontColor;
    skin.focusFontColor = s->FocusFontColor;
    skin.fixedFont = skinFont(s->FixedFont, font());
    return true;
}

void TbsSkinCustomGrid::refreshSkin()
{
    GridSkin values;
    m_skinUsable = false;
    if (!readSkin(values))
        return;
    values.fillMissingPictures();
    if (!values.usable())
        return;
    m_skinValues = values;
    m_skinUsable = true;
}

Font TbsSkinCustomGrid::skinCellFont() const
{
    if (UseSkinFont())
        return m_skinValues.font;
    Font f = font();
    f.color = m_skinValues.font.color;
    return f;
}

// ---- editing ----

bool TbsSkinCustomGrid::canEditShow() const
{
    if (!(m_options & goEditing) || (m_options & goRowSelect))
        return false;
    // A handler that lowered the counts can leave the current cell outside the grid.
    if (m_current.x >= m_colCount || m_current.y >= m_rowCount)
        return false;
    return !isFixed(m_current.x, m_current.y);
}

void TbsSkinCustomGrid::setEditorMode(bool value)
{
    if (value)
        showEditor();
    else
        hideEditor();
}

void TbsSkinCustomGrid::showEditor()
{
    if (!canEditShow())
        return;
    m_editCell = m_current;
    m_editorMode = true;
    m_editor->setColor(m_skinUsable ? m_skinValues.bgColor : color());
    m_editor->setFont(m_skinUsable ? skinCellFont() : font());
    loadEditorText();
    placeEditor();
    m_editor->show();
    if (showing())
        m_editor->setFocus();
    m_editor->selectAll();
    invalidate();
}

void TbsSkinCustomGrid::hideEditor()
{
    if (!m_editorMode)
        return;
    m_editorMode = false;
    bool hadFocus = m_editor->focused();
    TGridCoord cell = m_editCell;
    m_editCell = TGridCoord{-1, -1};
    // Focus back to the grid first: hiding a focused editor would pass the
    // focus along the tab chain and run other controls' enter and exit checks.
    if (hadFocus)
        setFocus();
    m_editor->hide();
    invalidate();
    setEditText(cell.x, cell.y, m_editor->text());
}

void TbsSkinCustomGrid::loadEditorText()
{
    m_loadingEditor = true;
    try {
        m_editor->setText(getEditText(m_editCell.x, m_editCell.y));
    } catch (...) {
        m_loadingEditor = false;
        throw;
    }
    m_loadingEditor = false;
    m_editor->selectAll();
}

void TbsSkinCustomGrid::placeEditor()
{
    if (!m_editorMode || !m_editor)
        return;
    TRect r = CellRect(m_editCell.x, m_editCell.y);
    if (r.isEmpty()) {
        // Scrolled out of view: park it where nobody sees it until it comes back.
        m_editor->setBounds(-1000, -1000, std::max(1, ColWidths(m_editCell.x)), RowHeights(m_editCell.y));
        return;
    }
    m_editor->setBounds(r.left, r.top, r.width(), r.height());
}

void TbsSkinCustomGrid::editorTextChanged()
{
    if (m_loadingEditor || !m_editorMode)
        return;
    setEditText(m_editCell.x, m_editCell.y, m_editor->text());
}

void TbsSkinCustomGrid::cellChanged(int col, int row, bool fromEditor)
{
    if (!fromEditor && m_editorMode && col == m_editCell.x && row == m_editCell.y && col == m_current.x && row == m_current.y)
        loadEditorText();
    if (m_updateLock == 0)
        invalidate();
}

void TbsSkinCustomGrid::endUpdate()
{
    if (m_updateLock > 0 && --m_updateLock == 0)
        invalidate();
}

void TbsSkinCustomGrid::editorExit()
{
    if (!m_editorMode)
        return;
    TForm* form = parentForm();
    if (form && form->activeControl() == this)
        return;
    hideEditor();
}

void TbsSkinCustomGrid::doExit()
{
    TbsSkinControl::doExit();
    TForm* form = parentForm();
    if (form && m_editor && form->activeControl() == m_editor.get())
        return;
    hideEditor();
    invalidate();
}

// ---- virtual cell hooks ----

bool TbsSkinCustomGrid::selectCell(int, int) { return true; }
void TbsSkinCustomGrid::drawCell(Canvas&, int, int, const TRect&, TGridDrawState) {}
std::string TbsSkinCustomGrid::getEditText(int, int) { return std::string(); }
void TbsSkinCustomGrid::setEditText(int, int, const std::string&) {}

// ---- keyboard ----

void TbsSkinCustomGrid::editorKeyDown(int& key, unsigned shift) { keyDown(key, shift); }

void TbsSkinCustomGrid::editorKeyPress(char& key) { gridKeyPress(key); }

void TbsSkinCustomGrid::gridKeyPress(char& key)
{
    TbsSkinControl::keyPress(key);
    if (key == 13 && !(m_options & goAlwaysShowEditor)) {
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
    bool typing = key == 8 || static_cast<unsigned char>(key) >= 32;
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
    bool ctrl = shift & ssCtrl;
    TGridCoord target = m_current;
    int rowPage = std::max(1, VisibleRowCount());
    int colPage = std::max(1, VisibleColCount());
    int scrollRows = 0;
    int scrollCols = 0;
    switch (key) {
    case VK_UP:
        if (ctrl) {
            setTopRow(m_topLeft.y - 1);
            key = 0;
            return;
        }
        target.y -= 1;
        break;
    case VK_DOWN:
        if (ctrl) {
            setTopRow(m_topLeft.y + 1);
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
            target.y = m_topLeft.y;
        else {
            target.y -= rowPage;
            scrollRows = -rowPage;
        }
        break;
    case VK_NEXT:
        if (ctrl)
            target.y = m_topLeft.y + rowPage - 1;
        else {
            target.y += rowPage;
            scrollRows = rowPage;
        }
        break;
    case VK_HOME:
        if (ctrl)
            target = TGridCoord{m_fixedCols, m_fixedRows};
        else if (m_options & goRowSelect)
            target.y = m_fixedRows;
        else
            target.x = m_fixedCols;
        break;
    case VK_END:
        if (ctrl)
            target = TGridCoord{m_colCount - 1, m_rowCount - 1};
        else if (m_options & goRowSelect)
            target.y = m_rowCount - 1;
        else
            target.x = m_colCount - 1;
        break;
    case VK_TAB:
        if (!(m_options & goTabs) || ctrl)
            return;
        if (shift & ssShift) {
            if (--target.x < m_fixedCols) {
                target.x = m_colCount - 1;
                if (--target.y < m_fixedRows)
                    target.y = m_rowCount - 1;
            }
        } else if (++target.x >= m_colCount) {
            target.x = m_fixedCols;
            if (++target.y >= m_rowCount)
                target.y = m_fixedRows;
        }
        shift &= ~static_cast<unsigned>(ssShift);
        break;
    case VK_F1 + 1: // F2
        showEditor();
        key = 0;
        return;
    default:
        return;
    }
    key = 0;
    target.x = std::max(m_fixedCols, std::min(target.x, m_colCount - 1));
    target.y = std::max(m_fixedRows, std::min(target.y, m_rowCount - 1));
    if (!(target == m_current))
        moveCurrent(target.x, target.y, !(shift & ssShift), false);
    if (scrollRows)
        setTopRow(m_topLeft.y + scrollRows);
    if (scrollCols)
        setLeftCol(m_topLeft.x + scrollCols);
    if (m_current.x < m_colCount && m_current.y < m_rowCount)
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
    auto now = std::chrono::steady_clock::now();
    bool doubleClick = now - m_lastPress < std::chrono::milliseconds(doubleClickTime)
        && std::abs(x - m_lastPressPoint.x) <= doubleClickDistance && std::abs(y - m_lastPressPoint.y) <= doubleClickDistance;
    m_lastPress = doubleClick ? std::chrono::steady_clock::time_point{} : now;
    m_lastPressPoint = TPoint{x, y};
    if (doubleClick && onDblClick)
        onDblClick();
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
    moveCurrent(cell.x, cell.y, !extend, true);
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
    cell.x = std::max(m_fixedCols, cell.x);
    cell.y = std::max(m_fixedRows, cell.y);
    if (cell == m_current)
        return;
    moveCurrent(cell.x, cell.y, false, false);
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
    else if (m_mouse.y < fixedExtentY())
        target.y -= 1;
    if (m_mouse.x >= width())
        target.x += 1;
    else if (m_mouse.x < fixedExtentX())
        target.x -= 1;
    target.x = std::max(m_fixedCols, std::min(target.x, m_colCount - 1));
    target.y = std::max(m_fixedRows, std::min(target.y, m_rowCount - 1));
    if (target == m_current)
        return;
    moveCurrent(target.x, target.y, false, true);
}

void TbsSkinCustomGrid::mouseWheel(int delta, unsigned shift)
{
    TbsSkinControl::mouseWheel(delta, shift);
    if (delta < 0 && m_current.y < m_rowCount - 1)
        moveCurrent(m_current.x, m_current.y + 1, true, true);
    else if (delta > 0 && m_current.y > m_fixedRows)
        moveCurrent(m_current.x, m_current.y - 1, true, true);
}

// ---- painting ----

void TbsSkinCustomGrid::paint(Canvas& canvas)
{
    bindSection();
    refreshSkin();
    paintGrid(canvas);
}

void TbsSkinCustomGrid::drawDefaultLook(Canvas& canvas) { paintGrid(canvas); }

void TbsSkinCustomGrid::paintGrid(Canvas& canvas)
{
    m_paintCanvas = &canvas;
    defaultlook::fillRect(canvas, clientRect(), m_skinUsable ? m_skinValues.bgColor : color());
    auto paintArea = [&](int firstCol, int lastCol, int firstRow, int lastRow) {
        for (int row = firstRow; row <= lastRow; ++row) {
            for (int col = firstCol; col <= lastCol; ++col) {
                TRect r = CellRect(col, row);
                if (r.isEmpty())
                    continue;
                paintLines(canvas, col, row, r);
                paintCell(canvas, col, row, r);
            }
        }
    };
    int lastCol = std::min(m_colCount - 1, m_topLeft.x + VisibleColCount());
    int lastRow = std::min(m_rowCount - 1, m_topLeft.y + VisibleRowCount());
    try {
        paintArea(0, m_fixedCols - 1, 0, m_fixedRows - 1);
        paintArea(m_topLeft.x, lastCol, 0, m_fixedRows - 1);
        paintArea(0, m_fixedCols - 1, m_topLeft.y, lastRow);
        paintArea(m_topLeft.x, lastCol, m_topLeft.y, lastRow);
    } catch (...) {
        m_paintCanvas = nullptr;
        throw;
    }
    m_paintCanvas = nullptr;
}

void TbsSkinCustomGrid::paintLines(Canvas& canvas, int col, int row, const TRect& r)
{
    if (m_gridLineWidth <= 0)
        return;
    bool fixed = isFixed(col, row);
    bool vert = m_options & (fixed ? goFixedVertLine : goVertLine);
    bool horz = m_options & (fixed ? goFixedHorzLine : goHorzLine);
    TColor background = m_skinUsable ? m_skinValues.bgColor : fixed ? m_fixedColor : color();
    TColor line = color() == clSilver ? clGray : m_skinUsable ? m_skinValues.linesColor : m_gridLineColor;
    int lw = m_gridLineWidth;
    defaultlook::fillRect(canvas, TRect{r.right, r.top, r.right + lw, r.bottom + lw}, vert ? line : background);
    defaultlook::fillRect(canvas, TRect{r.left, r.bottom, r.right + lw, r.bottom + lw}, horz ? line : background);
}

void TbsSkinCustomGrid::paintCell(Canvas& canvas, int col, int row, const TRect& r)
{
    bool fixed = isFixed(col, row);
    bool current = col == m_current.x && row == m_current.y;
    if (current && m_editorMode && m_editCell == m_current)
        return;
    TGridDrawState state = 0;
    if (fixed)
        state |= gdFixed;
    else {
        if (Selection().contains(col, row))
            state |= gdSelected;
        if (current && focused())
            state |= gdFocused;
    }
    m_paintTextRect = r;
    if (m_skinUsable) {
        paintSkinCell(canvas, col, row, r, state);
        return;
    }
    canvas.font = font();
    if (m_defaultDrawing) {
        if (fixed) {
            defaultlook::fillRect(canvas, r, m_fixedColor);
            if ((m_options & (goFixedVertLine | goFixedHorzLine)) == (goFixedVertLine | goFixedHorzLine))
                defaultlook::bevel(canvas, r, true);
        } else {
            bool highlighted = (state & gdSelected)
                && (!(state & gdFocused) || (m_options & (goDrawFocusSelected | goRowSelect)));
            defaultlook::fillRect(canvas, r, highlighted ? clHighlight : color());
            if (highlighted)
                canvas.font.color = clHighlightText;
        }
    }
    drawCell(canvas, col, row, r, state);
    bool showsFocus = (state & gdFocused) && !(m_options & goRowSelect)
        && (m_options & (goEditing | goAlwaysShowEditor)) != (goEditing | goAlwaysShowEditor);
    if (m_defaultDrawing && showsFocus) {
        canvas.pen = Pen{};
        canvas.pen.color = clWindowText;
        canvas.pen.cosmeticDots = true;
        canvas.polyline({TPoint{r.left, r.top}, TPoint{r.right - 1, r.top}, TPoint{r.right - 1, r.bottom - 1},
            TPoint{r.left, r.bottom - 1}, TPoint{r.left, r.top}});
    }
}

} // namespace qv

namespace qv {

void TbsSkinCustomGrid::paintSkinCell(Canvas& canvas, int col, int row, const TRect& r, TGridDrawState state)
{
    const GridSkin& skin = m_skinValues;
    bool fixed = state & gdFixed;
    bool pictured = state & (gdFixed | gdSelected | gdFocused);
    TRect piece = fixed ? skin.fixedCellRect
        : ((state & gdFocused) || (m_options & goRowSelect)) ? skin.focusCellRect
                                                              : skin.selectCellRect;
    if (m_defaultDrawing) {
        if (pictured) {
            int leftWidth = fixed ? skin.fixedCellLeftOffset : skin.cellLeftOffset;
            int rightWidth = fixed ? skin.fixedCellRightOffset : skin.cellRightOffset;
            // Built at the picture's height, then fitted to the row.
            Bitmap cell(r.width(), piece.height());
            drawHorizontalPiece(cell.canvas(), TRect{0, 0, r.width(), piece.height()}, *skin.picture, piece, leftWidth, rightWidth);
            canvas.copyRect(r, cell, TRect{0, 0, r.width(), piece.height()});
        } else
            defaultlook::fillRect(canvas, r, skin.bgColor);
    }
    if (fixed)
        canvas.font = skin.fixedFont;
    else {
        canvas.font = skinCellFont();
        if (state & gdFocused)
            canvas.font.color = skin.focusFontColor;
        else if (state & gdSelected)
            canvas.font.color = skin.selectFontColor;
    }
    // The picture's text area, moved to the cell and grown with it.
    TRect text = fixed ? skin.fixedCellTextRect : skin.cellTextRect;
    m_paintTextRect = TRect{r.left + text.left, r.top + text.top, r.left + text.right + (r.width() - piece.width()),
        r.top + text.bottom};
    if (!m_useSkinCellHeight)
        m_paintTextRect.bottom += r.height() - piece.height();
    drawCell(canvas, col, row, r, state);
}

} // namespace qv

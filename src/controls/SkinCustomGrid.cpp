#include "controls/SkinCustomGrid.h"

#include "controls/SkinInplaceEdit.h"
#include "runtime/core/Property.h"
#include "runtime/ui/Form.h"
#include "skin/bitmaps/SkinBitmaps.h"
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

void TbsSkinCustomGrid::setCount(GridAxis& axis, int value)
{
    if (value == axis.count)
        return;
    GridAxis const old = axis;
    try {
        axis.resize(value);
        sizeChanged();
    } catch (...) {
        axis = old;
        throw;
    }
}

void TbsSkinCustomGrid::sizeChanged()
{
    if (m_current.x >= m_cols.count || m_current.y >= m_rows.count)
        moveCurrent(std::min(m_current.x, m_cols.count - 1), std::min(m_current.y, m_rows.count - 1), Anchor::Stay,
                    Scroll::IntoView);
    m_anchor.x = std::min(m_anchor.x, m_cols.count - 1);
    m_anchor.y = std::min(m_anchor.y, m_rows.count - 1);
    clampTopLeft();
    placeEditor();
    invalidate();
    updateScrollBars();
    accessibleNotify(TAccessibleEvent::ItemsChanged);
}

void TbsSkinCustomGrid::setFixedCols(int value)
{
    setFixed(m_cols, value, griderrors::fixedColsTooMany);
    m_current.x = std::max(m_current.x, value);
    m_anchor.x = std::max(m_anchor.x, value);
    fixedChanged();
}

void TbsSkinCustomGrid::setFixedRows(int value)
{
    setFixed(m_rows, value, griderrors::fixedRowsTooMany);
    m_current.y = std::max(m_current.y, value);
    m_anchor.y = std::max(m_anchor.y, value);
    fixedChanged();
}

void TbsSkinCustomGrid::setFixed(GridAxis& axis, int value, const char* tooMany)
{
    if (value < 0)
        throw bsEInvalidGridOperation(griderrors::indexOutOfRange);
    if (value >= axis.count)
        throw bsEInvalidGridOperation(tooMany);
    axis.fixed = value;
}

void TbsSkinCustomGrid::fixedChanged()
{
    clampTopLeft();
    invalidate();
    updateScrollBars();
    accessibleNotify(TAccessibleEvent::ItemsChanged);
}

void TbsSkinCustomGrid::setDefaultSize(GridAxis& axis, int value)
{
    if (!assignChanged(axis.defaultSize, value))
        return;
    // Items without a size of their own follow the default.
    axis.sizes.clear();
    resized();
}

void TbsSkinCustomGrid::setSize(GridAxis& axis, int index, int value)
{
    if (axis.setSize(index, value))
        resized();
}

void TbsSkinCustomGrid::setGridLineWidth(int value)
{
    value = std::max(0, value);
    m_cols.lineWidth = value;
    m_rows.lineWidth = value;
    resized();
}

void TbsSkinCustomGrid::setGridLineColor(TColor value)
{
    if (assignChanged(m_gridLineColor, value))
        invalidate();
}

void TbsSkinCustomGrid::setFixedColor(TColor value)
{
    if (assignChanged(m_fixedColor, value))
        invalidate();
}

void TbsSkinCustomGrid::setDefaultDrawing(bool value)
{
    if (assignChanged(m_defaultDrawing, value))
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

TRect TbsSkinCustomGrid::CellRect(int col, int row) const
{
    if (col < 0 || row < 0 || col >= m_cols.count || row >= m_rows.count)
        return TRect{};
    int x = m_cols.start(col, width());
    int y = m_rows.start(row, height());
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return TRect{};
    return TRect{x, y, x + ColWidths(col), y + RowHeights(row)};
}

TGridCoord TbsSkinCustomGrid::MouseCoord(int x, int y) const
{
    TGridCoord hit{m_cols.itemAt(x, width()), m_rows.itemAt(y, height())};
    if (hit.x < 0 || hit.y < 0)
        return TGridCoord{-1, -1};
    return hit;
}

// ---- current cell and scrolling ----

TGridRect TbsSkinCustomGrid::Selection() const
{
    TGridRect r{std::min(m_anchor.x, m_current.x), std::min(m_anchor.y, m_current.y),
        std::max(m_anchor.x, m_current.x), std::max(m_anchor.y, m_current.y)};
    if (m_options & goRowSelect) {
        r.left = m_cols.fixed;
        r.right = m_cols.count - 1;
    }
    return r;
}

void TbsSkinCustomGrid::setCol(int value)
{
    if (value == m_current.x)
        return;
    moveCurrent(value, m_current.y, Anchor::Follow, Scroll::IntoView);
}

void TbsSkinCustomGrid::setRow(int value)
{
    if (value == m_current.y)
        return;
    moveCurrent(m_current.x, value, Anchor::Follow, Scroll::IntoView);
}

void TbsSkinCustomGrid::moveCurrent(int col, int row, Anchor anchor, Scroll scroll)
{
    if (col < 0 || row < 0 || col >= m_cols.count || row >= m_rows.count)
        throw bsEInvalidGridOperation(griderrors::indexOutOfRange);
    if (!selectCell(col, row))
        return;
    TGridCoord const oldCurrent = m_current;
    TGridRect const oldSelection = Selection();
    // The handler may have changed the counts; the target is kept as asked.
    m_current = TGridCoord{col, row};
    if (!(m_options & goAlwaysShowEditor))
        hideEditor();
    if (anchor == Anchor::Follow || !(m_options & goRangeSelect))
        m_anchor = m_current;
    if (scroll == Scroll::IntoView)
        scrollIntoView(col, row);
    if (m_options & goAlwaysShowEditor)
        showEditor();
    // Asked after any scrolling, so these are where the cells are now.
    invalidateCell(oldCurrent.x, oldCurrent.y);
    invalidateCell(m_current.x, m_current.y);
    TGridRect const selection = Selection();
    if (!(selection == oldSelection)) {
        invalidateCells(oldSelection);
        invalidateCells(selection);
    }
    if (oldCurrent.x == m_current.x && oldCurrent.y == m_current.y)
        return;
    accessibleNotifyCell(TAccessibleEvent::SelectionChanged, m_current.x, m_current.y);
    if (focused())
        accessibleNotifyCell(TAccessibleEvent::Focus, m_current.x, m_current.y);
}

bool TbsSkinCustomGrid::accessibleCellSelected(int col, int row) const { return Selection().contains(col, row); }

void TbsSkinCustomGrid::accessibleSelectCell(int col, int row)
{
    if (isFixed(col, row))
        return;
    moveCurrent(col, row, Anchor::Follow, Scroll::IntoView);
}

void TbsSkinCustomGrid::clampTopLeft()
{
    moveTopLeft(m_cols.clampFirst(m_cols.first, width()), m_rows.clampFirst(m_rows.first, height()));
}

void TbsSkinCustomGrid::scrollIntoView(int col, int row)
{
    // Back to the item when it lies before the window, or as little forward as shows it whole.
    auto wanted = [this](const GridAxis& axis, int index) {
        if (index < axis.fixed || index >= axis.count)
            return axis.first;
        if (index < axis.first)
            return index;
        return std::max(axis.first, axis.firstShowing(index, extent(axis)));
    };
    moveTopLeft(wanted(m_cols, col), wanted(m_rows, row));
}

void TbsSkinCustomGrid::moveTopLeft(int left, int top)
{
    if (left == m_cols.first && top == m_rows.first)
        return;
    TGridCoord const old{m_cols.first, m_rows.first};
    m_cols.first = left;
    m_rows.first = top;
    topLeftChanged(old);
}

void TbsSkinCustomGrid::setFirst(GridAxis& axis, int value)
{
    TGridCoord const old{m_cols.first, m_rows.first};
    if (assignChanged(axis.first, axis.clampFirst(value, extent(axis))))
        topLeftChanged(old);
}

void TbsSkinCustomGrid::topLeftChanged(TGridCoord oldFirst)
{
    scrollView(m_rows, oldFirst.y);
    scrollView(m_cols, oldFirst.x);
    placeEditor();
    updateScrollBars();
}

// What stays in view moves on screen; only the rows or columns that come into
// view are painted. The fixed items do not scroll.
void TbsSkinCustomGrid::scrollView(const GridAxis& axis, int oldFirst)
{
    if (axis.first == oldFirst)
        return;
    int const start = axis.fixedExtent();
    int const length = extent(axis) - start;
    int const from = std::min(oldFirst, axis.first);
    int const to = std::max(oldFirst, axis.first);
    // Shrinking the grid can leave the old first item beyond the last one.
    int shift = to < axis.count ? 0 : length;
    for (int i = from; i < to && shift < length; ++i)
        shift += axis.size(i) + axis.lineWidth;
    if (!showing() || shift >= length) {
        invalidate();
        return;
    }
    int const delta = axis.first > oldFirst ? -shift : shift;
    if (&axis == &m_rows)
        scrollRect(0, delta, TRect{0, start, width(), height()});
    else
        scrollRect(delta, 0, TRect{start, 0, width(), height()});
}

void TbsSkinCustomGrid::invalidateCell(int col, int row)
{
    if (col < 0 || row < 0 || col >= m_cols.count || row >= m_rows.count)
        return;
    invalidateRect(CellRect(col, row));
}

void TbsSkinCustomGrid::invalidateCells(const TGridRect& cells)
{
    // Only the cells in view are looked at: a selection may span thousands of rows.
    TRect box;
    auto add = [&](int col, int row) {
        if (!cells.contains(col, row))
            return;
        TRect r = CellRect(col, row);
        if (r.isEmpty())
            return;
        box = box.isEmpty() ? r
                            : TRect{std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
                                  std::max(box.bottom, r.bottom)};
    };
    forEachVisibleCell(add);
    invalidateRect(box);
}

// ---- external scroll bars ----

void TbsSkinCustomGrid::setHScrollBar(TbsSkinScrollBar* bar)
{
    unwireScrollBar(m_hScrollBar);
    m_hScrollBar = bar;
    wireScrollBar(bar, Direction::Cols);
    updateScrollBars();
}

void TbsSkinCustomGrid::setVScrollBar(TbsSkinScrollBar* bar)
{
    unwireScrollBar(m_vScrollBar);
    m_vScrollBar = bar;
    wireScrollBar(bar, Direction::Rows);
    updateScrollBars();
}

void TbsSkinCustomGrid::wireScrollBar(TbsSkinScrollBar* bar, Direction direction)
{
    if (!bar)
        return;
    bar->setKind(direction == Direction::Rows ? TScrollBarKind::Vertical : TScrollBarKind::Horizontal);
    // The "up" button increases the position, which scrolls towards the end.
    bar->onUpButtonClick = [this, direction] { scrollMessage(direction, ScrollCode::LineDown, 0); };
    bar->onDownButtonClick = [this, direction] { scrollMessage(direction, ScrollCode::LineUp, 0); };
    bar->onPageUp = [this, direction] { scrollMessage(direction, ScrollCode::PageUp, 0); };
    bar->onPageDown = [this, direction] { scrollMessage(direction, ScrollCode::PageDown, 0); };
    bar->onChange = [this, direction, bar] {
        if (bar->dragging() && (m_options & goThumbTracking))
            scrollMessage(direction, ScrollCode::Thumb, bar->Position());
    };
    bar->onLastChange = [this, direction, bar] { scrollMessage(direction, ScrollCode::Thumb, bar->Position()); };
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
    updateScrollBar(m_vScrollBar, m_rows);
    updateScrollBar(m_hScrollBar, m_cols);
}

void TbsSkinCustomGrid::updateScrollBar(TbsSkinScrollBar* bar, const GridAxis& axis)
{
    if (!bar)
        return;
    int const maxFirst = axis.maxFirst(extent(axis));
    if (maxFirst <= axis.fixed) {
        bar->setRange(0, 0, 0, 0);
        bar->setVisible(false);
        return;
    }
    int const rest = axis.count - axis.visibleCount(extent(axis)) - axis.fixed;
    int const change = std::max(1, rest > 0 ? scrollRange / rest : scrollRange);
    bar->setRange(0, scrollRange, 0, mulDiv(axis.first - axis.fixed, scrollRange, maxFirst - axis.fixed));
    bar->setSmallChange(change);
    bar->setLargeChange(change);
    bar->setVisible(visible());
}

void TbsSkinCustomGrid::scrollMessage(Direction direction, ScrollCode code, int position)
{
    if (showing() && enabled() && tabStop() && !focused()) {
        hideEditor();
        setFocus();
    }
    GridAxis& along = axis(direction);
    int const maxFirst = along.maxFirst(extent(along));
    int const page = std::max(1, along.visibleCount(extent(along)));
    int first = along.first;
    switch (code) {
    case ScrollCode::LineUp: first -= 1; break;
    case ScrollCode::LineDown: first += 1; break;
    case ScrollCode::PageUp: first -= page; break;
    case ScrollCode::PageDown: first += page; break;
    case ScrollCode::Thumb: first = along.fixed + mulDiv(position, maxFirst - along.fixed, scrollRange); break;
    }
    setFirst(along, first);
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
    else if (m_useSkinCellHeight && m_rows.defaultSize != m_skinValues.selectCellRect.height())
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
    if (m_current.x >= m_cols.count || m_current.y >= m_rows.count)
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
    invalidateCell(m_editCell.x, m_editCell.y);
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
    invalidateCell(cell.x, cell.y);
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
    if (m_updateLock > 0)
        return;
    invalidateCell(col, row);
    accessibleNotifyCell(TAccessibleEvent::NameChanged, col, row);
}

void TbsSkinCustomGrid::endUpdate()
{
    if (m_updateLock == 0 || --m_updateLock > 0)
        return;
    invalidate();
    // Cells changed by the batch are read anew.
    accessibleNotify(TAccessibleEvent::ItemsChanged);
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

void TbsSkinCustomGrid::focusOut()
{
    TbsSkinControl::focusOut();
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

// ---- painting ----

void TbsSkinCustomGrid::paint(Canvas& canvas)
{
    bindSection();
    refreshSkin();
    paintGrid(canvas);
}

void TbsSkinCustomGrid::drawDefaultLook(Canvas& canvas) { paintGrid(canvas); }

TbsSkinCustomGrid::Areas TbsSkinCustomGrid::areas() const
{
    Span const fixedCols{0, m_cols.fixed - 1};
    Span const fixedRows{0, m_rows.fixed - 1};
    // The column and row after the fully visible ones may show in part.
    Span const cols{m_cols.first, std::min(m_cols.count - 1, m_cols.first + VisibleColCount())};
    Span const rows{m_rows.first, std::min(m_rows.count - 1, m_rows.first + VisibleRowCount())};
    return Areas{{{fixedCols, fixedRows}, {cols, fixedRows}, {fixedCols, rows}, {cols, rows}}};
}

void TbsSkinCustomGrid::paintGrid(Canvas& canvas)
{
    m_paintCanvas = &canvas;
    defaultlook::fillRect(canvas, clientRect(), m_skinUsable ? m_skinValues.bgColor : color());
    try {
        for (const Area& area : areas()) {
            paintLines(canvas, area);
            for (int row = area.rows.first; row <= area.rows.last; ++row) {
                for (int col = area.cols.first; col <= area.cols.last; ++col) {
                    TRect r = CellRect(col, row);
                    // Cells outside the region being repainted stay as they are on screen.
                    if (canvas.rectVisible(r))
                        paintCell(canvas, col, row, r);
                }
            }
        }
    } catch (...) {
        m_paintCanvas = nullptr;
        throw;
    }
    m_paintCanvas = nullptr;
}

// The area's lines in one call: right of and below each visible cell, joined
// into one run per column and per row. Where a switched-off vertical line
// meets a horizontal one, the horizontal one is drawn over it.
void TbsSkinCustomGrid::paintLines(Canvas& canvas, const Area& area)
{
    int const lw = GridLineWidth();
    if (lw <= 0 || area.cols.last < area.cols.first || area.rows.last < area.rows.first)
        return;
    bool const fixed = isFixed(area.cols.first, area.rows.first);
    bool const vert = m_options & (fixed ? goFixedVertLine : goVertLine);
    bool const horz = m_options & (fixed ? goFixedHorzLine : goHorzLine);
    TColor const background = m_skinUsable ? m_skinValues.bgColor : fixed ? m_fixedColor : color();
    TColor const line = color() == clSilver ? clGray : m_skinUsable ? m_skinValues.linesColor : m_gridLineColor;

    struct Runs {
        std::vector<TPoint> points;
        std::vector<int> counts;
        void add(TPoint from, TPoint to)
        {
            // Continues the last run when the new piece starts where it ended.
            if (!counts.empty() && points.back() == from) {
                points.back() = to;
                return;
            }
            points.push_back(from);
            points.push_back(to);
            counts.push_back(2);
        }
    };
    // The pen's pixels start lw / 2 before the line's coordinate.
    int const half = lw / 2;
    Runs verticals, horizontals;
    for (int col = area.cols.first; col <= area.cols.last; ++col) {
        for (int row = area.rows.first; row <= area.rows.last; ++row) {
            TRect r = CellRect(col, row);
            if (!r.isEmpty())
                verticals.add(TPoint{r.right + half, r.top}, TPoint{r.right + half, r.bottom + lw});
        }
    }
    for (int row = area.rows.first; row <= area.rows.last; ++row) {
        for (int col = area.cols.first; col <= area.cols.last; ++col) {
            TRect r = CellRect(col, row);
            if (!r.isEmpty())
                horizontals.add(TPoint{r.left, r.bottom + half}, TPoint{r.right + lw, r.bottom + half});
        }
    }
    canvas.pen = Pen{};
    canvas.pen.width = lw;
    TColor const vertColor = vert ? line : background;
    TColor const horzColor = horz ? line : background;
    if (vertColor == horzColor) {
        verticals.points.insert(verticals.points.end(), horizontals.points.begin(), horizontals.points.end());
        verticals.counts.insert(verticals.counts.end(), horizontals.counts.begin(), horizontals.counts.end());
        canvas.pen.color = vertColor;
        canvas.polyPolyline(verticals.points, verticals.counts);
        return;
    }
    canvas.pen.color = vertColor;
    canvas.polyPolyline(verticals.points, verticals.counts);
    canvas.pen.color = horzColor;
    canvas.polyPolyline(horizontals.points, horizontals.counts);
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

#pragma once

#include "controls/GridAxis.h"
#include "controls/GridSkin.h"
#include "controls/GridTypes.h"
#include "runtime/ui/Timer.h"
#include "skin/controls/SkinControl.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class TbsSkinInplaceEdit;
class TbsSkinScrollBar;

// The grid engine: counts and sizes, the current cell with its selection, the
// move rule, the in-place editor, keyboard, mouse and wheel navigation, external
// scroll bars and painting. Cell contents and the events live in the subclasses.
class TbsSkinCustomGrid : public TbsSkinControl, public TAccessibleTable {
public:
    explicit TbsSkinCustomGrid(TWinControl* parent);
    ~TbsSkinCustomGrid() override;

    // External scroll bars take a range of 0 to this value.
    static constexpr int scrollRange = 127;
    static constexpr int selectInterval = 60;

    int ColCount() const { return m_cols.count; }
    void setColCount(int value) { setCount(m_cols, value); }
    int RowCount() const { return m_rows.count; }
    void setRowCount(int value) { setCount(m_rows, value); }
    int FixedCols() const { return m_cols.fixed; }
    void setFixedCols(int value);
    int FixedRows() const { return m_rows.fixed; }
    void setFixedRows(int value);

    int DefaultColWidth() const { return m_cols.defaultSize; }
    void setDefaultColWidth(int value) { setDefaultSize(m_cols, value); }
    int DefaultRowHeight() const { return m_rows.defaultSize; }
    void setDefaultRowHeight(int value) { setDefaultSize(m_rows, value); }
    int DefaultCellHeight() const { return m_defaultCellHeight; }
    void setDefaultCellHeight(int value) { m_defaultCellHeight = value; }
    int ColWidths(int index) const { return m_cols.size(index); }
    void setColWidths(int index, int value) { setSize(m_cols, index, value); }
    int RowHeights(int index) const { return m_rows.size(index); }
    void setRowHeights(int index, int value) { setSize(m_rows, index, value); }
    int GridLineWidth() const { return m_cols.lineWidth; }
    void setGridLineWidth(int value);
    TColor GridLineColor() const { return m_gridLineColor; }
    void setGridLineColor(TColor value);
    TColor FixedColor() const { return m_fixedColor; }
    void setFixedColor(TColor value);
    bool DefaultDrawing() const { return m_defaultDrawing; }
    void setDefaultDrawing(bool value);
    bool UseSkinCellHeight() const { return m_useSkinCellHeight; }
    void setUseSkinCellHeight(bool value) { m_useSkinCellHeight = value; }

    TGridOptions Options() const { return m_options; }
    void setOptions(TGridOptions value);

    int Col() const { return m_current.x; }
    void setCol(int value);
    int Row() const { return m_current.y; }
    void setRow(int value);
    TGridRect Selection() const;
    int LeftCol() const { return m_cols.first; }
    void setLeftCol(int value) { setFirst(m_cols, value); }
    int TopRow() const { return m_rows.first; }
    void setTopRow(int value) { setFirst(m_rows, value); }
    // Fully visible scrolling rows and columns from the top-left cell.
    int VisibleRowCount() const { return m_rows.visibleCount(height()); }
    int VisibleColCount() const { return m_cols.visibleCount(width()); }
    // The largest top row and left column that still fill the window.
    int maxTopRow() const { return m_rows.maxFirst(height()); }
    int maxLeftCol() const { return m_cols.maxFirst(width()); }

    // The bars belong to the window and call back into the grid: hand the grid
    // nullptr before freeing a bar, or free the grid first.
    TbsSkinScrollBar* HScrollBar() const { return m_hScrollBar; }
    void setHScrollBar(TbsSkinScrollBar* bar);
    TbsSkinScrollBar* VScrollBar() const { return m_vScrollBar; }
    void setVScrollBar(TbsSkinScrollBar* bar);

    bool EditorMode() const { return m_editorMode; }
    void setEditorMode(bool value);
    TbsSkinInplaceEdit* InplaceEditor() const { return m_editor.get(); }

    // Cell rectangle in client coordinates (grid lines excluded); empty when not visible.
    TRect CellRect(int col, int row) const;
    // The cell under a client point; {-1, -1} outside every cell.
    TGridCoord MouseCoord(int x, int y) const;

    // Valid only while a paint runs: the canvas OnDrawCell handlers draw on.
    Canvas* paintCanvas() const { return m_paintCanvas; }
    // True while the skin section can paint the grid (re-read at every paint).
    bool skinUsable() const { return m_skinUsable; }

    void skinChanged() override;
    void setVisible(bool visible) override;

    std::function<void()> onDblClick;
    // A right press at a client point, or the context-menu key or Shift+F10 with the
    // point (-1, -1): the current cell is meant.
    std::function<void(TPoint mousePos)> onContextPopup;

    // A screen reader reads the grid as a table whose fixed rows are the headers.
    TAccessibleRole accessibleRole() const override { return TAccessibleRole::Table; }
    TAccessibleTable* accessibleTable() override { return this; }
    int accessibleColumnCount() const override { return ColCount(); }
    int accessibleRowCount() const override { return RowCount(); }
    int accessibleHeaderRows() const override { return FixedRows(); }
    std::string accessibleCellText(int, int) const override { return {}; }
    TRect accessibleCellRect(int col, int row) const override { return CellRect(col, row); }
    bool accessibleCellSelected(int col, int row) const override;
    TPoint accessibleCurrentCell() const override { return TPoint{Col(), Row()}; }
    void accessibleSelectCell(int col, int row) override;

    // Cell changes between these repaint the grid once, at the last end, instead of
    // each its own cell (a whole schedule written at once).
    void beginUpdate() { ++m_updateLock; }
    void endUpdate();

    // The in-place editor reports to its grid through these.
    void editorKeyDown(int& key, unsigned shift);
    void editorKeyPress(char& key);
    void editorTextChanged();
    void editorExit();
    void editorWheel(int delta, unsigned shift) { mouseWheel(delta, shift); }

protected:
    // Cell contents and events: the subclasses fill these in.
    virtual bool selectCell(int col, int row);
    virtual void drawCell(Canvas& canvas, int col, int row, const TRect& rect, TGridDrawState state);
    virtual std::string getEditText(int col, int row);
    virtual void setEditText(int col, int row, const std::string& text);

    // Repaints a cell unless updates are suspended; reloads the editor when it
    // shows the current cell and the change did not come from it.
    void cellChanged(int col, int row, bool fromEditor);

    // The "grid" section's values; false when there is no usable section.
    virtual bool readSkin(GridSkin& skin) const;
    // Where the text of the cell being painted goes.
    const TRect& paintTextRect() const { return m_paintTextRect; }

    void paint(Canvas& canvas) override;
    void drawDefaultLook(Canvas& canvas) override;
    void keyDown(int& key, unsigned shift) override;
    void keyPress(char& key) override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;
    void mouseWheel(int delta, unsigned shift) override;
    void focusOut() override;
    void resized() override;

private:
    enum class ScrollCode { LineUp, LineDown, PageUp, PageDown, Thumb };
    // Whether a move takes the selection anchor along or extends the selection.
    enum class Anchor { Follow, Stay };
    // Whether a move scrolls the new current cell into view.
    enum class Scroll { IntoView, None };
    enum class Direction { Cols, Rows };

    // The move rule: range check, OnSelectCell, move, editor, anchor, scroll.
    void moveCurrent(int col, int row, Anchor anchor, Scroll scroll);
    GridAxis& axis(Direction direction) { return direction == Direction::Cols ? m_cols : m_rows; }
    // The window's length along an axis.
    int extent(const GridAxis& axis) const { return &axis == &m_cols ? width() : height(); }
    void setCount(GridAxis& axis, int value);
    // Range checks and stores a fixed count; the caller moves the cells it pushed out.
    void setFixed(GridAxis& axis, int value, const char* tooMany);
    void fixedChanged();
    void setDefaultSize(GridAxis& axis, int value);
    void setSize(GridAxis& axis, int index, int value);
    void setFirst(GridAxis& axis, int value);
    void sizeChanged();
    void clampTopLeft();
    void scrollIntoView(int col, int row);
    // Both first scrollable items at once, one notice when either changed.
    void moveTopLeft(int left, int top);
    void topLeftChanged(TGridCoord oldFirst);
    void scrollView(const GridAxis& axis, int oldFirst);
    void invalidateCell(int col, int row);
    void invalidateCells(const TGridRect& cells);
    void updateScrollBars();
    void updateScrollBar(TbsSkinScrollBar* bar, const GridAxis& axis);
    void scrollMessage(Direction direction, ScrollCode code, int position);
    void wireScrollBar(TbsSkinScrollBar* bar, Direction direction);
    void unwireScrollBar(TbsSkinScrollBar* bar);
    void showEditor();
    void hideEditor();
    bool canEditShow() const;
    void loadEditorText();
    void placeEditor();
    void gridKeyPress(char& key);
    void extendSelectionTo(int x, int y);
    void selectTimerTick();

    bool isFixed(int col, int row) const { return col < m_cols.fixed || row < m_rows.fixed; }
    // Inclusive ranges of columns or rows; empty when last < first.
    struct Span {
        int first;
        int last;
    };
    struct Area {
        Span cols;
        Span rows;
    };
    // The cells in view, in painting order: fixed corner, fixed rows, fixed
    // columns, scrolling area.
    using Areas = std::array<Area, 4>;
    Areas areas() const;
    template <class Fn> void forEachVisibleCell(Fn&& fn) const
    {
        for (const Area& area : areas())
            for (int row = area.rows.first; row <= area.rows.last; ++row)
                for (int col = area.cols.first; col <= area.cols.last; ++col)
                    fn(col, row);
    }
    void refreshSkin();
    void paintGrid(Canvas& canvas);
    void paintCell(Canvas& canvas, int col, int row, const TRect& rect);
    void paintSkinCell(Canvas& canvas, int col, int row, const TRect& rect, TGridDrawState state);
    Font skinCellFont() const;
    void paintLines(Canvas& canvas, const Area& area);

    GridAxis m_cols{5, 64};
    GridAxis m_rows{5, 20};
    int m_defaultCellHeight = 20;
    TColor m_gridLineColor = clWindowText;
    TColor m_fixedColor = clBtnFace;
    bool m_defaultDrawing = true;
    bool m_useSkinCellHeight = true;
    TGridOptions m_options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

    TGridCoord m_current{1, 1};
    TGridCoord m_anchor{1, 1};

    TbsSkinScrollBar* m_hScrollBar = nullptr;
    TbsSkinScrollBar* m_vScrollBar = nullptr;

    std::unique_ptr<TbsSkinInplaceEdit> m_editor;
    bool m_editorMode = false;
    bool m_loadingEditor = false;
    TGridCoord m_editCell{-1, -1};

    int m_updateLock = 0;
    Canvas* m_paintCanvas = nullptr;
    TRect m_paintTextRect;
    GridSkin m_skinValues;
    bool m_skinUsable = false;
    // The cell pictures of the bound section, which m_skinValues points into.
    mutable Bitmap m_skinCells;

    bool m_selecting = false;
    TPoint m_mouse;
    TTimer m_selectTimer;
    std::optional<std::int64_t> m_lastPress;
    TPoint m_lastPressPoint{-100, -100};
};

// Holds a grid's repaints for the scope of a batch of cell changes.
class TbsGridUpdate {
public:
    explicit TbsGridUpdate(TbsSkinCustomGrid& grid) : m_grid(grid) { m_grid.beginUpdate(); }
    ~TbsGridUpdate() { m_grid.endUpdate(); }
    TbsGridUpdate(const TbsGridUpdate&) = delete;
    TbsGridUpdate& operator=(const TbsGridUpdate&) = delete;

private:
    TbsSkinCustomGrid& m_grid;
};

} // namespace qv

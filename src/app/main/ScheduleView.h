#pragma once

#include "loan/ScheduleGrid.h"
#include "runtime/ui/Control.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace qv {

// Read-only table of the schedule: a fixed header row and number column, rows
// of 20 pixels, a scroll strip on the right when the rows do not fit. Texts
// beyond the row count are kept and come back when it grows.
class ScheduleView : public TCustomControl, public ScheduleGrid {
public:
    explicit ScheduleView(TWinControl* parent);

    std::string cellText(int col, int row) const override;
    void setCellText(int col, int row, const std::string& text) override;
    int rowCount() const override { return m_rowCount; }
    void setRowCount(int rows) override;

    int colCount() const { return static_cast<int>(m_colWidths.size()); }
    void setColCount(int cols);
    int colWidth(int col) const { return m_colWidths.at(col); }
    void setColWidth(int col, int width);
    int topRow() const { return m_topRow; }
    void setTopRow(int row);
    int visibleDataRows() const;
    bool scrollStripShown() const { return m_rowCount - 1 > visibleDataRows(); }

    static constexpr int rowHeight = 20;
    static constexpr int stripWidth = 16;

protected:
    void paint(Canvas& canvas) override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;
    void mouseWheel(int delta, unsigned shift) override;
    void keyDown(int& key, unsigned shift) override;

private:
    TRect thumbRect() const;
    int maxTopRow() const;
    void drawCell(Canvas& canvas, const TRect& r, const std::string& text, bool fixed, bool rightAligned);

    std::map<std::pair<int, int>, std::string> m_cells; // (row, col)
    std::vector<int> m_colWidths;
    int m_rowCount = 2;
    int m_topRow = 1;
    bool m_dragging = false;
    int m_dragOffset = 0;
};

} // namespace qv

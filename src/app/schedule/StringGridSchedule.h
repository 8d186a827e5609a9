#pragma once

#include "controls/SkinStringGrid.h"
#include "loan/ScheduleGrid.h"

namespace qv {

// The loan engine's view of the window's string grid.
class StringGridSchedule : public ScheduleGrid {
public:
    explicit StringGridSchedule(TbsSkinStringGrid& grid) : m_grid(grid) {}

    std::string cellText(int col, int row) const override { return m_grid.Cells(col, row); }
    void setCellText(int col, int row, std::string_view text) override { m_grid.setCells(col, row, text); }
    int rowCount() const override { return m_grid.RowCount(); }
    void setRowCount(int rows) override { m_grid.setRowCount(rows); }

private:
    TbsSkinStringGrid& m_grid;
};

} // namespace qv

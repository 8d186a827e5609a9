#pragma once

#include <map>
#include <string>
#include <utility>

namespace qv {

// What the loan engine needs of the schedule grid: its cells and its row count.
// The window's string grid and the command line's in-memory grid both provide it.
class ScheduleGrid {
public:
    virtual ~ScheduleGrid() = default;
    virtual std::string cellText(int col, int row) const = 0;
    virtual void setCellText(int col, int row, const std::string& text) = 0;
    virtual int rowCount() const = 0;
    virtual void setRowCount(int rows) = 0;
};

// Sparse like the real grid: texts beyond the row count are kept and come back when it grows.
class MemoryGrid : public ScheduleGrid {
public:
    std::string cellText(int col, int row) const override;
    void setCellText(int col, int row, const std::string& text) override;
    int rowCount() const override { return m_rowCount; }
    void setRowCount(int rows) override { m_rowCount = rows; }

private:
    std::map<std::pair<int, int>, std::string> m_cells; // (row, col)
    int m_rowCount = 2;
};

} // namespace qv

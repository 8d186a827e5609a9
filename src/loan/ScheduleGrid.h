#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv {

// What the loan engine needs of the schedule grid: its cells and its row count.
// The window's string grid and the command line's in-memory grid both provide it.
class ScheduleGrid {
public:
    virtual ~ScheduleGrid() = default;
    virtual std::string cellText(int col, int row) const = 0;
    virtual void setCellText(int col, int row, std::string_view text) = 0;
    virtual int rowCount() const = 0;
    virtual void setRowCount(int rows) = 0;
};

// Sparse like the real grid: texts beyond the row count are kept and come back when it grows.
class MemoryGrid : public ScheduleGrid {
public:
    std::string cellText(int col, int row) const override;
    void setCellText(int col, int row, std::string_view text) override;
    int rowCount() const override { return m_rowCount; }
    void setRowCount(int rows) override { m_rowCount = rows; }

private:
    // Rows only grow: a Calculate rewrites texts in place instead of allocating them anew.
    std::vector<std::vector<std::string>> m_rows;
    int m_rowCount = 2;
};

} // namespace qv

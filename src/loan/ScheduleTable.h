#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

enum ScheduleColumn {
    colNumber = 0,
    colDate = 1,
    colInterest = 2,
    colPrincipal = 3,
    colExtra = 4,
    colBalance = 5,
};

// Rows of six texts; row 0 holds only the loan amount in its balance cell.
class ScheduleTable {
public:
    using Row = std::array<std::string, 6>;

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    bool hasRow(int row) const { return row >= 0 && row < rowCount(); }
    // Keeps the rows that remain; new rows start empty. Raises EListError for a negative count.
    void resize(int rows);
    // Raise EListError outside the table: nothing is ever read or written past it.
    // Inline: Calculate writes six cells a month.
    const std::string& cell(int row, int col) const
    {
        checkIndex(row, col);
        return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    }
    void setCell(int row, int col, std::string_view text)
    {
        checkIndex(row, col);
        m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)].assign(text);
    }
    const Row& row(int row) const;

private:
    void checkIndex(int row, int col) const
    {
        if (!hasRow(row) || col < 0 || col >= static_cast<int>(std::tuple_size_v<Row>))
            raiseIndexError(row, col);
    }
    [[noreturn]] static void raiseIndexError(int row, int col);
    std::vector<Row> m_rows;
};

} // namespace qv

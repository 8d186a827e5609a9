#include "loan/ScheduleTable.h"

#include "runtime/core/Exception.h"

namespace qv {

void ScheduleTable::resize(int rows)
{
    if (rows < 0)
        throw EListError("Schedule size out of range (" + std::to_string(rows) + ")");
    m_rows.resize(static_cast<std::size_t>(rows));
}

void ScheduleTable::checkIndex(int row, int col) const
{
    if (!hasRow(row) || col < 0 || col >= 6)
        throw EListError("Schedule index out of range (row " + std::to_string(row) + ", cell " + std::to_string(col) + ")");
}

const std::string& ScheduleTable::cell(int row, int col) const
{
    checkIndex(row, col);
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void ScheduleTable::setCell(int row, int col, std::string text)
{
    checkIndex(row, col);
    m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = std::move(text);
}

const ScheduleTable::Row& ScheduleTable::row(int row) const
{
    checkIndex(row, 0);
    return m_rows[static_cast<std::size_t>(row)];
}

} // namespace qv

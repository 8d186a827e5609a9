#include "loan/ScheduleTable.h"

#include "runtime/core/Exception.h"

namespace qv {

void ScheduleTable::resize(int rows)
{
    if (rows < 0)
        throw EListError("Schedule size out of range (" + std::to_string(rows) + ")");
    m_rows.resize(static_cast<std::size_t>(rows));
}

void ScheduleTable::raiseIndexError(int row, int col)
{
    throw EListError("Schedule index out of range (row " + std::to_string(row) + ", cell " + std::to_string(col) + ")");
}

const ScheduleTable::Row& ScheduleTable::row(int row) const
{
    checkIndex(row, 0);
    return m_rows[static_cast<std::size_t>(row)];
}

} // namespace qv

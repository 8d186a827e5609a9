#include "loan/ScheduleGrid.h"

#include <algorithm>

namespace qv {
namespace {

constexpr std::size_t scheduleColumns = 6;

} // namespace

std::string MemoryGrid::cellText(int col, int row) const
{
    if (row < 0 || col < 0 || static_cast<std::size_t>(row) >= m_rows.size())
        return {};
    auto const& cells = m_rows[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(col) < cells.size() ? cells[static_cast<std::size_t>(col)] : std::string();
}

void MemoryGrid::setCellText(int col, int row, std::string_view text)
{
    if (row < 0 || col < 0)
        return;
    auto const r = static_cast<std::size_t>(row);
    auto const c = static_cast<std::size_t>(col);
    if (r >= m_rows.size()) {
        if (text.empty())
            return;
        m_rows.resize(r + 1);
    }
    auto& cells = m_rows[r];
    if (c >= cells.size()) {
        if (text.empty())
            return;
        cells.resize(std::max(c + 1, scheduleColumns));
    }
    cells[c].assign(text);
}

} // namespace qv

#include "loan/ScheduleGrid.h"

namespace qv {

std::string MemoryGrid::cellText(int col, int row) const
{
    auto const it = m_cells.find({row, col});
    return it == m_cells.end() ? std::string() : it->second;
}

void MemoryGrid::setCellText(int col, int row, const std::string& text)
{
    if (text.empty()) {
        m_cells.erase({row, col});
        return;
    }
    m_cells[{row, col}] = text;
}

} // namespace qv

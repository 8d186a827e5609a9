#include "controls/SkinDrawGrid.h"

namespace qv {

bool TbsSkinDrawGrid::selectCell(int col, int row)
{
    bool canSelect = true;
    if (onSelectCell)
        onSelectCell(*this, col, row, canSelect);
    return canSelect;
}

void TbsSkinDrawGrid::drawCell(Canvas&, int col, int row, const TRect& rect, TGridDrawState state)
{
    if (onDrawCell)
        onDrawCell(*this, col, row, rect, state);
}

std::string TbsSkinDrawGrid::getEditText(int col, int row)
{
    std::string text;
    if (onGetEditText)
        onGetEditText(*this, col, row, text);
    return text;
}

void TbsSkinDrawGrid::setEditText(int col, int row, const std::string& text)
{
    if (onSetEditText)
        onSetEditText(*this, col, row, text);
}

} // namespace qv

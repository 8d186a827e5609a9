#pragma once

#include "controls/SkinCustomGrid.h"

namespace qv {

// The grid with its cell events published.
class TbsSkinDrawGrid : public TbsSkinCustomGrid {
public:
    using TbsSkinCustomGrid::TbsSkinCustomGrid;

    // CanSelect is true on entry; clearing it refuses the move.
    std::function<void(TbsSkinDrawGrid& sender, int col, int row, bool& canSelect)> onSelectCell;
    // Runs after the default drawing of a cell; draw on paintCanvas().
    std::function<void(TbsSkinDrawGrid& sender, int col, int row, const TRect& rect, TGridDrawState state)> onDrawCell;
    std::function<void(TbsSkinDrawGrid& sender, int col, int row, std::string& text)> onGetEditText;
    std::function<void(TbsSkinDrawGrid& sender, int col, int row, const std::string& text)> onSetEditText;

protected:
    bool selectCell(int col, int row) override;
    void drawCell(Canvas& canvas, int col, int row, const TRect& rect, TGridDrawState state) override;
    std::string getEditText(int col, int row) override;
    void setEditText(int col, int row, const std::string& text) override;
};

} // namespace qv

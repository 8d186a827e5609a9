#pragma once

#include "controls/SkinDrawGrid.h"

#include <map>
#include <string>

namespace qv {

// A grid that holds a text per cell. The store is sparse and ignores the
// counts: texts outside them are kept and show again when the counts grow.
class TbsSkinStringGrid : public TbsSkinDrawGrid {
public:
    explicit TbsSkinStringGrid(TWinControl* parent);

    std::string Cells(int col, int row) const;
    void setCells(int col, int row, const std::string& text);
    // Cells that hold a text, wherever they are.
    size_t storedCellCount() const;

    std::string accessibleCellText(int col, int row) const override { return Cells(col, row); }

protected:
    void drawCell(Canvas& canvas, int col, int row, const TRect& rect, TGridDrawState state) override;
    std::string getEditText(int col, int row) override;
    void setEditText(int col, int row, const std::string& text) override;

private:
    void store(int col, int row, const std::string& text);

    std::map<int, std::map<int, std::string>> m_rows; // row -> col -> text
};

} // namespace qv

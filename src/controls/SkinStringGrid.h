#pragma once

#include "controls/SkinDrawGrid.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

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

    // A row's texts in column order: a row holds a few, so a short list finds and adds
    // a text faster than a tree of its own per row.
    using RowTexts = std::vector<std::pair<int, std::string>>;
    static RowTexts::const_iterator findCol(const RowTexts& texts, int col);
    std::map<int, RowTexts> m_rows;
};

} // namespace qv

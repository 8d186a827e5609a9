#pragma once

#include "controls/SkinDrawGrid.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// A grid that holds a text per cell. The store is sparse and ignores the
// counts: texts outside them are kept and show again when the counts grow.
class TbsSkinStringGrid : public TbsSkinDrawGrid {
public:
    explicit TbsSkinStringGrid(TWinControl* parent);

    std::string Cells(int col, int row) const { return cellText(col, row); }
    void setCells(int col, int row, std::string_view text);
    // Cells that hold a text, wherever they are.
    size_t storedCellCount() const;

    std::string accessibleCellText(int col, int row) const override { return Cells(col, row); }

protected:
    void drawCell(Canvas& canvas, int col, int row, const TRect& rect, TGridDrawState state) override;
    std::string getEditText(int col, int row) override;
    void setEditText(int col, int row, const std::string& text) override;

private:
    // The stored text, or an empty one for a cell never set.
    const std::string& cellText(int col, int row) const;
    void store(int col, int row, std::string_view text);

    // Rows go in pages of rowsPerPage, each page one list of its texts ordered by row,
    // then column. A schedule written row by row adds at the end of its page's list:
    // no search, and no allocation of its own per text or per row.
    static constexpr int rowsPerPage = 32;
    struct StoredText {
        StoredText(int r, int c, std::string_view t) : row(r), col(c), text(t) {}
        int row;
        int col;
        std::string text;
    };
    using PageTexts = std::vector<StoredText>;
    static PageTexts::const_iterator find(const PageTexts& texts, int col, int row);
    void erase(int col, int row);
    // The page of a row, made when it has none.
    PageTexts& pageOf(int row)
    {
        int const key = row / rowsPerPage;
        return m_lastPage && m_lastPageKey == key ? *m_lastPage : openPage(key);
    }
    PageTexts& openPage(int key);
    [[noreturn]] static void raiseIndexOutOfRange();
    std::map<int, PageTexts> m_pages;
    // The page written last: the next text usually goes there too.
    PageTexts* m_lastPage = nullptr;
    int m_lastPageKey = 0;
};

} // namespace qv

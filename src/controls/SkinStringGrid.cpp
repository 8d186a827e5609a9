#include "controls/SkinStringGrid.h"

#include <algorithm>

namespace qv {

namespace {

constexpr int columnsReservedAtMost = 32;

bool before(int rowA, int colA, int rowB, int colB) { return rowA < rowB || (rowA == rowB && colA < colB); }

} // namespace

TbsSkinStringGrid::TbsSkinStringGrid(TWinControl* parent) : TbsSkinDrawGrid(parent) {}

TbsSkinStringGrid::PageTexts::const_iterator TbsSkinStringGrid::find(const PageTexts& texts, int col, int row)
{
    return std::partition_point(texts.begin(), texts.end(),
                                [col, row](const StoredText& text) { return before(text.row, text.col, row, col); });
}

const std::string& TbsSkinStringGrid::cellText(int col, int row) const
{
    static const std::string none;
    if (row < 0)
        return none;
    auto const page = m_pages.find(row / rowsPerPage);
    if (page == m_pages.end())
        return none;
    auto const c = find(page->second, col, row);
    return c == page->second.end() || c->row != row || c->col != col ? none : c->text;
}

void TbsSkinStringGrid::store(int col, int row, std::string_view text)
{
    if (col < 0 || row < 0)
        raiseIndexOutOfRange();
    if (text.empty()) {
        erase(col, row);
        return;
    }
    PageTexts& texts = pageOf(row);
    if (texts.empty() || before(texts.back().row, texts.back().col, row, col)) {
        texts.emplace_back(row, col, text);
        return;
    }
    auto const c = texts.begin() + (find(texts, col, row) - texts.cbegin());
    if (c->row == row && c->col == col)
        c->text.assign(text);
    else
        texts.emplace(c, row, col, text);
}

// An empty text is the same as a cell never set: it costs nothing.
void TbsSkinStringGrid::erase(int col, int row)
{
    auto const page = m_pages.find(row / rowsPerPage);
    if (page == m_pages.end())
        return;
    auto const c = find(page->second, col, row);
    if (c != page->second.end() && c->row == row && c->col == col)
        page->second.erase(c);
    if (!page->second.empty())
        return;
    if (&page->second == m_lastPage)
        m_lastPage = nullptr;
    m_pages.erase(page);
}

TbsSkinStringGrid::PageTexts& TbsSkinStringGrid::openPage(int key)
{
    PageTexts& texts = m_pages[key];
    // A new page makes room for all its rows at once: filling it moves no text. A
    // wide grid grows its pages as they fill instead.
    if (texts.empty())
        texts.reserve(static_cast<std::size_t>(std::clamp(ColCount(), 1, columnsReservedAtMost)) * rowsPerPage);
    m_lastPage = &texts;
    m_lastPageKey = key;
    return texts;
}

void TbsSkinStringGrid::raiseIndexOutOfRange() { throw bsEInvalidGridOperation(griderrors::indexOutOfRange); }

void TbsSkinStringGrid::setCells(int col, int row, std::string_view text)
{
    store(col, row, text);
    cellChanged(col, row, false);
}

size_t TbsSkinStringGrid::storedCellCount() const
{
    size_t count = 0;
    for (const auto& page : m_pages)
        count += page.second.size();
    return count;
}

void TbsSkinStringGrid::drawCell(Canvas& canvas, int col, int row, const TRect& rect, TGridDrawState state)
{
    if (DefaultDrawing()) {
        const std::string& text = cellText(col, row);
        if (!text.empty()) {
            canvas.setBackgroundTransparent(true);
            const TRect& area = paintTextRect();
            int y = area.top + area.height() / 2 - canvas.textHeight(text) / 2;
            canvas.textRect(area, area.left + 2, y, text);
        }
    }
    TbsSkinDrawGrid::drawCell(canvas, col, row, rect, state);
}

std::string TbsSkinStringGrid::getEditText(int col, int row)
{
    std::string text = Cells(col, row);
    if (onGetEditText)
        onGetEditText(*this, col, row, text);
    return text;
}

void TbsSkinStringGrid::setEditText(int col, int row, const std::string& text)
{
    if (text != cellText(col, row)) {
        store(col, row, text);
        cellChanged(col, row, true);
    }
    TbsSkinDrawGrid::setEditText(col, row, text);
}

} // namespace qv

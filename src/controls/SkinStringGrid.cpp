#include "controls/SkinStringGrid.h"

#include <algorithm>

namespace qv {

TbsSkinStringGrid::TbsSkinStringGrid(TWinControl* parent) : TbsSkinDrawGrid(parent) {}

TbsSkinStringGrid::RowTexts::const_iterator TbsSkinStringGrid::findCol(const RowTexts& texts, int col)
{
    return std::lower_bound(texts.begin(), texts.end(), col, [](const auto& text, int c) { return text.first < c; });
}

std::string TbsSkinStringGrid::Cells(int col, int row) const
{
    auto r = m_rows.find(row);
    if (r == m_rows.end())
        return std::string();
    auto c = findCol(r->second, col);
    return c == r->second.end() || c->first != col ? std::string() : c->second;
}

void TbsSkinStringGrid::store(int col, int row, const std::string& text)
{
    if (col < 0 || row < 0)
        throw bsEInvalidGridOperation(griderrors::indexOutOfRange);
    if (!text.empty()) {
        RowTexts& texts = m_rows[row];
        // A new row makes room for a text in every column at once.
        if (texts.empty())
            texts.reserve(static_cast<std::size_t>(std::max(ColCount(), 1)));
        auto c = texts.begin() + (findCol(texts, col) - texts.cbegin());
        if (c != texts.end() && c->first == col)
            c->second = text;
        else
            texts.emplace(c, col, text);
        return;
    }
    // An empty text is the same as a cell never set: it costs nothing.
    auto r = m_rows.find(row);
    if (r == m_rows.end())
        return;
    auto c = findCol(r->second, col);
    if (c != r->second.end() && c->first == col)
        r->second.erase(c);
    if (r->second.empty())
        m_rows.erase(r);
}

void TbsSkinStringGrid::setCells(int col, int row, const std::string& text)
{
    store(col, row, text);
    cellChanged(col, row, false);
}

size_t TbsSkinStringGrid::storedCellCount() const
{
    size_t count = 0;
    for (const auto& row : m_rows)
        count += row.second.size();
    return count;
}

void TbsSkinStringGrid::drawCell(Canvas& canvas, int col, int row, const TRect& rect, TGridDrawState state)
{
    if (DefaultDrawing()) {
        std::string text = Cells(col, row);
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
    if (text != Cells(col, row)) {
        store(col, row, text);
        cellChanged(col, row, true);
    }
    TbsSkinDrawGrid::setEditText(col, row, text);
}

} // namespace qv

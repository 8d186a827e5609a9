#include "app/main/ScheduleView.h"

#include "skin/controls/SkinControl.h"

#include <algorithm>

namespace qv {

using namespace defaultlook;

ScheduleView::ScheduleView(TWinControl* parent) : TCustomControl(parent), m_colWidths(5, 64)
{
    setTabStop(true);
    setColor(clWindow);
    Font f;
    f.name = "Arial";
    f.height = 13;
    f.color = clWindowText;
    setFont(f);
}

std::string ScheduleView::cellText(int col, int row) const
{
    auto it = m_cells.find({row, col});
    return it == m_cells.end() ? std::string() : it->second;
}

void ScheduleView::setCellText(int col, int row, const std::string& text)
{
    if (col < 0 || row < 0)
        return;
    if (text.empty())
        m_cells.erase({row, col});
    else
        m_cells[{row, col}] = text;
    invalidate();
}

void ScheduleView::setRowCount(int rows)
{
    m_rowCount = std::max(0, rows);
    setTopRow(m_topRow);
    invalidate();
}

void ScheduleView::setColCount(int cols)
{
    m_colWidths.resize(static_cast<size_t>(std::max(0, cols)), 64);
    invalidate();
}

void ScheduleView::setColWidth(int col, int width)
{
    if (col < 0 || col >= colCount())
        return;
    m_colWidths[static_cast<size_t>(col)] = width;
    invalidate();
}

int ScheduleView::visibleDataRows() const { return std::max(1, (height() - 2) / rowHeight - 1); }

int ScheduleView::maxTopRow() const { return std::max(1, m_rowCount - visibleDataRows()); }

void ScheduleView::setTopRow(int row)
{
    int clamped = std::clamp(row, 1, maxTopRow());
    if (clamped == m_topRow)
        return;
    m_topRow = clamped;
    invalidate();
}

TRect ScheduleView::thumbRect() const
{
    int trackTop = 1, trackBottom = height() - 1;
    int track = trackBottom - trackTop;
    int total = std::max(1, m_rowCount - 1);
    int thumb = std::max(16, track * visibleDataRows() / total);
    int travel = track - thumb;
    int span = std::max(1, maxTopRow() - 1);
    int top = trackTop + travel * (m_topRow - 1) / span;
    return TRect{width() - 1 - stripWidth, top, width() - 1, top + thumb};
}

void ScheduleView::drawCell(Canvas& canvas, const TRect& r, const std::string& text, bool fixed, bool rightAligned)
{
    fillRect(canvas, r, fixed ? clBtnFace : clWindow);
    if (fixed)
        bevel(canvas, r, true);
    canvas.font = font();
    canvas.setBackgroundTransparent(true);
    int h = canvas.textHeight("Ag");
    int w = canvas.textWidth(text);
    int x = rightAligned ? r.right - 4 - w : r.left + 3;
    TRect clip{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    canvas.textRect(clip, x, r.top + (r.height() - h) / 2, text);
}

void ScheduleView::paint(Canvas& canvas)
{
    fillRect(canvas, clientRect(), clWindow);
    int right = scrollStripShown() ? width() - 1 - stripWidth : width() - 1;
    int rows = std::min(visibleDataRows(), m_rowCount - m_topRow);
    std::vector<int> visibleRows;
    if (m_rowCount > 0)
        visibleRows.push_back(0);
    for (int i = 0; i < rows; ++i)
        visibleRows.push_back(m_topRow + i);
    int y = 1;
    for (int row : visibleRows) {
        int x = 1;
        for (int col = 0; col < colCount() && x < right; ++col) {
            TRect cell{x, y, std::min(x + m_colWidths[col], right), y + rowHeight};
            bool fixed = row == 0 || col == 0;
            drawCell(canvas, cell, cellText(col, row), fixed, !fixed && col >= 2);
            if (!fixed) {
                fillRect(canvas, TRect{cell.left, cell.bottom - 1, cell.right, cell.bottom}, clBtnFace);
                fillRect(canvas, TRect{cell.right - 1, cell.top, cell.right, cell.bottom}, clBtnFace);
            }
            x += m_colWidths[col];
        }
        y += rowHeight;
    }
    frameRect(canvas, clientRect(), focused() ? clNavy : clBtnShadow);
    if (!scrollStripShown())
        return;
    TRect track{width() - 1 - stripWidth, 1, width() - 1, height() - 1};
    fillRect(canvas, track, clBtnFace);
    TRect thumb = thumbRect();
    fillRect(canvas, thumb, m_dragging ? downFill : clBtnFace);
    frameRect(canvas, thumb, m_dragging ? navyFrame : clBtnShadow);
}

void ScheduleView::mouseDown(MouseButton button, unsigned, int x, int y)
{
    setFocus();
    if (button != MouseButton::Left || !scrollStripShown() || x < width() - 1 - stripWidth)
        return;
    TRect thumb = thumbRect();
    if (y < thumb.top) {
        setTopRow(m_topRow - visibleDataRows());
    } else if (y >= thumb.bottom) {
        setTopRow(m_topRow + visibleDataRows());
    } else {
        m_dragging = true;
        m_dragOffset = y - thumb.top;
        invalidate();
    }
}

void ScheduleView::mouseMove(unsigned, int, int y)
{
    if (!m_dragging)
        return;
    TRect thumb = thumbRect();
    int travel = std::max(1, (height() - 2) - thumb.height());
    int span = std::max(1, maxTopRow() - 1);
    int top = y - m_dragOffset - 1;
    setTopRow(1 + (top * span + travel / 2) / travel);
}

void ScheduleView::mouseUp(MouseButton, unsigned, int, int)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    invalidate();
}

void ScheduleView::mouseWheel(int delta, unsigned)
{
    setTopRow(m_topRow - delta / 40);
}

void ScheduleView::keyDown(int& key, unsigned shift)
{
    TCustomControl::keyDown(key, shift);
    switch (key) {
    case VK_UP: setTopRow(m_topRow - 1); break;
    case VK_DOWN: setTopRow(m_topRow + 1); break;
    case VK_PRIOR: setTopRow(m_topRow - visibleDataRows()); break;
    case VK_NEXT: setTopRow(m_topRow + visibleDataRows()); break;
    case VK_HOME: setTopRow(1); break;
    case VK_END: setTopRow(maxTopRow()); break;
    default: return;
    }
}

} // namespace qv

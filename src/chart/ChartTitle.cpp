#include "chart/ChartTitle.h"

#include "chart/AxisPanel.h"

#include <algorithm>

namespace qv {

TChartTitle::TChartTitle(TCustomAxisPanel& chart, bool foot) : m_chart(chart), m_foot(foot)
{
    m_font = defaultChartFont();
    m_font.color = clBlue;
}

void TChartTitle::changed() { m_chart.RequestRedraw(); }

bool TChartTitle::Clicked(int x, int y) const
{
    return m_visible && !m_text.empty() && m_lastRect.contains(TPoint{x, y});
}

void TChartTitle::Draw()
{
    m_lastRect = TRect{};
    if (!m_visible)
        return;
    TChartCanvas3D& canvas = m_chart.ChartCanvas();
    m_chart.ApplyFont(m_font);
    const int h = canvas.TextLineHeight();
    const bool brushClear = m_color == clDefault && m_brush.Style == BrushStyle::Solid && m_brush.Color == clDefault;
    const bool frameShown = m_frame.Visible && m_frame.Color != clDefault;
    const int f = frameShown ? m_frame.Width : 0;
    TRect plot = m_chart.PlotRect();
    const int left = plot.left + f;
    const int right = plot.right - f;
    const int n = static_cast<int>(m_text.size());
    const int wGap = canvas.TextExtentWidth("W");

    // Top of the first line (title) or of the block (foot).
    const int blockTop = m_foot ? plot.bottom - f - n * h : plot.top + f;
    TRect box{left, blockTop, right, blockTop + n * h};
    int widest = 0;
    for (const std::string& line : m_text)
        widest = std::max(widest, canvas.TextExtentWidth(line));
    if (n > 0 && m_adjustFrame) {
        int w = std::min(box.width(), widest + wGap);
        if (m_alignment == TTitleAlignment::LeftJustify)
            box.right = box.left + w;
        else if (m_alignment == TTitleAlignment::RightJustify)
            box.left = box.right - w;
        else {
            box.left = (left + right) / 2 - w / 2;
            box.right = box.left + w;
        }
    }
    if (n > 0 && (m_frame.Visible || !brushClear)) {
        TRect framed = box.inflated(f);
        canvas.SelectPen(m_frame);
        if (brushClear)
            canvas.brush().style = BrushStyle::Clear;
        else
            m_chart.SetFillBrush(m_color == clDefault ? m_brush.Color : m_color, m_brush.Style, m_chart.Color());
        canvas.StrokeRect(framed);
    }

    canvas.SetBackgroundMode(cbmTransparent);
    canvas.SetTextAlignment(taLeft | taTop);
    for (int i = 0; i < n; ++i) {
        const std::string& line = m_foot ? m_text[static_cast<size_t>(n - 1 - i)] : m_text[static_cast<size_t>(i)];
        int w = canvas.TextExtentWidth(line);
        int x = m_alignment == TTitleAlignment::LeftJustify    ? left + wGap / 2
                : m_alignment == TTitleAlignment::RightJustify ? right - w - wGap / 2
                                                          : (left + right) / 2 - w / 2;
        int y = m_foot ? plot.bottom - f - (i + 1) * h : plot.top + f + i * h;
        canvas.WriteText(x, y, line);
    }
    m_lastRect = box;

    if (m_foot) {
        int runningTop = n > 0 ? blockTop - f : plot.bottom - f + 5;
        plot.bottom = runningTop - 5;
    } else {
        int runningBottom = n > 0 ? blockTop + n * h + f : plot.top + f - 5;
        plot.top = runningBottom + 5;
    }
    m_chart.SetPlotRect(plot);
}

} // namespace qv

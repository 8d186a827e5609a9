#include "chart/ChartLegend.h"

#include "chart/AxisPanel.h"
#include "chart/ChartException.h"
#include "chart/ChartSeries.h"
#include "runtime/core/DisplayFormat.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

int roundEven(double x) { return static_cast<int>(std::nearbyint(x)); }

} // namespace

TChartLegend::TChartLegend(TCustomAxisPanel& chart) : m_chart(chart) {}

void TChartLegend::changed() { m_chart.RequestRedraw(); }

void TChartLegend::SetColorWidth(int percent)
{
    if (percent < 0 || percent > 100)
        throw ChartException("Legend Color Width must be between 0 and 100 %");
    if (assignChanged(m_colorWidth, percent))
        changed();
}

void TChartLegend::SetTopPos(int percent)
{
    if (percent < 0 || percent > 100)
        throw ChartException("Top Legend Position must be between 0 and 100 %");
    if (assignChanged(m_topPos, percent))
        changed();
}

void TChartLegend::SetFirstValue(int first)
{
    if (first < 0)
        throw ChartException("First Legend Value must be > 0");
    if (assignChanged(m_firstValue, first))
        changed();
}

TLegendStyle TChartLegend::resolveStyle() const
{
    if (m_legendStyle != lsAuto)
        return m_legendStyle;
    return m_chart.ActiveSeriesCount() < 2 ? lsValues : lsSeries;
}

TChartSeries* TChartLegend::firstActiveSeries() const
{
    for (TChartSeries* s : m_chart.SeriesList()) {
        if (s->Active())
            return s;
    }
    return nullptr;
}

// The k-th active series shown in the legend, counting from 0.
TChartSeries* TChartLegend::seriesItem(int k) const
{
    for (TChartSeries* s : m_chart.SeriesList()) {
        if (!s->Active() || !s->ShowInLegend())
            continue;
        if (k-- == 0)
            return s;
    }
    return nullptr;
}

int TChartLegend::itemCount() const
{
    int count = 0;
    if (m_effectiveStyle == lsValues) {
        TChartSeries* s = firstActiveSeries();
        count = (s && s->ShowInLegend()) ? s->PointCount() : 0;
    } else {
        for (TChartSeries* s : m_chart.SeriesList())
            count += (s->Active() && s->ShowInLegend()) ? 1 : 0;
    }
    return std::max(0, count - m_firstValue);
}

std::string TChartLegend::itemText(int k) const
{
    std::string text = rawItemText(k);
    if (m_chart.OnGetLegendText)
        m_chart.OnGetLegendText(m_chart, m_effectiveStyle, k, text);
    return text;
}

std::string TChartLegend::rawItemText(int k) const
{
    if (m_effectiveStyle == lsValues) {
        TChartSeries* s = firstActiveSeries();
        if (!s || k >= s->PointCount())
            return {};
        std::string label = s->PointLabel(k);
        double y = s->YValueAt(k);
        double total = s->YValues().SumOfMagnitudes();
        std::string value = formatFloat(s->ValueFormat(), y);
        std::string percent = formatFloat(s->PercentFormat(), total == 0 ? 0 : std::fabs(y) * 100.0 / total);
        auto join = [](const std::string& a, const std::string& b) { return b.empty() ? a : a.empty() ? b : a + " " + b; };
        switch (m_textStyle) {
        case ltsPlain:
            return label;
        case ltsLeftValue:
            return join(value, label);
        case ltsRightValue:
            return join(label, value);
        case ltsLeftPercent:
            return join(percent, label);
        case ltsRightPercent:
            return join(label, percent);
        case ltsXValue:
            return formatFloat(s->ValueFormat(), s->XValueAt(k));
        }
        return label;
    }
    TChartSeries* s = seriesItem(k);
    if (!s)
        return {};
    std::string text = !s->Title().empty() ? s->Title() : !s->Name().empty() ? s->Name() : "Series " + std::to_string(k);
    if (m_effectiveStyle == lsLastValues && s->PointCount() > 0)
        text = formatFloat(s->ValueFormat(), s->YValueAt(s->PointCount() - 1)) + " " + text;
    return text;
}

void TChartLegend::placeVertical(int totalItems, int widest)
{
    const TRect& bounds = m_chart.BoundsRect();
    const TRect& plot = m_chart.PlotRect();
    const int h = m_itemHeight;
    int top = bounds.top + roundEven(m_topPos * bounds.height() * 0.01);
    m_columnCount = 1;
    m_rowCount = (top >= plot.bottom || h <= 0) ? 0 : std::min(totalItems, (plot.bottom - 2 * m_frame.Width - top) / h);
    m_rowCount = std::max(0, m_rowCount);
    m_legendRect.top = top;
    m_legendRect.bottom = top + m_rowCount * h + 2;
    m_symbolWidth = roundEven((widest + 10) * m_colorWidth * 0.01);
    const int frameGap = m_frame.Visible ? m_frame.Width + 1 : 0;
    if (m_alignment == laRight) {
        m_legendRect.right = plot.right - frameGap - m_shadowSize;
        m_legendTextX = m_legendRect.right - widest - 2;
        m_symbolX = m_legendTextX - m_symbolWidth - 4;
        m_legendRect.left = m_symbolX - 4;
    } else {
        m_legendRect.left = plot.left + frameGap;
        m_symbolX = m_legendRect.left + 4;
        m_legendTextX = m_symbolX + m_symbolWidth + 4;
        m_legendRect.right = m_legendTextX + widest + 2;
    }
}

void TChartLegend::placeHorizontal(int totalItems, int widest)
{
    const TRect& plot = m_chart.PlotRect();
    const int h = m_itemHeight;
    const int frameGap = m_frame.Visible ? m_frame.Width + 1 : 0;
    m_symbolWidth = roundEven((widest + 10) * m_colorWidth * 0.01);
    m_itemWidth = widest + m_symbolWidth + 8;
    m_columnCount = std::max(1, std::min(totalItems, (plot.width() - 2 * frameGap) / std::max(1, m_itemWidth)));
    m_rowCount = h <= 0 ? 0 : std::min(m_maxNumRows, (totalItems + m_columnCount - 1) / m_columnCount);
    int boxWidth = m_columnCount * m_itemWidth + 2;
    int free = plot.width() - boxWidth;
    m_legendRect.left = plot.left + free / 2 + roundEven(free * m_topPos * 0.01) - roundEven(free * 10 * 0.01);
    m_legendRect.right = m_legendRect.left + boxWidth;
    if (m_alignment == laTop) {
        m_legendRect.top = plot.top + frameGap;
        m_legendRect.bottom = m_legendRect.top + m_rowCount * h + 2;
    } else {
        m_legendRect.bottom = plot.bottom - m_shadowSize - frameGap;
        m_legendRect.top = m_legendRect.bottom - m_rowCount * h - 2;
    }
    m_symbolX = m_legendRect.left + 4;
    m_legendTextX = m_symbolX + m_symbolWidth + 4;
}

void TChartLegend::drawBox()
{
    TChartCanvas3D& canvas = m_chart.ChartCanvas();
    TChartPen frame = m_frame;
    if (frame.Color == clDefault)
        frame.Color = clBlack;
    TRect box = m_legendRect;
    int extent = m_shadowSize - 1;
    if (frame.Visible) {
        int fw = frame.Width;
        box = box.inflated(fw);
        extent = m_shadowSize + fw + (fw - 1) / 2;
    }
    if (m_shadowSize > 0) {
        canvas.brush() = qv::Brush{m_shadowColor, BrushStyle::Solid, nullptr};
        canvas.FillArea(TRect{m_legendRect.left + m_shadowSize, m_legendRect.top + m_shadowSize,
                              m_legendRect.right + extent, m_legendRect.bottom + extent});
    }
    canvas.SelectPen(frame);
    if (m_brush.Style == BrushStyle::Solid) {
        canvas.brush() = qv::Brush{m_color, BrushStyle::Solid, m_brush.Image};
        canvas.SetBackgroundMode(cbmTransparent);
    } else {
        m_chart.SetFillBrush(m_brush.Color == clDefault ? clBlack : m_brush.Color, m_brush.Style, m_color);
    }
    canvas.StrokeRect(box);
    canvas.SetBackgroundMode(cbmTransparent);
}

void TChartLegend::drawItem(int order, int x, int y)
{
    TChartCanvas3D& canvas = m_chart.ChartCanvas();
    int item = m_firstValue + (m_inverted ? itemCount() - 1 - order : order);
    int symbolX = x - 4 - m_symbolWidth;
    if (m_chart.OnGetLegendPos)
        m_chart.OnGetLegendPos(m_chart, item, x, y, symbolX);
    std::string text = itemText(item);
    if (text.empty())
        return;
    canvas.brush().style = BrushStyle::Clear;
    canvas.SetBackgroundMode(cbmTransparent);
    canvas.SetTextAlignment(taLeft | taTop);
    canvas.font().color = m_font.color;
    canvas.WriteText(x, y, text);

    TRect symbol{symbolX, y + 2, symbolX + m_symbolWidth, y + m_itemHeight - 2};
    if (m_effectiveStyle == lsSeries || m_effectiveStyle == lsLastValues) {
        if (TChartSeries* s = seriesItem(item))
            s->PaintLegendEntry(-1, symbol);
    } else if (TChartSeries* s = firstActiveSeries()) {
        s->PaintLegendEntry(item, symbol);
    } else {
        canvas.pen() = Pen{};
        canvas.brush() = qv::Brush{clWhite, BrushStyle::Solid, nullptr};
        canvas.StrokeRect(symbol);
    }
    // Symbols change the pen; the next row's text and lines need the plain one back.
    canvas.pen() = Pen{m_color == clBlack ? clWhite : clBlack, 1, PenStyle::Solid, PenMode::Copy, false};
}

void TChartLegend::PaintLegend()
{
    TChartCanvas3D& canvas = m_chart.ChartCanvas();
    m_effectiveStyle = resolveStyle();
    m_chart.setLegendColor(m_color);
    m_chart.ApplyFont(m_font);
    m_itemHeight = canvas.TextLineHeight();
    const int total = itemCount();

    // The widest text among the items that will be listed.
    int widest = 0;
    if (Vertical()) {
        placeVertical(total, 0);
        for (int o = 0; o < m_rowCount; ++o)
            widest = std::max(widest, canvas.TextExtentWidth(itemText(m_firstValue + o)));
        placeVertical(total, widest);
    } else {
        for (int o = 0; o < total; ++o)
            widest = std::max(widest, canvas.TextExtentWidth(itemText(m_firstValue + o)));
        placeHorizontal(total, widest);
    }
    if (m_chart.OnGetLegendRect) {
        TRect moved = m_legendRect;
        m_chart.OnGetLegendRect(m_chart, moved);
        m_legendTextX += moved.left - m_legendRect.left;
        m_symbolX += moved.left - m_legendRect.left;
        m_legendRect = moved;
    }
    if (m_rowCount < 1)
        return;

    const TRect plotBefore = m_chart.PlotRect();
    drawBox();
    canvas.pen() = Pen{m_color == clBlack ? clWhite : clBlack, 1, PenStyle::Solid, PenMode::Copy, false};
    const int listed = std::min(total, m_rowCount * m_columnCount);
    for (int o = 0; o < listed; ++o) {
        int row = Vertical() ? o : o / m_columnCount;
        int column = Vertical() ? 0 : o % m_columnCount;
        int y = m_legendRect.top + 1 + row * m_itemHeight;
        int x = m_legendTextX + column * m_itemWidth;
        drawItem(o, x, y);
        if (o > 0 && m_dividingLines.Visible && Vertical()) {
            canvas.SelectPen(m_dividingLines);
            canvas.HorizontalLine(m_legendRect.left, m_legendRect.right, y);
        }
    }

    TRect plot = plotBefore;
    switch (m_alignment) {
    case laRight:
        if (m_resizeChart)
            plot.right = m_legendRect.left;
        plot.right -= m_horizMargin != 0 ? m_horizMargin : static_cast<int>(std::lround(3.0 * plotBefore.width() / 100.0));
        break;
    case laLeft:
        if (m_resizeChart)
            plot.left = m_legendRect.right;
        plot.left += m_horizMargin != 0 ? m_horizMargin : static_cast<int>(std::lround(3.0 * plotBefore.width() / 100.0));
        break;
    case laTop:
        if (m_resizeChart)
            plot.top = m_legendRect.bottom + m_shadowSize;
        plot.top += m_vertMargin != 0 ? m_vertMargin : static_cast<int>(std::lround(4.0 * plotBefore.height() / 100.0));
        break;
    case laBottom:
        if (m_resizeChart)
            plot.bottom = m_legendRect.top;
        plot.bottom -= m_vertMargin != 0 ? m_vertMargin : static_cast<int>(std::lround(4.0 * plotBefore.height() / 100.0));
        break;
    }
    m_chart.SetPlotRect(plot);
}

int TChartLegend::LegendHit(int x, int y) const
{
    if (!m_legendRect.contains(TPoint{x, y}) || m_rowCount <= 0)
        return -1;
    int h = m_legendRect.height() / m_rowCount;
    for (int a = 0; a < m_rowCount; ++a) {
        int top = m_legendRect.top + a * h + 1;
        if (top <= y && y <= top + h) {
            if (Vertical())
                return a;
            int column = m_itemWidth > 0 ? (x - m_legendRect.left) / m_itemWidth : 0;
            return a * m_columnCount + std::min(column, m_columnCount - 1);
        }
    }
    return -1;
}

} // namespace qv

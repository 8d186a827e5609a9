#include "chart/ChartSeries.h"

#include "chart/AxisPanel.h"
#include "chart/ChartAxis.h"
#include "chart/Palette.h"
#include "runtime/core/Exception.h"
#include "runtime/core/Format.h"

namespace qv {

TChartSeries::TChartSeries(std::string name)
    : m_name(std::move(name)), m_xValues(this, "X", loAscending), m_yValues(this, "Y", loNone)
{
}

TChartSeries::~TChartSeries()
{
    if (m_parentChart)
        SetParentChart(nullptr);
}

void TChartSeries::Repaint()
{
    if (m_parentChart)
        m_parentChart->RequestRedraw();
}

int TChartSeries::AddPoint(double x, double y, const std::string& label, TColor color)
{
    if (OnBeforeAdd && !OnBeforeAdd(*this))
        return -1;
    int index = m_xValues.InsertOrdered(x);
    m_yValues.InsertAt(index, y);
    m_colors.insert(m_colors.begin() + index, color);
    std::optional<std::string> stored;
    if (!label.empty())
        stored = label;
    if (static_cast<size_t>(index) <= m_labels.size())
        m_labels.insert(m_labels.begin() + index, std::move(stored));
    PointAdded(index);
    return index;
}

int TChartSeries::AppendValue(double y, const std::string& label, TColor color)
{
    return AddPoint(PointCount(), y, label, color);
}

void TChartSeries::PointAdded(int index)
{
    if (OnAfterAdd)
        OnAfterAdd(*this, index);
    if (m_active)
        Repaint();
}

void TChartSeries::ClearPoints()
{
    m_xValues.RemoveAll();
    m_yValues.RemoveAll();
    std::vector<TColor>().swap(m_colors);
    std::vector<std::optional<std::string>>().swap(m_labels);
    if (OnClearValues)
        OnClearValues(*this);
    if (m_active && m_parentChart && !m_parentChart->Destroying())
        Repaint();
}

TColor TChartSeries::PointColor(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_colors.size())
        return m_seriesColor;
    TColor stored = m_colors[static_cast<size_t>(index)];
    if (stored != clDefault)
        return stored;
    return m_colorEachPoint ? PaletteColor(index) : m_seriesColor;
}

std::string TChartSeries::PointLabel(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_labels.size() || !m_labels[static_cast<size_t>(index)])
        return {};
    return *m_labels[static_cast<size_t>(index)];
}

void TChartSeries::SetPointColor(int index, TColor color)
{
    if (index < 0 || static_cast<size_t>(index) >= m_colors.size())
        throw EListError(formatMessage("List index out of bounds (%d)", index));
    m_colors[static_cast<size_t>(index)] = color;
    Repaint();
}

void TChartSeries::SetSeriesColor(TColor color)
{
    if (color == m_seriesColor)
        return;
    m_seriesColor = color;
    Repaint();
}

void TChartSeries::SetTitle(const std::string& title)
{
    if (title == m_title)
        return;
    m_title = title;
    Repaint();
}

void TChartSeries::SetActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    Repaint();
}

void TChartSeries::SetShowInLegend(bool show)
{
    if (show == m_showInLegend)
        return;
    m_showInLegend = show;
    Repaint();
}

void TChartSeries::SetColorEachPoint(bool each)
{
    if (each == m_colorEachPoint)
        return;
    m_colorEachPoint = each;
    if (!each)
        std::fill(m_colors.begin(), m_colors.end(), clDefault);
    Repaint();
}

void TChartSeries::SetHorizAxis(THorizAxis axis)
{
    m_horizAxis = axis;
    resolveAxes();
    Repaint();
}

void TChartSeries::SetVertAxis(TVertAxis axis)
{
    m_vertAxis = axis;
    resolveAxes();
    Repaint();
}

void TChartSeries::resolveAxes()
{
    if (!m_parentChart) {
        m_resolvedHoriz = m_resolvedVert = nullptr;
        return;
    }
    // No custom axes exist in this chart, so the custom choices fall back to bottom and left.
    m_resolvedHoriz = m_horizAxis == aTopAxis ? &m_parentChart->TopAxis() : &m_parentChart->BottomAxis();
    m_resolvedVert = m_vertAxis == aRightAxis ? &m_parentChart->RightAxis() : &m_parentChart->LeftAxis();
}

void TChartSeries::SetParentChart(TCustomAxisPanel* chart)
{
    if (m_parentChart && m_parentChart != chart) {
        TCustomAxisPanel* old = m_parentChart;
        old->removeSeries(*this);
        m_parentChart = nullptr;
        old->RequestRedraw();
    }
    m_parentChart = chart;
    resolveAxes();
    if (!chart || chart->containsSeries(*this))
        return;
    if (m_seriesColor == clDefault) {
        TColor chosen = PaletteColor(paletteSize);
        for (int i = 0; i < paletteSize; ++i) {
            TColor candidate = PaletteColor(i);
            bool taken = candidate == chart->Color() || candidate == chart->BackWallColor();
            for (TChartSeries* other : chart->SeriesList())
                taken = taken || other->SeriesColor() == candidate;
            if (!taken) {
                chosen = candidate;
                break;
            }
        }
        m_seriesColor = chosen;
    }
    chart->addSeries(*this);
    chart->RequestRedraw();
}

bool TChartSeries::BelongsToAxis(const TChartAxis& axis) const
{
    if (!m_parentChart)
        return false;
    if (axis.Horizontal())
        return m_horizAxis == aBothHorizAxis || m_resolvedHoriz == &axis;
    return m_vertAxis == aBothVertAxis || m_resolvedVert == &axis;
}

int TChartSeries::XPixel(int index) const { return m_resolvedHoriz->ValueToPixel(XValueAt(index)); }

int TChartSeries::YPixel(int index) const { return m_resolvedVert->ValueToPixel(YValueAt(index)); }

void TChartSeries::PaintLegendEntry(int index, const TRect& rect) { PaintLegendSymbol(index, rect); }

void TChartSeries::SetUpLegendCanvas(int, TColor backColor, BrushStyle brushStyle)
{
    if (!m_parentChart)
        return;
    if (backColor == clDefault)
        backColor = m_parentChart->Color();
    m_parentChart->SetFillBrush(m_seriesColor, brushStyle, backColor);
}

void TChartSeries::HorizontalMargins(int& left, int& right) const { left = right = 0; }

void TChartSeries::VerticalMargins(int& top, int& bottom) const { top = bottom = 0; }

bool TChartSeries::CalcVisiblePoints()
{
    m_firstVisible = m_lastVisible = -1;
    int count = PointCount();
    if (count == 0 || !m_resolvedHoriz)
        return false;
    if (m_xValues.Order() == loNone) {
        m_firstVisible = 0;
        m_lastVisible = count - 1;
        return true;
    }
    const TRect& plot = m_parentChart->PlotRect();
    double lo = m_resolvedHoriz->PixelToValue(plot.left);
    double hi = m_resolvedHoriz->PixelToValue(plot.right);
    int first = 0;
    while (first < count && XValueAt(first) < lo)
        ++first;
    if (first == count)
        return false;
    int last = count - 1;
    if (XValueAt(last) > hi) {
        last = first;
        while (last < count - 1 && XValueAt(last) < hi)
            ++last;
    }
    m_firstVisible = first;
    m_lastVisible = last;
    return true;
}

} // namespace qv

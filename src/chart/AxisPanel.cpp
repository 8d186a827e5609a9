#include "chart/AxisPanel.h"

#include "runtime/core/Exception.h"
#include "runtime/core/Format.h"

#include <algorithm>

namespace qv {

TCustomAxisPanel::TCustomAxisPanel()
{
    m_axes[0] = std::make_unique<TChartAxis>(*this, AxisSide::Bottom);
    m_axes[1] = std::make_unique<TChartAxis>(*this, AxisSide::Top);
    m_axes[2] = std::make_unique<TChartAxis>(*this, AxisSide::Left);
    m_axes[3] = std::make_unique<TChartAxis>(*this, AxisSide::Right);
    m_axes[4] = std::make_unique<TChartAxis>(*this, AxisSide::Depth);
    m_axes[4]->SetVisible(false);
}

TCustomAxisPanel::~TCustomAxisPanel()
{
    m_destroying = true;
    // The series outlive the chart; they must not point at it afterwards.
    while (!m_seriesList.empty())
        m_seriesList.back()->SetParentChart(nullptr);
}

TChartSeries& TCustomAxisPanel::SeriesAt(int index) const
{
    if (index < 0 || index >= NumSeries())
        throw EListError(formatMessage("List index out of bounds (%d)", index));
    return *m_seriesList[static_cast<size_t>(index)];
}

int TCustomAxisPanel::ActiveSeriesCount() const
{
    return static_cast<int>(std::count_if(m_seriesList.begin(), m_seriesList.end(),
                                          [](const TChartSeries* s) { return s->Active(); }));
}

void TCustomAxisPanel::addSeries(TChartSeries& series)
{
    if (!containsSeries(series))
        m_seriesList.push_back(&series);
}

void TCustomAxisPanel::removeSeries(TChartSeries& series)
{
    auto it = std::find(m_seriesList.begin(), m_seriesList.end(), &series);
    if (it != m_seriesList.end())
        m_seriesList.erase(it);
}

bool TCustomAxisPanel::containsSeries(const TChartSeries& series) const
{
    return std::find(m_seriesList.begin(), m_seriesList.end(), &series) != m_seriesList.end();
}

void TCustomAxisPanel::DrawContent()
{
    DrawBackgroundAndFrame();
    DrawTitlesAndLegend();
    LayoutAxes();
    ApplySeriesMargins();
    DrawWalls();
    if (m_axisVisible) {
        if (OnBeforeDrawAxes)
            OnBeforeDrawAxes(*this);
        DrawAxes();
    }
    if (OnBeforeDrawSeries)
        OnBeforeDrawSeries(*this);
    DrawAllSeries();
    ResetCanvasState();
    if (OnAfterDraw)
        OnAfterDraw(*this);
}

void TCustomAxisPanel::LayoutAxes()
{
    for (auto& axis : m_axes)
        axis->AutoRange();
    for (auto& axis : m_axes) {
        if (!axis->IsVisibleOnChart())
            continue;
        TRect reduced = axis->TakeBands(PlotRect());
        if (!reduced.isEmpty())
            SetPlotRect(reduced);
    }
    SetPlotRect(PlotRect());
    for (auto& axis : m_axes)
        axis->ComputePixels();
}

void TCustomAxisPanel::ApplySeriesMargins()
{
    // Top, left, right, bottom: the largest margins any active series of the axis asks for.
    for (TChartAxis* axis : {m_axes[1].get(), m_axes[2].get(), m_axes[3].get(), m_axes[0].get()}) {
        int low = 0;
        int high = 0;
        for (TChartSeries* s : m_seriesList) {
            if (!s->Active() || !s->BelongsToAxis(*axis))
                continue;
            int a = 0;
            int b = 0;
            if (axis->Horizontal()) {
                s->HorizontalMargins(a, b); // left, right
                low = std::max(low, a);
                high = std::max(high, b);
            } else {
                s->VerticalMargins(a, b); // top, bottom
                high = std::max(high, a);
                low = std::max(low, b);
            }
        }
        axis->WidenForMargins(low, high);
    }
}

void TCustomAxisPanel::DrawAxes()
{
    for (auto& axis : m_axes) {
        if (axis->IsVisibleOnChart())
            axis->PaintAxis();
    }
}

void TCustomAxisPanel::DrawAllSeries()
{
    TChartCanvas3D& canvas = ChartCanvas();
    for (TChartSeries* s : m_seriesList) {
        if (!s->Active() || !s->CalcVisiblePoints())
            continue;
        if (s->BeforeDrawValues)
            s->BeforeDrawValues(*s);
        if (m_clipPoints)
            canvas.ClipPlot(PlotRect());
        for (int i = s->FirstValueIndex(); i <= s->LastValueIndex(); ++i)
            s->DrawPoint(i);
        canvas.ClearClip();
        if (s->AfterDrawValues)
            s->AfterDrawValues(*s);
    }
}

void TCustomAxisPanel::ResetCanvasState()
{
    TChartCanvas3D& canvas = ChartCanvas();
    canvas.pen() = Pen{clBlack, 1, PenStyle::Solid, PenMode::Copy, false};
    canvas.brush() = Brush{clWhite, BrushStyle::Solid, nullptr};
    canvas.font().color = clBlack;
    canvas.font().size = 10;
    canvas.font().height = 0;
    canvas.font().cellHeight = 0;
    canvas.SetBackgroundColor(clWhite);
    canvas.SetBackgroundMode(cbmTransparent);
}

} // namespace qv

#include "chart/Chart.h"

#include <cstdlib>

namespace qv {

namespace {

constexpr int minimumDrag = 16;

} // namespace

std::array<TChartAxis*, 4> TCustomChart::scaleAxes()
{
    return {&TopAxis(), &BottomAxis(), &LeftAxis(), &RightAxis()};
}

TCustomChart::Hit TCustomChart::hitTest(int x, int y) const
{
    for (const auto& axis : AxisList()) {
        if (axis->AxisHit(x, y))
            return Hit::Axis;
    }
    if (m_title.Clicked(x, y))
        return Hit::Title;
    if (m_foot.Clicked(x, y))
        return Hit::Foot;
    if (PlotRect().contains(TPoint{x, y}) && ActiveSeriesCount() > 0)
        return Hit::Plot;
    if (m_legend.Visible() && m_legend.LegendHit(x, y) >= 0)
        return Hit::Legend;
    return Hit::None;
}

void TCustomChart::MouseDown(TMouseButton button, unsigned, int x, int y)
{
    if (m_zoom.Active || m_panning.Active)
        return;
    Hit hit = hitTest(x, y);
    if (hit != Hit::Series && hit != Hit::Axis && hit != Hit::Plot)
        return;
    if (m_allowZoom && button == mbLeft) {
        m_currentCursor = 0;
        m_zoom.Activate(x, y);
        if (WindowCanvas())
            drawZoomRectangle(*WindowCanvas());
        return;
    }
    if (m_allowPanning != pmNone && button == mbRight) {
        m_currentCursor = 0;
        m_panning.Activate(x, y);
    }
}

void TCustomChart::MouseMove(unsigned, int x, int y)
{
    if (m_zoom.Active) {
        if (x == m_zoom.X1 && y == m_zoom.Y1)
            return;
        Canvas* window = WindowCanvas();
        if (window)
            drawZoomRectangle(*window);
        m_zoom.X1 = x;
        m_zoom.Y1 = y;
        if (window)
            drawZoomRectangle(*window);
        else if (OnInvalidate)
            OnInvalidate(); // the buffer is still clean: the repaint copies it and draws the band
        return;
    }
    if (m_panning.Active) {
        panTo(x, y);
        return;
    }
    m_currentCursor = m_loadTimeCursor;
    for (TChartSeries* s : SeriesList()) {
        if (s->Active() && s->Cursor() != 0 && PlotRect().contains(TPoint{x, y})) {
            m_currentCursor = s->Cursor();
            break;
        }
    }
}

void TCustomChart::panTo(int x, int y)
{
    if (!PlotRect().contains(TPoint{x, y})) {
        m_panning.Active = false;
        return;
    }
    if (x == m_panning.X1 && y == m_panning.Y1)
        return;
    if (m_restored) {
        saveScales();
        m_restored = false;
    }
    bool shifted = false;
    auto shift = [&](TChartAxis& axis, int from, int to) {
        double d = axis.PixelToValue(from) - axis.PixelToValue(to);
        double low = axis.Minimum() + d;
        double high = axis.Maximum() + d;
        if (OnAllowScroll && !OnAllowScroll(axis, low, high))
            return;
        axis.SetManualRange(low, high);
        shifted = true;
    };
    if (x != m_panning.X1 && (m_allowPanning == pmHorizontal || m_allowPanning == pmBoth)) {
        shift(TopAxis(), m_panning.X1, x);
        shift(BottomAxis(), m_panning.X1, x);
    }
    if (y != m_panning.Y1 && (m_allowPanning == pmVertical || m_allowPanning == pmBoth)) {
        shift(LeftAxis(), m_panning.Y1, y);
        shift(RightAxis(), m_panning.Y1, y);
    }
    m_panning.X1 = x;
    m_panning.Y1 = y;
    if (shifted) {
        if (OnScroll)
            OnScroll(*this);
        RequestRedraw();
    }
}

void TCustomChart::MouseUp(TMouseButton button, unsigned, int x, int y)
{
    if (m_zoom.Active && button == mbLeft) {
        m_zoom.Active = false;
        if (WindowCanvas())
            drawZoomRectangle(*WindowCanvas());
        else if (OnInvalidate)
            OnInvalidate();
        m_zoom.X1 = x;
        m_zoom.Y1 = y;
        if (std::abs(m_zoom.X1 - m_zoom.X0) > minimumDrag && std::abs(m_zoom.Y1 - m_zoom.Y0) > minimumDrag) {
            if (m_zoom.X1 > m_zoom.X0 && m_zoom.Y1 > m_zoom.Y0)
                ZoomRect(m_zoom.X0, m_zoom.Y0, m_zoom.X1, m_zoom.Y1);
            else
                RevertZoom();
            RequestRedraw();
        }
    }
    m_panning.Active = false;
}

void TCustomChart::MouseWheel(int steps)
{
    for (; steps != 0; steps += steps > 0 ? -1 : 1) {
        double sign = steps > 0 ? -1.0 : 1.0;
        for (TChartAxis* axis : {&LeftAxis(), &RightAxis()})
            axis->ShiftRange(sign * (axis->Maximum() - axis->Minimum()) * 3 * 0.01);
    }
}

void TCustomChart::MouseLeave()
{
    m_currentCursor = m_loadTimeCursor;
    m_panning.Active = false;
}

void TCustomChart::saveScales()
{
    auto axes = scaleAxes();
    for (size_t i = 0; i < axes.size(); ++i) {
        TChartAxis& a = *axes[i];
        m_savedScales[i] = {a.Automatic(), a.AutomaticMinimum(), a.AutomaticMaximum(), a.Minimum(), a.Maximum()};
    }
}

void TCustomChart::ZoomRect(int x0, int y0, int x1, int y1)
{
    if (x0 > x1)
        std::swap(x0, x1);
    if (y0 > y1)
        std::swap(y0, y1);
    auto axes = scaleAxes();
    std::array<std::pair<double, double>, 4> targets;
    for (size_t i = 0; i < axes.size(); ++i) {
        TChartAxis& a = *axes[i];
        targets[i] = a.Horizontal() ? std::make_pair(a.PixelToValue(x0), a.PixelToValue(x1))
                                    : std::make_pair(a.PixelToValue(y1), a.PixelToValue(y0));
    }
    if (m_restored) {
        saveScales();
        m_restored = false;
    }
    if (m_animatedZoom) {
        for (int step = 1; step < m_animatedZoomSteps; ++step) {
            for (size_t i = 0; i < axes.size(); ++i) {
                TChartAxis& a = *axes[i];
                double high = a.Maximum() + (targets[i].second - a.Maximum()) / 3.0;
                double low = a.Minimum() + (targets[i].first - a.Minimum()) / 3.0;
                a.SetManualRange(low, high);
            }
            if (WindowCanvas())
                Paint(*WindowCanvas());
        }
    }
    for (size_t i = 0; i < axes.size(); ++i)
        axes[i]->SetManualRange(targets[i].first, targets[i].second);
    m_zoomed = true;
    if (OnZoom)
        OnZoom(*this);
}

void TCustomChart::RevertZoom()
{
    if (!m_restored) {
        auto axes = scaleAxes();
        for (size_t i = 0; i < axes.size(); ++i) {
            TChartAxis& a = *axes[i];
            const SavedScale& saved = m_savedScales[i];
            if (!saved.automatic)
                a.SetManualRange(saved.minimum, saved.maximum);
            a.SetAutomatic(saved.automatic);
            a.SetAutomaticMinimum(saved.automaticMinimum);
            a.SetAutomaticMaximum(saved.automaticMaximum);
        }
        m_restored = true;
    }
    if (OnUndoZoom)
        OnUndoZoom(*this);
    RequestRedraw();
    m_zoomed = false;
}

} // namespace qv

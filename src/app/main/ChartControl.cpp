#include "app/main/ChartControl.h"

namespace qv {

namespace {

TMouseButton chartButton(MouseButton button)
{
    switch (button) {
    case MouseButton::Left:
        return mbLeft;
    case MouseButton::Right:
        return mbRight;
    case MouseButton::Middle:
        break;
    }
    return mbMiddle;
}

constexpr int wheelNotch = 120;

} // namespace

TChartControl::TChartControl(TWinControl* parent, TChart& chart) : TCustomControl(parent), m_chart(chart)
{
    m_chart.OnInvalidate = [this] { invalidate(); };
}

TChartControl::~TChartControl() { m_chart.OnInvalidate = nullptr; }

void TChartControl::setBounds(int left, int top, int width, int height)
{
    TCustomControl::setBounds(left, top, width, height);
    m_chart.SetSize(width, height);
}

void TChartControl::resized() { m_chart.SetSize(width(), height()); }

std::string TChartControl::accessibleName() const
{
    std::string name;
    for (const std::string& line : m_chart.Title().Text())
        name += (name.empty() ? "" : " ") + line;
    return name;
}

std::string TChartControl::accessibleDescription() const
{
    std::string names;
    for (const TChartSeries* series : m_chart.SeriesList())
        names += (names.empty() ? "" : ", ") + series->Title();
    return names;
}

void TChartControl::paint(Canvas& canvas) { m_chart.Paint(canvas); }

void TChartControl::mouseDown(MouseButton button, unsigned shift, int x, int y)
{
    TCustomControl::mouseDown(button, shift, x, y);
    m_chart.MouseDown(chartButton(button), shift, x, y);
}

void TChartControl::mouseUp(MouseButton button, unsigned shift, int x, int y)
{
    TCustomControl::mouseUp(button, shift, x, y);
    m_chart.MouseUp(chartButton(button), shift, x, y);
}

void TChartControl::mouseMove(unsigned shift, int x, int y)
{
    TCustomControl::mouseMove(shift, x, y);
    m_chart.MouseMove(shift, x, y);
}

void TChartControl::mouseLeave()
{
    TCustomControl::mouseLeave();
    m_chart.MouseLeave();
}

void TChartControl::mouseWheel(int delta, unsigned)
{
    // Fine-grained wheels deliver fractions of a notch; whole notches move the chart.
    m_wheelRest += delta;
    int steps = m_wheelRest / wheelNotch;
    m_wheelRest -= steps * wheelNotch;
    if (steps != 0)
        m_chart.MouseWheel(steps);
}

} // namespace qv

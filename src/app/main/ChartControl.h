#pragma once

#include "chart/Chart.h"
#include "runtime/ui/Control.h"

namespace qv {

// The window control that shows a chart: it forwards paints, size, mouse and
// wheel to the chart and repaints whenever the chart asks. The chart is not owned.
class TChartControl : public TCustomControl {
public:
    TChartControl(TWinControl* parent, TChart& chart);
    ~TChartControl() override;

    TChart& chart() { return m_chart; }
    void setBounds(int left, int top, int width, int height) override;

    // Named by its title; the description lists the series.
    TAccessibleRole accessibleRole() const override { return TAccessibleRole::Chart; }
    std::string accessibleName() const override;
    std::string accessibleDescription() const override;

protected:
    void paint(Canvas& canvas) override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void mouseLeave() override;
    void mouseWheel(int delta, unsigned shift) override;
    void resized() override;

private:
    TChart& m_chart;
    int m_wheelRest = 0;
};

} // namespace qv

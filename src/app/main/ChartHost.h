#pragma once

#include "runtime/ui/Control.h"

#include <functional>

namespace qv {

// Hosts a toolkit-independent drawing (the chart) on a window: paint and mouse
// events go to whatever is attached; with nothing attached it stays blank.
class ChartHost : public TCustomControl {
public:
    explicit ChartHost(TWinControl* parent) : TCustomControl(parent) { setColor(clWhite); }

    std::function<void(Canvas&)> onPaint;
    std::function<void(MouseButton, unsigned, int, int)> onMouseDown;
    std::function<void(unsigned, int, int)> onMouseMove;
    std::function<void(MouseButton, unsigned, int, int)> onMouseUp;
    std::function<void(int steps)> onMouseWheel;
    std::function<void()> onMouseLeaveChart;

protected:
    void paint(Canvas& canvas) override
    {
        if (onPaint) {
            onPaint(canvas);
            return;
        }
        TCustomControl::paint(canvas);
    }
    void mouseDown(MouseButton b, unsigned s, int x, int y) override
    {
        if (onMouseDown)
            onMouseDown(b, s, x, y);
    }
    void mouseMove(unsigned s, int x, int y) override
    {
        if (onMouseMove)
            onMouseMove(s, x, y);
    }
    void mouseUp(MouseButton b, unsigned s, int x, int y) override
    {
        if (onMouseUp)
            onMouseUp(b, s, x, y);
    }
    void mouseWheel(int delta, unsigned) override
    {
        if (onMouseWheel)
            onMouseWheel(delta / 120);
    }
    void mouseLeave() override
    {
        if (onMouseLeaveChart)
            onMouseLeaveChart();
        TCustomControl::mouseLeave();
    }
};

} // namespace qv

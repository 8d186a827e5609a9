#pragma once

#include "chart/AxisPanel.h"
#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"

#include <array>
#include <functional>

namespace qv {

// Walls around the plot; only the back wall is drawn in 2D.
struct TChartWall {
    TColor Color = clDefault;
    TChartBrush Brush{clDefault, BrushStyle::Clear, nullptr};
    TChartPen Pen;
    int Size = 0;
    bool Dark3D = true;
};

// Mouse buttons as the chart sees them; the shift state is the runtime's bit set
// (shift 1, alt 2, ctrl 4, buttons 8, 16, 32), which needs no modifier here.
enum TMouseButton { mbLeft, mbRight, mbMiddle };

// The chart with title, foot, walls and legend, and its own mouse handling:
// left-button drag zooms (right-and-down) or undoes the zoom (any other
// direction), right-button drag pans, the wheel moves the vertical range.
//
// Hosting in a window control:
//   chart.SetSize(w, h);                    on resize
//   chart.OnInvalidate = [&] { update(); }; schedule a repaint
//   chart.Paint(windowCanvas);              in the paint handler
//   chart.MouseDown(button, shift, x, y); chart.MouseMove(shift, x, y);
//   chart.MouseUp(button, shift, x, y); chart.MouseWheel(steps); chart.MouseLeave();
// The rubber band is drawn on the window after the buffer copy (not-xor), so a
// plain repaint on every mouse move is all the host needs to do.
class TCustomChart : public TCustomAxisPanel {
public:
    TCustomChart();
    ~TCustomChart() override;

    TChartTitle& Title() { return m_title; }
    TChartTitle& Foot() { return m_foot; }
    TChartLegend& Legend() { return m_legend; }
    const TChartWall& BackWall() const { return m_backWall; }
    void SetBackWall(const TChartWall& wall);
    const TChartWall& LeftWall() const { return m_leftWall; }
    const TChartWall& BottomWall() const { return m_bottomWall; }
    // Frame is the back wall's pen; BackColor its colour.
    const TChartPen& Frame() const { return m_backWall.Pen; }
    TColor BackColor() const { return m_backWall.Color; }
    void SetBackColor(TColor color);
    bool BackImageInside() const { return m_backImageInside; }
    TColor BackWallColor() const override { return m_backWall.Color; }

    void MouseDown(TMouseButton button, unsigned shift, int x, int y);
    void MouseMove(unsigned shift, int x, int y);
    void MouseUp(TMouseButton button, unsigned shift, int x, int y);
    // Positive steps turn the wheel up (away from the user), negative down.
    void MouseWheel(int steps);
    void MouseLeave();
    void RevertZoom();
    // Zooms every axis to the pixel rectangle, as a right-and-down drag does.
    void ZoomRect(int x0, int y0, int x1, int y1);

    // Cursor to show over the chart: a series' own cursor or the load-time one.
    int CurrentCursor() const { return m_currentCursor; }
    int LoadTimeCursor() const { return m_loadTimeCursor; }

    // May change or refuse (false) the new range of an axis being panned.
    std::function<bool(TChartAxis&, double&, double&)> OnAllowScroll;

protected:
    void DrawTitlesAndLegend() override;
    void DrawWalls() override;
    void PaintOverlay(Canvas& window) override;

private:
    struct SavedScale {
        bool automatic = true;
        bool automaticMinimum = true;
        bool automaticMaximum = true;
        double minimum = 0;
        double maximum = 0;
    };
    enum class Hit { None, Series, Axis, Title, Foot, Plot, Legend };

    Hit hitTest(int x, int y) const;
    void saveScales();
    void drawZoomRectangle(Canvas& canvas) const;
    void panTo(int x, int y);
    std::array<TChartAxis*, 4> scaleAxes();

    TChartTitle m_title;
    TChartTitle m_foot;
    TChartLegend m_legend;
    TChartWall m_backWall;
    TChartWall m_leftWall;
    TChartWall m_bottomWall;
    bool m_backImageInside = false;
    std::array<SavedScale, 4> m_savedScales;
    bool m_restored = true;
    int m_currentCursor = 0;
    int m_loadTimeCursor = 0;
};

// The published chart.
class TChart : public TCustomChart {
public:
    TChart();
};

} // namespace qv

#pragma once

#include "chart/ChartCanvas.h"
#include "runtime/core/Property.h"
#include "runtime/graphics/Canvas.h"

#include <functional>

namespace qv {

enum TPanelBevel { bvNone, bvLowered, bvRaised };
enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };
enum TGradientDirection { gdTopBottom, gdBottomTop, gdLeftRight, gdRightLeft };
enum TBackImageMode { pbmStretch, pbmTile, pbmCenter };

// The panel a chart is drawn on: its size, margins, colours, bevel, the
// buffered canvas, the two regions of a paint and the paint entry.
//
// Hosting: a window control owns the chart, calls SetSize when it is resized,
// Paint(windowCanvas) from its paint handler, forwards mouse and wheel events as
// plain calls (TCustomChart), and sets OnInvalidate to schedule a repaint of
// itself. Nothing else is needed; the chart never draws outside Paint unless a
// persistent window canvas is given with SetWindowCanvas.
class TCustomChartPanel {
public:
    TCustomChartPanel();
    virtual ~TCustomChartPanel();
    TCustomChartPanel(const TCustomChartPanel&) = delete;
    TCustomChartPanel& operator=(const TCustomChartPanel&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetSize(int width, int height);
    TRect ClientRect() const { return TRect{0, 0, m_width, m_height}; }

    // Called whenever the chart needs repainting; the host schedules a paint.
    std::function<void()> OnInvalidate;
    // Paint entry of the window: a clean buffer is copied, otherwise the chart is drawn.
    void Paint(Canvas& window);
    void DrawChart(Canvas& target, const TRect& rect);
    // Marks the buffer dirty and asks the host to repaint (not while constructing).
    void RequestRedraw();
    // A window canvas that outlives paints; lets the rubber band be drawn at once.
    void SetWindowCanvas(Canvas* window) { m_window = window; }
    Canvas* WindowCanvas() const { return m_window; }

    int MarginLeft() const { return m_marginLeft; }
    int MarginTop() const { return m_marginTop; }
    int MarginRight() const { return m_marginRight; }
    int MarginBottom() const { return m_marginBottom; }
    void SetMarginLeft(int v) { if (assignChanged(m_marginLeft, v)) RequestRedraw(); }
    void SetMarginTop(int v) { if (assignChanged(m_marginTop, v)) RequestRedraw(); }
    void SetMarginRight(int v) { if (assignChanged(m_marginRight, v)) RequestRedraw(); }
    void SetMarginBottom(int v) { if (assignChanged(m_marginBottom, v)) RequestRedraw(); }
    bool View3D() const { return m_view3D; }
    void SetView3D(bool v) { if (assignChanged(m_view3D, v)) RequestRedraw(); }
    int Chart3DPercent() const { return m_chart3DPercent; }
    void SetChart3DPercent(int percent); // 1..100, else "3D effect percent must be between 1 and 100"
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { if (assignChanged(m_color, color)) RequestRedraw(); }
    TPanelBevel BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TPanelBevel b) { if (assignChanged(m_bevelOuter, b)) RequestRedraw(); }
    TPanelBevel BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TPanelBevel b) { if (assignChanged(m_bevelInner, b)) RequestRedraw(); }
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int w) { if (assignChanged(m_bevelWidth, w)) RequestRedraw(); }
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int w) { if (assignChanged(m_borderWidth, w)) RequestRedraw(); }
    bool Printing() const { return m_printing; }
    void SetPrinting(bool printing) { m_printing = printing; }
    bool PrintProportional() const { return m_printProportional; }

    TChartCanvas3D& ChartCanvas() { return m_canvas; }
    const TRect& BoundsRect() const { return m_boundsRect; }
    const TRect& PlotRect() const { return m_plotRect; }
    // Stores and normalises the plot rectangle.
    void SetPlotRect(const TRect& r);
    int plotWidth() const { return m_plotRect.width(); }
    int plotHeight() const { return m_plotRect.height(); }
    int plotCenterX() const { return (m_plotRect.left + m_plotRect.right) / 2; }
    int plotCenterY() const { return (m_plotRect.top + m_plotRect.bottom) / 2; }

    bool AutoRepaint() const { return m_autoRepaint; }
    void SetAutoRepaint(bool on) { m_autoRepaint = on; }

    // Brush for a filled shape; a hatch in the back colour would vanish, so it turns black or white.
    void SetFillBrush(TColor color, BrushStyle style, TColor backColor);
    void ApplyFont(const Font& font);

    // Full drawings so far; a clean repaint does not count.
    int drawCount() const { return m_drawCount; }

protected:
    // Everything after the plot rectangle's first computation.
    virtual void DrawContent() = 0;
    // Drawn on the window after each paint, never into the buffer.
    virtual void PaintOverlay(Canvas&) {}
    void DrawBackgroundAndFrame();

private:
    void frameRing(TRect& r, TColor topLeft, TColor bottomRight, int width);

    int m_width = 400;
    int m_height = 250;
    int m_marginLeft = 3;
    int m_marginTop = 4;
    int m_marginRight = 3;
    int m_marginBottom = 4;
    bool m_view3D = true;
    int m_chart3DPercent = 15;
    TColor m_color = clBtnFace;
    TPanelBevel m_bevelOuter = bvRaised;
    TPanelBevel m_bevelInner = bvNone;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    bool m_printing = false;
    bool m_printProportional = true;
    bool m_autoRepaint = false;
    TChartCanvas3D m_canvas;
    TRect m_boundsRect;
    TRect m_plotRect;
    Canvas* m_window = nullptr;
    int m_drawCount = 0;
};

struct TChartGradient {
    bool Visible = false;
    TColor StartColor = clWhite;
    TColor EndColor = 0x00FFFF;
    TGradientDirection Direction = gdTopBottom;
};

// A mouse drag in chart pixels.
struct TZoomPanningRecord {
    bool Active = false;
    int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
    void Activate(int x, int y)
    {
        Active = true;
        X0 = X1 = x;
        Y0 = Y1 = y;
    }
};

class TCustomChartPanelExtended : public TCustomChartPanel {
public:
    const TChartGradient& Gradient() const { return m_gradient; }
    bool AllowZoom() const { return m_allowZoom; }
    void SetAllowZoom(bool allow) { m_allowZoom = allow; }
    TPanningMode AllowPanning() const { return m_allowPanning; }
    void SetAllowPanning(TPanningMode mode) { m_allowPanning = mode; }
    bool AnimatedZoom() const { return m_animatedZoom; }
    void SetAnimatedZoom(bool animated) { m_animatedZoom = animated; }
    int AnimatedZoomSteps() const { return m_animatedZoomSteps; }
    void SetAnimatedZoomSteps(int steps) { m_animatedZoomSteps = steps; }
    TBackImageMode BackImageMode() const { return m_backImageMode; }
    bool Zoomed() const { return m_zoomed; }

    std::function<void(TCustomChartPanelExtended&)> OnAfterDraw;
    std::function<void(TCustomChartPanelExtended&)> OnZoom;
    std::function<void(TCustomChartPanelExtended&)> OnUndoZoom;
    std::function<void(TCustomChartPanelExtended&)> OnScroll;

    const TZoomPanningRecord& ZoomState() const { return m_zoom; }
    const TZoomPanningRecord& PanningState() const { return m_panning; }

protected:
    TChartGradient m_gradient;
    bool m_allowZoom = true;
    TPanningMode m_allowPanning = pmBoth;
    bool m_animatedZoom = false;
    int m_animatedZoomSteps = 8;
    TBackImageMode m_backImageMode = pbmStretch;
    bool m_zoomed = false;
    TZoomPanningRecord m_zoom;
    TZoomPanningRecord m_panning;
};

} // namespace qv

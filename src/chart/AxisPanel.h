#pragma once

#include "chart/ChartAxis.h"
#include "chart/ChartPanel.h"
#include "chart/ChartSeries.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// A chart panel with series and axes: it runs the layout and the fixed painting
// order; titles, legend and walls come from the subclass.
class TCustomAxisPanel : public TCustomChartPanelExtended {
public:
    TCustomAxisPanel();
    ~TCustomAxisPanel() override;

    // Raises EListError "List index out of bounds (%d)" outside the list.
    TChartSeries& SeriesAt(int index) const;
    int NumSeries() const { return static_cast<int>(m_seriesList.size()); }
    int ActiveSeriesCount() const;
    const std::vector<TChartSeries*>& SeriesList() const { return m_seriesList; }

    TChartAxis& BottomAxis() { return *m_axes[0]; }
    TChartAxis& TopAxis() { return *m_axes[1]; }
    TChartAxis& LeftAxis() { return *m_axes[2]; }
    TChartAxis& RightAxis() { return *m_axes[3]; }
    TChartAxis& DepthAxis() { return *m_axes[4]; }
    // Bottom, top, left, right, depth.
    const std::array<std::unique_ptr<TChartAxis>, 5>& AxisList() const { return m_axes; }

    bool AxisVisible() const { return m_axisVisible; }
    void SetAxisVisible(bool visible) { if (assignChanged(m_axisVisible, visible)) RequestRedraw(); }
    bool View3DWalls() const { return m_view3DWalls; }
    bool ClipPoints() const { return m_clipPoints; }
    void SetClipPoints(bool clip) { if (assignChanged(m_clipPoints, clip)) RequestRedraw(); }
    int MaxPointsPerPage() const { return m_maxPointsPerPage; }
    int Page() const { return m_page; }
    bool ScaleLastPage() const { return m_scaleLastPage; }

    std::function<void(TCustomAxisPanel&)> OnBeforeDrawAxes;
    std::function<void(TCustomAxisPanel&)> OnBeforeDrawSeries;
    // May change the text of a label; called with no series and index -1.
    std::function<void(TChartAxis&, TChartSeries*, int, std::string&)> OnGetAxisLabel;
    // Legend hooks: move the box, move an item (x, y, symbol x), change an item's text.
    std::function<void(TCustomAxisPanel&, TRect&)> OnGetLegendRect;
    std::function<void(TCustomAxisPanel&, int, int&, int&, int&)> OnGetLegendPos;
    std::function<void(TCustomAxisPanel&, int, int, std::string&)> OnGetLegendText;

    // The colour a new series must not take besides the panel colour.
    virtual TColor BackWallColor() const { return clDefault; }
    // The legend's box colour as of its last paint; legend symbols hatch on it.
    TColor LegendColor() const { return m_legendColor; }
    void setLegendColor(TColor color) { m_legendColor = color; }
    bool Destroying() const { return m_destroying; }

    // Series membership, used by TChartSeries::SetParentChart.
    void addSeries(TChartSeries& series);
    void removeSeries(TChartSeries& series);
    bool containsSeries(const TChartSeries& series) const;

protected:
    void DrawContent() override;
    virtual void DrawTitlesAndLegend() {}
    virtual void DrawWalls() {}
    void LayoutAxes();
    void ApplySeriesMargins();
    void DrawAxes();
    void DrawAllSeries();
    void ResetCanvasState();

    TColor m_legendColor = clWhite;
    bool m_destroying = false;

private:
    std::vector<TChartSeries*> m_seriesList;
    std::array<std::unique_ptr<TChartAxis>, 5> m_axes;
    bool m_axisVisible = true;
    bool m_view3DWalls = true;
    bool m_clipPoints = true;
    int m_maxPointsPerPage = 0;
    int m_page = 1;
    bool m_scaleLastPage = true;
};

} // namespace qv

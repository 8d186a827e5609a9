#pragma once

#include "chart/ChartPen.h"
#include "runtime/core/Property.h"

#include <string>
#include <vector>

namespace qv {

class TCustomAxisPanel;

enum class TTitleAlignment { LeftJustify, RightJustify, Center };

// The chart's title (top) or foot (bottom): lines of text that take their
// height from the plot area.
class TChartTitle {
public:
    TChartTitle(TCustomAxisPanel& chart, bool foot);

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) { if (assignChanged(m_visible, visible)) changed(); }
    TTitleAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TTitleAlignment alignment) { if (assignChanged(m_alignment, alignment)) changed(); }
    const std::vector<std::string>& Text() const { return m_text; }
    void SetText(const std::vector<std::string>& lines) { if (assignChanged(m_text, lines)) changed(); }
    const Font& TitleFont() const { return m_font; }
    void SetTitleFont(const Font& font) { if (assignChanged(m_font, font)) changed(); }
    const TChartPen& Frame() const { return m_frame; }
    void SetFrame(const TChartPen& pen) { if (assignChanged(m_frame, pen)) changed(); }
    bool AdjustFrame() const { return m_adjustFrame; }
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { if (assignChanged(m_color, color)) changed(); }
    const TChartBrush& Brush() const { return m_brush; }
    void SetBrush(const TChartBrush& brush) { if (assignChanged(m_brush, brush)) changed(); }

    // Draws the lines and shrinks the plot rectangle by their height.
    void Draw();
    // The rectangle the lines took at the last paint.
    bool Clicked(int x, int y) const;

private:
    void changed();

    TCustomAxisPanel& m_chart;
    bool m_foot;
    bool m_visible = true;
    TTitleAlignment m_alignment = TTitleAlignment::Center;
    std::vector<std::string> m_text;
    Font m_font;
    TChartPen m_frame = TChartHiddenPen();
    bool m_adjustFrame = true;
    TColor m_color = clDefault;
    TChartBrush m_brush;
    TRect m_lastRect;
};

} // namespace qv

#include "chart/ChartAxis.h"

#include "chart/AxisPanel.h"
#include "chart/ChartException.h"
#include "chart/ChartSeries.h"
#include "runtime/core/DisplayFormat.h"
#include "runtime/core/Text.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// Rounding to the nearest integer, ties to even.
int roundEven(double x) { return static_cast<int>(std::nearbyint(x)); }

constexpr double tinyStep = 1e-12;
constexpr char lineSeparator = '\r';

} // namespace

TChartAxis::TChartAxis(TCustomAxisPanel& chart, AxisSide side) : m_chart(chart), m_side(side)
{
    if (side == AxisSide::Left)
        m_title.Angle = 90;
    else if (side == AxisSide::Right)
        m_title.Angle = 270;
    m_tickList.reserve(maxTicks);
}

void TChartAxis::changed() { m_chart.RequestRedraw(); }

bool TChartAxis::seriesCounts(const TChartSeries& series, bool anyActive) const
{
    if (anyActive && !series.Active())
        return false;
    return series.PointCount() > 0 && series.BelongsToAxis(*this);
}

bool TChartAxis::hasActiveSeries() const
{
    for (TChartSeries* s : m_chart.SeriesList()) {
        if (s->Active() && s->BelongsToAxis(*this))
            return true;
    }
    return false;
}

bool TChartAxis::IsVisibleOnChart() const
{
    return m_chart.AxisVisible() && m_visible && m_side != AxisSide::Depth && hasActiveSeries();
}

void TChartAxis::AutoRange()
{
    bool wantMax = m_automatic || m_automaticMaximum;
    bool wantMin = m_automatic || m_automaticMinimum;
    if (wantMax || wantMin) {
        bool anyActive = hasActiveSeries();
        bool first = true;
        double low = 0;
        double high = 0;
        for (TChartSeries* s : m_chart.SeriesList()) {
            if (!seriesCounts(*s, anyActive))
                continue;
            double l = Horizontal() ? s->LowestX() : s->LowestY();
            double h = Horizontal() ? s->HighestX() : s->HighestY();
            if (first || l < low)
                low = l;
            if (first || h > high)
                high = h;
            first = false;
        }
        if (wantMax)
            m_maximum = high;
        if (wantMin)
            m_minimum = low;
    }
    setRange(m_minimum, m_maximum);
}

void TChartAxis::setRange(double low, double high)
{
    m_rangeMin = low;
    m_rangeMax = high;
    m_rangeSpan = high - low;
}

int TChartAxis::labelTextSize(const std::string& text)
{
    TChartCanvas3D& canvas = m_chart.ChartCanvas();
    std::vector<std::string> lines = splitAt(text, lineSeparator);
    if (!Horizontal())
        return static_cast<int>(lines.size()) * canvas.TextLineHeight();
    int widest = 0;
    for (const std::string& line : lines)
        widest = std::max(widest, canvas.TextExtentWidth(line));
    return widest;
}

int TChartAxis::labelWidthEstimate()
{
    double s = LabelStep();
    double a = m_roundFirstLabel ? std::trunc(m_rangeMin / s) * s : m_rangeMin;
    double b = m_roundFirstLabel ? std::trunc(m_rangeMax / s) * s : m_rangeMax;
    TChartCanvas3D& canvas = m_chart.ChartCanvas();
    int widest = 0;
    for (double v : {b, a}) {
        std::string text = formatFloat(m_axisValuesFormat, v);
        if (m_labelsMultiLine)
            std::replace(text.begin(), text.end(), ' ', lineSeparator);
        for (const std::string& line : splitAt(text, lineSeparator))
            widest = std::max(widest, canvas.TextExtentWidth(line));
    }
    return widest + canvas.TextExtentWidth(" ");
}

TRect TChartAxis::TakeBands(TRect rect)
{
    TChartCanvas3D& canvas = m_chart.ChartCanvas();
    auto take = [&](int size) {
        switch (m_side) {
        case AxisSide::Bottom:
            rect.bottom -= size;
            return rect.bottom;
        case AxisSide::Top:
            rect.top += size;
            return rect.top;
        case AxisSide::Left:
            rect.left += size;
            return rect.left;
        case AxisSide::Right:
        case AxisSide::Depth:
            rect.right -= size;
            return rect.right;
        }
        return 0;
    };
    if (!m_title.Caption.empty()) {
        int size = m_titleSize;
        if (size == 0) {
            m_chart.ApplyFont(m_title.TitleFont);
            bool along = Horizontal() ? (m_title.Angle == 0 || m_title.Angle == 180)
                                      : (m_title.Angle == 90 || m_title.Angle == 270);
            size = along ? canvas.TextLineHeight() : canvas.TextExtentWidth(m_title.Caption);
        }
        m_titlePos = take(size);
    }
    if (m_labels) {
        int size = m_labelsSize;
        if (size == 0) {
            m_chart.ApplyFont(m_labelsFont);
            size = Horizontal() ? canvas.TextLineHeight() : labelWidthEstimate();
        }
        m_labelsPos = take(size);
    }
    int tickBand = (m_axisPen.Visible ? m_axisPen.Width : 0) + (m_ticks.Visible ? m_tickLength : 0);
    if (m_minorTicks.Visible)
        tickBand = std::max(tickBand, m_minorTickLength);
    if (tickBand > 0)
        take(tickBand);
    return rect;
}

void TChartAxis::ComputePixels()
{
    const TRect& plot = m_chart.PlotRect();
    int origin = Horizontal() ? plot.left : plot.top;
    int size = Horizontal() ? plot.width() : plot.height();
    m_startPixel = origin + roundEven(size * 0.01 * m_startPosition);
    m_endPixel = origin + roundEven(size * 0.01 * m_endPosition);
    m_lengthPixels = m_endPixel - m_startPixel;
    m_centerPixel = (m_startPixel + m_endPixel) / 2;
}

void TChartAxis::WidenForMargins(int lowSide, int highSide)
{
    if (!m_automaticMinimum)
        lowSide = 0;
    if (!m_automaticMaximum)
        highSide = 0;
    if (lowSide == 0 && highSide == 0)
        return;
    int oldStart = m_startPixel;
    int oldEnd = m_endPixel;
    // The low values sit at the start of a horizontal axis and at the end of a vertical one.
    m_startPixel += Horizontal() ? lowSide : highSide;
    m_endPixel -= Horizontal() ? highSide : lowSide;
    m_lengthPixels = m_endPixel - m_startPixel;
    double atStart = PixelToValue(oldStart);
    double atEnd = PixelToValue(oldEnd);
    double low = Horizontal() ? atStart : atEnd;
    double high = Horizontal() ? atEnd : atStart;
    if (low > high)
        std::swap(low, high);
    setRange(low, high);
    ComputePixels();
}

int TChartAxis::ValueToPixel(double value) const
{
    if (m_rangeSpan == 0)
        return m_centerPixel;
    double d = (value - m_rangeMin) * m_lengthPixels / m_rangeSpan;
    // Near the top of the double range the product overflows; the quotient first does not.
    if (!std::isfinite(d))
        d = (value - m_rangeMin) / m_rangeSpan * m_lengthPixels;
    if (!(std::fabs(d) < 2147483647.0))
        return m_centerPixel;
    return Horizontal() ? m_startPixel + roundEven(d) : m_endPixel - roundEven(d);
}

double TChartAxis::PixelToValue(int pixel) const
{
    if (m_lengthPixels < 1)
        return 0;
    double offset = static_cast<double>(pixel - m_startPixel) * m_rangeSpan / m_lengthPixels;
    if (!std::isfinite(offset))
        offset = static_cast<double>(pixel - m_startPixel) / m_lengthPixels * m_rangeSpan;
    return Horizontal() ? m_rangeMin + offset : m_rangeMax - offset;
}

double TChartAxis::NextNiceStep(double x)
{
    if (!(x > 0) || !std::isfinite(x))
        return 1;
    if (x >= 10)
        return static_cast<double>(NextNiceStep(static_cast<double>(x * 0.1L)) * 10.0L);
    if (x < 1)
        return static_cast<double>(NextNiceStep(static_cast<double>(x * 10.0L)) * 0.1L);
    if (x < 2)
        return 2;
    if (x < 5)
        return 5;
    return 10;
}

double TChartAxis::LabelStep()
{
    m_chart.ApplyFont(m_labelsFont);
    int size = std::max(labelTextSize(FormatLabel(m_rangeMin)), labelTextSize(FormatLabel(m_rangeMax)));
    return LabelStepFor(size, m_lengthPixels, m_rangeSpan, m_increment, m_labelsSeparation);
}

double TChartAxis::LabelStepFor(int labelSize, int lengthPixels, double rangeSpan, double increment,
                                int labelsSeparation)
{
    int maxLabels = 1;
    if (labelSize > 0) {
        int gap = labelsSeparation > 0 ? roundEven(labelsSeparation * 0.01 * labelSize) : 0;
        maxLabels = roundEven(static_cast<double>(lengthPixels) / (labelSize + gap));
    }
    if (maxLabels < 1 || !std::isfinite(rangeSpan))
        return tinyStep;
    double s = increment > 0 ? increment : (std::fabs(rangeSpan) >= 1 ? 1.0 : tinyStep);
    if (labelsSeparation > 0) {
        long long n = static_cast<long long>(maxLabels) + 1;
        // The 1-2-5 climb spans the whole double range in about a thousand steps.
        for (int guard = 0; guard < 4000 && n > maxLabels; ++guard) {
            double q = rangeSpan / s;
            if (std::fabs(q) < 2147483647.0) {
                n = roundEven(q);
                if (n > maxLabels)
                    s = NextNiceStep(s);
            } else {
                s = NextNiceStep(s);
            }
        }
    }
    return std::max(s, tinyStep);
}

std::string TChartAxis::FormatLabel(double value) const
{
    std::string text = formatFloat(m_axisValuesFormat, value);
    if (m_chart.OnGetAxisLabel)
        m_chart.OnGetAxisLabel(const_cast<TChartAxis&>(*this), nullptr, -1, text);
    if (m_labelsMultiLine)
        std::replace(text.begin(), text.end(), ' ', lineSeparator);
    return text;
}

TAxisLabelStyle TChartAxis::resolvedLabelStyle() const
{
    if (m_labelStyle != talAuto)
        return m_labelStyle;
    bool any = false;
    for (TChartSeries* s : m_chart.SeriesList()) {
        if (!s->Active() || !s->BelongsToAxis(*this))
            continue;
        any = true;
        if (Horizontal() && s->PointCount() > 0 && !s->PointLabel(0).empty())
            return talText;
    }
    return any ? talValue : talNone;
}

int TChartAxis::plotEdge() const
{
    const TRect& plot = m_chart.PlotRect();
    int pos = 0;
    switch (m_side) {
    case AxisSide::Bottom:
        pos = plot.bottom;
        break;
    case AxisSide::Top:
        pos = plot.top;
        break;
    case AxisSide::Left:
        pos = plot.left;
        break;
    case AxisSide::Right:
    case AxisSide::Depth:
        pos = plot.right;
        break;
    }
    if (m_positionPercent != 0) {
        int size = Horizontal() ? plot.height() : plot.width();
        int shift = roundEven(size * 0.01 * m_positionPercent);
        pos += (m_side == AxisSide::Bottom || m_side == AxisSide::Right) ? -shift : shift;
    }
    return pos;
}

void TChartAxis::writeLabelText(int p, const std::string& text)
{
    TChartCanvas3D& canvas = m_chart.ChartCanvas();
    std::vector<std::string> lines = splitAt(text, lineSeparator);
    int h = canvas.TextLineHeight();
    int count = static_cast<int>(lines.size());
    int x = 0;
    int y = 0;
    switch (m_side) {
    case AxisSide::Bottom:
        canvas.SetTextAlignment(taCenter | taTop);
        x = p;
        y = m_labelsPos;
        break;
    case AxisSide::Top:
        canvas.SetTextAlignment(taCenter | taTop);
        x = p;
        y = m_labelsPos - count * h;
        break;
    case AxisSide::Left:
    case AxisSide::Right:
    case AxisSide::Depth:
        canvas.SetTextAlignment((m_side == AxisSide::Left ? taRight : taLeft) | taTop);
        x = m_labelsPos;
        y = p - h / 2 - roundEven(h * (count + 1) / 2.0) + h;
        break;
    }
    for (const std::string& line : lines) {
        canvas.WriteText(x, y, line);
        y += h;
    }
}

void TChartAxis::drawLabel(double value, const std::string& text)
{
    int p = ValueToPixel(value);
    if (!m_labelsOnAxis && !(m_startPixel < p && p < m_endPixel))
        return;
    auto record = [&] {
        if (m_tickList.size() < static_cast<size_t>(maxTicks))
            m_tickList.push_back(p);
    };
    if (!m_tickOnLabelsOnly)
        record();
    if (!m_labels)
        return;
    if (m_tickOnLabelsOnly)
        record();
    writeLabelText(p, text);
}

void TChartAxis::drawValueLabels(double step)
{
    if (std::fabs(m_rangeSpan / step) >= 10000)
        return;
    double v = m_rangeMax;
    if (m_rangeMin != m_rangeMax && m_roundFirstLabel)
        v = std::trunc(m_rangeMax / step) * step;
    while (v > m_rangeMax)
        v -= step;
    const double lowest = (m_rangeMin - tinyStep) / 1.000000000001;
    // A zero range steps down by a tiny amount: the same label would repeat at the
    // same pixel many times, so repeats are skipped and the loop is bounded.
    int lastPixel = 0;
    std::string lastText;
    for (int drawn = 0; v >= lowest && drawn < maxTicks; ++drawn) {
        int p = ValueToPixel(v);
        std::string text = m_labels ? FormatLabel(v) : std::string();
        if (drawn == 0 || p != lastPixel || text != lastText)
            drawLabel(v, text);
        lastPixel = p;
        lastText = text;
        double next = v - step;
        if (next == v)
            break;
        v = next;
    }
}

void TChartAxis::drawTick(int at, int direction, const TChartPen& pen, int length)
{
    TChartCanvas3D& canvas = m_chart.ChartCanvas();
    canvas.SelectPen(pen);
    // direction +1: away from the plot; -1: into it.
    int sign = (m_side == AxisSide::Bottom || m_side == AxisSide::Right) ? direction : -direction;
    int from = m_axisPos + sign;
    int to = from + sign * length;
    if (Horizontal())
        canvas.VerticalLine(at, from, to);
    else
        canvas.HorizontalLine(from, to, at);
}

void TChartAxis::drawGrid()
{
    TChartCanvas3D& canvas = m_chart.ChartCanvas();
    const TRect& plot = m_chart.PlotRect();
    canvas.brush().style = BrushStyle::Clear;
    canvas.SetBackgroundMode(cbmTransparent);
    TChartPen pen = m_grid;
    if (pen.Color == clDefault)
        pen.Color = clGray;
    canvas.SelectPen(pen);
    auto line = [&](int t) {
        if (Horizontal())
            canvas.VerticalLine(t, plot.top, plot.bottom);
        else
            canvas.HorizontalLine(plot.left, plot.right, t);
    };
    for (size_t i = 0; i < m_tickList.size(); ++i) {
        if (!m_gridCentered)
            line(m_tickList[i]);
        else if (i >= 1)
            line(roundEven((m_tickList[i] + m_tickList[i - 1]) * 0.5));
    }
    canvas.SetBackgroundMode(cbmOpaque);
}

void TChartAxis::drawMinorTicks()
{
    const std::vector<int>& t = m_tickList;
    const int n = m_minorTickCount;
    std::vector<int> minor;
    auto add = [&](int p) {
        if (m_startPixel < p && p < m_endPixel)
            minor.push_back(p);
    };
    if (t.size() >= 2) {
        for (int k = 1; k <= n; ++k) {
            int c = roundEven(static_cast<double>(t[1] - t[0]) / (n + 1) * k);
            add(t[0] - c);
            add(t.back() + c);
        }
    }
    for (size_t i = 1; i < t.size(); ++i) {
        for (int k = 1; k <= n; ++k)
            add(t[i] - roundEven(static_cast<double>(k) * (t[i] - t[i - 1]) / (n + 1)));
    }
    for (int p : minor)
        drawTick(p, +1, m_minorTicks, m_minorTickLength);
    if (m_minorGrid.Visible) {
        TChartCanvas3D& canvas = m_chart.ChartCanvas();
        const TRect& plot = m_chart.PlotRect();
        canvas.SelectPen(m_minorGrid);
        for (int p : minor) {
            if (Horizontal())
                canvas.VerticalLine(p, plot.top, plot.bottom);
            else
                canvas.HorizontalLine(plot.left, plot.right, p);
        }
    }
}

void TChartAxis::PaintAxis()
{
    TChartCanvas3D& canvas = m_chart.ChartCanvas();
    m_chart.ApplyFont(m_labelsFont);
    double step = LabelStep();
    m_axisPos = plotEdge();

    if (!m_title.Caption.empty()) {
        m_chart.ApplyFont(m_title.TitleFont);
        int w = canvas.TextExtentWidth(m_title.Caption);
        int h = canvas.TextLineHeight();
        canvas.SetBackgroundMode(cbmTransparent);
        canvas.SetTextAlignment(taLeft | taTop);
        if (m_side == AxisSide::Bottom)
            canvas.WriteText(m_centerPixel - w / 2, m_titlePos, m_title.Caption);
        else if (m_side == AxisSide::Top)
            canvas.WriteText(m_centerPixel - w / 2, m_titlePos - h, m_title.Caption);
        else if (m_side == AxisSide::Left)
            canvas.RotatedText(m_titlePos - h, m_centerPixel + w / 2, m_title.Angle, m_title.Caption);
        else
            canvas.RotatedText(m_titlePos + h, m_centerPixel - w / 2, m_title.Angle, m_title.Caption);
        m_chart.ApplyFont(m_labelsFont);
    }

    m_tickList.clear();
    if (step > 0 && m_rangeMax >= m_rangeMin) {
        TAxisLabelStyle style = resolvedLabelStyle();
        if (style != talNone) {
            canvas.brush().style = BrushStyle::Clear;
            canvas.brush().color = m_chart.Color();
            canvas.SetBackgroundMode(cbmTransparent);
            drawValueLabels(step);
            canvas.SetTextAlignment(taLeft | taTop);
        }
    }

    if (m_axisPen.Visible) {
        canvas.SelectPen(m_axisPen);
        if (Horizontal())
            canvas.HorizontalLine(m_startPixel, m_endPixel, m_axisPos);
        else
            canvas.VerticalLine(m_axisPos, m_startPixel, m_endPixel);
    }
    if (m_ticks.Visible) {
        for (int t : m_tickList)
            drawTick(t, +1, m_ticks, m_tickLength);
    }
    if (m_grid.Visible)
        drawGrid();
    if (m_ticksInner.Visible && m_tickInnerLength > 0) {
        for (int t : m_tickList)
            drawTick(t, -1, m_ticksInner, m_tickInnerLength);
    }
    if (m_minorTicks.Visible && !m_tickList.empty())
        drawMinorTicks();
}

void TChartAxis::SetManualRange(double a, double b)
{
    m_automatic = m_automaticMinimum = m_automaticMaximum = false;
    m_minimum = std::min(a, b);
    m_maximum = std::max(a, b);
    if (m_maximum - m_minimum < 1e-10)
        m_maximum = m_minimum + 1e-10;
    changed();
}

void TChartAxis::ShiftRange(double delta)
{
    m_automatic = m_automaticMinimum = m_automaticMaximum = false;
    m_minimum += delta;
    m_maximum += delta;
    changed();
}

void TChartAxis::SetMinimum(double value)
{
    if (value > m_maximum)
        throw ChartException("Axis Minimum Value must be <= Maximum");
    if (assignChanged(m_minimum, value))
        changed();
}

void TChartAxis::SetMaximum(double value)
{
    if (value < m_minimum)
        throw ChartException("Axis Maximum Value must be >= Minimum");
    if (assignChanged(m_maximum, value))
        changed();
}

void TChartAxis::SetIncrement(double increment)
{
    if (increment < 0)
        throw ChartException("Axis increment must be >= 0");
    if (assignChanged(m_increment, increment))
        changed();
}

void TChartAxis::SetLabelsSeparation(int percent)
{
    if (percent < 0)
        throw ChartException("Labels Separation % must be greater than 0");
    if (assignChanged(m_labelsSeparation, percent))
        changed();
}

bool TChartAxis::AxisHit(int x, int y) const
{
    if (!IsVisibleOnChart())
        return false;
    int along = Horizontal() ? x : y;
    int across = Horizontal() ? y : x;
    if (along < m_startPixel || along > m_endPixel)
        return false;
    bool labelsAfter = m_side == AxisSide::Bottom || m_side == AxisSide::Right;
    int low = labelsAfter ? m_axisPos - 3 : m_labelsPos;
    int high = labelsAfter ? m_labelsPos : m_axisPos + 3;
    return across >= low && across <= high;
}

} // namespace qv

#include "report/ui/TRvRenderPreview.h"

#include "report/snapshot/EReportPrinter.h"
#include "report/snapshot/TRPConverter.h"
#include "runtime/ui/Screen.h"
#include "runtime/ui/ScrollBox.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

constexpr double minZoom = 10.0;
constexpr double maxZoom = 200.0;

// Pixels of a length at a scale, cut rather than rounded so that a page fitted to the
// view never spills one pixel over it and brings up a scroll bar.
int pixelsOf(double inches, double pixelsPerInch) { return std::max(1, static_cast<int>(inches * pixelsPerInch + 1e-6)); }

// Places along a ruler: "along" runs with the ruler, "across" from its outer edge.
struct RulerAxis {
    bool horizontal;
    TRect band;
    TPoint at(int along, int across) const
    {
        return horizontal ? TPoint {band.left + along, band.top + across} : TPoint {band.left + across, band.top + along};
    }
    int length() const { return horizontal ? band.width() : band.height(); }
};

void drawRuler(Canvas& canvas, const RulerAxis& axis, int paperStart, double unitPixels, int subdivisions)
{
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = clBtnFace;
    canvas.fillRect(axis.band);
    canvas.pen.color = clBtnShadow;
    canvas.pen.width = 1;
    canvas.pen.style = PenStyle::Solid;
    TPoint const edgeStart = axis.at(0, TRvRenderPreview::rulerSize - 1);
    TPoint const edgeEnd = axis.at(axis.length(), TRvRenderPreview::rulerSize - 1);
    canvas.moveTo(edgeStart.x, edgeStart.y);
    canvas.lineTo(edgeEnd.x, edgeEnd.y);

    canvas.pen.color = clBlack;
    canvas.font.name = "Arial";
    canvas.font.height = 9;
    canvas.font.color = clBlack;
    canvas.font.style = 0;
    canvas.setBackgroundTransparent(true);
    canvas.setTextAlign(taLeft | taTop);
    int const half = subdivisions % 2 == 0 ? subdivisions / 2 : 0;
    for (int i = 0;; ++i) {
        int const along = paperStart + static_cast<int>(std::lround(i * unitPixels / subdivisions));
        if (along > axis.length())
            break;
        bool const major = i % subdivisions == 0;
        int const tick = major ? 10 : (half > 0 && i % half == 0) ? 6 : 3;
        TPoint const from = axis.at(along, TRvRenderPreview::rulerSize - 1 - tick);
        TPoint const to = axis.at(along, TRvRenderPreview::rulerSize - 1);
        canvas.moveTo(from.x, from.y);
        canvas.lineTo(to.x, to.y);
        if (major && i > 0) {
            TPoint const label = axis.at(along + 2, 1);
            canvas.textOut(label.x, label.y, std::to_string(i / subdivisions));
        }
    }
}

} // namespace

TRvRenderPreview::TRvRenderPreview()
    : ScreenPixelsPerInch(screenPixelsPerInch())
{
}

TRvRenderPreview::~TRvRenderPreview() = default;

void TRvRenderPreview::SetShadowDepth(int depth)
{
    m_shadowDepth = std::max(0, depth);
    if (m_shadowDepth > 0)
        m_monochrome = false;
}

void TRvRenderPreview::SetMonochrome(bool monochrome)
{
    m_monochrome = monochrome;
    if (monochrome)
        m_shadowDepth = 0;
}

TScrollBox& TRvRenderPreview::scrollBox() const
{
    if (!ScrollBox)
        throw EReportPrinter("ScrollBox must be assigned for RenderPreview component");
    return *ScrollBox;
}

void TRvRenderPreview::SetStream(TStream& stream)
{
    // A snapshot that cannot be read leaves the one shown so far in place.
    auto converter = std::make_unique<TRPConverter>(stream, *this);
    const TRPSnapshotHeader& header = converter->Header();
    m_converter = std::move(converter);
    m_stream = &stream;
    m_pages = std::max(0, header.pageCount);
    m_paperWidth = header.paperWidth > 0 ? header.paperWidth : 8.5;
    m_paperHeight = header.paperHeight > 0 ? header.paperHeight : 11.0;
    m_currentPage = std::min(1, m_pages);
}

void TRvRenderPreview::PrintPage(int page)
{
    // A snapshot without pages (all outside the print range) shows page 0 of 0.
    m_currentPage = std::clamp(page, std::min(1, m_pages), m_pages);
    drawPage();
    if (OnPageChange)
        OnPageChange(*this);
}

bool TRvRenderPreview::NextPage()
{
    int page = m_currentPage + std::max(1, PageInc);
    if (page > m_pages) {
        if (m_currentPage == 1)
            return false;
        page = 1;
    }
    PrintPage(page);
    return true;
}

bool TRvRenderPreview::PrevPage()
{
    int page = m_currentPage - std::max(1, PageInc);
    if (page <= 0) {
        if (m_currentPage == m_pages)
            return false;
        page = m_pages;
    }
    PrintPage(page);
    return true;
}

void TRvRenderPreview::SetZoomFactor(double factor)
{
    if (factor <= -1.9)
        factor = ZoomPageWidthFactor();
    else if (factor < 0)
        factor = ZoomPageFactor();
    // Fitted factors too: a window squeezed to nothing must not ask for a page of no size.
    factor = std::clamp(factor, minZoom, maxZoom);
    bool const changed = factor != m_zoom;
    m_zoom = factor;
    if (OnZoomChange)
        OnZoomChange(*this);
    if (changed && m_converter && ScrollBox)
        drawPage();
}

void TRvRenderPreview::ZoomIn() { SetZoomFactor(m_zoom + ZoomInc); }

void TRvRenderPreview::ZoomOut()
{
    if (m_zoom > ZoomInc)
        SetZoomFactor(m_zoom - ZoomInc);
}

double TRvRenderPreview::ZoomPageFactor() const
{
    TScrollBox& box = scrollBox();
    double const ppi = ScreenPixelsPerInch;
    double const width = box.width() - m_shadowDepth - rulerWidth() - 4;
    double const height = box.height() - m_shadowDepth - rulerHeight() - 4;
    if (MarginMethod == TMarginMethod::mmFixed) {
        double const margin = std::round(ppi * m_paperWidth * MarginPercent / 100);
        return std::min((width - 2 * margin) / (ppi * m_paperWidth), (height - 2 * margin) / (ppi * m_paperHeight)) * 100;
    }
    double const scaled = MarginPercent / 50;
    return std::min(width / (ppi * m_paperWidth * (scaled + 1)), height / (ppi * m_paperHeight + ppi * m_paperWidth * scaled)) * 100;
}

double TRvRenderPreview::ZoomPageWidthFactor() const
{
    TScrollBox& box = scrollBox();
    double const ppi = ScreenPixelsPerInch;
    double const frame = 2 * box.frameWidth();
    double const margin = std::round(ppi * m_paperWidth * MarginPercent / 100);
    double const scaled = MarginPercent / 50;
    auto factorFor = [&](double width) {
        if (MarginMethod == TMarginMethod::mmFixed)
            return (width - (frame + 2 * margin)) / (ppi * m_paperWidth);
        return (width - frame) / (ppi * m_paperWidth * (scaled + 1));
    };
    auto heightAt = [&](double factor) {
        if (MarginMethod == TMarginMethod::mmFixed)
            return ppi * m_paperHeight * factor + 2 * margin;
        return ppi * m_paperHeight * factor + ppi * m_paperWidth * factor * scaled;
    };
    double const width = box.width() - m_shadowDepth - rulerWidth();
    double factor = factorFor(width);
    // A page taller than the view brings up the vertical scroll bar, which takes width.
    if (heightAt(factor) > box.height() - m_shadowDepth - rulerHeight() - frame)
        factor = factorFor(width - TScrollBox::scrollBarWidth());
    return factor * 100;
}

bool TRvRenderPreview::horizontalRuler() const
{
    return RulerType == TRulerType::rtHorizCm || RulerType == TRulerType::rtHorizIn || RulerType == TRulerType::rtBothCm
        || RulerType == TRulerType::rtBothIn;
}

bool TRvRenderPreview::verticalRuler() const
{
    return RulerType == TRulerType::rtVertCm || RulerType == TRulerType::rtVertIn || RulerType == TRulerType::rtBothCm
        || RulerType == TRulerType::rtBothIn;
}

bool TRvRenderPreview::metricRuler() const
{
    return RulerType == TRulerType::rtHorizCm || RulerType == TRulerType::rtVertCm || RulerType == TRulerType::rtBothCm;
}

// The ruler along the top takes height, the one along the left takes width.
int TRvRenderPreview::rulerWidth() const { return verticalRuler() ? rulerSize : 0; }
int TRvRenderPreview::rulerHeight() const { return horizontalRuler() ? rulerSize : 0; }

TColor TRvRenderPreview::shown(TColor color) const
{
    if (!m_monochrome || color == clWhite || color == clNone)
        return color;
    return clBlack;
}

void TRvRenderPreview::SetBrush(const snapshot::TRvBrush& brush)
{
    snapshot::TRvBrush b = brush;
    b.color = shown(b.color);
    TRvRenderCanvas::SetBrush(b);
}

void TRvRenderPreview::SetFont(const snapshot::TRvFont& font)
{
    snapshot::TRvFont f = font;
    f.color = shown(f.color);
    TRvRenderCanvas::SetFont(f);
}

void TRvRenderPreview::SetPen(const snapshot::TRvPen& pen)
{
    snapshot::TRvPen p = pen;
    p.color = shown(p.color);
    TRvRenderCanvas::SetPen(p);
}

void TRvRenderPreview::drawPage()
{
    TScrollBox& box = scrollBox();
    if (!m_converter)
        return;
    if (m_pages <= 0) {
        m_picture = Bitmap();
        box.setPicture(m_picture);
        return;
    }
    TBusyCursor busy;
    m_converter->GeneratePage(m_currentPage);
    box.setPicture(m_picture);
    box.setHorzPosition(0);
    box.setVertPosition(0);
}

void TRvRenderPreview::PageBegin(int, double width, double height)
{
    double const scale = ScreenPixelsPerInch * m_zoom / 100;
    PixelsPerInchX = scale;
    PixelsPerInchY = scale;
    int const paperWidth = pixelsOf(width > 0 ? width : m_paperWidth, scale);
    int const paperHeight = pixelsOf(height > 0 ? height : m_paperHeight, scale);
    int const left = rulerWidth();
    int const top = rulerHeight();
    int const shadow = m_shadowDepth;
    m_picture.setSize(left + paperWidth + shadow, top + paperHeight + shadow);

    Canvas& canvas = m_picture.canvas();
    canvas.clearClip();
    canvas.setOrigin(0, 0);
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = ScrollBox ? ScrollBox->color() : clBtnFace;
    canvas.fillRect({0, 0, m_picture.width(), m_picture.height()});
    if (shadow > 0) {
        canvas.brush.color = clBlack;
        canvas.fillRect({left + paperWidth, top + shadow, left + paperWidth + shadow, top + paperHeight + shadow});
        canvas.fillRect({left + shadow, top + paperHeight, left + paperWidth + shadow, top + paperHeight + shadow});
    }
    canvas.brush.color = clWhite;
    canvas.fillRect({left, top, left + paperWidth, top + paperHeight});

    // The page's commands draw in paper coordinates and never over rulers or shadow.
    canvas.setOrigin(left, top);
    canvas.intersectClipRect({0, 0, paperWidth, paperHeight});
    m_canvas = &canvas;
}

void TRvRenderPreview::PageEnd()
{
    m_canvas = nullptr;
    Canvas& canvas = m_picture.canvas();
    int const paperWidth = m_picture.width() - rulerWidth() - m_shadowDepth;
    int const paperHeight = m_picture.height() - rulerHeight() - m_shadowDepth;
    drawGrid(canvas, paperWidth, paperHeight);
    canvas.clearClip();
    canvas.setOrigin(0, 0);
    drawRulers(canvas, paperWidth, paperHeight);
}

// GridHoriz spaces the horizontal lines, GridVert the vertical ones (inches).
void TRvRenderPreview::drawGrid(Canvas& canvas, int paperWidth, int paperHeight)
{
    canvas.pen.color = shown(GridPen.color);
    canvas.pen.style = GridPen.style <= 6 ? PenStyle(GridPen.style) : PenStyle::Solid;
    canvas.pen.mode = PenMode::Copy;
    canvas.pen.width = std::max(1, XI2D(GridPen.width) - XI2D(0));
    auto lines = [&](double spacing, int extent, auto&& line) {
        if (spacing <= 0)
            return;
        for (int i = 1;; ++i) {
            int const at = XI2D(i * spacing);
            if (at >= extent)
                break;
            line(at);
        }
    };
    lines(GridHoriz, paperHeight, [&](int y) {
        canvas.moveTo(0, y);
        canvas.lineTo(paperWidth, y);
    });
    lines(GridVert, paperWidth, [&](int x) {
        canvas.moveTo(x, 0);
        canvas.lineTo(x, paperHeight);
    });
}

void TRvRenderPreview::drawRulers(Canvas& canvas, int, int)
{
    if (RulerType == TRulerType::rtNone)
        return;
    double const inch = PixelsPerInchX;
    double const unit = metricRuler() ? inch / 2.54 : inch;
    // Millimetres or eighths of an inch while they stay three pixels apart, else halves.
    int const fine = metricRuler() ? 10 : 8;
    int const subdivisions = unit / fine >= 3 ? fine : 2;
    if (horizontalRuler())
        drawRuler(canvas, RulerAxis {true, {rulerWidth(), 0, m_picture.width(), rulerSize}}, 0, unit, subdivisions);
    if (verticalRuler())
        drawRuler(canvas, RulerAxis {false, {0, rulerHeight(), rulerSize, m_picture.height()}}, 0, unit, subdivisions);
    if (horizontalRuler() && verticalRuler()) {
        canvas.brush.color = clBtnFace;
        canvas.fillRect({0, 0, rulerSize, rulerSize});
    }
}

} // namespace qv

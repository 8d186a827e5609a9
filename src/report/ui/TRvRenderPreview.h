#pragma once

#include "report/device/TRvRenderCanvas.h"
#include "report/execution/SystemSettings.h"
#include "report/snapshot/Stream.h"
#include "runtime/graphics/Bitmap.h"

#include <functional>
#include <memory>

namespace qv {

class TRPConverter;
class TScrollBox;

// Draws one page of a snapshot at a time, at the zoom, into a picture that the scroll
// box shows: the paper on the box's colour, a shadow along its right and bottom edges,
// rulers along the top and left when chosen, grid lines when a spacing is set.
class TRvRenderPreview : public TRvRenderCanvas {
public:
    static constexpr int rulerSize = 20;
    using TNotifyEvent = std::function<void(TRvRenderPreview&)>;

    TRvRenderPreview();
    ~TRvRenderPreview() override;

    TScrollBox* ScrollBox = nullptr;
    double ZoomInc = 10;
    int PageInc = 1;
    TMarginMethod MarginMethod = TMarginMethod::mmScaled;
    double MarginPercent = 0;
    TRulerType RulerType = TRulerType::rtNone;
    snapshot::TRvPen GridPen;
    double GridHoriz = 0;
    double GridVert = 0;
    // Pixels per inch of the screen; the page is drawn at this times the zoom.
    int ScreenPixelsPerInch;
    TNotifyEvent OnPageChange;
    TNotifyEvent OnZoomChange;

    int ShadowDepth() const { return m_shadowDepth; }
    // Above 0 turns monochrome off.
    void SetShadowDepth(int depth);
    bool Monochrome() const { return m_monochrome; }
    // On removes the shadow.
    void SetMonochrome(bool monochrome);

    // The snapshot to show, read from where it is and not owned; page 1 is not drawn
    // until PrintPage. Reading its header may fail with the snapshot reader's errors.
    void SetStream(TStream& stream);
    TStream* Stream() const { return m_stream; }
    int Pages() const { return m_pages; }
    int CurrentPage() const { return m_currentPage; }
    double PaperWidth() const { return m_paperWidth; }
    double PaperHeight() const { return m_paperHeight; }

    // Shows page n, kept within the snapshot's pages.
    void PrintPage(int page);
    // The page increment further, wrapping to page 1 past the last page; false when the
    // page stayed (on page 1 with no page to go to).
    bool NextPage();
    // The page increment back, wrapping to the last page; false when the page stayed.
    bool PrevPage();

    double ZoomFactor() const { return m_zoom; }
    // At most -1.9 fits the page width, between -1.9 and 0 the whole page; any factor is
    // kept within 10 to 200. The zoom box hears of it and the page is drawn again.
    void SetZoomFactor(double factor);
    void ZoomIn();
    void ZoomOut();
    double ZoomPageFactor() const;
    double ZoomPageWidthFactor() const;

    // The picture of the page last drawn.
    const Bitmap& Picture() const { return m_picture; }

    void SetBrush(const snapshot::TRvBrush& brush) override;
    void SetFont(const snapshot::TRvFont& font) override;
    void SetPen(const snapshot::TRvPen& pen) override;
    void PageBegin(int pageNumber, double width, double height) override;
    void PageEnd() override;
    std::string DeviceName() const override { return "Preview"; }
    std::string DriverName() const override { return "Preview"; }
    std::string PortName() const override { return "Screen"; }

private:
    TScrollBox& scrollBox() const;
    void drawPage();
    int rulerWidth() const;
    int rulerHeight() const;
    bool horizontalRuler() const;
    bool verticalRuler() const;
    bool metricRuler() const;
    void drawRulers(Canvas& canvas, int paperWidth, int paperHeight);
    void drawGrid(Canvas& canvas, int paperWidth, int paperHeight);
    TColor shown(TColor color) const;

    TStream* m_stream = nullptr;
    std::unique_ptr<TRPConverter> m_converter;
    int m_pages = 0;
    int m_currentPage = 1;
    double m_paperWidth = 8.5;
    double m_paperHeight = 11;
    double m_zoom = 100;
    int m_shadowDepth = 0;
    bool m_monochrome = false;
    Bitmap m_picture;
};

} // namespace qv

#pragma once

#include "report/snapshot/SnapshotFormat.h"

#include <cmath>
#include <string>
#include <vector>

namespace qv {

class TRPConverter;

struct TRPPoint {
    double x = 0;
    double y = 0;
    bool operator==(const TRPPoint&) const = default;
};

struct TRPRect {
    TRPPoint topLeft;
    TRPPoint bottomRight;
    bool operator==(const TRPRect&) const = default;
};

// Receives a snapshot's drawing, in inches, from the converter. Preview and
// printer renderers turn it into device units with the conversions below.
class TRPRender {
public:
    virtual ~TRPRender() = default;

    virtual void DocBegin(const TRPConverter&) {}
    virtual void DocEnd() {}
    virtual void PageBegin(int pageNumber, double width, double height) = 0;
    virtual void PageEnd() {}

    virtual void SetBrush(const snapshot::TRvBrush&) {}
    virtual void SetFont(const snapshot::TRvFont&) {}
    virtual void SetPen(const snapshot::TRvPen&) {}
    virtual void SetFrameMode(uint8_t) {}

    virtual void Arc(const TRPRect& rect, TRPPoint start, TRPPoint end) = 0;
    virtual void Chord(const TRPRect& rect, TRPPoint start, TRPPoint end) = 0;
    virtual void Pie(const TRPRect& rect, TRPPoint start, TRPPoint end) = 0;
    virtual void Ellipse(const TRPRect& rect) = 0;
    virtual void FillRect(const TRPRect& rect) = 0;
    virtual void LineTo(TRPPoint point) = 0;
    virtual void MoveTo(TRPPoint point) = 0;
    virtual void Polygon(const std::vector<TRPPoint>& points) = 0;
    virtual void Polyline(const std::vector<TRPPoint>& points) = 0;
    virtual void Rectangle(const TRPRect& rect) = 0;
    virtual void TabRectangle(const TRPRect& rect) = 0;
    virtual void RoundRect(const TRPRect& rect, double cornerWidth, double cornerHeight) = 0;

    virtual void Draw(TRPPoint point, const snapshot::TRvGraphic& graphic) = 0;
    virtual void StretchDraw(const TRPRect& rect, const snapshot::TRvGraphic& graphic) = 0;
    virtual void PrintBitmap(TRPPoint point, double scaleX, double scaleY, const snapshot::TRvGraphic& bitmap) = 0;
    virtual void PrintBitmapRect(const TRPRect& rect, const snapshot::TRvGraphic& bitmap) = 0;
    virtual void PrintImageRect(const TRPRect&, const std::vector<uint8_t>& /*data*/, const std::string& /*format*/) {}

    virtual void TextRect(const TRPRect& rect, TRPPoint point, const std::string& text) = 0;
    virtual void CenterText(const std::string& text, double x, double y) = 0;
    virtual void LeftText(const std::string& text, double x, double y) = 0;
    virtual void RightText(const std::string& text, double x, double y) = 0;
    virtual void BlockText(const std::string& text, double x, double y, double width) = 0;
    // Texts with inline formatting codes (byte 1); plain left text by default.
    virtual void FormattedText(const std::string& text, double x, double y) { LeftText(text, x, y); }

    // Values of report variables 13 to 15, as a status text names the device: a
    // renderer without a printer is "Render"; the printer and preview renderers say more.
    virtual std::string DeviceName() const { return "Render"; }
    virtual std::string DriverName() const { return "Render"; }
    virtual std::string PortName() const { return "Render"; }

    // Device units per inch, for the conversions below.
    double PixelsPerInchX = 96.0;
    double PixelsPerInchY = 96.0;
    int XI2D(double inches) const { return static_cast<int>(std::lround(inches * PixelsPerInchX)); }
    int YI2D(double inches) const { return static_cast<int>(std::lround(inches * PixelsPerInchY)); }
};

} // namespace qv

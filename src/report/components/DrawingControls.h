#pragma once

#include "report/components/ReportEnums.h"
#include "report/components/TRpControl.h"

namespace qv::report {

// A line across the control's rectangle.
class TRpLine : public TRpControl {
    QV_RP_CLASS(TRpLine)

public:
    TRpLine() { m_width = 1.0; m_height = 1.0; }

    std::int32_t color() const { return m_color; }
    void setColor(std::int32_t value) { m_color = value; }
    TRpPenStyle lineStyle() const { return m_lineStyle; }
    void setLineStyle(TRpPenStyle value) { m_lineStyle = value; }
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double value) { m_lineWidth = value; }
    TRpLineWidthType lineWidthType() const { return m_lineWidthType; }
    void setLineWidthType(TRpLineWidthType value) { m_lineWidthType = value; }
    bool nesw() const { return m_nesw; }
    void setNESW(bool value) { m_nesw = value; }

protected:
    std::int32_t m_color = 0;
    TRpPenStyle m_lineStyle = psSolid;
    double m_lineWidth = 1.0;
    TRpLineWidthType m_lineWidthType = wtPixels;
    bool m_nesw = false;
};

// A horizontal line.
class TRpHLine : public TRpLine {
    QV_RP_CLASS_INHERITING(TRpHLine, TRpLine)
};

// A vertical line.
class TRpVLine : public TRpLine {
    QV_RP_CLASS_INHERITING(TRpVLine, TRpLine)
};

// Base of the shapes: a border and a fill.
class TRpSurface : public TRpControl {
    QV_RP_CLASS(TRpSurface)

public:
    TRpSurface() { m_width = 1.0; m_height = 1.0; }

    std::int32_t borderColor() const { return m_borderColor; }
    void setBorderColor(std::int32_t value) { m_borderColor = value; }
    TRpPenStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(TRpPenStyle value) { m_borderStyle = value; }
    double borderWidth() const { return m_borderWidth; }
    void setBorderWidth(double value) { m_borderWidth = value; }
    TRpLineWidthType borderWidthType() const { return m_borderWidthType; }
    void setBorderWidthType(TRpLineWidthType value) { m_borderWidthType = value; }
    std::int32_t fillColor() const { return m_fillColor; }
    void setFillColor(std::int32_t value) { m_fillColor = value; }
    TRpFillStyle fillStyle() const { return m_fillStyle; }
    void setFillStyle(TRpFillStyle value) { m_fillStyle = value; }

protected:
    std::int32_t m_borderColor = 0;
    TRpPenStyle m_borderStyle = psSolid;
    double m_borderWidth = 1.0;
    TRpLineWidthType m_borderWidthType = wtPixels;
    std::int32_t m_fillColor = 16777215;
    TRpFillStyle m_fillStyle = fsSolid;
};

// A rectangle, optionally with rounded corners.
class TRpRectangle : public TRpSurface {
    QV_RP_CLASS(TRpRectangle)

public:
    double hRadius() const { return m_hRadius; }
    void setHRadius(double value) { m_hRadius = value; }
    double vRadius() const { return m_vRadius; }
    void setVRadius(double value) { m_vRadius = value; }

protected:
    double m_hRadius = 0.0;
    double m_vRadius = 0.0;
};

// A square.
class TRpSquare : public TRpRectangle {
    QV_RP_CLASS_INHERITING(TRpSquare, TRpRectangle)
};

// An ellipse within the control's rectangle.
class TRpEllipse : public TRpSurface {
    QV_RP_CLASS_INHERITING(TRpEllipse, TRpSurface)
};

// A circle.
class TRpCircle : public TRpEllipse {
    QV_RP_CLASS_INHERITING(TRpCircle, TRpEllipse)
};

} // namespace qv::report

#pragma once

#include "report/components/ReportEnums.h"
#include "report/components/TRpControl.h"

namespace qv::report {

// A line across the control's rectangle.
class TRpLine : public TRpControl {
    QV_RP_CLASS(TRpLine)

public:
    TRpLine() { m_width = 1.0; m_height = 1.0; }

    QV_RP_VALUE(std::int32_t, color, setColor)
    QV_RP_VALUE(TRpPenStyle, lineStyle, setLineStyle)
    QV_RP_VALUE(double, lineWidth, setLineWidth)
    QV_RP_VALUE(TRpLineWidthType, lineWidthType, setLineWidthType)
    QV_RP_VALUE(bool, nesw, setNESW)

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

    QV_RP_VALUE(std::int32_t, borderColor, setBorderColor)
    QV_RP_VALUE(TRpPenStyle, borderStyle, setBorderStyle)
    QV_RP_VALUE(double, borderWidth, setBorderWidth)
    QV_RP_VALUE(TRpLineWidthType, borderWidthType, setBorderWidthType)
    QV_RP_VALUE(std::int32_t, fillColor, setFillColor)
    QV_RP_VALUE(TRpFillStyle, fillStyle, setFillStyle)

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
    QV_RP_VALUE(double, hRadius, setHRadius)
    QV_RP_VALUE(double, vRadius, setVRadius)

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

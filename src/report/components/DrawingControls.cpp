#include "report/components/DrawingControls.h"

namespace qv::report {

const PropertyTable& TRpLine::classProperties()
{
    return derivedTable(TRpControl::classProperties(), [](PropertyBuilder& b) {
        b.floating("Width", &TRpLine::m_width)
            .floating("Height", &TRpLine::m_height)
            .integer("Color", &TRpLine::m_color, 0)
            .enumeration("LineStyle", &TRpLine::m_lineStyle, PenStyleType, psSolid)
            .floating("LineWidth", &TRpLine::m_lineWidth)
            .enumeration("LineWidthType", &TRpLine::m_lineWidthType, LineWidthTypeType, wtPixels)
            .boolean("NESW", &TRpLine::m_nesw, false);
    });
}

const PropertyTable& TRpSurface::classProperties()
{
    return derivedTable(TRpControl::classProperties(), [](PropertyBuilder& b) {
        b.floating("Width", &TRpSurface::m_width)
            .floating("Height", &TRpSurface::m_height)
            .integer("BorderColor", &TRpSurface::m_borderColor, 0)
            .enumeration("BorderStyle", &TRpSurface::m_borderStyle, PenStyleType, psSolid)
            .floating("BorderWidth", &TRpSurface::m_borderWidth)
            .enumeration("BorderWidthType", &TRpSurface::m_borderWidthType, LineWidthTypeType, wtPixels)
            .integer("FillColor", &TRpSurface::m_fillColor, 16777215)
            .enumeration("FillStyle", &TRpSurface::m_fillStyle, FillStyleType, fsSolid);
    });
}

const PropertyTable& TRpRectangle::classProperties()
{
    return derivedTable(TRpSurface::classProperties(), [](PropertyBuilder& b) {
        b.floating("HRadius", &TRpRectangle::m_hRadius)
            .floating("VRadius", &TRpRectangle::m_vRadius);
    });
}

} // namespace qv::report

#include "report/components/BarCodes.h"

namespace qv::report {

const PropertyTable& TRpBaseBarCode::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpControl::classProperties());
        PropertyBuilder(t)
            .string("Text", &TRpBaseBarCode::m_text)
            .reference("DataView", &TRpBaseBarCode::m_dataView)
            .string("DataField", &TRpBaseBarCode::m_dataField)
            .floating("BarHeight", &TRpBaseBarCode::m_barHeight)
            .floating("BarWidth", &TRpBaseBarCode::m_barWidth)
            .floating("WideFactor", &TRpBaseBarCode::m_wideFactor)
            .boolean("PrintReadable", &TRpBaseBarCode::m_printReadable, true)
            .boolean("PrintChecksum", &TRpBaseBarCode::m_printChecksum, false)
            .boolean("UseChecksum", &TRpBaseBarCode::m_useChecksum, false)
            .enumeration("BarCodeJustify", &TRpBaseBarCode::m_barCodeJustify, JustifyType, pjLeft)
            .enumeration("BarCodeRotation", &TRpBaseBarCode::m_barCodeRotation, BarCodeRotationType, Rot0)
            .object("Font", &TRpBaseBarCode::m_font);
        return t;
    }();
    return table;
}

const PropertyTable& TRpPostNetBarCode::classProperties()
{
    return TRpBaseBarCode::classProperties();
}

const PropertyTable& TRpI2of5BarCode::classProperties()
{
    return TRpBaseBarCode::classProperties();
}

const PropertyTable& TRpCode39BarCode::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpBaseBarCode::classProperties());
        PropertyBuilder(t)
            .boolean("Extended", &TRpCode39BarCode::m_extended, false);
        return t;
    }();
    return table;
}

const PropertyTable& TRpCode128BarCode::classProperties()
{
    return TRpBaseBarCode::classProperties();
}

const PropertyTable& TRpUPCBarCode::classProperties()
{
    return TRpBaseBarCode::classProperties();
}

const PropertyTable& TRpEANBarCode::classProperties()
{
    return TRpBaseBarCode::classProperties();
}

} // namespace qv::report

#include "report/components/BarCodes.h"

namespace qv::report {

const PropertyTable& TRpBaseBarCode::classProperties()
{
    return derivedTable(TRpControl::classProperties(), [](PropertyBuilder& b) {
        b.string("Text", &TRpBaseBarCode::m_text)
            .part(TRpDataBinding::declareProperties)
            .floating("BarHeight", &TRpBaseBarCode::m_barHeight)
            .floating("BarWidth", &TRpBaseBarCode::m_barWidth)
            .floating("WideFactor", &TRpBaseBarCode::m_wideFactor)
            .boolean("PrintReadable", &TRpBaseBarCode::m_printReadable, true)
            .boolean("PrintChecksum", &TRpBaseBarCode::m_printChecksum, false)
            .boolean("UseChecksum", &TRpBaseBarCode::m_useChecksum, false)
            .enumeration("BarCodeJustify", &TRpBaseBarCode::m_barCodeJustify, JustifyType, pjLeft)
            .enumeration("BarCodeRotation", &TRpBaseBarCode::m_barCodeRotation, BarCodeRotationType, Rot0)
            .object("Font", &TRpBaseBarCode::m_font);
    });
}

const PropertyTable& TRpCode39BarCode::classProperties()
{
    return derivedTable(TRpBaseBarCode::classProperties(), [](PropertyBuilder& b) {
        b.boolean("Extended", &TRpCode39BarCode::m_extended, false);
    });
}

} // namespace qv::report

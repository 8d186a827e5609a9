#include "report/components/TextControls.h"

namespace qv::report {

const PropertyTable& TRpFontMaster::classProperties()
{
    return derivedTable(TRpReportComponent::classProperties(), [](PropertyBuilder& b) {
        b.object("Font", &TRpFontMaster::m_font);
    });
}

const PropertyTable& TRpTextControl::classProperties()
{
    return derivedTable(TRpControl::classProperties(), [](PropertyBuilder& b) {
        b.floating("Height", &TRpTextControl::m_height)
            .notStored()
            .object("Font", &TRpTextControl::m_font)
            .enumeration("FontJustify", &TRpTextControl::m_fontJustify, JustifyType, pjLeft)
            .reference("FontMirror", &TRpTextControl::m_fontMirror)
            .integer("Color", &TRpTextControl::m_color);
    });
}

const PropertyTable& TRpText::classProperties()
{
    return derivedTable(TRpTextControl::classProperties(), [](PropertyBuilder& b) {
        b.floating("Width", &TRpText::m_width)
            .string("Text", &TRpText::m_text)
            .integer("Rotation", &TRpText::m_rotation, 0)
            .boolean("Truncate", &TRpText::m_truncate, false);
    });
}

const PropertyTable& TRpDataText::classProperties()
{
    return derivedTable(TRpText::classProperties(), [](PropertyBuilder& b) {
        b.boolean("Truncate", &TRpDataText::m_truncate, true)
            .part(TRpDataBinding::declareProperties)
            .reference("LookupDataView", &TRpDataText::m_lookupDataView)
            .string("LookupField", &TRpDataText::m_lookupField)
            .string("LookupDisplay", &TRpDataText::m_lookupDisplay)
            .string("LookupInvalid", &TRpDataText::m_lookupInvalid);
    });
}

const PropertyTable& TRpMemo::classProperties()
{
    return derivedTable(TRpTextControl::classProperties(), [](PropertyBuilder& b) {
        b.floating("Height", &TRpMemo::m_height)
            .string("Text", &TRpMemo::m_text)
            .boolean("ExpandParent", &TRpMemo::m_expandParent, false);
    });
}

const PropertyTable& TRpDataMemo::classProperties()
{
    return derivedTable(TRpMemo::classProperties(), [](PropertyBuilder& b) {
        b.part(TRpDataBinding::declareProperties);
    });
}

} // namespace qv::report

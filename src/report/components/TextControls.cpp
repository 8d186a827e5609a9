#include "report/components/TextControls.h"

namespace qv::report {

const PropertyTable& TRpFontMaster::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpReportComponent::classProperties());
        PropertyBuilder(t)
            .object("Font", &TRpFontMaster::m_font);
        return t;
    }();
    return table;
}

const PropertyTable& TRpTextControl::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpControl::classProperties());
        PropertyBuilder(t)
            .floating("Height", &TRpTextControl::m_height)
            .notStored()
            .object("Font", &TRpTextControl::m_font)
            .enumeration("FontJustify", &TRpTextControl::m_fontJustify, JustifyType, pjLeft)
            .reference("FontMirror", &TRpTextControl::m_fontMirror)
            .integer("Color", &TRpTextControl::m_color);
        return t;
    }();
    return table;
}

const PropertyTable& TRpText::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpTextControl::classProperties());
        PropertyBuilder(t)
            .floating("Width", &TRpText::m_width)
            .string("Text", &TRpText::m_text)
            .integer("Rotation", &TRpText::m_rotation, 0)
            .boolean("Truncate", &TRpText::m_truncate, false);
        return t;
    }();
    return table;
}

const PropertyTable& TRpDataText::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpText::classProperties());
        PropertyBuilder(t)
            .boolean("Truncate", &TRpDataText::m_truncate, true)
            .reference("DataView", &TRpDataText::m_dataView)
            .string("DataField", &TRpDataText::m_dataField)
            .reference("LookupDataView", &TRpDataText::m_lookupDataView)
            .string("LookupField", &TRpDataText::m_lookupField)
            .string("LookupDisplay", &TRpDataText::m_lookupDisplay)
            .string("LookupInvalid", &TRpDataText::m_lookupInvalid);
        return t;
    }();
    return table;
}

const PropertyTable& TRpMemo::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpTextControl::classProperties());
        PropertyBuilder(t)
            .floating("Height", &TRpMemo::m_height)
            .string("Text", &TRpMemo::m_text)
            .boolean("ExpandParent", &TRpMemo::m_expandParent, false);
        return t;
    }();
    return table;
}

const PropertyTable& TRpDataMemo::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpMemo::classProperties());
        PropertyBuilder(t)
            .reference("DataView", &TRpDataMemo::m_dataView)
            .string("DataField", &TRpDataMemo::m_dataField);
        return t;
    }();
    return table;
}

} // namespace qv::report

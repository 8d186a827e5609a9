#include "report/components/DataFields.h"

namespace qv::report {

const PropertyTable& TRpDataField::classProperties()
{
    return derivedTable(TRpReportComponent::classProperties(), [](PropertyBuilder& b) {
        b.string("FieldName", &TRpDataField::m_fieldName)
            .string("FullName", &TRpDataField::m_fullName)
            .string("Description", &TRpDataField::m_description)
            .string("NullText", &TRpDataField::m_nullText)
            .integer("Size", &TRpDataField::m_size, 0)
            .boolean("Calculated", &TRpDataField::m_calculated, false);
    });
}

const PropertyTable& TRpFormattedField::classProperties()
{
    return derivedTable(TRpDataField::classProperties(), [](PropertyBuilder& b) {
        b.string("DisplayFormat", &TRpFormattedField::m_displayFormat);
    });
}

const PropertyTable& TRpBooleanField::classProperties()
{
    return derivedTable(TRpDataField::classProperties(), [](PropertyBuilder& b) {
        b.string("TextTrue", &TRpBooleanField::m_textTrue)
            .string("TextFalse", &TRpBooleanField::m_textFalse);
    });
}

} // namespace qv::report

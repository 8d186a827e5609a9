#include "report/components/DataFields.h"

namespace qv::report {

const PropertyTable& TRpDataField::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpReportComponent::classProperties());
        PropertyBuilder(t)
            .string("FieldName", &TRpDataField::m_fieldName)
            .string("FullName", &TRpDataField::m_fullName)
            .string("Description", &TRpDataField::m_description)
            .string("NullText", &TRpDataField::m_nullText)
            .integer("Size", &TRpDataField::m_size, 0)
            .boolean("Calculated", &TRpDataField::m_calculated, false);
        return t;
    }();
    return table;
}

const PropertyTable& TRpStringField::classProperties()
{
    return TRpDataField::classProperties();
}

const PropertyTable& TRpIntegerField::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpDataField::classProperties());
        PropertyBuilder(t)
            .string("DisplayFormat", &TRpIntegerField::m_displayFormat);
        return t;
    }();
    return table;
}

const PropertyTable& TRpBooleanField::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpDataField::classProperties());
        PropertyBuilder(t)
            .string("TextTrue", &TRpBooleanField::m_textTrue)
            .string("TextFalse", &TRpBooleanField::m_textFalse);
        return t;
    }();
    return table;
}

const PropertyTable& TRpFloatField::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpDataField::classProperties());
        PropertyBuilder(t)
            .string("DisplayFormat", &TRpFloatField::m_displayFormat);
        return t;
    }();
    return table;
}

const PropertyTable& TRpCurrencyField::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpDataField::classProperties());
        PropertyBuilder(t)
            .string("DisplayFormat", &TRpCurrencyField::m_displayFormat);
        return t;
    }();
    return table;
}

const PropertyTable& TRpBCDField::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpDataField::classProperties());
        PropertyBuilder(t)
            .string("DisplayFormat", &TRpBCDField::m_displayFormat);
        return t;
    }();
    return table;
}

const PropertyTable& TRpDateField::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpDataField::classProperties());
        PropertyBuilder(t)
            .string("DisplayFormat", &TRpDateField::m_displayFormat);
        return t;
    }();
    return table;
}

const PropertyTable& TRpTimeField::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpDataField::classProperties());
        PropertyBuilder(t)
            .string("DisplayFormat", &TRpTimeField::m_displayFormat);
        return t;
    }();
    return table;
}

const PropertyTable& TRpDateTimeField::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpDataField::classProperties());
        PropertyBuilder(t)
            .string("DisplayFormat", &TRpDateTimeField::m_displayFormat);
        return t;
    }();
    return table;
}

const PropertyTable& TRpBlobField::classProperties()
{
    return TRpDataField::classProperties();
}

const PropertyTable& TRpMemoField::classProperties()
{
    return TRpDataField::classProperties();
}

const PropertyTable& TRpGraphicField::classProperties()
{
    return TRpDataField::classProperties();
}

const PropertyTable& TRpInt64Field::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpDataField::classProperties());
        PropertyBuilder(t)
            .string("DisplayFormat", &TRpInt64Field::m_displayFormat);
        return t;
    }();
    return table;
}

} // namespace qv::report

#pragma once

#include "report/components/TRpReportComponent.h"

namespace qv::report {

// A field of a data view, matched by FieldName against the fields a connection declares.
class TRpDataField : public TRpReportComponent {
    QV_RP_CLASS(TRpDataField)

public:
    // The data-type code of the connection field this class stands for.
    virtual int dataTypeCode() const = 0;

    QV_RP_MOVED(std::string, fieldName, setFieldName)
    QV_RP_MOVED(std::string, fullName, setFullName)
    QV_RP_MOVED(std::string, description, setDescription)
    QV_RP_MOVED(std::string, nullText, setNullText)
    QV_RP_VALUE(int, size, setSize)
    QV_RP_VALUE(bool, calculated, setCalculated)

protected:
    std::string m_fieldName;
    std::string m_fullName;
    std::string m_description;
    std::string m_nullText;
    int m_size = 0;
    bool m_calculated = false;
};

// A field whose values print through DisplayFormat.
class TRpFormattedField : public TRpDataField {
    QV_RP_CLASS(TRpFormattedField)

public:
    QV_RP_MOVED(std::string, displayFormat, setDisplayFormat)

protected:
    std::string m_displayFormat;
};

class TRpStringField : public TRpDataField {
    QV_RP_CLASS_INHERITING(TRpStringField, TRpDataField)

public:
    int dataTypeCode() const override { return 0; }
};

class TRpIntegerField : public TRpFormattedField {
    QV_RP_CLASS_INHERITING(TRpIntegerField, TRpFormattedField)

public:
    int dataTypeCode() const override { return 1; }
};

class TRpBooleanField : public TRpDataField {
    QV_RP_CLASS(TRpBooleanField)

public:
    int dataTypeCode() const override { return 2; }

    QV_RP_MOVED(std::string, textTrue, setTextTrue)
    QV_RP_MOVED(std::string, textFalse, setTextFalse)

protected:
    std::string m_textTrue;
    std::string m_textFalse;
};

class TRpFloatField : public TRpFormattedField {
    QV_RP_CLASS_INHERITING(TRpFloatField, TRpFormattedField)

public:
    int dataTypeCode() const override { return 3; }
};

class TRpCurrencyField : public TRpFormattedField {
    QV_RP_CLASS_INHERITING(TRpCurrencyField, TRpFormattedField)

public:
    int dataTypeCode() const override { return 4; }
};

class TRpBCDField : public TRpFormattedField {
    QV_RP_CLASS_INHERITING(TRpBCDField, TRpFormattedField)

public:
    int dataTypeCode() const override { return 5; }
};

class TRpDateField : public TRpFormattedField {
    QV_RP_CLASS_INHERITING(TRpDateField, TRpFormattedField)

public:
    int dataTypeCode() const override { return 6; }
};

class TRpTimeField : public TRpFormattedField {
    QV_RP_CLASS_INHERITING(TRpTimeField, TRpFormattedField)

public:
    int dataTypeCode() const override { return 7; }
};

class TRpDateTimeField : public TRpFormattedField {
    QV_RP_CLASS_INHERITING(TRpDateTimeField, TRpFormattedField)

public:
    int dataTypeCode() const override { return 8; }
};

class TRpBlobField : public TRpDataField {
    QV_RP_CLASS_INHERITING(TRpBlobField, TRpDataField)

public:
    int dataTypeCode() const override { return 9; }
};

class TRpMemoField : public TRpDataField {
    QV_RP_CLASS_INHERITING(TRpMemoField, TRpDataField)

public:
    int dataTypeCode() const override { return 10; }
};

class TRpGraphicField : public TRpDataField {
    QV_RP_CLASS_INHERITING(TRpGraphicField, TRpDataField)

public:
    int dataTypeCode() const override { return 11; }
};

class TRpInt64Field : public TRpFormattedField {
    QV_RP_CLASS_INHERITING(TRpInt64Field, TRpFormattedField)

public:
    int dataTypeCode() const override { return 12; }
};

} // namespace qv::report

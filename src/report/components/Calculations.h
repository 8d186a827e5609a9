#pragma once

#include "report/components/TextControls.h"

namespace qv::report {

// Drives and initialises calculations each time it prints.
class TRpCalcController : public TRpReportComponent {
    QV_RP_CLASS(TRpCalcController)

public:
    TRpReportComponent* initCalcVar() const { return m_initCalcVar.get(); }
    void setInitCalcVar(TRpReportComponent* value) { m_initCalcVar = value; }
    const std::string& initDataField() const { return m_initDataField; }
    void setInitDataField(std::string value) { m_initDataField = std::move(value); }
    long double initValue() const { return m_initValue; }
    void setInitValue(long double value) { m_initValue = value; }

protected:
    RpRef<TRpReportComponent> m_initCalcVar;
    std::string m_initDataField;
    long double m_initValue = 0.0L;
};

// How a value is calculated over the rows of a data view: a part of the text that
// prints it and of the total that hands it on.
class TRpCalculation : public TRpDataBinding {
public:
    TRpCalcType calcType() const { return m_calcType; }
    void setCalcType(TRpCalcType value) { m_calcType = value; }
    TRpReportComponent* controller() const { return m_controller.get(); }
    void setController(TRpReportComponent* value) { m_controller = value; }
    TRpCalcController* initializer() const { return m_initializer.get(); }
    void setInitializer(TRpCalcController* value) { m_initializer = value; }
    bool countBlanks() const { return m_countBlanks; }
    void setCountBlanks(bool value) { m_countBlanks = value; }
    bool countNulls() const { return m_countNulls; }
    void setCountNulls(bool value) { m_countNulls = value; }
    const std::string& countValue() const { return m_countValue; }
    void setCountValue(std::string value) { m_countValue = std::move(value); }
    const std::string& displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(std::string value) { m_displayFormat = std::move(value); }
    TRpDisplayType displayType() const { return m_displayType; }
    void setDisplayType(TRpDisplayType value) { m_displayType = value; }
    bool runningTotal() const { return m_runningTotal; }
    void setRunningTotal(bool value) { m_runningTotal = value; }

    // CalcType, Controller, Initializer, DataView, DataField, CountBlanks, CountNulls,
    // CountValue, DisplayFormat, DisplayType, RunningTotal.
    static void declareProperties(PropertyBuilder& builder);

protected:
    ~TRpCalculation() = default;

    TRpCalcType m_calcType = ctSum;
    RpRef<TRpReportComponent> m_controller;
    RpRef<TRpCalcController> m_initializer;
    bool m_countBlanks = true;
    bool m_countNulls = false;
    std::string m_countValue;
    std::string m_displayFormat;
    TRpDisplayType m_displayType = dtNumericFormat;
    bool m_runningTotal = false;
};

// A text that prints a value calculated over the rows of a data band.
class TRpCalcText : public TRpText, public TRpCalculation {
    QV_RP_CLASS(TRpCalcText)
};

// A calculation that prints nothing and hands its result to a parameter.
class TRpCalcTotal : public TRpReportComponent, public TRpCalculation {
    QV_RP_CLASS(TRpCalcTotal)

public:
    TRpReportComponent* calcVar() const { return m_calcVar.get(); }
    void setCalcVar(TRpReportComponent* value) { m_calcVar = value; }
    const std::string& destParam() const { return m_destParam; }
    void setDestParam(std::string value) { m_destParam = std::move(value); }
    const std::string& destPIVar() const { return m_destPIVar; }
    void setDestPIVar(std::string value) { m_destPIVar = std::move(value); }

protected:
    RpRef<TRpReportComponent> m_calcVar;
    std::string m_destParam;
    std::string m_destPIVar;
};

// Combines two sources with an operator.
class TRpCalcOp : public TRpReportComponent {
    QV_RP_CLASS(TRpCalcOp)

public:
    TRpReportComponent* src1CalcVar() const { return m_src1CalcVar.get(); }
    void setSrc1CalcVar(TRpReportComponent* value) { m_src1CalcVar = value; }
    TRpBaseDataView* src1DataView() const { return m_src1DataView.get(); }
    void setSrc1DataView(TRpBaseDataView* value) { m_src1DataView = value; }
    const std::string& src1DataField() const { return m_src1DataField; }
    void setSrc1DataField(std::string value) { m_src1DataField = std::move(value); }
    long double src1Value() const { return m_src1Value; }
    void setSrc1Value(long double value) { m_src1Value = value; }
    TRpCalcFunction src1Function() const { return m_src1Function; }
    void setSrc1Function(TRpCalcFunction value) { m_src1Function = value; }
    TRpReportComponent* src2CalcVar() const { return m_src2CalcVar.get(); }
    void setSrc2CalcVar(TRpReportComponent* value) { m_src2CalcVar = value; }
    TRpBaseDataView* src2DataView() const { return m_src2DataView.get(); }
    void setSrc2DataView(TRpBaseDataView* value) { m_src2DataView = value; }
    const std::string& src2DataField() const { return m_src2DataField; }
    void setSrc2DataField(std::string value) { m_src2DataField = std::move(value); }
    long double src2Value() const { return m_src2Value; }
    void setSrc2Value(long double value) { m_src2Value = value; }
    TRpCalcFunction src2Function() const { return m_src2Function; }
    void setSrc2Function(TRpCalcFunction value) { m_src2Function = value; }
    TRpCalcOperator operatorKind() const { return m_operator; }
    void setOperator(TRpCalcOperator value) { m_operator = value; }
    TRpCalcFunction resultFunction() const { return m_resultFunction; }
    void setResultFunction(TRpCalcFunction value) { m_resultFunction = value; }
    const std::string& destParam() const { return m_destParam; }
    void setDestParam(std::string value) { m_destParam = std::move(value); }
    const std::string& destPIVar() const { return m_destPIVar; }
    void setDestPIVar(std::string value) { m_destPIVar = std::move(value); }
    const std::string& displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(std::string value) { m_displayFormat = std::move(value); }
    TRpDisplayType displayType() const { return m_displayType; }
    void setDisplayType(TRpDisplayType value) { m_displayType = value; }

protected:
    RpRef<TRpReportComponent> m_src1CalcVar;
    RpRef<TRpBaseDataView> m_src1DataView;
    std::string m_src1DataField;
    long double m_src1Value = 0.0L;
    TRpCalcFunction m_src1Function = cfNone;
    RpRef<TRpReportComponent> m_src2CalcVar;
    RpRef<TRpBaseDataView> m_src2DataView;
    std::string m_src2DataField;
    long double m_src2Value = 0.0L;
    TRpCalcFunction m_src2Function = cfNone;
    TRpCalcOperator m_operator = coAdd;
    TRpCalcFunction m_resultFunction = cfNone;
    std::string m_destParam;
    std::string m_destPIVar;
    std::string m_displayFormat;
    TRpDisplayType m_displayType = dtNumericFormat;
};

} // namespace qv::report

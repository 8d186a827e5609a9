#pragma once

#include "report/components/TextControls.h"

namespace qv::report {

// Drives and initialises calculations each time it prints.
class TRpCalcController : public TRpReportComponent {
    QV_RP_CLASS(TRpCalcController)

public:
    QV_RP_REFERENCE(TRpReportComponent, initCalcVar, setInitCalcVar)
    QV_RP_MOVED(std::string, initDataField, setInitDataField)
    QV_RP_VALUE(long double, initValue, setInitValue)

protected:
    RpRef<TRpReportComponent> m_initCalcVar;
    std::string m_initDataField;
    long double m_initValue = 0.0L;
};

// How a value is calculated over the rows of a data view: a part of the text that
// prints it and of the total that hands it on.
class TRpCalculation : public TRpDataBinding {
public:
    QV_RP_VALUE(TRpCalcType, calcType, setCalcType)
    QV_RP_REFERENCE(TRpReportComponent, controller, setController)
    QV_RP_REFERENCE(TRpCalcController, initializer, setInitializer)
    QV_RP_VALUE(bool, countBlanks, setCountBlanks)
    QV_RP_VALUE(bool, countNulls, setCountNulls)
    QV_RP_MOVED(std::string, countValue, setCountValue)
    QV_RP_MOVED(std::string, displayFormat, setDisplayFormat)
    QV_RP_VALUE(TRpDisplayType, displayType, setDisplayType)
    QV_RP_VALUE(bool, runningTotal, setRunningTotal)

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
    QV_RP_REFERENCE(TRpReportComponent, calcVar, setCalcVar)
    QV_RP_MOVED(std::string, destParam, setDestParam)
    QV_RP_MOVED(std::string, destPIVar, setDestPIVar)

protected:
    RpRef<TRpReportComponent> m_calcVar;
    std::string m_destParam;
    std::string m_destPIVar;
};

// Combines two sources with an operator.
class TRpCalcOp : public TRpReportComponent {
    QV_RP_CLASS(TRpCalcOp)

public:
    QV_RP_REFERENCE(TRpReportComponent, src1CalcVar, setSrc1CalcVar)
    QV_RP_REFERENCE(TRpBaseDataView, src1DataView, setSrc1DataView)
    QV_RP_MOVED(std::string, src1DataField, setSrc1DataField)
    QV_RP_VALUE(long double, src1Value, setSrc1Value)
    QV_RP_VALUE(TRpCalcFunction, src1Function, setSrc1Function)
    QV_RP_REFERENCE(TRpReportComponent, src2CalcVar, setSrc2CalcVar)
    QV_RP_REFERENCE(TRpBaseDataView, src2DataView, setSrc2DataView)
    QV_RP_MOVED(std::string, src2DataField, setSrc2DataField)
    QV_RP_VALUE(long double, src2Value, setSrc2Value)
    QV_RP_VALUE(TRpCalcFunction, src2Function, setSrc2Function)
    TRpCalcOperator operatorKind() const { return m_operator; }
    void setOperator(TRpCalcOperator value) { m_operator = value; }
    QV_RP_VALUE(TRpCalcFunction, resultFunction, setResultFunction)
    QV_RP_MOVED(std::string, destParam, setDestParam)
    QV_RP_MOVED(std::string, destPIVar, setDestPIVar)
    QV_RP_MOVED(std::string, displayFormat, setDisplayFormat)
    QV_RP_VALUE(TRpDisplayType, displayType, setDisplayType)

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

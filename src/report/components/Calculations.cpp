#include "report/components/Calculations.h"

namespace qv::report {

const PropertyTable& TRpCalcController::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpReportComponent::classProperties());
        PropertyBuilder(t)
            .reference("InitCalcVar", &TRpCalcController::m_initCalcVar)
            .string("InitDataField", &TRpCalcController::m_initDataField)
            .floating("InitValue", &TRpCalcController::m_initValue);
        return t;
    }();
    return table;
}

const PropertyTable& TRpCalcText::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpText::classProperties());
        PropertyBuilder(t)
            .enumeration("CalcType", &TRpCalcText::m_calcType, CalcTypeType, ctSum)
            .reference("Controller", &TRpCalcText::m_controller)
            .reference("Initializer", &TRpCalcText::m_initializer)
            .reference("DataView", &TRpCalcText::m_dataView)
            .string("DataField", &TRpCalcText::m_dataField)
            .boolean("CountBlanks", &TRpCalcText::m_countBlanks, true)
            .boolean("CountNulls", &TRpCalcText::m_countNulls, false)
            .string("CountValue", &TRpCalcText::m_countValue)
            .string("DisplayFormat", &TRpCalcText::m_displayFormat)
            .enumeration("DisplayType", &TRpCalcText::m_displayType, DisplayTypeType, dtNumericFormat)
            .boolean("RunningTotal", &TRpCalcText::m_runningTotal, false);
        return t;
    }();
    return table;
}

const PropertyTable& TRpCalcTotal::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpReportComponent::classProperties());
        PropertyBuilder(t)
            .enumeration("CalcType", &TRpCalcTotal::m_calcType, CalcTypeType, ctSum)
            .reference("Controller", &TRpCalcTotal::m_controller)
            .reference("Initializer", &TRpCalcTotal::m_initializer)
            .reference("DataView", &TRpCalcTotal::m_dataView)
            .string("DataField", &TRpCalcTotal::m_dataField)
            .boolean("CountBlanks", &TRpCalcTotal::m_countBlanks, true)
            .boolean("CountNulls", &TRpCalcTotal::m_countNulls, false)
            .string("CountValue", &TRpCalcTotal::m_countValue)
            .string("DisplayFormat", &TRpCalcTotal::m_displayFormat)
            .enumeration("DisplayType", &TRpCalcTotal::m_displayType, DisplayTypeType, dtNumericFormat)
            .boolean("RunningTotal", &TRpCalcTotal::m_runningTotal, false)
            .reference("CalcVar", &TRpCalcTotal::m_calcVar)
            .string("DestParam", &TRpCalcTotal::m_destParam)
            .string("DestPIVar", &TRpCalcTotal::m_destPIVar);
        return t;
    }();
    return table;
}

const PropertyTable& TRpCalcOp::classProperties()
{
    static const PropertyTable table = [] {
        PropertyTable t(&TRpReportComponent::classProperties());
        PropertyBuilder(t)
            .reference("Src1CalcVar", &TRpCalcOp::m_src1CalcVar)
            .reference("Src1DataView", &TRpCalcOp::m_src1DataView)
            .string("Src1DataField", &TRpCalcOp::m_src1DataField)
            .floating("Src1Value", &TRpCalcOp::m_src1Value)
            .enumeration("Src1Function", &TRpCalcOp::m_src1Function, CalcFunctionType, cfNone)
            .reference("Src2CalcVar", &TRpCalcOp::m_src2CalcVar)
            .reference("Src2DataView", &TRpCalcOp::m_src2DataView)
            .string("Src2DataField", &TRpCalcOp::m_src2DataField)
            .floating("Src2Value", &TRpCalcOp::m_src2Value)
            .enumeration("Src2Function", &TRpCalcOp::m_src2Function, CalcFunctionType, cfNone)
            .enumeration("Operator", &TRpCalcOp::m_operator, CalcOperatorType, coAdd)
            .enumeration("ResultFunction", &TRpCalcOp::m_resultFunction, CalcFunctionType, cfNone)
            .string("DestParam", &TRpCalcOp::m_destParam)
            .string("DestPIVar", &TRpCalcOp::m_destPIVar)
            .string("DisplayFormat", &TRpCalcOp::m_displayFormat)
            .enumeration("DisplayType", &TRpCalcOp::m_displayType, DisplayTypeType, dtNumericFormat);
        return t;
    }();
    return table;
}

} // namespace qv::report

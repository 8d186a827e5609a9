#include "report/components/Calculations.h"

namespace qv::report {

const PropertyTable& TRpCalcController::classProperties()
{
    return derivedTable(TRpReportComponent::classProperties(), [](PropertyBuilder& b) {
        b.reference("InitCalcVar", &TRpCalcController::m_initCalcVar)
            .string("InitDataField", &TRpCalcController::m_initDataField)
            .floating("InitValue", &TRpCalcController::m_initValue);
    });
}

void TRpCalculation::declareProperties(PropertyBuilder& builder)
{
    builder.enumeration("CalcType", &TRpCalculation::m_calcType, CalcTypeType, ctSum)
        .reference("Controller", &TRpCalculation::m_controller)
        .reference("Initializer", &TRpCalculation::m_initializer)
        .part(TRpDataBinding::declareProperties)
        .boolean("CountBlanks", &TRpCalculation::m_countBlanks, true)
        .boolean("CountNulls", &TRpCalculation::m_countNulls, false)
        .string("CountValue", &TRpCalculation::m_countValue)
        .string("DisplayFormat", &TRpCalculation::m_displayFormat)
        .enumeration("DisplayType", &TRpCalculation::m_displayType, DisplayTypeType, dtNumericFormat)
        .boolean("RunningTotal", &TRpCalculation::m_runningTotal, false);
}

const PropertyTable& TRpCalcText::classProperties()
{
    return derivedTable(TRpText::classProperties(), [](PropertyBuilder& b) {
        b.part(TRpCalculation::declareProperties);
    });
}

const PropertyTable& TRpCalcTotal::classProperties()
{
    return derivedTable(TRpReportComponent::classProperties(), [](PropertyBuilder& b) {
        b.part(TRpCalculation::declareProperties)
            .reference("CalcVar", &TRpCalcTotal::m_calcVar)
            .string("DestParam", &TRpCalcTotal::m_destParam)
            .string("DestPIVar", &TRpCalcTotal::m_destPIVar);
    });
}

const PropertyTable& TRpCalcOp::classProperties()
{
    return derivedTable(TRpReportComponent::classProperties(), [](PropertyBuilder& b) {
        b.reference("Src1CalcVar", &TRpCalcOp::m_src1CalcVar)
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
    });
}

} // namespace qv::report

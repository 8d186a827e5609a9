#pragma once

#include "report/calc/CalcValue.h"
#include "report/calc/ExpressionContext.h"
#include "report/components/Calculations.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace qv::report {

// The calculations of one report run: their counts and totals, and who announces new
// data ("CalcNewData") and start values ("CalcInitData") to whom.
class CalcEngine {
public:
    explicit CalcEngine(ExpressionContext& context);

    // Registers every calculated text and total below root with its controller and
    // initializer.
    void collect(const TRpReportComponent& root);
    // Before the report: every count and total back to 0.
    void resetAll();

    // A data band moved to a new row, or a calc controller printed: its calculations
    // read their next value.
    void announceNewData(const TRpReportComponent& controller);
    // A calc controller printed: start values to the calculations it initializes, then
    // new data to those it controls.
    void controllerPrinted(const TRpCalcController& controller);
    // A calc total's or calc operation's parent printed: its result goes to DestParam
    // and DestPIVar.
    void calcTotalPrinted(const TRpCalcTotal& total);
    void calcOpPrinted(const TRpCalcOp& op);
    // After a calculation printed: back to 0 unless it keeps a running total.
    void afterPrint(const TRpReportComponent& calculation);

    // What a calculated text prints.
    std::string calcText(const TRpCalcText& text);
    // The current result of a calculation or calc operation (0 for anything else).
    long double value(const TRpReportComponent* component);
    std::string formattedValue(const TRpReportComponent& component);

    // May replace each number a calculation reads.
    std::function<long double(const TRpReportComponent&, long double)> OnCalcValue;

private:
    struct Calc {
        const TRpReportComponent* component = nullptr;
        const TRpBaseDataView* dataView = nullptr;
        std::string dataField;
        const TRpReportComponent* calcVar = nullptr;
        std::string displayFormat;
        TRpDisplayType displayType = dtNumericFormat;
        bool runningTotal = false;
        CalcValue value;
    };

    void add(const TRpReportComponent& component);
    Calc* find(const TRpReportComponent* component);
    void readRow(Calc& calc);
    long double startValue(const TRpCalcController& controller);
    void handOn(const TRpReportComponent& calculation, const std::string& destParam, const std::string& destPIVar);
    long double operationValue(const TRpCalcOp& op, int depth);
    long double sourceValue(const TRpReportComponent* calcVar, const TRpBaseDataView* view, const std::string& field,
        long double constant, int depth);
    long double valueAt(const TRpReportComponent* component, int depth);
    std::string format(long double value, const std::string& displayFormat, TRpDisplayType type) const;

    ExpressionContext& m_context;
    std::map<const TRpReportComponent*, std::unique_ptr<Calc>> m_calcs;
    std::map<const TRpReportComponent*, std::vector<Calc*>> m_newDataListeners;
    std::map<const TRpReportComponent*, std::vector<Calc*>> m_initDataListeners;
    // The operations being worked out, outermost first.
    std::vector<const TRpCalcOp*> m_evaluating;
};

// The calculated function of one source or result of a calc operation.
long double applyCalcFunction(TRpCalcFunction function, long double value);
long double applyCalcOperator(TRpCalcOperator op, long double a, long double b);

} // namespace qv::report

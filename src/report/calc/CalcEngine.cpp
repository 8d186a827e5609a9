#include "report/calc/CalcEngine.h"

#include "report/calc/DataFieldExpression.h"
#include "report/components/Bands.h"
#include "runtime/core/DisplayFormat.h"
#include "runtime/core/Exception.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>

namespace qv::report {

namespace {

// Calculations may feed each other; a loop among them stops here instead of recursing on.
constexpr int maxSourceDepth = 32;

const char* designPrefix(TRpCalcType type)
{
    switch (type) {
    case ctCount: return "Count(";
    case ctSum: return "Sum(";
    case ctMin: return "Min(";
    case ctMax: return "Max(";
    case ctAverage: return "Avg(";
    }
    return "Sum(";
}

// A date-time calculation over a text field reads dates as the schedule writes them
// (2026-01-05) or in the user's short date form; the plain number rule would make
// every such text 0.
std::optional<TDateTime> dateOfText(const std::string& text)
{
    int parts[3] = {0, 0, 0};
    int part = 0;
    int digits = 0;
    bool isoForm = !text.empty();
    for (char c : text) {
        if (c >= '0' && c <= '9' && digits < 4) {
            parts[part] = parts[part] * 10 + (c - '0');
            ++digits;
        } else if (c == '-' && digits > 0 && part < 2) {
            ++part;
            digits = 0;
        } else {
            isoForm = false;
            break;
        }
    }
    if (isoForm && part == 2 && digits > 0)
        return isValidDate(parts[0], parts[1], parts[2]) ? std::optional<TDateTime>(encodeDate(parts[0], parts[1], parts[2])) : std::nullopt;
    try {
        return strToDate(text);
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

long double roundTo(long double value, int places)
{
    long double scale = std::pow(10.0L, places);
    return std::round(value * scale) / scale;
}

// A controller has no data view of its own: a bare InitDataField names a field of the
// data band it sits on.
const TRpBaseDataView* initDataView(const TRpCalcController& controller)
{
    for (const TRpReportComponent* parent = controller.parent(); parent; parent = parent->parent()) {
        if (auto* band = dynamic_cast<const TRpDataBand*>(parent))
            return band->dataView();
    }
    return nullptr;
}

} // namespace

CalcEngine::CalcEngine(ExpressionContext& context)
    : m_context(context)
{
}

void CalcEngine::collect(const TRpReportComponent& root)
{
    add(root);
    root.forEachDescendant([this](TRpReportComponent& component) { add(component); });
}

void CalcEngine::add(const TRpReportComponent& component)
{
    auto* calculation = dynamic_cast<const TRpCalculation*>(&component);
    if (!calculation)
        return;
    auto calc = std::make_unique<Calc>();
    calc->component = &component;
    calc->dataView = calculation->dataView();
    calc->dataField = calculation->dataField();
    calc->displayFormat = calculation->displayFormat();
    calc->displayType = calculation->displayType();
    calc->runningTotal = calculation->runningTotal();
    calc->value.calcType = calculation->calcType();
    calc->value.countBlanks = calculation->countBlanks();
    calc->value.countValue = calculation->countValue();
    if (auto* total = dynamic_cast<const TRpCalcTotal*>(&component))
        calc->calcVar = total->calcVar();
    const TRpReportComponent* controller = calculation->controller();
    const TRpReportComponent* initializer = calculation->initializer();
    if (m_calcs.count(&component))
        return;
    Calc* raw = calc.get();
    m_calcs.emplace(&component, std::move(calc));
    if (controller)
        m_newDataListeners[controller].push_back(raw);
    if (initializer)
        m_initDataListeners[initializer].push_back(raw);
}

CalcEngine::Calc* CalcEngine::find(const TRpReportComponent* component)
{
    auto it = m_calcs.find(component);
    return it == m_calcs.end() ? nullptr : it->second.get();
}

void CalcEngine::resetAll()
{
    for (auto& [component, calc] : m_calcs)
        calc->value.reset();
}

void CalcEngine::readRow(Calc& calc)
{
    long double number = 0;
    bool isNull = false;
    std::string text;
    if (calc.calcVar) {
        number = valueAt(calc.calcVar, 0);
        text = formattedValue(*calc.calcVar);
    } else {
        NumberRead read = readNumber(calc.dataField, calc.dataView, m_context);
        number = read.value;
        isNull = read.isNull;
        text = evaluateExpression(calc.dataField, calc.dataView, m_context);
        if (calc.displayType == dtDateTimeFormat && !isNull && number == 0) {
            if (auto date = dateOfText(text))
                number = *date;
        }
    }
    if (OnCalcValue)
        number = OnCalcValue(*calc.component, number);
    calc.value.addRow(number, isNull, text);
}

void CalcEngine::announceNewData(const TRpReportComponent& controller)
{
    auto it = m_newDataListeners.find(&controller);
    if (it == m_newDataListeners.end())
        return;
    for (Calc* calc : it->second)
        readRow(*calc);
}

long double CalcEngine::startValue(const TRpCalcController& controller)
{
    if (controller.initCalcVar())
        return valueAt(controller.initCalcVar(), 0);
    if (!controller.initDataField().empty())
        return readNumber(controller.initDataField(), initDataView(controller), m_context).value;
    return controller.initValue();
}

void CalcEngine::controllerPrinted(const TRpCalcController& controller)
{
    auto it = m_initDataListeners.find(&controller);
    if (it != m_initDataListeners.end()) {
        long double value = startValue(controller);
        for (Calc* calc : it->second)
            calc->value.start(value);
    }
    announceNewData(controller);
}

void CalcEngine::calcTotalPrinted(const TRpCalcTotal& total)
{
    handOn(total, total.destParam(), total.destPIVar());
}

void CalcEngine::calcOpPrinted(const TRpCalcOp& op)
{
    handOn(op, op.destParam(), op.destPIVar());
}

void CalcEngine::handOn(const TRpReportComponent& calculation, const std::string& destParam, const std::string& destPIVar)
{
    if (destParam.empty() && destPIVar.empty())
        return;
    std::string text = formattedValue(calculation);
    if (!destParam.empty())
        m_context.setParameter(destParam, text);
    if (!destPIVar.empty())
        m_context.setPIVar(destPIVar, text);
}

void CalcEngine::afterPrint(const TRpReportComponent& calculation)
{
    Calc* calc = find(&calculation);
    if (calc && !calc->runningTotal)
        calc->value.reset();
}

std::string CalcEngine::calcText(const TRpCalcText& text)
{
    if (!m_context.printing()) {
        const std::string& field = text.dataField().empty() ? text.name() : text.dataField();
        return std::string(designPrefix(text.calcType())) + field + ")";
    }
    Calc* calc = find(&text);
    if (!calc)
        return {};
    if (calc->value.undefined())
        return "undefined";
    return formattedValue(text);
}

std::string CalcEngine::formattedValue(const TRpReportComponent& component)
{
    if (Calc* calc = find(&component))
        return format(calc->value.result(), calc->displayFormat, calc->displayType);
    if (auto* op = dynamic_cast<const TRpCalcOp*>(&component))
        return format(valueAt(op, 0), op->displayFormat(), op->displayType());
    return {};
}

std::string CalcEngine::format(long double value, const std::string& displayFormat, TRpDisplayType type) const
{
    if (type == dtDateTimeFormat)
        return formatDateTime(displayFormat, double(value));
    return formatFloat(displayFormat, value);
}

long double CalcEngine::value(const TRpReportComponent* component)
{
    return valueAt(component, 0);
}

long double CalcEngine::valueAt(const TRpReportComponent* component, int depth)
{
    if (!component || depth > maxSourceDepth)
        return 0;
    if (Calc* calc = find(component))
        return calc->value.result();
    auto* op = dynamic_cast<const TRpCalcOp*>(component);
    if (!op)
        return 0;
    // A source that leads back to an operation still being worked out reads 0.
    if (std::find(m_evaluating.begin(), m_evaluating.end(), op) != m_evaluating.end())
        return 0;
    m_evaluating.push_back(op);
    struct Pop {
        std::vector<const TRpCalcOp*>& stack;
        ~Pop() { stack.pop_back(); }
    } pop {m_evaluating};
    return operationValue(*op, depth + 1);
}

long double CalcEngine::sourceValue(const TRpReportComponent* calcVar, const TRpBaseDataView* view,
    const std::string& field, long double constant, int depth)
{
    if (calcVar)
        return valueAt(calcVar, depth + 1);
    if (!field.empty())
        return readNumber(field, view, m_context).value;
    return constant;
}

long double CalcEngine::operationValue(const TRpCalcOp& op, int depth)
{
    long double a = applyCalcFunction(op.src1Function(),
        sourceValue(op.src1CalcVar(), op.src1DataView(), op.src1DataField(), op.src1Value(), depth));
    long double b = applyCalcFunction(op.src2Function(),
        sourceValue(op.src2CalcVar(), op.src2DataView(), op.src2DataField(), op.src2Value(), depth));
    return applyCalcFunction(op.resultFunction(), applyCalcOperator(op.operatorKind(), a, b));
}

long double applyCalcFunction(TRpCalcFunction function, long double v)
{
    switch (function) {
    case cfNone: return v;
    case cfTrunc: return std::trunc(v);
    case cfFrac: return v - std::trunc(v);
    case cfRound: return std::round(v);
    case cfNeg: return -v;
    case cfAbs: return std::fabs(v);
    case cfSin: return std::sin(v);
    case cfCos: return std::cos(v);
    case cfArcTan: return std::atan(v);
    case cfSqr: return v * v;
    case cfSqrt: return v < 0 ? 0 : std::sqrt(v);
    case cfInc: return v + 1;
    case cfDec: return v - 1;
    case cfRandom: {
        static std::mt19937 generator(std::random_device {}());
        std::uniform_real_distribution<double> range(0.0, 1.0);
        return range(generator) * v;
    }
    case cfRound1: return roundTo(v, 1);
    case cfRound2: return roundTo(v, 2);
    case cfRound3: return roundTo(v, 3);
    case cfRound4: return roundTo(v, 4);
    case cfRound5: return roundTo(v, 5);
    case cfSecsToTime: return v / 86400;
    case cfMinsToTime: return v / 1440;
    case cfHoursToTime: return v / 24;
    case cfTimeToSecs: return v * 86400;
    case cfTimeToMins: return v * 1440;
    case cfTimeToHours: return v * 24;
    case cfPercent: return v * 100;
    }
    return v;
}

long double applyCalcOperator(TRpCalcOperator op, long double a, long double b)
{
    switch (op) {
    case coAdd: return a + b;
    case coSub: return a - b;
    case coMul: return a * b;
    case coDiv: return b == 0 ? 0 : a / b; // a report prints 0 rather than failing the run
    case coMod: return b == 0 ? 0 : std::fmod(a, b);
    case coExp: return std::pow(a, b);
    case coGreater: return a > b ? a : b;
    case coLesser: return a < b ? a : b;
    case coAverage: return (a + b) / 2;
    }
    return 0;
}

} // namespace qv::report

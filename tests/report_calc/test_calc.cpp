#include "report/calc/CalcEngine.h"
#include "report/calc/CalcValue.h"
#include "report/calc/DataFieldExpression.h"
#include "report/components/DataObjects.h"
#include "report/snapshot/SnapshotFormat.h"
#include "runtime/core/RegionalSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <map>

namespace qv::report {
namespace {

// One data view "Rows" with string fields, parameters and page-item variables in maps.
class FakeContext : public ExpressionContext {
public:
    FakeContext() { view.setName("Rows"); }

    bool printing() const override { return isPrinting; }
    std::optional<FieldRead> readField(const TRpBaseDataView* v, std::string_view name) override
    {
        if (v != &view)
            return std::nullopt;
        auto it = fields.find(std::string(name));
        if (it == fields.end())
            return std::nullopt;
        FieldRead read;
        read.isNull = it->second == "<null>";
        read.text = read.isNull ? "" : it->second;
        return read;
    }
    TRpBaseDataView* findDataView(std::string_view name) override { return sameText(name, "Rows") ? &view : nullptr; }
    std::string parameter(std::string_view name) override { return params[std::string(name)]; }
    void setParameter(const std::string& name, const std::string& value) override { params[name] = value; }
    std::string piVar(std::string_view name) override { return piVars[std::string(name)]; }
    void setPIVar(const std::string& name, const std::string& value) override { piVars[name] = value; }
    std::string reportVariable(int number) override { return snapshot::reportVariablePlaceholder(number); }

    TRpDataView view;
    bool isPrinting = true;
    std::map<std::string, std::string> fields;
    std::map<std::string, std::string> params;
    std::map<std::string, std::string> piVars;
};

TEST(DataFieldExpression, LiteralsJoinedWithAmpersandAndPlus)
{
    FakeContext c;
    c.params["Amount"] = "5000";
    EXPECT_EQ(evaluateExpression("PARAM.Amount", nullptr, c), "5000");
    EXPECT_EQ(evaluateExpression("'Loan' & PARAM.Amount", nullptr, c), "Loan 5000");
    EXPECT_EQ(evaluateExpression("'Loan' + PARAM.Amount", nullptr, c), "Loan5000");
    EXPECT_EQ(evaluateExpression("'' & PARAM.Amount", nullptr, c), "5000") << "an empty item adds no space";
    EXPECT_EQ(evaluateExpression("PARAM.Missing & 'x'", nullptr, c), "x");
    EXPECT_EQ(evaluateExpression("  \"it\"\"s\" + ('a' & 'b');  ", nullptr, c), "it\"sa b");
}

TEST(DataFieldExpression, ReferencesToViewsFieldsAndReportVariables)
{
    FakeContext c;
    c.fields["No"] = "7";
    c.fields["<Pay Date>"] = "2024-01-01";
    c.piVars["Carry"] = "12";
    EXPECT_EQ(evaluateExpression("No", &c.view, c), "7");
    EXPECT_EQ(evaluateExpression("rows.No", nullptr, c), "7");
    EXPECT_EQ(evaluateExpression("Rows.<Pay Date>", nullptr, c), "2024-01-01");
    EXPECT_EQ(evaluateExpression("Nope", &c.view, c), "(invalid)");
    EXPECT_EQ(evaluateExpression("Other.No", nullptr, c), "(invalid)");
    EXPECT_EQ(evaluateExpression("No", nullptr, c), "(invalid)");
    EXPECT_EQ(evaluateExpression("PIVAR.Carry", nullptr, c), "12");
    EXPECT_EQ(evaluateExpression("report.totalpages", nullptr, c), snapshot::reportVariablePlaceholder(10));
    EXPECT_EQ(evaluateExpression("REPORT.Bogus", nullptr, c), "(invalid)");
}

TEST(DataFieldExpression, OutsideARunShowsTheExpression)
{
    FakeContext c;
    c.isPrinting = false;
    EXPECT_EQ(evaluateExpression("PARAM.Amount", nullptr, c), "PARAM.Amount");
}

TEST(DataFieldExpression, ReadingNumbers)
{
    ScopedRegionalSettings posix(RegionalSettings::posix());
    FakeContext c;
    c.fields["A"] = "1.5";
    c.fields["B"] = "1,234.56";
    c.fields["N"] = "<null>";
    EXPECT_EQ(readNumber("A", &c.view, c).value, 1.5L);
    EXPECT_EQ(readNumber("B", &c.view, c).value, 0.0L) << "a thousands separator makes a field 0";
    EXPECT_TRUE(readNumber("N", &c.view, c).isNull);
    EXPECT_NEAR(double(readNumber("'$1,234.56'", nullptr, c).value), 1234.56, 1e-9);
    EXPECT_NEAR(double(cleanedNumber("-12.5.3")), -12.53, 1e-9);
    EXPECT_EQ(cleanedNumber("abc"), 0.0L);
    // A number with an exponent is not cleaned into another one; the writer's texts for
    // values beyond all numbers stay such values instead of becoming 0.
    EXPECT_EQ(cleanedNumber("1E308"), 1e308L);
    c.fields["H"] = "1E308";
    c.fields["I"] = "-INF";
    c.fields["Q"] = "NAN";
    EXPECT_EQ(readNumber("H", &c.view, c).value, 1e308L);
    EXPECT_EQ(readNumber("I", &c.view, c).value, -std::numeric_limits<long double>::infinity());
    EXPECT_TRUE(std::isnan(readNumber("Q", &c.view, c).value));
}

TEST(CalcValue, SumMinMaxAverageAndCount)
{
    CalcValue sum;
    sum.addRow(1.5, false, "1.5");
    sum.addRow(2.5, false, "2.5");
    EXPECT_EQ(sum.result(), 4.0L);

    CalcValue minimum;
    minimum.calcType = ctMin;
    EXPECT_EQ(minimum.result(), 0.0L);
    minimum.addRow(5, false, "5");
    minimum.addRow(-2, false, "-2");
    minimum.addRow(3, false, "3");
    EXPECT_EQ(minimum.result(), -2.0L);

    CalcValue average;
    average.calcType = ctAverage;
    EXPECT_TRUE(average.undefined());
    average.addRow(4, false, "4");
    average.addRow(0, true, "");
    average.addRow(0, false, "0");
    EXPECT_EQ(average.result(), 2.0L) << "nulls are not counted, zeros are with CountBlanks";
    average.countBlanks = false;
    average.reset();
    average.addRow(4, false, "4");
    average.addRow(0, false, "0");
    EXPECT_EQ(average.result(), 4.0L);

    CalcValue count;
    count.calcType = ctCount;
    count.countValue = "yes";
    count.addRow(0, false, "yes");
    count.addRow(0, false, "no");
    count.addRow(0, true, "yes");
    EXPECT_EQ(count.result(), 1.0L);
}

TEST(CalcValue, StartValues)
{
    CalcValue count;
    count.calcType = ctCount;
    count.start(2.9L);
    EXPECT_EQ(count.count(), 2);
    count.start(-2.9L);
    EXPECT_EQ(count.count(), -2);

    CalcValue sum;
    sum.start(10.25L);
    sum.addRow(1, false, "1");
    EXPECT_EQ(sum.result(), 11.25L);

    CalcValue maximum;
    maximum.calcType = ctMax;
    maximum.addRow(8, false, "8");
    maximum.start(3);
    EXPECT_EQ(maximum.result(), 0.0L) << "a start value clears min and max";
}

TEST(CalcEngine, ControllerDrivesItsCalculationsAndRunningTotalsKeepCounting)
{
    FakeContext c;
    TRpDataView controller;
    TRpCalcText running;
    running.setController(&controller);
    running.setDataView(&c.view);
    running.setDataField("No");
    running.setRunningTotal(true);
    TRpCalcText perPrint;
    perPrint.setController(&controller);
    perPrint.setDataView(&c.view);
    perPrint.setDataField("No");
    CalcEngine engine(c);
    engine.collect(running);
    engine.collect(perPrint);

    for (const char* no : {"1", "2", "3"}) {
        c.fields["No"] = no;
        engine.announceNewData(controller);
    }
    EXPECT_EQ(engine.calcText(running), "6");
    EXPECT_EQ(engine.calcText(perPrint), "6");
    engine.afterPrint(running);
    engine.afterPrint(perPrint);
    c.fields["No"] = "4";
    engine.announceNewData(controller);
    EXPECT_EQ(engine.calcText(running), "10");
    EXPECT_EQ(engine.calcText(perPrint), "4") << "a second printing starts again from 0";
}

TEST(CalcEngine, DateTimeCalculationsReadDateTexts)
{
    RegionalSettings german = RegionalSettings::posix();
    german.shortDateFormat = "dd/MM/yyyy";
    german.dateSeparator = '.';
    german.decimalSeparator = ',';
    german.thousandSeparator = ".";
    ScopedRegionalSettings region(german);
    FakeContext c;
    TRpDataView controller;
    TRpCalcText date;
    date.setController(&controller);
    date.setDataView(&c.view);
    date.setDataField("date");
    date.setDisplayType(dtDateTimeFormat);
    date.setDisplayFormat("ddddd");
    TRpCalcText money;
    money.setController(&controller);
    money.setDataView(&c.view);
    money.setDataField("date");
    money.setDisplayFormat("#,##0.00");
    CalcEngine engine(c);
    engine.collect(date);
    engine.collect(money);

    auto shown = [&](const char* text) {
        c.fields["date"] = text;
        engine.announceNewData(controller);
        std::string const result = engine.calcText(date);
        engine.afterPrint(date);
        return result;
    };
    EXPECT_EQ(shown("2026-01-05"), "05.01.2026") << "as the schedule writes dates";
    EXPECT_EQ(shown("31.12.2025"), "31.12.2025") << "the user's own short form";
    EXPECT_EQ(shown("2026-02-30"), "30.12.1899") << "no such day: the number rule's 0";
    EXPECT_EQ(shown("46000"), "09.12.2025") << "a number stays a day count";
    EXPECT_EQ(engine.calcText(money), "46.000,00") << "a number calculation reads no dates";
}

TEST(CalcEngine, CalcControllerSendsStartValueAndTotalsFeedParameters)
{
    FakeContext c;
    TRpCalcController init;
    init.setInitValue(2.9L);
    TRpCalcTotal total;
    total.setCalcType(ctCount);
    total.setInitializer(&init);
    total.setController(&init);
    total.setDestParam("Total");
    total.setDestPIVar("Carry");
    total.setDisplayFormat("0.0");
    CalcEngine engine(c);
    engine.collect(total);

    engine.controllerPrinted(init);
    engine.calcTotalPrinted(total);
    EXPECT_EQ(c.params["Total"], "3.0") << "start 2 plus the announced row";
    EXPECT_EQ(c.piVars["Carry"], "3.0");
}

TEST(CalcEngine, CalcOperationsCombineSourcesWithoutFailing)
{
    FakeContext c;
    TRpCalcOp op;
    op.setSrc1Value(7);
    op.setSrc2Value(0);
    op.setOperator(coDiv);
    CalcEngine engine(c);
    EXPECT_EQ(engine.value(&op), 0.0L) << "division by zero gives 0";
    op.setOperator(coMul);
    op.setSrc2Value(3);
    op.setResultFunction(cfNeg);
    EXPECT_EQ(engine.value(&op), -21.0L);

    // A source that leads back to the operation being worked out reads 0.
    op.setOperator(coAdd);
    op.setSrc1CalcVar(&op);
    EXPECT_EQ(engine.value(&op), -3.0L);
    TRpCalcOp other;
    other.setSrc1CalcVar(&op);
    other.setSrc2Value(5);
    op.setSrc1CalcVar(&other);
    EXPECT_EQ(engine.value(&other), 2.0L) << "op sees other as 0 and gives -3";
    EXPECT_EQ(engine.value(&op), -8.0L) << "other is 0 + 5 from where op starts";
}

TEST(CalcEngine, DesignTextOutsideARun)
{
    FakeContext c;
    c.isPrinting = false;
    TRpCalcText text;
    text.setName("CalcText1");
    text.setCalcType(ctAverage);
    CalcEngine engine(c);
    EXPECT_EQ(engine.calcText(text), "Avg(CalcText1)");
    text.setDataField("Amount");
    text.setCalcType(ctCount);
    EXPECT_EQ(engine.calcText(text), "Count(Amount)");
}

} // namespace
} // namespace qv::report

#include "loan/LoanFile.h"

#include "runtime/core/Exception.h"
#include "runtime/core/FloatFaults.h"
#include "runtime/core/Format.h"
#include "runtime/core/Numbers.h"
#include "runtime/core/TextFile.h"

#include <array>

namespace qv {
std::string loanFileText(const LoanEngine& engine)
{
    LoanRecord const& record = engine.record;
    LoanTotals const& totals = engine.totals;
    TextFileWriter file("");
    file.writeLine(numberText(record.amount));
    file.writeLine(record.rateText);
    file.writeLine(numberText(record.monthlyRate));
    file.writeLine(numberText(record.term));
    file.writeLine(record.loanDate);
    file.writeLine(numberText(totals.monthlyPayment));
    file.writeLine(numberText(totals.baselinePayment));
    file.writeLine(numberText(totals.totalPayment));
    file.writeLine(numberText(totals.baselineInterest));
    file.writeLine(numberText(totals.totalInterest));
    file.writeLine(numberText(totals.interestSaved));
    file.writeLine(numberText(totals.scheduleMonths));
    // A refused Calculate can leave a term whose months the table never held:
    // those months are written empty, keeping the file's shape.
    int const months = record.term > 0 ? record.term * 12 : 0;
    for (int i = 1; i <= months; ++i) {
        for (int col = colDate; col <= colBalance; ++col)
            file.writeLine(engine.table.hasRow(i) ? engine.table.cell(i, col) : std::string());
    }
    return file.text();
}

bool writeLoanFile(const std::string& path, const LoanEngine& engine)
{
    replaceFileAtomically(path, loanFileText(engine));
    return true;
}

bool readLoanFile(const std::string& path, LoanEngine& engine, LoanView& view)
{
    TextFileReader file(path);
    std::array<std::string, 12> line;
    for (int n = 1; n <= 11; ++n)
        line[n] = file.readLine();

    view.setAmountText(line[1]);
    view.setRateText(line[2]);
    view.setTermText(line[4]);
    view.setLoanDate(strToDate(line[5]));
    view.setResultLabel(ResultLabel::MonthlyPayment, line[6]);
    view.setResultLabel(ResultLabel::TotalInterest, line[10]);
    view.setResultLabel(ResultLabel::TotalPayment, line[8]);
    view.setResultLabel(ResultLabel::InterestSaved, line[11]);

    clearFloatFaults();
    LoanRecord& record = engine.record;
    record.amount = storeSingle(parseNumber(line[1]));
    record.monthlyRate = storeSingle(parseNumber(line[3]));
    record.rateText = line[2];
    record.term = parseInteger(line[4]);
    record.loanDate = line[5];
    if (record.term < 0 || record.term > LoanEngine::maxTermYears)
        throw EConvertError(formatMessage("'%s' is not a valid loan term", line[4]));
    int const months = record.term * 12;
    engine.table.resize(months + 1);

    LoanTotals& totals = engine.totals;
    totals.monthlyPayment = storeDouble(parseNumber(line[6]));
    totals.baselinePayment = storeDouble(parseNumber(line[7]));
    totals.totalPayment = storeDouble(parseNumber(line[8]));
    totals.baselineInterest = storeDouble(parseNumber(line[9]));
    totals.totalInterest = storeDouble(parseNumber(line[10]));
    totals.interestSaved = storeDouble(parseNumber(line[11]));
    engine.working.payment = totals.monthlyPayment;
    engine.working.rate = record.monthlyRate;

    std::string const monthsInUse = file.readLine();
    int32_t const scheduleMonths = parseInteger(monthsInUse);
    // More months in use than the term holds would send the grid, chart and
    // report past the end of the schedule.
    if (scheduleMonths < 0 || scheduleMonths > months)
        throw EConvertError(formatMessage("'%s' is not a valid number of months in use", monthsInUse));
    totals.scheduleMonths = scheduleMonths;
    ScheduleGrid& grid = view.grid();
    grid.setRowCount(scheduleMonths + 1);

    for (int i = 1; i <= months; ++i) {
        std::string const number = std::to_string(i);
        grid.setCellText(colNumber, i, number);
        engine.table.setCell(i, colNumber, number);
        for (int col = colDate; col <= colBalance; ++col) {
            std::string const text = file.readLine();
            grid.setCellText(col, i, text);
            engine.table.setCell(i, col, text);
        }
    }
    engine.table.setCell(0, colBalance, line[1]);
    view.redrawChart();
    return true;
}

} // namespace qv

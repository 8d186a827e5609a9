#include "loan/LoanFile.h"

#include "loan/BankRounding.h"

#include "runtime/core/Exception.h"
#include "runtime/core/FloatFaults.h"
#include "runtime/core/Format.h"
#include "runtime/core/Numbers.h"
#include "runtime/core/TextFile.h"

#include <array>

namespace qv {
namespace {

// A bank-rounded loan's money goes out as the exact texts it was computed as.
void writeBankHeader(TextFileWriter& file, const LoanEngine& engine)
{
    BankFigures const& bank = engine.bank;
    file.writeLine(bank.amount);
    file.writeLine(engine.record.rateText);
    file.writeLine(bank.monthlyRate);
    file.writeLine(numberText(engine.record.term));
    file.writeLine(engine.record.loanDate);
    file.writeLine(bank.monthlyPayment);
    file.writeLine(bank.baselinePayment);
    file.writeLine(bank.totalPayment);
    file.writeLine(bank.baselineInterest);
    file.writeLine(bank.totalInterest);
    file.writeLine(bank.interestSaved);
    file.writeLine(numberText(engine.totals.scheduleMonths));
}

} // namespace

std::string loanFileText(const LoanEngine& engine)
{
    LoanRecord const& record = engine.record;
    LoanTotals const& totals = engine.totals;
    TextFileWriter file("");
    if (record.rounding == RoundingModel::Bank) {
        writeBankHeader(file, engine);
    } else {
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
    }
    // A refused Calculate can leave a term whose months the table never held:
    // those months are written empty, keeping the file's shape.
    int const months = record.term > 0 ? record.term * 12 : 0;
    for (int i = 1; i <= months; ++i) {
        for (int col = colDate; col <= colBalance; ++col)
            file.writeLine(engine.table.hasRow(i) ? engine.table.cell(i, col) : std::string());
    }
    if (const char* line = roundingFileLine(record.rounding))
        file.writeLine(line);
    return file.text();
}

bool writeLoanFile(const std::string& path, const LoanEngine& engine)
{
    replaceFileAtomically(path, loanFileText(engine));
    return true;
}

namespace {

constexpr std::size_t headerLines = 12;

std::size_t linesNeeded(int32_t term) { return headerLines + 60 * static_cast<std::size_t>(term); }

} // namespace

std::uint64_t const maxLoanFileBytes = linesNeeded(LoanEngine::maxTermYears) * 256;

namespace {

bool validTerm(int32_t term) { return term >= 0 && term <= LoanEngine::maxTermYears; }

EInOutError truncated(const std::string& name, std::size_t lines, const std::string& need)
{
    std::string const where = lines == 0 ? " is empty; " : " ends at line " + std::to_string(lines) + "; ";
    return EInOutError(name + where + need, 100);
}

std::string termNeed(int32_t term)
{
    return "a " + std::to_string(term) + "-year loan needs " + std::to_string(linesNeeded(term)) + " lines";
}

// A header cut short may still hold the term that says how long the file should be.
EInOutError truncatedHeader(const std::string& name, std::size_t lines, const std::string& termLine)
{
    if (lines >= 4) {
        try {
            int32_t const term = parseInteger(termLine);
            if (validTerm(term))
                return truncated(name, lines, termNeed(term));
        } catch (const EConvertError&) {
        }
    }
    return truncated(name, lines, "a loan file needs at least 12 lines");
}

void apply(const LoanFileContents& file, LoanEngine& engine, LoanView& view)
{
    auto const& line = file.line;
    view.setAmountText(line[1]);
    view.setRateText(line[2]);
    view.setTermText(line[4]);
    view.setLoanDate(file.loanDate);
    view.setResultLabel(ResultLabel::MonthlyPayment, line[6]);
    view.setResultLabel(ResultLabel::TotalInterest, line[10]);
    view.setResultLabel(ResultLabel::TotalPayment, line[8]);
    view.setResultLabel(ResultLabel::InterestSaved, line[11]);

    engine.record = file.record;
    int const months = static_cast<int>(file.months.size());
    engine.table.resize(months + 1);
    engine.totals = file.totals;
    engine.working.payment = file.totals.monthlyPayment;
    engine.working.rate = file.record.monthlyRate;
    engine.bank = file.bank;

    ScheduleGrid& grid = view.grid();
    grid.setRowCount(file.totals.scheduleMonths + 1);
    for (int i = 1; i <= months; ++i) {
        std::string const number = std::to_string(i);
        grid.setCellText(colNumber, i, number);
        engine.table.setCell(i, colNumber, number);
        auto const& cells = file.months[static_cast<std::size_t>(i - 1)];
        for (int col = colDate; col <= colBalance; ++col) {
            std::string_view const text = cells[static_cast<std::size_t>(col - colDate)];
            grid.setCellText(col, i, text);
            engine.table.setCell(i, col, text);
        }
    }
    engine.table.setCell(0, colBalance, line[1]);
    view.redrawChart();
}

} // namespace

LoanFileContents parseLoanFile(TextFileReader& file, const std::string& name)
{
    LoanFileContents out;
    auto& line = out.line;
    std::size_t const lines = file.lineCount();
    for (std::size_t n = 1; n <= headerLines; ++n)
        line[n] = file.readLine();
    if (lines < headerLines)
        throw truncatedHeader(name, lines, line[4]);

    out.loanDate = strToDate(line[5]);
    clearFloatFaults();
    LoanRecord& record = out.record;
    record.amount = storeSingle(parseNumber(line[1]));
    record.monthlyRate = storeSingle(parseNumber(line[3]));
    record.rateText = line[2];
    record.term = parseInteger(line[4]);
    record.loanDate = line[5];
    if (!validTerm(record.term))
        throw EConvertError(formatMessage("'%s' is not a valid loan term", echoedInput(line[4])));
    if (lines < linesNeeded(record.term))
        throw truncated(name, lines, termNeed(record.term));

    LoanTotals& totals = out.totals;
    totals.monthlyPayment = storeDouble(parseNumber(line[6]));
    totals.baselinePayment = storeDouble(parseNumber(line[7]));
    totals.totalPayment = storeDouble(parseNumber(line[8]));
    totals.baselineInterest = storeDouble(parseNumber(line[9]));
    totals.totalInterest = storeDouble(parseNumber(line[10]));
    totals.interestSaved = storeDouble(parseNumber(line[11]));
    int const months = record.term * 12;
    totals.scheduleMonths = parseInteger(line[12]);
    // More months in use than the term holds would send the grid, chart and
    // report past the end of the schedule.
    if (totals.scheduleMonths < 0 || totals.scheduleMonths > months)
        throw EConvertError(formatMessage("'%s' is not a valid number of months in use", echoedInput(line[12])));

    out.months.resize(static_cast<std::size_t>(months));
    for (auto& cells : out.months) {
        for (auto& cell : cells)
            cell = file.readLineView();
    }
    record.rounding = roundingFromFileLine(file.readLine());
    if (record.rounding == RoundingModel::Bank)
        out.bank = BankFigures{line[1], line[3], line[6], line[7], line[8], line[9], line[10], line[11]};
    return out;
}

bool readLoanFile(const std::string& path, LoanEngine& engine, LoanView& view)
{
    TextFileReader file(path, maxLoanFileBytes);
    apply(parseLoanFile(file, path), engine, view);
    return true;
}

bool loanFileReadable(const LoanEngine& engine)
{
    TextFileReader file = TextFileReader::fromBytes(loanFileText(engine));
    try {
        parseLoanFile(file, std::string());
    } catch (const Exception&) {
        return false;
    }
    return true;
}

} // namespace qv

#include "loan/LoanEngine.h"

#include "loan/BankRounding.h"
#include "runtime/core/Exception.h"
#include "runtime/core/FloatFaults.h"
#include "runtime/core/Numbers.h"

#include <algorithm>

namespace qv {
bool LoanEngine::selectCell(int col, int row, LoanView& view)
{
    checkReamortization(col, row, view);
    if (col != extraColumn) {
        edit.armedRow = 0;
        return false;
    }
    edit.armedRow = row;
    edit.armedCol = extraColumn;
    // A row the table does not hold (nothing calculated yet) arms with an empty text.
    edit.armedText = table.hasRow(row) ? table.cell(row, colExtra) : std::string();
    return true;
}

void LoanEngine::checkReamortization(int col, int row, LoanView& view)
{
    if (edit.armedRow == 0 || (row == edit.armedRow && col == edit.armedCol))
        return;
    if (view.grid().cellText(edit.armedCol, edit.armedRow) == edit.armedText)
        return;
    recalculate(view);
}

void LoanEngine::recalculate(LoanView& view)
{
    int const first = edit.armedRow;
    holdWholeTerm(first, view);
    table.setCell(first, colExtra, view.grid().cellText(edit.armedCol, first));
    reamortizeInModel(first, view);
}

void LoanEngine::reamortizeFrom(int month, LoanView& view)
{
    holdWholeTerm(month, view);
    reamortizeInModel(month, view);
}

void LoanEngine::applyExtraPayment(int month, const std::string& text, LoanView& view)
{
    holdWholeTerm(month, view);
    table.setCell(month, colExtra, text);
    view.grid().setCellText(colExtra, month, text);
    reamortizeInModel(month, view);
}

void LoanEngine::checkExtraPaymentText(const std::string& text) const
{
    if (record.rounding == RoundingModel::Bank)
        checkBankExtraPayment(text);
    else
        parseNumber(text);
}

void LoanEngine::applyExtraPayments(const std::map<int, std::string>& extras, LoanView& view)
{
    if (extras.empty())
        return;
    int const lastMonth = record.term * 12;
    for (auto const& [month, text] : extras) {
        if (month < 1 || month > lastMonth)
            holdWholeTerm(month, view); // refuses it with the message a typed month gets
        checkExtraPaymentText(text);
    }
    // Typing month by month changes nothing until a month the schedule still shows gets
    // another text; every row before that month stays as it is.
    int const reach = std::min(totals.scheduleMonths, table.rowCount() - 1);
    auto first = extras.begin();
    while (first != extras.end() && first->first <= reach && table.cell(first->first, colExtra) == first->second)
        ++first;
    if (first == extras.end() || first->first > reach)
        return;
    // Each row follows from the balance before it and its own extra payment alone, so one
    // pass over all the texts gives every row the value the last typing left in it; rows
    // past the new payoff are zeroed, as they are when typing pays the loan off.
    holdWholeTerm(first->first, view);
    for (auto it = first; it != extras.end(); ++it)
        table.setCell(it->first, colExtra, it->second);
    reamortizeInModel(first->first, view);
}

void LoanEngine::repeatExtraPayment(int month, const std::string& text, LoanView& view)
{
    std::string const amount = text.empty() ? std::string("0") : text;
    std::map<int, std::string> extras;
    for (int m = month; m <= std::max(month, record.term * 12); ++m)
        extras.emplace_hint(extras.end(), m, amount);
    applyExtraPayments(extras, view);
}

void LoanEngine::clearExtraPaymentsFrom(int month, LoanView& view) { repeatExtraPayment(month, "0", view); }

void LoanEngine::clearAllExtraPayments(LoanView& view)
{
    if (record.rounding == RoundingModel::Bank) {
        // Exact money: a schedule without extra payments is the calculated one.
        clearExtraPaymentsFrom(1, view);
        return;
    }
    // Typing "0" everywhere would re-amortize, whose summed interest and patched last
    // month can differ from Calculate's by a cent or end the loan early: undo restores
    // the calculated schedule instead.
    holdWholeTerm(1, view);
    clearFloatFaults();
    int const months = record.term * 12;
    writeCalculatedMonths(view);
    view.grid().setCellText(colBalance, months, "0");
    table.setCell(months, colBalance, "0");
    totals.totalInterest = totals.baselineInterest;
    totals.totalPayment = totals.baselinePayment;
    totals.interestSaved = 0;
    totals.scheduleMonths = months;
    view.setResultLabel(ResultLabel::TotalInterest, numberText(totals.totalInterest));
    view.setResultLabel(ResultLabel::TotalPayment, numberText(totals.totalPayment));
    view.setResultLabel(ResultLabel::InterestSaved, "0");
}

void LoanEngine::reamortizeInModel(int first, LoanView& view)
{
    if (record.rounding == RoundingModel::Bank)
        reamortizeBank(first, view);
    else
        reamortizeClassic(first, view);
}

std::vector<std::pair<int, std::string>> LoanEngine::extraPayments() const
{
    std::vector<std::pair<int, std::string>> extras;
    for (int month = 1; month <= totals.scheduleMonths && table.hasRow(month); ++month) {
        std::string const& text = table.cell(month, colExtra);
        if (!text.empty() && text != "0")
            extras.emplace_back(month, text);
    }
    return extras;
}

void LoanEngine::holdWholeTerm(int month, LoanView& view)
{
    int const lastMonth = record.term * 12;
    // The grid can show months the loan no longer has (after a refused Calculate
    // changed the term): refuse rather than reach outside the schedule.
    if (record.term <= 0 || record.term > maxTermYears || month < 1 || month > lastMonth)
        throw EListError("Month " + std::to_string(month) + " is outside the loan term of "
            + std::to_string(record.term > 0 ? lastMonth : 0) + " months");
    view.grid().setRowCount(lastMonth + 1);
    table.resize(lastMonth + 1);
}

void LoanEngine::reamortizeClassic(int first, LoanView& view)
{
    int const lastMonth = record.term * 12;
    clearFloatFaults();
    ScheduleGrid& grid = view.grid();

    float const rate = working.rate;
    double const payment = working.payment;
    int month = first - 1;
    double balance = storeDouble(parseNumber(table.cell(month, colBalance)));
    do {
        ++month;
        // Interest and principal first: their fault comes before a bad extra payment text.
        MonthFigures figures = runFloatStep([&](auto stores) {
            using Stores = decltype(stores);
            MonthFigures f;
            f.interest = Stores::round(Stores::toDouble(static_cast<long double>(balance) * rate), -2);
            f.principal = Stores::round(Stores::toDouble(static_cast<long double>(payment) - f.interest), -2);
            return f;
        });
        std::string const& extraText = table.cell(month, colExtra);
        long double const extra = parseNumber(extraText);
        figures.balance = runFloatStep([&](auto stores) {
            using Stores = decltype(stores);
            return Stores::round(Stores::toDouble(((1.0L + rate) * balance - payment) - extra), -2);
        });
        balance = figures.balance;
        writeMonthFigures(grid, month, figures, extraText);
    } while (balance > 0 && month != lastMonth);

    grid.setRowCount(month + 1);
    std::string const lastPrincipal = table.cell(month - 1, colBalance);
    grid.setCellText(colBalance, month, "0");
    table.setCell(month, colBalance, "0");
    grid.setCellText(colPrincipal, month, lastPrincipal);
    table.setCell(month, colPrincipal, lastPrincipal);
    totals.scheduleMonths = month;

    for (int j = month + 1; j <= lastMonth; ++j) {
        for (int col : {colInterest, colPrincipal, colExtra, colBalance})
            table.setCell(j, col, "0");
    }

    double sum = 0;
    for (int k = 1; k <= month; ++k) {
        long double const interest = parseNumber(table.cell(k, colInterest));
        sum = runFloatStep([&](auto stores) { return decltype(stores)::toDouble(static_cast<long double>(sum) + interest); });
    }
    totals.totalInterest = sum;
    totals.interestSaved = roundDecimal(storeDouble(static_cast<long double>(totals.baselineInterest) - sum), -2);
    totals.totalPayment = storeDouble(static_cast<long double>(totals.baselinePayment) - totals.interestSaved);

    view.setResultLabel(ResultLabel::TotalInterest, numberText(totals.totalInterest));
    view.setResultLabel(ResultLabel::TotalPayment, numberText(totals.totalPayment));
    view.setResultLabel(ResultLabel::InterestSaved, numberText(totals.interestSaved));
}

} // namespace qv

#include "loan/LoanEngine.h"

#include "loan/PaymentDate.h"
#include "runtime/core/FloatFaults.h"
#include "runtime/core/Numbers.h"

#include <charconv>
#include <iterator>
#include <string_view>

namespace qv {
namespace {

// The code of the character at a 1-based byte position, read as UTF-8; 0 past the end.
long characterCodeAt(const std::string& text, int position)
{
    if (position < 1 || position > static_cast<int>(text.size()))
        return 0;
    auto const* bytes = reinterpret_cast<const unsigned char*>(text.data()) + position - 1;
    std::size_t const left = text.size() - static_cast<std::size_t>(position - 1);
    unsigned char const lead = bytes[0];
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length <= 1 || static_cast<std::size_t>(length) > left)
        return lead;
    long code = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        if ((bytes[k] & 0xC0) != 0x80)
            return lead;
        code = (code << 6) | (bytes[k] & 0x3F);
    }
    return code;
}

} // namespace

std::string rateErrorMessage(const std::string& rateText, int position)
{
    return "number " + std::to_string(characterCodeAt(rateText, position));
}

CalculateOutcome LoanEngine::calculate(const CalculateInput& input, LoanView& view)
{
    if (input.rounding == RoundingModel::Bank)
        return calculateBank(input, view);
    clearFloatFaults();
    int32_t const term = parseInteger(input.termText);
    float const amount = storeSingle(parseNumber(input.amountText));
    ParsedRate const parsed = parseRate(input.rateText);
    float rate = storeSingle(parsed.value);
    if (parsed.errorPosition != 0) {
        view.showMessage(rateErrorMessage(input.rateText, parsed.errorPosition), "error");
        return CalculateOutcome::RateError;
    }
    rate = storeSingle(roundDecimal(storeDouble(static_cast<long double>(rate) / 1200.0L), -5));

    record.term = term;
    record.amount = amount;
    record.monthlyRate = rate;
    record.loanDate = dateToStr(input.loanDate);
    record.rateText = input.rateText;
    record.rounding = RoundingModel::Classic;
    working.rate = rate;

    DateParts const loanDate = decodeDate(input.loanDate);
    if (term <= 0 || term > maxTermYears || amount == 0.0f || rate == 0.0f) {
        view.showMessage("Data Error!", "Info");
        return CalculateOutcome::DataError;
    }

    int const months = term * 12;
    if (loanDate.year + (loanDate.month - 1 + months) / 12 > lastPaymentYear) {
        view.showMessage(lateLastPaymentMessage, "Info");
        return CalculateOutcome::DateError;
    }
    float const growth = storeSingle(integerPower(1.0L + rate, months));
    long double const quotient = static_cast<long double>(amount) * growth * rate / (static_cast<long double>(growth) - 1.0L);
    double const payment = roundDecimal(storeDouble(quotient), -2);
    working.payment = payment;

    table.resize(months + 1);
    ScheduleGrid& grid = view.grid();
    grid.setRowCount(months + 1);

    table.setCell(0, colBalance, numberText(amount));
    DateParts paymentMonth = loanDate;
    double balance = amount;
    for (int i = 1; i <= months; ++i) {
        // A fault in the month's arithmetic ends Calculate before any of the row is written.
        balance = writeCalculatedMonth(grid, i, balance);
        writeMonthNumberAndDate(grid, i, paymentMonth);
    }
    grid.setCellText(colBalance, months, "0");
    table.setCell(months, colBalance, "0");

    double const totalPayment = roundDecimal(storeDouble(static_cast<long double>(months) * payment + balance), -2);
    double const totalInterest = roundDecimal(storeDouble(static_cast<long double>(totalPayment) - amount), -2);

    view.setResultLabel(ResultLabel::MonthlyPayment, numberText(payment));
    view.setResultLabel(ResultLabel::TotalPayment, numberText(totalPayment));
    view.setResultLabel(ResultLabel::TotalInterest, numberText(totalInterest));
    view.setResultLabel(ResultLabel::InterestSaved, "0");

    totals.monthlyPayment = payment;
    totals.totalInterest = totals.baselineInterest = totalInterest;
    totals.totalPayment = totals.baselinePayment = totalPayment;
    totals.scheduleMonths = months;
    totals.interestSaved = 0;

    view.redrawChart();
    return CalculateOutcome::Done;
}

// Month i's number and payment date; `paymentMonth` steps on from the month before,
// its day staying the loan date's.
void LoanEngine::writeMonthNumberAndDate(ScheduleGrid& grid, int i, DateParts& paymentMonth)
{
    char numberDigits[16];
    std::string_view const number(numberDigits, std::to_chars(numberDigits, std::end(numberDigits), i).ptr - numberDigits);
    grid.setCellText(colNumber, i, number);
    table.setCell(i, colNumber, number);
    if (++paymentMonth.month > 12) {
        paymentMonth.month = 1;
        ++paymentMonth.year;
    }
    std::string const date = paymentDateText(paymentMonth.year, paymentMonth.month, paymentMonth.day);
    table.setCell(i, colDate, date);
    grid.setCellText(colDate, i, date);
}

// One month of the calculated schedule, its figures written into grid and table;
// returns the balance after it.
double LoanEngine::writeCalculatedMonth(ScheduleGrid& grid, int i, double balance)
{
    float const rate = working.rate;
    double const payment = working.payment;
    MonthFigures const figures = runFloatStep([&](auto stores) {
        using Stores = decltype(stores);
        MonthFigures f;
        f.interest = Stores::round(Stores::toDouble(static_cast<long double>(balance) * rate), -2);
        f.principal = Stores::round(Stores::toDouble(static_cast<long double>(payment) - f.interest), -2);
        f.balance = Stores::round(Stores::toDouble((1.0L + rate) * balance - payment), -2);
        return f;
    });
    writeMonthFigures(grid, i, figures, "0");
    return figures.balance;
}

// A month's figures become the working values and go into grid and table beside its
// extra payment text.
void LoanEngine::writeMonthFigures(ScheduleGrid& grid, int i, const MonthFigures& figures, std::string_view extra)
{
    working.interest = figures.interest;
    working.principal = figures.principal;
    working.balance = figures.balance;

    NumberText const interestText(figures.interest);
    NumberText const principalText(figures.principal);
    NumberText const balanceText(figures.balance);
    grid.setCellText(colInterest, i, interestText.view());
    grid.setCellText(colPrincipal, i, principalText.view());
    grid.setCellText(colExtra, i, extra);
    grid.setCellText(colBalance, i, balanceText.view());
    table.setCell(i, colInterest, interestText.view());
    table.setCell(i, colPrincipal, principalText.view());
    table.setCell(i, colExtra, extra);
    table.setCell(i, colBalance, balanceText.view());
}

// The months Calculate wrote, written again over whatever extra payments changed.
double LoanEngine::writeCalculatedMonths(LoanView& view)
{
    ScheduleGrid& grid = view.grid();
    double balance = record.amount;
    for (int i = 1; i <= record.term * 12; ++i)
        balance = writeCalculatedMonth(grid, i, balance);
    return balance;
}

} // namespace qv

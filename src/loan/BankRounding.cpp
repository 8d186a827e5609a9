// The bank rounding model: money held exactly in cents, the monthly rate as the
// exact decimal value of the rate text divided by 1200, the payment from the exact
// annuity formula and every month's interest rounded half-up to the cent. Nothing
// here computes in binary floating point; the record's floats and the totals'
// doubles are filled from the exact texts only for readers that want a number.
#include "loan/BankRounding.h"

#include "loan/LoanEngine.h"
#include "loan/PaymentDate.h"
#include "runtime/core/Exception.h"
#include "runtime/core/FloatFaults.h"
#include "runtime/core/Format.h"
#include "runtime/core/Numbers.h"
#include "runtime/core/RegionalSettings.h"
#include "runtime/core/Text.h"

#include <gmpxx.h>

#include <algorithm>

namespace qv {
namespace {

// Tiny rates would make (1 + r)^N a number of millions of digits.
constexpr long maxRateDecimals = 20;
constexpr const char* maxAmountText = "1000000000000000";
constexpr long maxAmountDigits = 16; // integer digits of maxAmountText

// A number text as digits and a decimal scale: value = digits x 10^-scale.
struct Decimal {
    bool negative = false;
    std::string digits; // no leading or trailing zeros; empty for zero
    long scale = 0;

    bool zero() const { return digits.empty(); }
    // The value lies below 10^integerDigits().
    long integerDigits() const { return static_cast<long>(digits.size()) - scale; }
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a text that parseNumber (with this separator) or parseRate (with ".")
// has already accepted, so only its shape is walked here.
Decimal readDecimal(const std::string& written, char separator)
{
    std::string const text = trim(written, " ");
    std::size_t i = 0;
    std::size_t const end = text.size();
    Decimal d;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        d.negative = text[i++] == '-';
    long fraction = 0;
    while (i < end && isDigit(text[i]))
        d.digits += text[i++];
    if (i < end && text[i] == separator) {
        for (++i; i < end && isDigit(text[i]); ++i, ++fraction)
            d.digits += text[i];
    }
    long exponent = 0;
    if (i < end && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool const negativeExponent = i < end && text[i] == '-';
        if (i < end && (text[i] == '+' || text[i] == '-'))
            ++i;
        // Saturates far beyond any value the parsers' range lets through.
        for (; i < end && isDigit(text[i]); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 100'000'000L);
        if (negativeExponent)
            exponent = -exponent;
    }
    d.scale = fraction - exponent;
    std::size_t const lead = d.digits.find_first_not_of('0');
    d.digits.erase(0, lead == std::string::npos ? d.digits.size() : lead);
    while (!d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
        --d.scale;
    }
    return d;
}

mpz_class powerOfTen(long exponent)
{
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(exponent));
    return power;
}

// numerator / denominator rounded half-up (halves away from zero); denominator > 0.
mpz_class roundHalfUp(const mpz_class& numerator, const mpz_class& denominator)
{
    mpz_class const magnitude = abs(numerator);
    mpz_class rounded = (2 * magnitude + denominator) / (2 * denominator);
    return numerator < 0 ? mpz_class(-rounded) : rounded;
}

mpz_class digitsValue(const Decimal& d)
{
    mpz_class value(d.digits, 10);
    return d.negative ? mpz_class(-value) : value;
}

// The value rounded half-up to the cent, as a number of cents.
mpz_class toCents(const Decimal& d)
{
    if (d.zero() || d.integerDigits() < -2)
        return 0; // below 0.001: rounds to no cent at all
    long const shift = 2 - d.scale;
    if (shift >= 0)
        return digitsValue(d) * powerOfTen(shift);
    return roundHalfUp(digitsValue(d), powerOfTen(-shift));
}

mpq_class toRational(const Decimal& d)
{
    if (d.zero())
        return 0;
    if (d.scale <= 0)
        return mpq_class(digitsValue(d) * powerOfTen(-d.scale));
    mpq_class value(digitsValue(d), powerOfTen(d.scale));
    value.canonicalize();
    return value;
}

// Cents as the schedule writes money: no trailing zeros, the regional separator.
std::string centsText(const mpz_class& cents)
{
    mpz_class const magnitude = abs(cents);
    std::string text = mpz_class(magnitude / 100).get_str();
    unsigned long const fraction = mpz_class(magnitude % 100).get_ui();
    if (fraction != 0) {
        text += regionalSettings().decimalSeparator;
        text += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0)
            text += static_cast<char>('0' + fraction % 10);
    }
    return cents < 0 ? "-" + text : text;
}

// The value to 15 significant digits in the layout numberText uses.
std::string significantText(const mpq_class& value)
{
    constexpr long digits = 15;
    if (value == 0)
        return "0";
    mpq_class const magnitude = abs(value);
    // e such that 10^(e-1) <= magnitude < 10^e.
    long e
        = static_cast<long>(mpz_sizeinbase(mpz_class(magnitude.get_num() / magnitude.get_den() + 1).get_mpz_t(), 10));
    auto const tenTo = [](long exponent) {
        return exponent >= 0 ? mpq_class(powerOfTen(exponent)) : mpq_class(mpz_class(1), powerOfTen(-exponent));
    };
    while (e > -100'000 && magnitude < tenTo(e - 1))
        --e;
    while (magnitude >= tenTo(e))
        ++e;
    mpq_class const scaled = magnitude * tenTo(digits - e);
    mpz_class rounded = roundHalfUp(scaled.get_num(), scaled.get_den());
    if (rounded == powerOfTen(digits)) {
        rounded /= 10;
        ++e;
    }
    std::string d = rounded.get_str();
    while (d.size() > 1 && d.back() == '0')
        d.pop_back();
    char const separator = regionalSettings().decimalSeparator;
    std::string text;
    if (e > 15 || e < -3) {
        text = d.substr(0, 1);
        if (d.size() > 1)
            text += separator + d.substr(1);
        text += "E" + std::to_string(e - 1);
    } else if (e <= 0) {
        text = std::string("0") + separator + std::string(static_cast<std::size_t>(-e), '0') + d;
    } else {
        if (static_cast<long>(d.size()) < e)
            d.append(static_cast<std::size_t>(e) - d.size(), '0');
        text = d.substr(0, static_cast<std::size_t>(e));
        if (static_cast<long>(d.size()) > e)
            text += separator + d.substr(static_cast<std::size_t>(e));
    }
    return value < 0 ? "-" + text : text;
}

// A money text of the schedule or the file, checked the way every reader checks it.
mpz_class moneyCents(const std::string& text)
{
    parseNumber(text); // raises the conversion error for a text that is no number
    return toCents(readDecimal(text, regionalSettings().decimalSeparator));
}

mpz_class extraPaymentCents(const std::string& text)
{
    mpz_class const extra = moneyCents(text);
    if (extra < 0)
        throw EConvertError(
            formatMessage("'%s' is refused: a bank-rounded loan takes no extra payment below 0", echoedInput(text)));
    return extra;
}

struct ExactRate {
    mpq_class monthly;   // yearly rate / 1200
    std::string refusal; // why the rate text cannot be used; empty when it can
};

ExactRate exactRate(const std::string& rateText)
{
    ExactRate rate;
    auto refuse = [&](const std::string& why) {
        rate.refusal = formatMessage("Rate '%s' is refused: ", echoedInput(rateText)) + why;
        return rate;
    };
    if (parseRate(rateText).errorPosition != 0)
        return refuse("it is not a number");
    Decimal const yearly = readDecimal(rateText, '.');
    if (!yearly.zero() && (yearly.negative || yearly.integerDigits() > 3))
        return refuse("the yearly rate must lie from 0 to 100 %");
    if (yearly.scale > maxRateDecimals)
        return refuse("a rate takes at most " + std::to_string(maxRateDecimals) + " decimals");
    rate.monthly = toRational(yearly) / 1200;
    if (rate.monthly * 1200 > 100)
        return refuse("the yearly rate must lie from 0 to 100 %");
    return rate;
}

mpz_class interestCents(const mpz_class& balance, const mpq_class& rate)
{
    return roundHalfUp(balance * rate.get_num(), rate.get_den());
}

// Payment = A r / (1 - (1 + r)^-N) = A r P / (P - 1) with P = (1 + r)^N, exact,
// rounded half-up to the cent; a rate of 0 repays A / N.
mpz_class paymentCents(const mpz_class& amount, const mpq_class& rate, int months)
{
    if (rate == 0)
        return roundHalfUp(amount, months);
    mpz_class const& num = rate.get_num();
    mpz_class const& den = rate.get_den();
    mpz_class grownNum;
    mpz_class grownDen;
    mpz_class const base = den + num;
    mpz_pow_ui(grownNum.get_mpz_t(), base.get_mpz_t(), static_cast<unsigned long>(months));
    mpz_pow_ui(grownDen.get_mpz_t(), den.get_mpz_t(), static_cast<unsigned long>(months));
    return roundHalfUp(amount * num * grownNum, den * (grownNum - grownDen));
}

// Rounding model of a loan file's trailing line.
constexpr const char* bankLine = "rounding=bank";

// Runs the months from `first` with the table's extra payments: the month's interest
// rounded half-up, the rest of the payment as principal, the whole balance as principal
// in the last month or when the payment reaches it, then the extra payment (never below
// a zero balance). Stops in the month the balance is paid and returns that month.
int runMonths(LoanEngine& loan, LoanView& view, int first, const mpq_class& rate, const mpz_class& payment)
{
    int const lastMonth = loan.record.term * 12;
    ScheduleGrid& grid = view.grid();
    ScheduleTable& table = loan.table;
    mpz_class balance = moneyCents(table.cell(first - 1, colBalance));
    int month = first - 1;
    do {
        ++month;
        std::string const& extraText = table.cell(month, colExtra);
        mpz_class const extra = extraPaymentCents(extraText);
        mpz_class const interest = interestCents(balance, rate);
        mpz_class principal = payment - interest;
        if (month == lastMonth || principal >= balance)
            principal = balance;
        balance -= principal;
        balance = extra >= balance ? mpz_class(0) : mpz_class(balance - extra);

        std::string const interestText = centsText(interest);
        std::string const principalText = centsText(principal);
        std::string const balanceText = centsText(balance);
        grid.setCellText(colInterest, month, interestText);
        grid.setCellText(colPrincipal, month, principalText);
        grid.setCellText(colExtra, month, extraText);
        grid.setCellText(colBalance, month, balanceText);
        table.setCell(month, colInterest, interestText);
        table.setCell(month, colPrincipal, principalText);
        table.setCell(month, colBalance, balanceText);
    } while (balance > 0 && month != lastMonth);
    return month;
}

void setTotalsMirror(LoanEngine& loan)
{
    // Plain conversions of exact texts: nothing computes with them.
    clearFloatFaults();
    BankFigures const& bank = loan.bank;
    loan.totals.monthlyPayment = storeDouble(parseNumber(bank.monthlyPayment));
    loan.totals.totalInterest = storeDouble(parseNumber(bank.totalInterest));
    loan.totals.totalPayment = storeDouble(parseNumber(bank.totalPayment));
    loan.totals.baselineInterest = storeDouble(parseNumber(bank.baselineInterest));
    loan.totals.baselinePayment = storeDouble(parseNumber(bank.baselinePayment));
    loan.totals.interestSaved = storeDouble(parseNumber(bank.interestSaved));
}

// Rows after the paid month are zeroed as a re-amortization zeroes them; the totals
// follow the interest column, so the total payment is the amount plus that interest.
void finishSchedule(LoanEngine& loan, LoanView& view, int month)
{
    view.grid().setRowCount(month + 1);
    int const lastMonth = loan.record.term * 12;
    for (int j = month + 1; j <= lastMonth; ++j) {
        for (int col : {colInterest, colPrincipal, colExtra, colBalance})
            loan.table.setCell(j, col, "0");
    }
    loan.totals.scheduleMonths = month;

    mpz_class interest = 0;
    for (int k = 1; k <= month; ++k)
        interest += moneyCents(loan.table.cell(k, colInterest));
    BankFigures& bank = loan.bank;
    bank.totalInterest = centsText(interest);
    bank.totalPayment = centsText(moneyCents(bank.amount) + interest);
    bank.interestSaved = centsText(moneyCents(bank.baselineInterest) - interest);
    setTotalsMirror(loan);

    view.setResultLabel(ResultLabel::TotalInterest, bank.totalInterest);
    view.setResultLabel(ResultLabel::TotalPayment, bank.totalPayment);
    view.setResultLabel(ResultLabel::InterestSaved, bank.interestSaved);
}

} // namespace

const char* roundingFileLine(RoundingModel model) { return model == RoundingModel::Bank ? bankLine : nullptr; }

RoundingModel roundingFromFileLine(const std::string& line)
{
    if (line == bankLine)
        return RoundingModel::Bank;
    if (line.starts_with("rounding=") && line != "rounding=classic")
        throw EConvertError(formatMessage("'%s' is not a valid rounding model", echoedInput(line)));
    return RoundingModel::Classic;
}

const char* roundingName(RoundingModel model) { return model == RoundingModel::Bank ? "Bank" : "Classic"; }

const char* roundingKeyword(RoundingModel model) { return model == RoundingModel::Bank ? "bank" : "classic"; }

std::optional<RoundingModel> roundingFromKeyword(const std::string& keyword)
{
    if (keyword == "bank")
        return RoundingModel::Bank;
    if (keyword == "classic")
        return RoundingModel::Classic;
    return std::nullopt;
}

void checkBankExtraPayment(const std::string& text) { extraPaymentCents(text); }

CalculateOutcome LoanEngine::calculateBank(const CalculateInput& input, LoanView& view)
{
    clearFloatFaults();
    int32_t const term = parseInteger(input.termText);
    parseNumber(input.amountText);
    ParsedRate const parsed = parseRate(input.rateText);
    if (parsed.errorPosition != 0) {
        view.showMessage(rateErrorMessage(input.rateText, parsed.errorPosition), "error");
        return CalculateOutcome::RateError;
    }

    // As in the classic model the inputs reach the record before they are checked;
    // the money itself changes only with a schedule that was computed.
    record.term = term;
    record.loanDate = dateToStr(input.loanDate);
    record.rateText = input.rateText;
    DateParts const loanDate = decodeDate(input.loanDate);
    if (term <= 0 || term > maxTermYears) {
        view.showMessage("Data Error!", "Info");
        return CalculateOutcome::DataError;
    }
    Decimal const typed = readDecimal(input.amountText, regionalSettings().decimalSeparator);
    std::string const amountEcho = echoedInput(input.amountText);
    if (typed.zero() || typed.negative || (typed.integerDigits() <= maxAmountDigits && toCents(typed) <= 0)) {
        view.showMessage(formatMessage("Amount '%s' is refused: a loan amount must be above 0", amountEcho), "Info");
        return CalculateOutcome::DataError;
    }
    if (typed.integerDigits() > maxAmountDigits || toCents(typed) > mpz_class(maxAmountText) * 100) {
        view.showMessage(
            formatMessage("Amount '%s' is refused: a loan amount may be at most ", amountEcho) + maxAmountText, "Info");
        return CalculateOutcome::DataError;
    }
    ExactRate const rate = exactRate(input.rateText);
    if (!rate.refusal.empty()) {
        view.showMessage(rate.refusal, "Info");
        return CalculateOutcome::DataError;
    }

    int const months = term * 12;
    mpz_class const amount = toCents(typed);
    mpz_class const payment = paymentCents(amount, rate.monthly, months);
    record.rounding = RoundingModel::Bank;
    bank.amount = centsText(amount);
    bank.monthlyRate = significantText(rate.monthly);
    bank.monthlyPayment = centsText(payment);
    bank.baselineInterest = bank.baselinePayment = "0"; // replaced below, once the interest is known
    clearFloatFaults();
    record.amount = storeSingle(parseNumber(bank.amount));
    record.monthlyRate = storeSingle(parseNumber(bank.monthlyRate));
    working.rate = record.monthlyRate;
    working.payment = storeDouble(parseNumber(bank.monthlyPayment));

    table.resize(months + 1);
    ScheduleGrid& grid = view.grid();
    grid.setRowCount(months + 1);
    table.setCell(0, colBalance, bank.amount);
    DateParts paymentMonth = loanDate;
    for (int i = 1; i <= months; ++i) {
        writeMonthNumberAndDate(grid, i, paymentMonth);
        table.setCell(i, colExtra, "0");
    }

    finishSchedule(*this, view, runMonths(*this, view, 1, rate.monthly, payment));
    bank.baselineInterest = bank.totalInterest;
    bank.baselinePayment = bank.totalPayment;
    bank.interestSaved = "0";
    setTotalsMirror(*this);
    view.setResultLabel(ResultLabel::MonthlyPayment, bank.monthlyPayment);
    view.setResultLabel(ResultLabel::InterestSaved, bank.interestSaved);
    view.redrawChart();
    return CalculateOutcome::Done;
}

void LoanEngine::reamortizeBank(int first, LoanView& view)
{
    ExactRate const rate = exactRate(record.rateText);
    if (!rate.refusal.empty())
        throw EConvertError(rate.refusal);
    mpz_class const payment = moneyCents(bank.monthlyPayment);
    finishSchedule(*this, view, runMonths(*this, view, first, rate.monthly, payment));
}

} // namespace qv

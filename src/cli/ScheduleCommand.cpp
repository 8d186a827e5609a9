#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "loan/BankRounding.h"
#include "loan/LoanFile.h"
#include "runtime/core/DateTime.h"
#include "runtime/core/Exception.h"
#include "runtime/core/Format.h"
#include "runtime/core/Numbers.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <optional>

namespace qv::cli {
namespace {

struct ExtraEdit {
    int month = 0;
    std::string text;
    std::string argument; // as given, for errors
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Scanned by hand: an option's text has no length limit, and a backtracking matcher
// recurses once per character.
ExtraEdit parseExtra(const std::string& option, const std::string& argument)
{
    constexpr std::size_t maxMonthDigits = 9;
    std::size_t const equals = argument.find('=');
    bool const wellFormed = equals != std::string::npos && equals >= 1 && equals <= maxMonthDigits
        && std::all_of(argument.begin(), argument.begin() + static_cast<std::ptrdiff_t>(equals), isDigit);
    if (!wellFormed)
        throw UsageError(option + " takes MONTH=TEXT, not '" + echoedInput(argument) + "'");
    return {std::stoi(argument.substr(0, equals)), argument.substr(equals + 1), argument};
}

// YYYY-MM-DD, digits only.
TDateTime parseIsoDate(const std::string& text)
{
    auto refused = [&] { return EConvertError(formatMessage("'%s' is not a valid date", echoedInput(text))); };
    bool const shaped = text.size() == 10 && text[4] == '-' && text[7] == '-'
        && std::all_of(text.begin(), text.begin() + 4, isDigit) && std::all_of(text.begin() + 5, text.begin() + 7, isDigit)
        && std::all_of(text.begin() + 8, text.end(), isDigit);
    if (!shaped)
        throw refused();
    int const year = std::stoi(text.substr(0, 4));
    int const month = std::stoi(text.substr(5, 2));
    int const day = std::stoi(text.substr(8, 2));
    if (!isValidDate(year, month, day))
        throw refused();
    return encodeDate(year, month, day);
}

// The option whose text Calculate refused: it converts term, amount and rate in this
// order, and the amount overflows only beyond the single-precision range.
std::string refusedOption(const CalculateInput& input)
{
    auto refuses = [](const std::function<void()>& convert) {
        try {
            convert();
        } catch (const Exception&) {
            return true;
        }
        return false;
    };
    if (refuses([&] { parseInteger(input.termText); }))
        return optionText("--term", input.termText);
    if (refuses([&] {
            if (std::fabs(parseNumber(input.amountText)) > std::numeric_limits<float>::max())
                throw EOverflow();
        }))
        return optionText("--amount", input.amountText);
    // A fault that stays with an amount of 1 comes from the rate; one that goes away
    // comes from an amount too large for the schedule's figures.
    if (refuses([&] {
            CalculateInput withSmallAmount = input;
            withSmallAmount.amountText = "1";
            LoanEngine scratch;
            MemoryLoanView scratchView;
            scratch.calculate(withSmallAmount, scratchView);
        }))
        return optionText("--rate", input.rateText);
    return optionText("--amount", input.amountText);
}

// The input a refused Calculate ("Data Error!") is about: the term, the amount, or a
// rate that rounds to nothing, checked in that order.
std::string dataErrorOption(const CalculateInput& input, const LoanEngine& engine)
{
    int32_t const term = engine.record.term;
    if (term <= 0 || term > LoanEngine::maxTermYears)
        return optionText("--term", input.termText);
    if (engine.record.amount == 0.0f)
        return optionText("--amount", input.amountText);
    return optionText("--rate", input.rateText);
}

CalculateOutcome calculate(LoanEngine& engine, MemoryLoanView& view, const CalculateInput& input)
{
    try {
        return engine.calculate(input, view);
    } catch (const Exception& error) {
        throw Exception(concerning(refusedOption(input), error.message()));
    }
}

// Select the month's Extra Payment cell, put the text in it, press Enter (which
// moves to the Balance column and so commits the edit). The text lands as given,
// like the amount and rate texts: the window's key filter is not in play here.
void checkShown(int month, int lastShown)
{
    if (month < 1 || month > lastShown)
        throw Exception("Month " + std::to_string(month) + " is not shown in the schedule (it shows months 1 to "
            + std::to_string(lastShown) + ")");
}

void typeExtraPaymentText(LoanEngine& engine, MemoryLoanView& view, const ExtraEdit& edit)
{
    checkShown(edit.month, view.grid().rowCount() - 1);
    engine.selectCell(LoanEngine::extraColumn, edit.month, view);
    view.grid().setCellText(LoanEngine::extraColumn, edit.month, edit.text);
    engine.selectCell(LoanEngine::extraColumn + 1, edit.month, view);
}

void typeExtraPayment(LoanEngine& engine, MemoryLoanView& view, const ExtraEdit& edit)
{
    try {
        typeExtraPaymentText(engine, view, edit);
    } catch (const Exception& error) {
        throw Exception(concerning(optionText("--extra", edit.argument), error.message()));
    }
}

enum class Reach { OneMonth, ToTheEnd };

struct NamedEdit {
    const char* option;
    Reach reach;
    ExtraEdit edit;
};

// Runs a check on one option's month and text; its error names the option.
template <class Check> void checkEdit(const NamedEdit& n, Check check)
{
    try {
        check();
    } catch (const Exception& error) {
        throw Exception(concerning(optionText(n.option, n.edit.argument), error.message()));
    }
}

// --extra-every repeats its amount from its month to the end of the term, a later one
// replacing the amounts from its month on; --extra overrides its one month. The months
// are then set as one re-amortization, the same as typing them one by one in month
// order; a month named that the schedule no longer shows is refused as typing it would be.
void setRecurringExtras(LoanEngine& engine, MemoryLoanView& view, const std::vector<ExtraEdit>& every,
                        const std::vector<ExtraEdit>& single)
{
    std::vector<NamedEdit> named;
    for (ExtraEdit const& edit : every)
        named.push_back({"--extra-every", Reach::ToTheEnd, edit});
    for (ExtraEdit const& edit : single)
        named.push_back({"--extra", Reach::OneMonth, edit});
    int const lastMonth = engine.record.term * 12;
    std::map<int, std::string> extras;
    for (NamedEdit const& n : named) {
        checkEdit(n, [&] {
            if (n.edit.month < 1 || n.edit.month > lastMonth)
                throw Exception("Month " + std::to_string(n.edit.month) + " is outside the loan term of "
                    + std::to_string(lastMonth) + " months");
            engine.checkExtraPaymentText(n.edit.text);
        });
        int const to = n.reach == Reach::OneMonth ? n.edit.month : lastMonth;
        for (int month = n.edit.month; month <= to; ++month)
            extras[month] = n.edit.text;
    }
    engine.applyExtraPayments(extras, view);
    for (NamedEdit const& n : named)
        checkEdit(n, [&] { checkShown(n.edit.month, engine.totals.scheduleMonths); });
}

} // namespace

int runSchedule(const std::vector<std::string>& args)
{
    Options const options(args, {"--amount", "--rate", "--term", "--date", "--extra", "--extra-every", "--rounding", "-o"});
    if (!options.positional().empty())
        throw UsageError("unexpected argument " + options.positional().front());
    std::vector<ExtraEdit> edits;
    for (std::string const& extra : options.values("--extra"))
        edits.push_back(parseExtra("--extra", extra));
    std::vector<ExtraEdit> everyEdits;
    for (std::string const& extra : options.values("--extra-every"))
        everyEdits.push_back(parseExtra("--extra-every", extra));

    CalculateInput input;
    input.termText = options.value("--term");
    input.amountText = options.value("--amount");
    input.rateText = options.value("--rate");
    if (options.has("--rounding")) {
        std::string const rounding = options.value("--rounding");
        std::optional<RoundingModel> const model = roundingFromKeyword(rounding);
        if (!model)
            throw UsageError("--rounding takes classic or bank, not '" + rounding + "'");
        input.rounding = *model;
    }
    std::string const date = options.value("--date");
    try {
        input.loanDate = parseIsoDate(date);
    } catch (const Exception& error) {
        throw Exception(concerning(optionText("--date", date), error.message()));
    }
    std::string const output = options.has("-o") ? options.value("-o") : std::string();

    LoanEngine engine;
    MemoryLoanView view;
    CalculateOutcome const outcome = calculate(engine, view, input);
    if (outcome == CalculateOutcome::RateError)
        throw Exception(concerning(optionText("--rate", input.rateText), view.message));
    if (outcome == CalculateOutcome::DataError)
        throw Exception(concerning(dataErrorOption(input, engine), view.message));
    if (outcome == CalculateOutcome::DateError)
        throw Exception(concerning(optionText("--date", date), view.message));
    if (outcome != CalculateOutcome::Done)
        throw Exception(view.message);
    if (everyEdits.empty()) {
        for (ExtraEdit const& edit : edits)
            typeExtraPayment(engine, view, edit);
    } else {
        setRecurringExtras(engine, view, everyEdits, edits);
    }
    writeOutput(output, loanFileText(engine));
    return 0;
}

} // namespace qv::cli

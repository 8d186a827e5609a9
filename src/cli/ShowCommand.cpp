#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/LoanText.h"

#include "loan/BankRounding.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <sstream>

namespace qv::cli {
namespace {

constexpr std::array<const char*, 6> headers = {
    "No", "Payment Date", "Interest Payment", "Principal Payment", "Extra Payment", "Balance"};

std::string loadedPath(const std::vector<std::string>& args, const char* command)
{
    Options const options(args, {});
    if (options.positional().size() != 1)
        throw UsageError(std::string(command) + " takes one loan file");
    return options.positional().front();
}

// Characters as a terminal shows them: UTF-8 continuation bytes take no column.
std::size_t columns(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(),
        [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// A cell longer than a column may be is cut, ending in "…", so one huge cell cannot
// widen every row of the table. Bytes are capped too: a run of stray UTF-8 continuation
// bytes takes no column but still has to be printed.
std::string fitted(const std::string& text)
{
    constexpr std::size_t maxBytes = 4 * showCellWidth;
    if (text.size() <= maxBytes && columns(text) <= showCellWidth)
        return text;
    std::size_t kept = 0;
    std::size_t end = 0;
    for (; end < text.size() && end + 3 < maxBytes; ++end) {
        bool const starts = (static_cast<unsigned char>(text[end]) & 0xC0) != 0x80;
        if (starts && kept++ == showCellWidth - 1)
            break;
    }
    return text.substr(0, end) + "\xE2\x80\xA6";
}

std::string padLeft(const std::string& text, std::size_t width)
{
    std::size_t const used = columns(text);
    return used >= width ? text : std::string(width - used, ' ') + text;
}

std::string padRight(const std::string& text, std::size_t width)
{
    std::size_t const used = columns(text);
    return used >= width ? text : text + std::string(width - used, ' ');
}

bool needsQuotes(const std::string& field)
{
    return field.find_first_of(",\"\r\n") != std::string::npos;
}

std::string csvField(const std::string& field)
{
    if (!needsQuotes(field))
        return field;
    std::string quoted = "\"";
    for (char c : field) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

} // namespace

std::string showText(const LoanEngine& engine, const MemoryLoanView& view)
{
    std::ostringstream out;
    std::array<std::pair<const char*, std::string>, 10> const summary = {{
        {"Amount", view.amountText},
        {"Rate", view.rateText},
        {"Term", view.termText},
        {"Loan date", engine.record.loanDate},
        {"Monthly payment", view.label(ResultLabel::MonthlyPayment)},
        {"Total interest", view.label(ResultLabel::TotalInterest)},
        {"Total payment", view.label(ResultLabel::TotalPayment)},
        {"Interest saved", view.label(ResultLabel::InterestSaved)},
        {"Months in use", std::to_string(engine.totals.scheduleMonths)},
        {"Rounding", roundingName(engine.record.rounding)},
    }};
    for (auto const& [name, value] : summary)
        out << padRight(name, 17) << value << '\n';
    out << '\n';

    ScheduleGrid const& grid = view.memoryGrid();
    int const rows = grid.rowCount();
    std::array<std::size_t, 6> widths{};
    for (std::size_t col = 0; col < headers.size(); ++col) {
        widths[col] = std::string(headers[col]).size();
        for (int row = 1; row < rows; ++row)
            widths[col] = std::max(widths[col], columns(fitted(grid.cellText(static_cast<int>(col), row))));
    }
    for (std::size_t col = 0; col < headers.size(); ++col)
        out << (col ? "  " : "") << (col == 1 ? padRight(headers[col], widths[col]) : padLeft(headers[col], widths[col]));
    out << '\n';
    for (int row = 1; row < rows; ++row) {
        for (std::size_t col = 0; col < headers.size(); ++col) {
            std::string const text = fitted(grid.cellText(static_cast<int>(col), row));
            out << (col ? "  " : "") << (col == 1 ? padRight(text, widths[col]) : padLeft(text, widths[col]));
        }
        out << '\n';
    }
    return out.str();
}

std::string csvText(const MemoryLoanView& view, RoundingModel rounding)
{
    bool const bank = rounding == RoundingModel::Bank;
    std::string out;
    for (std::size_t col = 0; col < headers.size(); ++col)
        out += (col ? "," : "") + csvField(headers[col]);
    out += bank ? ",Rounding\r\n" : "\r\n";
    ScheduleGrid const& grid = view.memoryGrid();
    for (int row = 1; row < grid.rowCount(); ++row) {
        for (int col = 0; col < static_cast<int>(headers.size()); ++col)
            out += (col ? "," : "") + csvField(grid.cellText(col, row));
        if (bank)
            out += std::string(",") + roundingKeyword(rounding);
        out += "\r\n";
    }
    return out;
}

int runShow(const std::vector<std::string>& args)
{
    std::string const path = loadedPath(args, "show");
    LoanEngine engine;
    MemoryLoanView view;
    loadLoan(path, engine, view);
    writeOutput("", showText(engine, view));
    return 0;
}

int runCsv(const std::vector<std::string>& args)
{
    std::string const path = loadedPath(args, "csv");
    LoanEngine engine;
    MemoryLoanView view;
    loadLoan(path, engine, view);
    writeOutput("", csvText(view, engine.record.rounding));
    return 0;
}

} // namespace qv::cli

#include "cli/CliSupport.h"
#include "cli/Commands.h"

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

std::string padLeft(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string padRight(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
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

int runShow(const std::vector<std::string>& args)
{
    std::string const path = loadedPath(args, "show");
    LoanEngine engine;
    MemoryLoanView view;
    loadLoan(path, engine, view);

    std::ostringstream out;
    std::array<std::pair<const char*, std::string>, 9> const summary = {{
        {"Amount", view.amountText},
        {"Rate", view.rateText},
        {"Term", view.termText},
        {"Loan date", engine.record.loanDate},
        {"Monthly payment", view.label(ResultLabel::MonthlyPayment)},
        {"Total interest", view.label(ResultLabel::TotalInterest)},
        {"Total payment", view.label(ResultLabel::TotalPayment)},
        {"Interest saved", view.label(ResultLabel::InterestSaved)},
        {"Months in use", std::to_string(engine.totals.scheduleMonths)},
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
            widths[col] = std::max(widths[col], grid.cellText(static_cast<int>(col), row).size());
    }
    for (std::size_t col = 0; col < headers.size(); ++col)
        out << (col ? "  " : "") << (col == 1 ? padRight(headers[col], widths[col]) : padLeft(headers[col], widths[col]));
    out << '\n';
    for (int row = 1; row < rows; ++row) {
        for (std::size_t col = 0; col < headers.size(); ++col) {
            std::string const text = grid.cellText(static_cast<int>(col), row);
            out << (col ? "  " : "") << (col == 1 ? padRight(text, widths[col]) : padLeft(text, widths[col]));
        }
        out << '\n';
    }
    writeOutput("", out.str());
    return 0;
}

int runCsv(const std::vector<std::string>& args)
{
    std::string const path = loadedPath(args, "csv");
    LoanEngine engine;
    MemoryLoanView view;
    loadLoan(path, engine, view);

    std::string out;
    for (std::size_t col = 0; col < headers.size(); ++col)
        out += (col ? "," : "") + csvField(headers[col]);
    out += "\r\n";
    ScheduleGrid const& grid = view.memoryGrid();
    for (int row = 1; row < grid.rowCount(); ++row) {
        for (int col = 0; col < static_cast<int>(headers.size()); ++col)
            out += (col ? "," : "") + csvField(grid.cellText(col, row));
        out += "\r\n";
    }
    writeOutput("", out);
    return 0;
}

} // namespace qv::cli

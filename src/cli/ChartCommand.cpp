#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "runtime/core/Exception.h"
#include "runtime/graphics/Bitmap.h"
#include "views/chart/ChartPage.h"

#include <string>

namespace qv::cli {
namespace {

constexpr int maxSide = 10000;

// Open redraws the chart through the view, as the main window does.
class ChartView : public MemoryLoanView {
public:
    ChartView(ChartPage& page, LoanEngine& engine) : m_page(page), m_engine(engine) {}
    void redrawChart() override { m_page.redraw(m_engine.table, m_engine.totals.scheduleMonths); }

private:
    ChartPage& m_page;
    LoanEngine& m_engine;
};

int parseSide(const std::string& text, const std::string& whole)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError("--size wants WIDTHxHEIGHT, not '" + whole + "'");
    int value = std::stoi(text);
    if (value < 1 || value > maxSide)
        throw UsageError("--size sides must lie between 1 and " + std::to_string(maxSide));
    return value;
}

std::pair<int, int> parseSize(const std::string& text)
{
    std::string::size_type x = text.find_first_of("xX");
    if (x == std::string::npos)
        throw UsageError("--size wants WIDTHxHEIGHT, not '" + text + "'");
    return {parseSide(text.substr(0, x), text), parseSide(text.substr(x + 1), text)};
}

} // namespace

int runChart(const std::vector<std::string>& args)
{
    Options const options(args, {"-o", "--size"});
    if (options.positional().size() != 1)
        throw UsageError("chart takes one loan file");
    std::string const output = options.value("-o");
    auto const [width, height] = options.has("--size") ? parseSize(options.value("--size"))
                                                       : std::make_pair(ChartPage::chartWidth, ChartPage::chartHeight);

    ChartPage page;
    LoanEngine engine;
    ChartView view(page, engine);
    loadLoan(options.positional().front(), engine, view);

    TChart& chart = page.chartAmo();
    chart.SetSize(width, height);
    Bitmap window(width, height);
    chart.Paint(window.canvas());
    try {
        window.saveToPng(output);
    } catch (const Exception& error) {
        throw Exception(concerning(output, error.message()));
    }
    return 0;
}

} // namespace qv::cli

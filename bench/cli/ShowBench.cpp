// The show table of a 30-year loan whose first interest cell holds N characters: the
// table's size and time should not grow with the cell (every row was once padded to it).
#include "cli/LoanText.h"
#include "runtime/core/DateTime.h"
#include "runtime/core/RegionalSettings.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_ShowWithOneHugeCell(benchmark::State& state)
{
    qv::setRegionalSettings(qv::RegionalSettings::posix());
    qv::LoanEngine engine;
    qv::MemoryLoanView view;
    engine.calculate({"30", "200000", "5", qv::encodeDate(2024, 3, 15)}, view);
    view.grid().setCellText(2, 1, std::string(static_cast<std::size_t>(state.range(0)), '9'));
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string const text = qv::cli::showText(engine, view);
        bytes = text.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["output_bytes"] = double(bytes);
}
BENCHMARK(BM_ShowWithOneHugeCell)->Arg(10)->Arg(100'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

} // namespace

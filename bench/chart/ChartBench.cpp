#include "runtime/graphics/Bitmap.h"
#include "views/chart/ChartPage.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace qv;

// The main window's chart with two 359-point series shaped like a 30-year loan.
void fill(ChartPage& page)
{
    for (int i = 1; i <= 359; ++i) {
        double interest = 834.0 * (1.0 - std::pow(i / 360.0, 1.6));
        page.Series1().AddPoint(i, interest);
        page.Series2().AddPoint(i, 1074.13 - interest);
    }
}

void BM_ChartFullPaint(benchmark::State& state)
{
    ChartPage page;
    fill(page);
    Bitmap window(ChartPage::chartWidth, ChartPage::chartHeight);
    for (auto _ : state) {
        page.chartAmo().RequestRedraw();
        page.chartAmo().Paint(window.canvas());
        benchmark::DoNotOptimize(window.pixel(100, 100));
    }
}
BENCHMARK(BM_ChartFullPaint)->Unit(benchmark::kMicrosecond);

void BM_ChartCleanRepaint(benchmark::State& state)
{
    ChartPage page;
    fill(page);
    Bitmap window(ChartPage::chartWidth, ChartPage::chartHeight);
    page.chartAmo().Paint(window.canvas());
    int draws = page.chartAmo().drawCount();
    for (auto _ : state) {
        page.chartAmo().Paint(window.canvas());
        benchmark::DoNotOptimize(window.pixel(100, 100));
    }
    if (page.chartAmo().drawCount() != draws)
        state.SkipWithError("a clean repaint drew the chart");
}
BENCHMARK(BM_ChartCleanRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

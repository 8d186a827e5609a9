// One paint of the grid's scroll bar: the off-screen picture a repaint composes.

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Form.h"
#include "skin/model/SkinData.h"
#include "skin/scrollbar/SkinScrollBar.h"

#include "support/OwnSkin.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace qv;

TApplication& app()
{
    // Runs without a display, as CI does.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char arg0[] = "bench_skin_scrollbar";
    static char* argv[] = {arg0, nullptr};
    static TApplication* application = new TApplication(argc, argv);
    return *application;
}

using bench::ownSkin;

// The bar as the schedule has it: 177 high beside the grid, range 0..127.
void paintBar(benchmark::State& state, TbsSkinData* skin, int pageSize)
{
    app();
    TForm form;
    TbsSkinScrollBar bar(&form);
    bar.setKind(TScrollBarKind::Vertical);
    bar.setBounds(0, 0, 19, 177);
    bar.setSkinData(skin);
    bar.setRange(0, 127, pageSize, 40);
    Bitmap target(bar.width(), bar.height());
    for (auto _ : state) {
        bar.paintTo(target.canvas());
        benchmark::ClobberMemory();
    }
    state.counters["skinned"] = bar.skinned();
    state.counters["width"] = bar.width();
}

void BM_PaintSkinnedScrollBar(benchmark::State& state) { paintBar(state, &ownSkin(), 0); }
BENCHMARK(BM_PaintSkinnedScrollBar)->Unit(benchmark::kMicrosecond);

// A page-sized thumb is fitted between its fixed ends on every paint.
void BM_PaintSkinnedScrollBarPageThumb(benchmark::State& state) { paintBar(state, &ownSkin(), 32); }
BENCHMARK(BM_PaintSkinnedScrollBarPageThumb)->Unit(benchmark::kMicrosecond);

// The plain look, for comparison.
void BM_PaintDefaultScrollBar(benchmark::State& state) { paintBar(state, nullptr, 0); }
BENCHMARK(BM_PaintDefaultScrollBar)->Unit(benchmark::kMicrosecond);

} // namespace

// What opening a menu level costs: building the level (items, sizes, placement)
// and its first paint from the skin, off screen.

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Form.h"
#include "skin/popupmenu/SkinFormMenus.h"

#include "support/OwnSkin.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace qv;

using bench::ownSkin;

// The main window's File menu.
TMenuItem& fileMenu()
{
    static TMenuItem* file = [] {
        auto* f = new TMenuItem("File1", "&File");
        f->add("mnuNew", "&New");
        f->add("mnuOpen", "&Open");
        f->add("mnuSave", "&Save");
        f->add("N1", "-");
        f->add("mnuExit", "E&xit");
        return f;
    }();
    return *file;
}

void openLevel(benchmark::State& state, TbsSkinData* model)
{
    TForm form;
    TbsSkinFormMenus menus(form);
    Bitmap canvas;
    for (auto _ : state) {
        menus.engine().popup(nullptr, model, false, fileMenu(), TRect{100, 100, 140, 118});
        TbsSkinPopupWindow& level = menus.engine().level(0);
        canvas.setSize(level.width(), level.height());
        level.paintTo(canvas.canvas());
        benchmark::DoNotOptimize(canvas.pixel(3, 3));
        menus.engine().closeAll();
        // Frees the closed level's native window, as the message loop would.
        TApplication::instance().processMessages();
    }
}

void BM_OpenSkinnedFileLevel(benchmark::State& state) { openLevel(state, &ownSkin()); }
BENCHMARK(BM_OpenSkinnedFileLevel)->Unit(benchmark::kMicrosecond);

void BM_OpenPlainFileLevel(benchmark::State& state)
{
    static TbsSkinData empty;
    openLevel(state, &empty);
}
BENCHMARK(BM_OpenPlainFileLevel)->Unit(benchmark::kMicrosecond);

// One repaint of an open level, as every hover step of its fade does.
void BM_PaintSkinnedFileLevel(benchmark::State& state)
{
    TForm form;
    TbsSkinFormMenus menus(form);
    menus.engine().popup(nullptr, &ownSkin(), false, fileMenu(), TRect{100, 100, 140, 118});
    TbsSkinPopupWindow& level = menus.engine().level(0);
    Bitmap canvas(level.width(), level.height());
    for (auto _ : state) {
        level.paintTo(canvas.canvas());
        benchmark::DoNotOptimize(canvas.pixel(3, 3));
    }
    menus.engine().closeAll();
}
BENCHMARK(BM_PaintSkinnedFileLevel)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int qtArgc = 1;
    static char* qtArgv[] = {argv[0], nullptr};
    static TApplication* application = new TApplication(qtArgc, qtArgv);
    (void)application;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The main window's frame: a whole repaint, and one step of a caption button's hover fade.

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/Timer.h"
#include "skin/frame/SkinForm.h"
#include "skin/store/CompressedStoredSkin.h"

#include "skin/quorvane/QuorvaneSkin.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

using namespace qv;

struct MainWindowFrame {
    MainWindowFrame()
    {
        store.FileName = "SKIN.INI";
        store.setCompressedData(std::string(quorvaneCompressedSkin()));
        model.setCompressedStoredSkin(&store);
        frame.setSkinData(&model);
        form.setCaption("Quorvane");
        form.setClientSize(714, 460);
        form.showAndRaise();
        TApplication::instance().processMessages();
    }
    TbsCompressedStoredSkin store;
    TbsSkinData model;
    TForm form;
    TbsSkinForm frame{form};
};

MainWindowFrame& window()
{
    static int argc = 1;
    static char arg0[] = "/tmp/quorvane-frame-bench/quorvane";
    static char* argv[] = {arg0, nullptr};
    static TApplication* application = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new TApplication(argc, argv);
    }();
    (void)application;
    static MainWindowFrame* w = new MainWindowFrame;
    return *w;
}

// Composing the four strips with the caption and its buttons, onto a window-sized bitmap.
void BM_MainWindowFramePaint(benchmark::State& state)
{
    MainWindowFrame& w = window();
    Bitmap target(w.form.width(), w.form.height());
    for (auto _ : state) {
        w.frame.paintFrame(target.canvas());
        benchmark::DoNotOptimize(target.pixel(10, 10));
    }
}
BENCHMARK(BM_MainWindowFramePaint)->Unit(benchmark::kMillisecond);

// The same through the window: the whole frame repainted on the screen now.
void BM_MainWindowFrameRepaint(benchmark::State& state)
{
    MainWindowFrame& w = window();
    TRect const all{0, 0, w.form.width(), w.form.height()};
    for (auto _ : state)
        w.form.repaintFrame(all);
}
BENCHMARK(BM_MainWindowFrameRepaint)->Unit(benchmark::kMillisecond);

// One 20 ms tick of the close button fading in or out, redrawn on the window.
void BM_HoverMorphStep(benchmark::State& state)
{
    MainWindowFrame& w = window();
    TManualTimerClock clock;
    TbsSkinStdButtonObject* close = w.frame.findButton(cmClose);
    TRect const r = close->objectRect();
    for (auto _ : state) {
        state.PauseTiming();
        if (close->morphFactor() >= 1)
            sendMouseMove(w.form, 200, 200);
        else if (close->morphFactor() <= 0)
            sendMouseMove(w.form, r.left + 5, r.top + 5);
        state.ResumeTiming();
        clock.advance(20);
    }
}
BENCHMARK(BM_HoverMorphStep)->Unit(benchmark::kMicrosecond);

} // namespace

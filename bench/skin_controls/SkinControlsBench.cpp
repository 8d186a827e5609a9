// Paint costs of the skinned controls in the main window as the program builds
// it, after a 30-year loan has been calculated:
// - a full repaint of the window's client area with every control on it;
// - one 20 ms morph step of a hovered button, its repaint included;
// - the schedule grid repainted after a one-row scroll against a full repaint
//   of it, measured alternately in one run so both see the same machine load.
// Every repaint goes through the platform's paint cycle, as on screen. Medians:
//   build/bin/bench_skin_controls --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

#include "app/main/MainForm.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Dialogs.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/Timer.h"
#include "runtime/ui/UiServices.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace qv;
using Clock = std::chrono::steady_clock;

// A folder of its own to run from: the window reads and writes its files beside the executable.
std::string& exeFolder()
{
    static std::string folder;
    return folder;
}

// Texts of the message boxes the window showed.
std::vector<std::string>& messageBoxes()
{
    static std::vector<std::string> texts;
    return texts;
}

// The desktop, with message boxes recorded instead of shown.
UiServices recordingBoxes()
{
    UiServices services = desktopUiServices();
    services.messageBox = [](const MessageBoxCall& call) {
        messageBoxes().push_back(call.text);
        return int(IDOK);
    };
    return services;
}

TApplication& app()
{
    static std::string program = exeFolder() + "/quorvane";
    static int argc = 1;
    static char* argv[] = {program.data(), nullptr};
    static TApplication* application = new TApplication(argc, argv, recordingBoxes());
    return *application;
}

// The main window, shown, with the schedule of a 30-year loan in its grid.
TfrmMain& mainWindow()
{
    static TfrmMain* form = [] {
        app();
        auto* f = new TfrmMain({}, recordingBoxes());
        TApplication::guard([&] { f->doCreate(); });
        f->showAndRaise();
        app().processMessages();
        // A first start finds no remembered loan and says so; that one is expected.
        messageBoxes().clear();
        f->txtAmount.setText("200000");
        f->txtRate.setText("6.5");
        f->txtTerm.setText("30");
        sendClick(f->btnCal, 5, 5);
        app().processMessages();
        return f;
    }();
    return *form;
}

// Counts the cells the grid paints, to show what each repaint really drew.
struct CellCounter {
    explicit CellCounter(TbsSkinStringGrid& grid) : grid(grid), window(grid.onDrawCell)
    {
        grid.onDrawCell = [this](TbsSkinDrawGrid& sender, int col, int row, const TRect& rect, TGridDrawState state) {
            ++cells;
            if (window)
                window(sender, col, row, rect, state);
        };
    }
    ~CellCounter() { grid.onDrawCell = window; }
    TbsSkinStringGrid& grid;
    // The window's own handler still runs.
    decltype(TbsSkinStringGrid::onDrawCell) window;
    long cells = 0;
};

bool windowReady(benchmark::State& state, TfrmMain& form)
{
    if (!messageBoxes().empty()) {
        static std::string error;
        error = "calculating the loan showed a message box: " + messageBoxes().front();
        state.SkipWithError(error.c_str());
        return false;
    }
    if (form.schedule.gridPayment.RowCount() < 300) {
        state.SkipWithError("the schedule was not calculated");
        return false;
    }
    return true;
}

// Marks the control and everything on it for repainting: the platform repaints
// a control only when it is marked itself, not when its parent is.
void invalidateAll(TControl& control)
{
    control.invalidate();
    if (auto* parent = dynamic_cast<TWinControl*>(&control))
        for (TControl* child : parent->controls())
            invalidateAll(*child);
}

void BM_MainWindowFullRepaint(benchmark::State& state)
{
    TfrmMain& form = mainWindow();
    if (!windowReady(state, form))
        return;
    CellCounter counter(form.schedule.gridPayment);
    for (auto _ : state) {
        invalidateAll(form);
        app().processMessages();
    }
    // Every control of the client area paints, the grid's visible cells among them.
    state.counters["grid_cells"] = benchmark::Counter(double(counter.cells), benchmark::Counter::kAvgIterations);
    state.counters["width"] = form.width();
    state.counters["height"] = form.height();
}
BENCHMARK(BM_MainWindowFullRepaint)->Unit(benchmark::kMillisecond);

void BM_ButtonMorphStep(benchmark::State& state)
{
    TfrmMain& form = mainWindow();
    if (!windowReady(state, form))
        return;
    TbsSkinButton& button = form.btnCal;
    // A focused button shows its active image already; hovering it would not morph.
    form.txtAmount.setFocus();
    app().processMessages();
    TManualTimerClock clock;
    sendMouseEnter(button);
    if (!button.morphing()) {
        state.SkipWithError("the Calculate button does not morph with this skin");
        return;
    }
    long steps = 0;
    for (auto _ : state) {
        if (!button.morphing()) {
            // Blended all the way: hover the other way and morph back.
            state.PauseTiming();
            if (button.highlighted())
                sendMouseLeave(button);
            else
                sendMouseEnter(button);
            state.ResumeTiming();
        }
        clock.advance(20);
        app().processMessages();
        ++steps;
    }
    sendMouseLeave(button);
    clock.advance(200);
    app().processMessages();
    state.counters["steps"] = double(steps);
}
BENCHMARK(BM_ButtonMorphStep)->Unit(benchmark::kMicrosecond);

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Each iteration: the whole grid repainted, then one row scrolled (down and up
// in turn) with only what that uncovers repainted. Counters hold the medians in
// microseconds, their ratio and the cells each kind of repaint drew.
void BM_GridScrollAgainstFullRepaint(benchmark::State& state)
{
    TfrmMain& form = mainWindow();
    if (!windowReady(state, form))
        return;
    TbsSkinStringGrid& grid = form.schedule.gridPayment;
    CellCounter counter(grid);
    int const top = grid.TopRow();
    std::vector<double> full, scroll;
    long fullCells = 0, scrollCells = 0;
    bool down = true;
    for (auto _ : state) {
        long before = counter.cells;
        auto t0 = Clock::now();
        grid.invalidate();
        app().processMessages();
        auto t1 = Clock::now();
        fullCells += counter.cells - before;
        before = counter.cells;
        grid.setTopRow(down ? top + 1 : top);
        app().processMessages();
        auto t2 = Clock::now();
        scrollCells += counter.cells - before;
        down = !down;
        full.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        scroll.push_back(std::chrono::duration<double, std::micro>(t2 - t1).count());
    }
    grid.setTopRow(top);
    app().processMessages();
    double const n = double(full.size());
    state.counters["full_us"] = median(full);
    state.counters["scroll_us"] = median(scroll);
    state.counters["ratio"] = median(full) > 0 ? median(scroll) / median(full) : 0;
    state.counters["full_cells"] = n > 0 ? fullCells / n : 0;
    state.counters["scroll_cells"] = n > 0 ? scrollCells / n : 0;
}
BENCHMARK(BM_GridScrollAgainstFullRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    char folder[] = "/tmp/quorvane-bench-XXXXXX";
    if (!mkdtemp(folder)) {
        std::perror("mkdtemp");
        return 1;
    }
    exeFolder() = folder;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    // The window and the application stay: Qt cannot be torn down during static destruction.
    std::fflush(nullptr);
    std::_Exit(0);
}

// The report preview: one Letter page of the 30-year report drawn at zoom 100 and at fit
// page (paging should feel instant: under 16 ms), and the time from OK in the output
// options to the first preview page for a 30-year loan. Runs on the off-screen platform
// unless QT_QPA_PLATFORM says otherwise.
#include "report/device/TRPPrinterDevice.h"
#include "report/ui/ReportWindows.h"
#include "report/ui/TRpPreviewForm.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Timer.h"
#include "support/LoanReportScratch.h"
#include "views/report/ScheduleReport.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

using namespace qv;
namespace fs = std::filesystem;

TApplication& application()
{
    static int argc = 1;
    static char name[] = "bench_report_preview";
    static char* argv[] = {name, nullptr};
    static TApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new TApplication(argc, argv);
    }();
    return *app;
}

struct ThirtyYearLoan : bench::LoanReportScratch {
    ThirtyYearLoan() : LoanReportScratch("qv_bench_preview") {}

    void setUp(TRvProject& project, TRvSystem& system) const
    {
        attach(project, system);
        system.TitleSetup = "Output Options";
        system.TitleStatus = "Report Status";
        system.TitlePreview = "Report Preview";
    }

    // The report's pages in memory, as a run for the preview leaves them.
    TMemoryStream snapshot()
    {
        DataCommunication data;
        TRvProject project(data);
        TRvSystem system;
        setUp(project, system);
        system.SystemSetups = 0;
        system.DefaultDest = TReportDest::rdFile;
        system.NativeOutput = false;
        TMemoryStream stream;
        system.SystemFiler.StreamMode = TStreamMode::smUser;
        system.SystemFiler.Stream = &stream;
        ScheduleReport source(engine, data.connections());
        source.runReport(project, texts);
        return stream;
    }
};

void drawPageOne(benchmark::State& state, double zoom)
{
    application();
    ThirtyYearLoan loan;
    TMemoryStream snapshot = loan.snapshot();
    TRvSystem system;
    UiServices const desktop = desktopUiServices();
    TRPPrinterDevice printer(platformPrintSystem());
    TRpPreviewForm form(system, printer, desktop);
    form.ApplySettings(system.SystemPreview);
    form.SetSnapshot(snapshot);
    form.showAndRaise();
    application().processMessages();
    form.RvRenderPreview.SetZoomFactor(zoom);
    form.Start();
    state.counters["pages"] = form.RvRenderPreview.Pages();
    state.counters["zoom"] = form.RvRenderPreview.ZoomFactor();
    for (auto _ : state)
        form.RvRenderPreview.PrintPage(1);
    form.hide();
}

void BM_PreviewPageAtZoom100(benchmark::State& state) { drawPageOne(state, 100); }
BENCHMARK(BM_PreviewPageAtZoom100)->Unit(benchmark::kMillisecond);

void BM_PreviewPageFitToPage(benchmark::State& state) { drawPageOne(state, -1); }
BENCHMARK(BM_PreviewPageFitToPage)->Unit(benchmark::kMillisecond);

// OK pressed in the output options (the setup step answers at once) until page 1 stands
// drawn in the preview: generation with its status window, the window and the page.
void BM_OkToFirstPreviewPage(benchmark::State& state)
{
    application();
    ThirtyYearLoan loan;
    DataCommunication data;
    ScheduleReport source(loan.engine, data.connections());
    ReportServices services;
    UiServices const desktop = desktopUiServices();
    TRPPrinterDevice printer(platformPrintSystem());
    addReportWindows(services, printer, desktop);
    using Clock = std::chrono::steady_clock;
    Clock::time_point ok;
    Clock::time_point shown;
    services.setup = [&](TRvSystem&) {
        ok = Clock::now();
        return true;
    };
    TTimer close;
    close.setInterval(1);
    close.onTimer = [&] {
        close.setEnabled(false);
        if (TRpPreviewForm* preview = currentPreviewWindow())
            preview->close();
    };
    for (auto _ : state) {
        TRvProject project(data, services);
        TRvSystem system(services);
        loan.setUp(project, system);
        system.OnPreviewShow = [&](TRvRenderPreview&) {
            shown = Clock::now();
            close.setEnabled(true);
        };
        source.runReport(project, loan.texts);
        state.SetIterationTime(std::chrono::duration<double>(shown - ok).count());
    }
}
BENCHMARK(BM_OkToFirstPreviewPage)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

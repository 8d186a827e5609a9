// The Report command's sequence for a 30-year loan: Open, seven parameters, Execute, Close.
#include "report/device/TRvRenderPDF.h"
#include "support/LoanReportScratch.h"
#include "views/report/ScheduleReport.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

using namespace qv;
namespace fs = std::filesystem;

struct ThirtyYearLoan : bench::LoanReportScratch {
    ThirtyYearLoan() : LoanReportScratch("qv_bench_report") {}

    void setUp(TRvProject& project, TRvSystem& system) const
    {
        attach(project, system);
        system.SystemSetups = 0;
        system.DefaultDest = TReportDest::rdFile;
    }
};

void BM_ReportToSnapshotInMemory(benchmark::State& state)
{
    ThirtyYearLoan loan;
    DataCommunication data;
    ScheduleReport source(loan.engine, data.connections());
    std::int64_t bytes = 0;
    for (auto _ : state) {
        TRvProject project(data);
        TRvSystem system;
        loan.setUp(project, system);
        TMemoryStream snapshot;
        system.NativeOutput = false;
        system.SystemFiler.StreamMode = TStreamMode::smUser;
        system.SystemFiler.Stream = &snapshot;
        source.runReport(project, loan.texts);
        bytes = snapshot.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["snapshot_bytes"] = double(bytes);
}
BENCHMARK(BM_ReportToSnapshotInMemory)->Unit(benchmark::kMillisecond);

void BM_ReportToPdf(benchmark::State& state)
{
    ThirtyYearLoan loan;
    DataCommunication data;
    ScheduleReport source(loan.engine, data.connections());
    registerPdfExportRenderer();
    std::string output = (loan.dir / "loan.pdf").string();
    for (auto _ : state) {
        TRvProject project(data);
        TRvSystem system;
        loan.setUp(project, system);
        system.ExportRenderer = TRvRenderPDF::displayName;
        system.OutputFileName = output;
        source.runReport(project, loan.texts);
    }
    state.counters["pdf_bytes"] = double(fs::file_size(output));
}
BENCHMARK(BM_ReportToPdf)->Unit(benchmark::kMillisecond);

// A rate text of N characters, cut to its field's width: the time should grow no faster
// than the text (it once grew with its square: 100,000 characters took seconds).
void BM_ReportWithLongRateText(benchmark::State& state)
{
    ThirtyYearLoan loan;
    DataCommunication data;
    ScheduleReport source(loan.engine, data.connections());
    ReportFieldTexts texts = loan.texts;
    texts.rate = std::string(static_cast<std::size_t>(state.range(0)), '7');
    for (auto _ : state) {
        TRvProject project(data);
        TRvSystem system;
        loan.setUp(project, system);
        TMemoryStream snapshot;
        system.NativeOutput = false;
        system.SystemFiler.StreamMode = TStreamMode::smUser;
        system.SystemFiler.Stream = &snapshot;
        source.runReport(project, texts);
        benchmark::DoNotOptimize(snapshot.size());
    }
}
BENCHMARK(BM_ReportWithLongRateText)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace

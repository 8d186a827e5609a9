// The 30-year schedule pulled through RvCustomConnection1: from a connection in this
// process, and from one served by another process through the shared buffer.
#include "ChildProcess.h"

#include "views/report/ScheduleReport.h"
#include "loan/LoanFile.h"
#include "loan/MemoryLoanView.h"
#include "report/data/DataCommunication.h"
#include "report/data/TRpDataViewLink.h"
#include "runtime/core/SharedMemory.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

using namespace qv;
namespace fs = std::filesystem;

const char* const kFields[] = {"No", "date", "interest", "principal", "extra", "balance"};

struct ThirtyYearLoan {
    ThirtyYearLoan()
    {
        dir = fs::temp_directory_path() / ("qv_bench_connect_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        engine.calculate({"30", "200000", "6.5", encodeDate(2024, 1, 15)}, view);
        file = (dir / "loan.qvl").string();
        writeLoanFile(file, engine);
    }
    ~ThirtyYearLoan() { fs::remove_all(dir); }

    fs::path dir;
    std::string file;
    LoanEngine engine;
    MemoryLoanView view;
};

const ThirtyYearLoan& loan()
{
    static ThirtyYearLoan instance;
    return instance;
}

int64_t pullSchedule(TRpDataSystem& system)
{
    TRpDataViewLink view(system);
    view.ConnectionName = "RvCustomConnection1";
    for (const char* field : kFields)
        view.Fields.push_back({field, TRPDataType::dtString, "", -1});
    if (!view.Open())
        return 0;
    int64_t rows = 0;
    for (view.First(); !view.Eof(); view.Next())
        rows += static_cast<int64_t>(view.FieldText(view.Fields[5]).size() > 0);
    view.Close();
    return rows;
}

void BM_ScheduleRowsInProcess(benchmark::State& state)
{
    LoanEngine engine = loan().engine;
    DataCommunication data;
    ScheduleReport schedule(engine, data.connections());
    data.system().GainControl(std::chrono::milliseconds(5000));
    int64_t rows = 0;
    for (auto _ : state)
        rows += pullSchedule(data.system());
    data.system().ReleaseControl();
    state.SetItemsProcessed(rows);
}
BENCHMARK(BM_ScheduleRowsInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScheduleRowsAcrossProcesses(benchmark::State& state)
{
    ChildProcess window(QV_HELPER, {"serve-loan", loan().file});
    if (!window.expectLine("ready")) {
        state.SkipWithError("the serving process did not start");
        return;
    }
    DataCommunication data;
    TRpDataSystem& system = data.system();
    system.DeveloperMode = true;
    system.GainControl(std::chrono::milliseconds(5000));
    // Connecting (the listing waits out its last 250 ms) is timed apart from the rows.
    int64_t rows = 0;
    TRpDataViewLink view(system);
    view.ConnectionName = "RvCustomConnection1";
    for (const char* field : kFields)
        view.Fields.push_back({field, TRPDataType::dtString, "", -1});
    if (!view.Open()) {
        system.ReleaseControl();
        state.SkipWithError("no connection");
        return;
    }
    for (auto _ : state) {
        for (view.First(); !view.Eof(); view.Next())
            ++rows;
    }
    view.Close();
    system.ReleaseControl();
    state.SetItemsProcessed(rows);
    window.stop();
}
BENCHMARK(BM_ScheduleRowsAcrossProcesses)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    // Shared objects of its own, so a benchmark never meets a running program.
    std::string scope = "b" + std::to_string(::getpid());
    ::setenv("QV_SHARED_SCOPE", scope.c_str(), 1);
    qv::setSharedObjectScope(scope);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

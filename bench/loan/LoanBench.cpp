#include "loan/LoanFile.h"
#include "loan/MemoryLoanView.h"
#include "runtime/core/DateTime.h"
#include "runtime/core/Numbers.h"
#include "runtime/core/RegionalSettings.h"

#include <benchmark/benchmark.h>

#include <string>
#include <unistd.h>

namespace {

qv::CalculateInput loan(int years)
{
    qv::CalculateInput in;
    in.amountText = "200000";
    in.rateText = "5";
    in.termText = std::to_string(years);
    in.loanDate = qv::encodeDate(2024, 3, 15);
    return in;
}

void BM_Calculate(benchmark::State& state)
{
    qv::setRegionalSettings(qv::RegionalSettings::posix());
    qv::LoanEngine engine;
    qv::MemoryLoanView view;
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.calculate(loan(static_cast<int>(state.range(0))), view));
}
BENCHMARK(BM_Calculate)->Arg(30)->Arg(100)->Unit(benchmark::kMicrosecond);

// The same loan with exact bank rounding, beside the classic one in one run.
void BM_CalculateBank(benchmark::State& state)
{
    qv::setRegionalSettings(qv::RegionalSettings::posix());
    qv::LoanEngine engine;
    qv::MemoryLoanView view;
    qv::CalculateInput in = loan(static_cast<int>(state.range(0)));
    in.rounding = qv::RoundingModel::Bank;
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.calculate(in, view));
}
BENCHMARK(BM_CalculateBank)->Arg(30)->Arg(100)->Unit(benchmark::kMicrosecond);

// The floor Calculate is measured against: the same recurrence over the months of
// the loan (200000 at 5 %, payment 1074.13), its arithmetic alone: no text, no
// table, no grid and no fault checks.
void BM_RecurrenceOnly(benchmark::State& state)
{
    int const months = static_cast<int>(state.range(0)) * 12;
    float const rate = 0.00417f;
    double const payment = 1074.13;
    for (auto _ : state) {
        double balance = 200000;
        for (int i = 1; i <= months; ++i) {
            double const interest = qv::DeferredStores::round(qv::DeferredStores::toDouble(static_cast<long double>(balance) * rate), -2);
            double const principal = qv::DeferredStores::round(qv::DeferredStores::toDouble(static_cast<long double>(payment) - interest), -2);
            balance = qv::DeferredStores::round(qv::DeferredStores::toDouble((1.0L + rate) * balance - payment), -2);
            benchmark::DoNotOptimize(interest);
            benchmark::DoNotOptimize(principal);
            benchmark::DoNotOptimize(balance);
        }
    }
}
BENCHMARK(BM_RecurrenceOnly)->Arg(30)->Unit(benchmark::kMicrosecond);

// An extra payment in month 1 re-amortizes all 360 months.
void BM_ReamortizeFromMonthOne(benchmark::State& state)
{
    qv::setRegionalSettings(qv::RegionalSettings::posix());
    qv::LoanEngine engine;
    qv::MemoryLoanView view;
    engine.calculate(loan(30), view);
    bool flip = false;
    for (auto _ : state) {
        engine.selectCell(4, 1, view);
        view.grid().setCellText(4, 1, flip ? "0" : "0.0");
        engine.selectCell(5, 1, view);
        flip = !flip;
    }
}
BENCHMARK(BM_ReamortizeFromMonthOne)->Unit(benchmark::kMicrosecond);

void BM_ReamortizeBankFromMonthOne(benchmark::State& state)
{
    qv::setRegionalSettings(qv::RegionalSettings::posix());
    qv::LoanEngine engine;
    qv::MemoryLoanView view;
    qv::CalculateInput in = loan(30);
    in.rounding = qv::RoundingModel::Bank;
    engine.calculate(in, view);
    bool flip = false;
    for (auto _ : state) {
        engine.applyExtraPayment(1, flip ? "0" : "0.0", view);
        flip = !flip;
    }
}
BENCHMARK(BM_ReamortizeBankFromMonthOne)->Unit(benchmark::kMicrosecond);

// One amount into all 360 months: the repeat command re-amortizes once, beside one
// re-amortization from month 1 and beside typing the amount month by month. The texts
// alternate between "0" and "0.0" so that every month changes and the loan keeps its
// 360 months each time. Argument: 0 classic, 1 bank.
qv::LoanEngine& recurringLoan(qv::LoanEngine& engine, qv::MemoryLoanView& view, int64_t model)
{
    qv::setRegionalSettings(qv::RegionalSettings::posix());
    qv::CalculateInput in = loan(30);
    in.rounding = model == 0 ? qv::RoundingModel::Classic : qv::RoundingModel::Bank;
    engine.calculate(in, view);
    return engine;
}

void BM_RecurringOneReamortization(benchmark::State& state)
{
    qv::LoanEngine engine;
    qv::MemoryLoanView view;
    recurringLoan(engine, view, state.range(0));
    bool flip = false;
    for (auto _ : state) {
        engine.applyExtraPayment(1, flip ? "0" : "0.0", view);
        flip = !flip;
    }
}
BENCHMARK(BM_RecurringOneReamortization)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RecurringRepeatToTheEnd(benchmark::State& state)
{
    qv::LoanEngine engine;
    qv::MemoryLoanView view;
    recurringLoan(engine, view, state.range(0));
    bool flip = false;
    for (auto _ : state) {
        engine.repeatExtraPayment(1, flip ? "0" : "0.0", view);
        flip = !flip;
    }
}
BENCHMARK(BM_RecurringRepeatToTheEnd)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RecurringMonthByMonth(benchmark::State& state)
{
    qv::LoanEngine engine;
    qv::MemoryLoanView view;
    recurringLoan(engine, view, state.range(0));
    bool flip = false;
    for (auto _ : state) {
        for (int month = 1; month <= engine.totals.scheduleMonths; ++month) {
            engine.selectCell(4, month, view);
            view.grid().setCellText(4, month, flip ? "0" : "0.0");
            engine.selectCell(5, month, view);
        }
        flip = !flip;
    }
}
BENCHMARK(BM_RecurringMonthByMonth)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SaveOpenRoundTrip(benchmark::State& state)
{
    qv::setRegionalSettings(qv::RegionalSettings::posix());
    qv::LoanEngine engine;
    qv::MemoryLoanView view;
    engine.calculate(loan(30), view);
    std::string const path = "/tmp/qv-bench-" + std::to_string(::getpid()) + ".qvl";
    for (auto _ : state) {
        qv::writeLoanFile(path, engine);
        qv::LoanEngine loaded;
        qv::MemoryLoanView shown;
        qv::readLoanFile(path, loaded, shown);
    }
    ::unlink(path.c_str());
}
BENCHMARK(BM_SaveOpenRoundTrip)->Unit(benchmark::kMicrosecond);

} // namespace

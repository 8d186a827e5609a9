#include "report/snapshot/TRPConverter.h"
#include "report/snapshot/TRvNDRWriter.h"

#include <benchmark/benchmark.h>

using namespace qv;
using namespace qv::snapshot;

namespace {

// A schedule-like page: heading, column captions, 40 rows of six columns, rules.
void printTenPages(TBaseReport& report)
{
    for (int page = 1; page <= 10; ++page) {
        if (page > 1)
            report.NewPage();
        report.Font().size = 14;
        report.Font().bold = true;
        report.PrintCenter("Loan Amortization Schedule", 4.25, 0.8);
        report.Font().size = 9;
        report.Font().bold = false;
        const char* captions[] = { "No", "Date", "Interest", "Principal", "Extra", "Balance" };
        for (int column = 0; column < 6; ++column)
            report.PrintRight(captions[column], 1.5 + column * 1.1, 1.2);
        report.MoveTo(0.5, 1.25);
        report.LineTo(8.0, 1.25);
        for (int row = 0; row < 40; ++row) {
            double y = 1.45 + row * 0.2;
            int number = (page - 1) * 40 + row + 1;
            report.PrintRight(std::to_string(number), 1.5, y);
            report.PrintRight("12/09/2026", 2.6, y);
            report.PrintRight("1,234.56", 3.7, y);
            report.PrintRight("567.89", 4.8, y);
            report.PrintRight("0.00", 5.9, y);
            report.PrintRight("198,765.43", 7.0, y);
        }
        report.PrintLeft("Page " + reportVariablePlaceholder(11) + " of " + reportVariablePlaceholder(10), 0.5, 10.5);
    }
}

std::vector<uint8_t> writeTenPages()
{
    TMemoryStream stream;
    TRvNDRWriter writer;
    writer.StreamMode = TStreamMode::smUser;
    writer.Stream = &stream;
    writer.OnPrint = printTenPages;
    writer.Execute();
    return stream.bytes();
}

class CountingRender final : public TRPRender {
public:
    long count = 0;
    void PageBegin(int, double, double) override { ++count; }
    void Arc(const TRPRect&, TRPPoint, TRPPoint) override { ++count; }
    void Chord(const TRPRect&, TRPPoint, TRPPoint) override { ++count; }
    void Pie(const TRPRect&, TRPPoint, TRPPoint) override { ++count; }
    void Ellipse(const TRPRect&) override { ++count; }
    void FillRect(const TRPRect&) override { ++count; }
    void LineTo(TRPPoint) override { ++count; }
    void MoveTo(TRPPoint) override { ++count; }
    void Polygon(const std::vector<TRPPoint>&) override { ++count; }
    void Polyline(const std::vector<TRPPoint>&) override { ++count; }
    void Rectangle(const TRPRect&) override { ++count; }
    void TabRectangle(const TRPRect&) override { ++count; }
    void RoundRect(const TRPRect&, double, double) override { ++count; }
    void Draw(TRPPoint, const TRvGraphic&) override { ++count; }
    void StretchDraw(const TRPRect&, const TRvGraphic&) override { ++count; }
    void PrintBitmap(TRPPoint, double, double, const TRvGraphic&) override { ++count; }
    void PrintBitmapRect(const TRPRect&, const TRvGraphic&) override { ++count; }
    void TextRect(const TRPRect&, TRPPoint, const std::string&) override { ++count; }
    void CenterText(const std::string&, double, double) override { ++count; }
    void LeftText(const std::string&, double, double) override { ++count; }
    void RightText(const std::string&, double, double) override { ++count; }
    void BlockText(const std::string&, double, double, double) override { ++count; }
};

void BM_WriteTenPageSnapshot(benchmark::State& state)
{
    size_t bytes = 0;
    for (auto _ : state) {
        auto snapshot = writeTenPages();
        bytes = snapshot.size();
        benchmark::DoNotOptimize(snapshot.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WriteTenPageSnapshot);

void BM_ReadTenPageSnapshot(benchmark::State& state)
{
    auto snapshot = writeTenPages();
    for (auto _ : state) {
        TMemoryStream stream(snapshot);
        CountingRender render;
        TRPConverter converter(stream, render);
        converter.Generate();
        benchmark::DoNotOptimize(render.count);
    }
}
BENCHMARK(BM_ReadTenPageSnapshot);

} // namespace

#include "report/project/Lzw.h"
#include "report/project/ProjectStream.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <random>
#include <time.h>

using namespace qv::report;

namespace {

// About 1 MB shaped like project payloads: component records with class and property
// names, short texts and numbers that vary from record to record.
const Bytes& reportLikeData()
{
    static const Bytes data = [] {
        const char* classes[] = { "TRpText", "TRpDataText", "TRpBand", "TRpDataBand", "TRpLine", "TRpCalcText" };
        const char* fields[] = { "No", "date", "interest", "principal", "extra", "balance" };
        std::mt19937 random(2024);
        ProjectWriter writer;
        int n = 0;
        while (writer.bytes().size() < 1'000'000) {
            writer.writeByte(0);
            writer.writeString(classes[random() % 6]);
            writer.writeString("Component" + std::to_string(++n));
            writer.writeByte(8);
            for (const char* property : { "Left", "Top", "Width" }) {
                writer.writeString(property);
                writer.writeByte(5);
                writer.writeExtended((random() % 8000) / 1000.0L);
            }
            writer.writeString("DataField");
            writer.writeByte(6);
            writer.writeString(fields[random() % 6]);
            writer.writeString("Text");
            writer.writeByte(6);
            writer.writeString("Payment " + std::to_string(random() % 100000) + ".00");
            writer.writeString("");
            writer.writeCount(0);
        }
        auto bytes = writer.take();
        bytes.resize(1'000'000);
        return bytes;
    }();
    return data;
}

Bytes deflated(const Bytes& data)
{
    uLongf size = compressBound(data.size());
    Bytes out(size);
    compress2(out.data(), &size, data.data(), data.size(), Z_DEFAULT_COMPRESSION);
    out.resize(size);
    return out;
}

void finish(benchmark::State& state, std::size_t packedSize)
{
    auto& data = reportLikeData();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(data.size()));
    state.counters["packed_percent"] = 100.0 * double(packedSize) / double(data.size());
}

void BM_LzwCompress(benchmark::State& state)
{
    auto& data = reportLikeData();
    std::size_t packed = 0;
    for (auto _ : state) {
        auto out = lzwCompress(data);
        packed = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    finish(state, packed);
}

void BM_LzwDecompress(benchmark::State& state)
{
    auto packed = lzwCompress(reportLikeData());
    for (auto _ : state) {
        auto out = lzwDecompress(packed);
        benchmark::DoNotOptimize(out.data());
    }
    finish(state, packed.size());
}

void BM_ZlibDeflate(benchmark::State& state)
{
    auto& data = reportLikeData();
    std::size_t packed = 0;
    for (auto _ : state) {
        auto out = deflated(data);
        packed = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    finish(state, packed);
}

void BM_ZlibInflate(benchmark::State& state)
{
    auto& data = reportLikeData();
    auto packed = deflated(data);
    Bytes out(data.size());
    for (auto _ : state) {
        uLongf size = out.size();
        uncompress(out.data(), &size, packed.data(), packed.size());
        benchmark::DoNotOptimize(out.data());
    }
    finish(state, packed.size());
}

double threadSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Both codecs on the same data in the same loop, timed by this thread's CPU time, so the
// ratio is not skewed by other load on the machine.
template<class Lzw, class Zlib>
void sideBySide(benchmark::State& state, Lzw lzw, Zlib zlib)
{
    double lzwTime = 0;
    double zlibTime = 0;
    for (auto _ : state) {
        auto start = threadSeconds();
        lzw();
        auto middle = threadSeconds();
        zlib();
        lzwTime += middle - start;
        zlibTime += threadSeconds() - middle;
    }
    double megabytes = double(reportLikeData().size()) * double(state.iterations()) / 1e6;
    double lzwRate = megabytes / lzwTime;
    double zlibRate = megabytes / zlibTime;
    state.counters["lzw_MBps"] = lzwRate;
    state.counters["zlib_MBps"] = zlibRate;
    state.counters["lzw_over_zlib"] = lzwRate / zlibRate;
}

void BM_CompressSideBySide(benchmark::State& state)
{
    auto& data = reportLikeData();
    sideBySide(
        state, [&] { benchmark::DoNotOptimize(lzwCompress(data).data()); }, [&] { benchmark::DoNotOptimize(deflated(data).data()); });
}

void BM_DecompressSideBySide(benchmark::State& state)
{
    auto& data = reportLikeData();
    auto packed = lzwCompress(data);
    auto zipped = deflated(data);
    Bytes out(data.size());
    sideBySide(
        state, [&] { benchmark::DoNotOptimize(lzwDecompress(packed).data()); },
        [&] {
            uLongf size = out.size();
            uncompress(out.data(), &size, zipped.data(), zipped.size());
            benchmark::DoNotOptimize(out.data());
        });
}

} // namespace

BENCHMARK(BM_CompressSideBySide)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecompressSideBySide)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzwCompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibDeflate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzwDecompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibInflate)->Unit(benchmark::kMillisecond);

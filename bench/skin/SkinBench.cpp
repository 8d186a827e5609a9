// Start-up cost of the stored skin and the cost of cutting the pieces a paint needs.

#include "skin/model/SkinData.h"
#include "skin/model/SkinSection.h"
#include "skin/store/CompressedStoredSkin.h"
#include "skin/store/SkinArchive.h"

#include "skin/quorvane/QuorvaneSkin.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qv;

// What the main window does once at start-up: inflate the store and parse the archive.
void BM_InflateAndParseStoredSkin(benchmark::State& state)
{
    TbsCompressedStoredSkin store;
    store.setCompressedData(std::string(quorvaneCompressedSkin()));
    for (auto _ : state) {
        TbsSkinData model;
        model.setCompressedStoredSkin(&store);
        benchmark::DoNotOptimize(model.skinControlCount());
    }
}
BENCHMARK(BM_InflateAndParseStoredSkin)->Unit(benchmark::kMillisecond);

// The three steps of that load apart: inflating, decoding the pictures, parsing the INI text.
std::string inflatedSkin()
{
    TbsCompressedStoredSkin store;
    store.setCompressedData(std::string(quorvaneCompressedSkin()));
    TByteBuffer archive;
    store.ExtractArchive(archive);
    return archive.bytes();
}

void BM_InflateStoredSkin(benchmark::State& state)
{
    TbsCompressedStoredSkin store;
    store.setCompressedData(std::string(quorvaneCompressedSkin()));
    for (auto _ : state) {
        TByteBuffer archive;
        store.ExtractArchive(archive);
        benchmark::DoNotOptimize(archive.size());
    }
}
BENCHMARK(BM_InflateStoredSkin)->Unit(benchmark::kMicrosecond);

void BM_DecodeSkinPictures(benchmark::State& state)
{
    TByteBuffer bytes(inflatedSkin());
    TbsSkinArchiveView const archive = TbsSkinArchiveView::read(bytes);
    for (auto _ : state) {
        for (std::string_view bmp : archive.activePictures)
            benchmark::DoNotOptimize(TbsSkinPicture::fromBmp(bmp).width());
        benchmark::DoNotOptimize(TbsSkinPicture::fromBmp(*archive.mainPicture).width());
        benchmark::DoNotOptimize(TbsSkinPicture::fromBmp(*archive.maskPicture).width());
    }
}
BENCHMARK(BM_DecodeSkinPictures)->Unit(benchmark::kMicrosecond);

void BM_ParseSkinIni(benchmark::State& state)
{
    TByteBuffer bytes(inflatedSkin());
    TbsSkinArchiveView const archive = TbsSkinArchiveView::read(bytes);
    for (auto _ : state) {
        TbsSkinIni ini(archive.iniText);
        benchmark::DoNotOptimize(ini.hasSection("SKINCONTROLS"));
    }
}
BENCHMARK(BM_ParseSkinIni)->Unit(benchmark::kMicrosecond);

void drawSection(benchmark::State& state, const char* name, int width, int height)
{
    TbsCompressedStoredSkin store;
    store.setCompressedData(std::string(quorvaneCompressedSkin()));
    TbsSkinData model;
    model.setCompressedStoredSkin(&store);
    TbsSkinSectionPieces pieces;
    pieces.bind(model, model.FindSkinControl(name));
    TbsPieceGeometry g = pieces.geometry(width, height);
    TbsSkinPicture out;
    for (auto _ : state) {
        drawPiece(out, pieces.picture, pieces.fields, pieces.mode, g, pieces.fields.skinRect);
        benchmark::DoNotOptimize(out.pixels().data());
    }
    state.counters["width"] = out.width();
    state.counters["height"] = out.height();
}

// The group box section is Framed: borders tiled, corners copied, centre tiled.
void BM_DrawFramedPiece700x460(benchmark::State& state) { drawSection(state, "groupbox", 700, 460); }
BENCHMARK(BM_DrawFramedPiece700x460)->Unit(benchmark::kMicrosecond);

// The button section is Horizontal: a button of the main window.
void BM_DrawHorizontalPiece73x20(benchmark::State& state) { drawSection(state, "button", 73, 20); }
BENCHMARK(BM_DrawHorizontalPiece73x20)->Unit(benchmark::kMicrosecond);

} // namespace

// Costs of the drawing paths a skinned window uses on every paint.
#include "platform/gfx/bmp_codec.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/jpeg_decoder.h"
#include "platform/gfx/region.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

namespace {

using namespace pellamo;

void FillWindow(benchmark::State& state)
{
    Bitmap back(640, 480);
    Canvas canvas(back);
    canvas.brush.color = clBlue;
    for (auto _ : state)
        canvas.FillRect({ 0, 0, 640, 480 });
    state.SetItemsProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(FillWindow);

void FillThroughRoundedClip(benchmark::State& state)
{
    Bitmap back(640, 480);
    Canvas canvas(back);
    canvas.SetClipRegion(Region::RoundRect({ 0, 0, 641, 481 }, 13, 13));
    canvas.brush.color = clBlue;
    for (auto _ : state)
        canvas.FillRect({ 0, 0, 640, 480 });
    state.SetItemsProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(FillThroughRoundedClip);

void StretchSkinPiece(benchmark::State& state)
{
    Bitmap back(640, 480);
    Bitmap piece(98, 32, clRed);
    piece.SetTransparent(true);
    piece.SetTransparentColor(clFuchsia);
    Canvas canvas(back);
    for (auto _ : state)
        canvas.StretchDraw({ 0, 0, 640, 32 }, piece);
    state.SetItemsProcessed(state.iterations() * 640 * 32);
}
BENCHMARK(StretchSkinPiece);

// A video frame into the window's back buffer, at the picture's own size,
// through the player's clip: what every frame shown costs.
void CopyVideoFrame(benchmark::State& state)
{
    Bitmap back(1300, 760);
    Bitmap frame(1280, 720, clGreen);
    Canvas canvas(back, { 10, 30 }, Region({ 0, 0, 1280, 720 }));
    for (auto _ : state)
        canvas.CopyRect({ 0, 0, 1280, 720 }, frame, { 0, 0, 1280, 720 });
    state.SetItemsProcessed(state.iterations() * 1280 * 720);
}
BENCHMARK(CopyVideoFrame);

void CaptionText(benchmark::State& state)
{
    Bitmap back(640, 40);
    Canvas canvas(back);
    canvas.brush.style = BrushStyle::Clear;
    for (auto _ : state) {
        Rect r { 0, 0, 640, 40 };
        canvas.DrawTextUtf8("网络电视 - Pellamo", r, kTextSingleLine | kTextVCenter | kTextCenter);
    }
}
BENCHMARK(CaptionText);

void WindowRegionFromBitmap(benchmark::State& state)
{
    Bitmap shape(400, 300, clBlack);
    Canvas canvas(shape);
    canvas.brush.color = clFuchsia;
    canvas.pen.style = PenStyle::Clear;
    canvas.Ellipse({ 0, 0, 400, 300 });
    for (auto _ : state)
        benchmark::DoNotOptimize(Region::FromBitmap(shape, clFuchsia));
}
BENCHMARK(WindowRegionFromBitmap);

void ReadBmp(benchmark::State& state)
{
    std::vector<uint8_t> file = BmpCodec::Write(Bitmap(441, 23, clRed));
    for (auto _ : state)
        benchmark::DoNotOptimize(BmpCodec::Read(file));
}
BENCHMARK(ReadBmp);

void DecodeLoadPicture(benchmark::State& state)
{
    std::ifstream in(std::string(PELLAMO_SOURCE_DIR) + "/resources/pictures/load.jpg", std::ios::binary);
    std::vector<uint8_t> file { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    if (file.empty()) {
        state.SkipWithError("load.jpg not found");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(JpegDecoder::Decode(file));
}
BENCHMARK(DecodeLoadPicture);

}

BENCHMARK_MAIN();

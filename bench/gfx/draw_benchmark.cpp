// One sprite draw as the scenes make it: a 160 x 120 source with a pure-green background onto a full-HD back
// buffer, keyed, opaque, mirrored or not. The copy without a key is there for comparison.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "gfx/draw.h"

namespace {

constexpr DWORD kPureGreen = 0x00FF00;

// A sprite-like source: an ellipse of varied colours on the key colour.
void PaintSprite(Surface& sprite) {
  const std::int32_t width = sprite.Width(), height = sprite.Height();
  for (std::int32_t y = 0; y < height; ++y) {
    BYTE* row = sprite.pixels + static_cast<std::ptrdiff_t>(height - 1 - y) * sprite.Stride();
    for (std::int32_t x = 0; x < width; ++x) {
      const std::int64_t dx = 2 * x - width, dy = 2 * y - height;
      const bool inside = dx * dx * height * height + dy * dy * width * width < std::int64_t{width} * width * height * height;
      row[3 * x] = inside ? static_cast<BYTE>(x) : 0x00;
      row[3 * x + 1] = inside ? static_cast<BYTE>(y) : 0xFF;
      row[3 * x + 2] = inside ? static_cast<BYTE>(x + y) : 0x00;
    }
  }
}

template <bool (*Draw)(const Surface&, Surface&, DrawParams)>
void BM_DrawSprite(benchmark::State& state) {
  const bool mirror = state.range(0) != 0;
  const DWORD key = state.range(1) != 0 ? kPureGreen : kNoColourKey;
  Surface sprite;
  Surface backBuffer;
  HBITMAP spriteBitmap = sprite.CreateDibSection(nullptr, 160, 120);
  HBITMAP backBufferBitmap = backBuffer.CreateDibSection(nullptr, 1920, 1080);
  if (spriteBitmap == nullptr || backBufferBitmap == nullptr) {
    state.SkipWithError("no DIB section");
    return;
  }
  PaintSprite(sprite);
  const GrayTable grayTable;
  const DrawParams params{&grayTable, 700, 400, mirror, key, kOpaque};
  for (auto _ : state) {
    benchmark::DoNotOptimize(Draw(sprite, backBuffer, params));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 160 * 120);
  DeleteObject(backBufferBitmap);
  DeleteObject(spriteBitmap);
}

// Arguments: mirror, key.
BENCHMARK(BM_DrawSprite<DrawCopy>)->Name("DrawCopy")->ArgNames({"mirror", "key"})
    ->Args({0, 1})->Args({1, 1})->Args({0, 0});
BENCHMARK(BM_DrawSprite<DrawGray>)->Name("DrawGray")->ArgNames({"mirror", "key"})
    ->Args({0, 1})->Args({1, 1})->Args({0, 0});

}  // namespace

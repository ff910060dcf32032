// Presentation costs of the X11 back end for a full-HD frame.
//
// Conversion: writing a 1920 x 1080 picture into an image of a 16-bit (RGB 565) or a 32-bit ARGB visual, the work
// added on each frame where the visual does not store pixels as the picture does.
// Present: the back end's whole path for a full-screen window on the display in DISPLAY: MIT-SHM and a round trip
// on a local server, XPutImage over a TCP connection (DISPLAY=localhost:N). Without a display it is skipped.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/x11/pixel_format.h"
#include "platform/posix/x11/x11_backend.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

void ConvertFullHd(benchmark::State& state, const posix::x11::PixelFormat& format, int bytesPerPixel) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kWidth) * kHeight);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFFu;
  }
  const posix::WindowPicture picture{pixels.data(), kWidth, kHeight, kWidth};
  const posix::x11::PixelConverter converter(format);
  const std::size_t bytesPerLine = static_cast<std::size_t>(kWidth) * bytesPerPixel;
  std::vector<std::uint8_t> image(bytesPerLine * kHeight);
  for (auto _ : state) {
    converter.ConvertArea(picture, RECT{0, 0, kWidth, kHeight}, image.data(), bytesPerLine);
    benchmark::DoNotOptimize(image.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_ConvertFullHdTo565(benchmark::State& state) {
  ConvertFullHd(state, posix::x11::PixelFormat{0xF800, 0x07E0, 0x001F, 0, 16, false}, 2);
}
BENCHMARK(BM_ConvertFullHdTo565)->Unit(benchmark::kMillisecond);

void BM_ConvertFullHdToArgb(benchmark::State& state) {
  ConvertFullHd(state, posix::x11::PixelFormat{0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000, 32, false}, 4);
}
BENCHMARK(BM_ConvertFullHdToArgb)->Unit(benchmark::kMillisecond);

// The whole screen presented again and again, as the saver does on every frame in full-screen mode.
void BM_PresentFullScreen(benchmark::State& state) {
  std::string error;
  std::unique_ptr<posix::DisplayBackend> backend = posix::OpenX11Backend(error);
  if (backend == nullptr) {
    state.SkipWithError(error.c_str());
    return;
  }
  const posix::NativeWindow window = backend->CreateFullScreenWindow(backend->VirtualScreen());
  if (window == 0) {
    state.SkipWithError("no full-screen window");
    return;
  }
  const posix::WindowPicture picture = backend->Picture(window);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      picture.pixels[static_cast<std::size_t>(y) * picture.stride + x] = static_cast<std::uint32_t>(x ^ y) * 0x010203u;
    }
  }
  const RECT whole{0, 0, picture.width, picture.height};
  for (auto _ : state) {
    backend->Present(window, whole, posix::PresentInfo{});
  }
  state.SetLabel(std::to_string(picture.width) + "x" + std::to_string(picture.height));
  backend->DestroyWindow(window);
}
BENCHMARK(BM_PresentFullScreen)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

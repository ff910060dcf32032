// BitBlt and StretchBlt of a 1920 x 1080 back buffer into a window's picture on the headless back end: the
// presentation every frame of a saver pays for.
#include <benchmark/benchmark.h>

#include "platform/posix/active_backend.h"
#include "platform/posix/headless/headless_backend.h"
#include "platform/posix/window_table.h"
#include "platform/win32.h"

namespace {

constexpr int kBufferWidth = 1920;
constexpr int kBufferHeight = 1080;

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// A window of the given size, a 1920 x 1080 DIB section selected into a memory context, and both contexts.
class BlitSetup {
 public:
  BlitSetup(int windowWidth, int windowHeight) : backend_(Config()) {
    posix::SetDisplayBackend(&backend_);
    window_ = posix::CreateWindowForNative(
        backend_.CreateFullScreenWindow(RECT{0, 0, windowWidth, windowHeight}), PlainProc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kBufferWidth;
    info.bmiHeader.biHeight = kBufferHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    windowDc_ = GetDC(window_);
    memoryDc_ = CreateCompatibleDC(windowDc_);
    previous_ = SelectObject(memoryDc_, bitmap_);
  }
  ~BlitSetup() {
    SelectObject(memoryDc_, previous_);
    DeleteDC(memoryDc_);
    ReleaseDC(window_, windowDc_);
    DeleteObject(bitmap_);
    posix::SetDisplayBackend(nullptr);
  }

  bool Ready() const { return window_ != nullptr && bitmap_ != nullptr && previous_ != nullptr; }
  HDC windowDc() const { return windowDc_; }
  HDC memoryDc() const { return memoryDc_; }
  void ForgetPresentations() { backend_.ClearPresentations(); }

 private:
  static posix::headless::HeadlessConfig Config() {
    posix::headless::HeadlessConfig config;
    config.screenWidth = kBufferWidth;
    config.screenHeight = kBufferHeight;
    return config;
  }

  posix::headless::HeadlessBackend backend_;
  HWND window_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HDC windowDc_ = nullptr;
  HDC memoryDc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

void BM_BitBltFullScreen(benchmark::State& state) {
  BlitSetup setup(kBufferWidth, kBufferHeight);
  if (!setup.Ready()) {
    state.SkipWithError("could not set up the blit");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        BitBlt(setup.windowDc(), 0, 0, kBufferWidth, kBufferHeight, setup.memoryDc(), 0, 0, SRCCOPY));
    setup.ForgetPresentations();
  }
  state.SetItemsProcessed(state.iterations() * kBufferWidth * kBufferHeight);
}
BENCHMARK(BM_BitBltFullScreen)->Unit(benchmark::kMillisecond);

// Arguments: the window's width and height (a larger monitor, and the settings dialog's preview).
void BM_StretchBlt(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  BlitSetup setup(width, height);
  if (!setup.Ready()) {
    state.SkipWithError("could not set up the blit");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(StretchBlt(setup.windowDc(), 0, 0, width, height, setup.memoryDc(), 0, 0, kBufferWidth,
                                        kBufferHeight, SRCCOPY));
    setup.ForgetPresentations();
  }
  state.SetItemsProcessed(state.iterations() * width * height);
}
BENCHMARK(BM_StretchBlt)->Args({2560, 1440})->Args({152, 112})->Unit(benchmark::kMillisecond);

}  // namespace

// A scene-free saver for developing the X11 back end before the real programs build: every 10 ms it paints four
// coloured quadrants into a screen-sized DIB section and presents it like the shell does (1:1 when the window
// has the screen's size, stretched otherwise), over the saver library's POSIX entry point and the X11 back end.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/posix/x11/x11_backend.h"
#include "platform/win32.h"
#include "saverlib/posix/run_screen_saver.h"
#include "saverlib/screensaver.h"

namespace {

constexpr UINT_PTR kTimerId = 0x7FFF;
constexpr UINT kPeriodMs = 10;
constexpr std::uint32_t kQuadrantColours[4] = {0xFF0000u, 0x00FF00u, 0x0000FFu, 0xFFFF00u};

HBITMAP g_buffer = nullptr;
std::uint8_t* g_bits = nullptr;
int g_width = 0;
int g_height = 0;

bool MakeBuffer() {
  g_width = GetSystemMetrics(SM_CXSCREEN);
  g_height = GetSystemMetrics(SM_CYSCREEN);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = g_width;
  info.bmiHeader.biHeight = g_height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  g_buffer = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  g_bits = static_cast<std::uint8_t*>(bits);
  if (g_buffer == nullptr) {
    return false;
  }
  const int stride = (g_width * 3 + 3) & ~3;
  for (int row = 0; row < g_height; ++row) {
    const int y = g_height - 1 - row;  // rows are stored bottom-up
    for (int x = 0; x < g_width; ++x) {
      const int quadrant = (y * 2 / g_height) * 2 + x * 2 / g_width;
      const std::uint32_t colour = kQuadrantColours[quadrant];
      std::uint8_t* pixel = g_bits + static_cast<std::size_t>(row) * stride + x * 3;
      pixel[0] = colour & 0xFF;
      pixel[1] = (colour >> 8) & 0xFF;
      pixel[2] = (colour >> 16) & 0xFF;
    }
  }
  return true;
}

void CALLBACK Frame(HWND window, UINT, UINT_PTR, DWORD) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const int windowWidth = rect.right - rect.left;
  const int windowHeight = rect.bottom - rect.top;
  HDC dc = GetDC(window);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(memory, g_buffer);
  if (windowWidth == g_width && windowHeight == g_height) {
    BitBlt(dc, 0, 0, g_width, g_height, memory, 0, 0, SRCCOPY);
  } else {
    StretchBlt(dc, 0, 0, windowWidth, windowHeight, memory, 0, 0, g_width, g_height, SRCCOPY);
  }
  ReleaseDC(window, dc);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

}  // namespace

LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (!MakeBuffer() || SetTimer(window, kTimerId, kPeriodMs, Frame) == 0) {
        SendMessageA(window, WM_DESTROY, 0, 0);
        return 0;
      }
      return 1;
    case WM_DESTROY:
      KillTimer(window, kTimerId);
      PostQuitMessage(0);
      if (g_buffer != nullptr) {
        DeleteObject(g_buffer);
        g_buffer = nullptr;
      }
      return 1;
    default:
      return DefScreenSaverProc(window, message, wParam, lParam);
  }
}

BOOL WINAPI ScreenSaverConfigureDialog(HWND, UINT, WPARAM, LPARAM) { return TRUE; }
BOOL WINAPI RegisterDialogClasses(HANDLE) { return TRUE; }

int main(int argc, char** argv) {
  std::string error;
  std::unique_ptr<posix::DisplayBackend> backend = posix::OpenX11Backend(error);
  if (backend == nullptr) {
    std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
    return 1;
  }
  const ScreenSaverCallbacks callbacks{ScreenSaverProc, ScreenSaverConfigureDialog, RegisterDialogClasses};
  return saverlib::RunScreenSaver(argc, argv, callbacks, nullptr, *backend);
}

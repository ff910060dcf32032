// A minimal saver program for the Windows end-to-end tests of the screen-saver library, independent of the
// scenes: it tiles its bitmap resource 102 (loaded through g_hMainInstance) over its window on a timer and
// writes a debugger line when its window is created and destroyed.
#include "platform/win32.h"
#include "saverlib/screensaver.h"

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kPeriodMs = 50;

HBITMAP g_bitmap = nullptr;

void DrawTiles(HWND window) {
  BITMAP size{};
  if (g_bitmap == nullptr || GetObjectA(g_bitmap, sizeof size, &size) == 0) return;
  RECT client{};
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, g_bitmap);
  for (int y = 0; y < client.bottom; y += size.bmHeight) {
    for (int x = 0; x < client.right; x += size.bmWidth) {
      BitBlt(dc, x, y, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    }
  }
  SelectObject(source, previous);
  DeleteDC(source);
  ReleaseDC(window, dc);
}

}  // namespace

LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OutputDebugStringA("test saver created\n");
      g_bitmap = LoadBitmapA(g_hMainInstance, MAKEINTRESOURCEA(102));
      SetTimer(window, kTimerId, kPeriodMs, nullptr);
      return 0;
    case WM_TIMER:
      DrawTiles(window);
      return 0;
    case WM_DESTROY:
      KillTimer(window, kTimerId);
      if (g_bitmap != nullptr) DeleteObject(g_bitmap);
      g_bitmap = nullptr;
      OutputDebugStringA("test saver destroyed\n");
      return 0;
    default:
      return DefScreenSaverProc(window, message, wParam, lParam);
  }
}

BOOL WINAPI ScreenSaverConfigureDialog(HWND, UINT, WPARAM, LPARAM) { return TRUE; }
BOOL WINAPI RegisterDialogClasses(HANDLE) { return TRUE; }

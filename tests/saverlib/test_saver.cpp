#include "tests/saverlib/test_saver.h"

#include <algorithm>

namespace test_saver {
namespace {

HBITMAP g_backBuffer = nullptr;
UINT_PTR g_timer = 0;

bool MakeBackBuffer() {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = GetSystemMetrics(SM_CXSCREEN);
  info.bmiHeader.biHeight = GetSystemMetrics(SM_CYSCREEN);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  g_backBuffer = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  return g_backBuffer != nullptr;
}

void CALLBACK FrameTick(HWND window, UINT, UINT_PTR, DWORD time) {
  TheLog().ticks.push_back(time);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  RECT rect{};
  GetWindowRect(window, &rect);
  const HDC windowDc = GetDC(window);
  const HDC memoryDc = CreateCompatibleDC(windowDc);
  const HGDIOBJ previous = SelectObject(memoryDc, g_backBuffer);
  if (rect.right - rect.left == screenWidth && rect.bottom - rect.top == screenHeight) {
    BitBlt(windowDc, 0, 0, screenWidth, screenHeight, memoryDc, 0, 0, SRCCOPY);
  } else {
    StretchBlt(windowDc, 0, 0, rect.right - rect.left, rect.bottom - rect.top, memoryDc, 0, 0, screenWidth,
               screenHeight, SRCCOPY);
  }
  ReleaseDC(window, windowDc);
  SelectObject(memoryDc, previous);
  DeleteDC(memoryDc);
}

LRESULT WINAPI TestScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TheLog().messages.push_back(message);
  switch (message) {
    case WM_CREATE:
      TheLog().window = window;
      if (TheLog().createAnswersMinusOne) {
        return -1;
      }
      if (MakeBackBuffer()) {
        g_timer = SetTimer(window, 0x7FFF, 10, FrameTick);
        if (g_timer != 0) {
          return 1;
        }
      }
      SendMessageA(window, WM_DESTROY, 0, 0);
      return 0;
    case WM_DESTROY:
      if (g_timer != 0) {
        KillTimer(window, g_timer);
        g_timer = 0;
      }
      PostQuitMessage(0);
      if (g_backBuffer != nullptr) {
        DeleteObject(g_backBuffer);
        g_backBuffer = nullptr;
      }
      return 1;
    default:
      return DefScreenSaverProc(window, message, wParam, lParam);
  }
}

BOOL WINAPI TestConfigureDialog(HWND, UINT, WPARAM, LPARAM) { return TRUE; }

BOOL WINAPI TestRegisterDialogClasses(HANDLE) {
  ++TheLog().registerDialogClassesCalls;
  return TRUE;
}

}  // namespace

Log& TheLog() {
  static Log log;
  return log;
}

void Reset() {
  TheLog() = Log{};
  g_timer = 0;
  if (g_backBuffer != nullptr) {
    DeleteObject(g_backBuffer);
    g_backBuffer = nullptr;
  }
}

int Count(UINT message) {
  return static_cast<int>(std::count(TheLog().messages.begin(), TheLog().messages.end(), message));
}

ScreenSaverCallbacks Callbacks() {
  return ScreenSaverCallbacks{TestScreenSaverProc, TestConfigureDialog, TestRegisterDialogClasses};
}

}  // namespace test_saver

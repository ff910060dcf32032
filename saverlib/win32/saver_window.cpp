#include "saverlib/win32/saver_window.h"

#include "saverlib/win32/saver_session.h"
#include "saverlib/win32/saver_window_proc.h"

namespace saverlib::win32 {

bool RegisterSaverClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = SaverWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = nullptr;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kSaverClassName;
  return RegisterClassA(&windowClass) != 0;
}

RECT FullScreenArea() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (width > 0 && height > 0) return RECT{left, top, left + width, top + height};

  RECT area{0, 0, 0, 0};
  if (HDC screen = GetDC(nullptr)) {
    GetClipBox(screen, &area);
    ReleaseDC(nullptr, screen);
  }
  return area;
}

HWND CreateFullScreenWindow(HINSTANCE instance) {
  const RECT area = FullScreenArea();
  return CreateWindowExA(WS_EX_TOPMOST, kSaverClassName, kFullScreenTitle, WS_POPUP | WS_VISIBLE, area.left,
                         area.top, area.right - area.left, area.bottom - area.top, nullptr, nullptr, instance,
                         nullptr);
}

HWND CreatePreviewWindow(HINSTANCE instance, HWND parent) {
  RECT client{0, 0, 0, 0};
  if (!GetClientRect(parent, &client)) return nullptr;
  return CreateWindowExA(0, kSaverClassName, kPreviewTitle, WS_CHILD | WS_VISIBLE, 0, 0,
                         client.right - client.left, client.bottom - client.top, parent, nullptr, instance,
                         nullptr);
}

}  // namespace saverlib::win32

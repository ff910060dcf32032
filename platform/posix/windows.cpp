// The window calls of user32: sending messages, default handling, destruction and geometry.
#include "platform/posix/active_backend.h"
#include "platform/posix/timers.h"
#include "platform/posix/window_table.h"
#include "platform/win32.h"

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const posix::WindowRecord* record = posix::LookUpWindow(window);
  if (record == nullptr) {
    return 0;
  }
  // Copied before the call: the procedure may destroy the window and with it the record.
  const WNDPROC procedure = record->procedure;
  return procedure(window, message, wParam, lParam);
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  switch (message) {
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_PAINT:
      // Validates the update region, so that the window is not asked to paint again and again.
      posix::ValidateWindow(window);
      return 0;
    case WM_SETTEXT:
      return TRUE;  // windows here have no caption to show; the text is accepted and not kept
    default:
      return 0;
  }
}

BOOL WINAPI DestroyWindow(HWND window) {
  posix::WindowRecord* record = posix::LookUpWindow(window);
  if (record == nullptr || record->destroying) {
    return FALSE;
  }
  record->destroying = true;
  SendMessageA(window, WM_DESTROY, 0, 0);

  // Looked up again: the window procedure ran in between.
  record = posix::LookUpWindow(window);
  if (record == nullptr) {
    return TRUE;  // the back end was replaced meanwhile, which forgot the window already
  }
  const posix::NativeWindow native = record->native;
  const bool nativeGone = record->nativeGone;
  posix::KillTimersOfWindow(window);
  posix::RemoveWindowRecord(window);
  posix::DisplayBackend* backend = posix::ActiveBackend();
  if (!nativeGone && backend != nullptr) {
    backend->DestroyWindow(native);
  }
  return TRUE;
}

BOOL WINAPI IsWindow(HWND window) { return posix::LookUpWindow(window) != nullptr ? TRUE : FALSE; }

BOOL WINAPI GetWindowRect(HWND window, LPRECT rect) {
  const posix::WindowRecord* record = posix::LookUpWindow(window);
  posix::DisplayBackend* backend = posix::ActiveBackend();
  if (record == nullptr || rect == nullptr || backend == nullptr) {
    return FALSE;
  }
  return backend->WindowRect(record->native, *rect) ? TRUE : FALSE;
}

BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
  const posix::WindowRecord* record = posix::LookUpWindow(window);
  posix::DisplayBackend* backend = posix::ActiveBackend();
  if (record == nullptr || rect == nullptr || backend == nullptr) {
    return FALSE;
  }
  // The saver's windows have no frame: the client area is the whole picture.
  const posix::WindowPicture picture = backend->Picture(record->native);
  *rect = RECT{0, 0, picture.width, picture.height};
  return TRUE;
}

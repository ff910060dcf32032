#include "saverlib/posix/saver_window.h"

#include "platform/posix/active_backend.h"
#include "platform/posix/window_table.h"
#include "saverlib/close_rules.h"

HINSTANCE g_hMainInstance = nullptr;

namespace saverlib {
namespace {

struct SaverWindowState {
  ScreenSaverCallbacks callbacks{};
  CloseRuleState rules;
};
SaverWindowState g_saverWindow;

void RecordCursorOnCreate(HWND window) {
  posix::DisplayBackend* backend = posix::ActiveBackend();
  const posix::WindowRecord* record = posix::LookUpWindow(window);
  POINT cursor{0, 0};
  if (backend != nullptr && record != nullptr && backend->PointerPosition(record->native, cursor)) {
    RecordCursor(g_saverWindow.rules, cursor);
  }
}

LRESULT ForwardToProgram(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto procedure = g_saverWindow.callbacks.screenSaverProc;
  return procedure != nullptr ? procedure(window, message, wParam, lParam)
                               : DefScreenSaverProc(window, message, wParam, lParam);
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      RecordCursorOnCreate(window);
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      break;
    case WM_SETTEXT:
      return FALSE;  // the saver window keeps its title
    case WM_SYSCOMMAND:
      if (!g_saverWindow.rules.preview) {
        const WPARAM command = SystemCommandType(wParam);
        if (command == SC_NEXTWINDOW || command == SC_PREVWINDOW || command == SC_SCREENSAVE) {
          return FALSE;  // no switching away, and no second saver over this one
        }
        // The monitor-power command is the one close rule applied here rather than in DefScreenSaverProc.
        if (ClosesSaver(g_saverWindow.rules, message, wParam, lParam)) {
          PostMessageA(window, WM_CLOSE, 0, 0);
          return 0;
        }
      }
      break;
    default:
      break;
  }
  return ForwardToProgram(window, message, wParam, lParam);
}

}  // namespace

HWND CreateSaverWindow(posix::NativeWindow native, bool preview, const ScreenSaverCallbacks& callbacks) {
  g_saverWindow = SaverWindowState{};
  g_saverWindow.callbacks = callbacks;
  g_saverWindow.rules.preview = preview;
  return posix::CreateWindowForNative(native, SaverWindowProc);
}

void ForgetSaverWindow() { g_saverWindow = SaverWindowState{}; }

}  // namespace saverlib

LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // System commands were seen by the library's own window procedure before the program's.
  if (message != WM_SYSCOMMAND && saverlib::ClosesSaver(saverlib::g_saverWindow.rules, message, wParam, lParam)) {
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

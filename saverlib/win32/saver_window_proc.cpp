#include "saverlib/win32/saver_window_proc.h"

#include <imm.h>

#include "saverlib/screensaver.h"
#include "saverlib/win32/saver_session.h"

namespace saverlib::win32 {
namespace {

// The cursor position that mouse movements are measured from, in the window's client coordinates (the
// coordinates of WM_MOUSEMOVE).
void RecordCursorOnCreate(HWND window) {
  POINT cursor;
  if (!GetCursorPos(&cursor) || !ScreenToClient(window, &cursor)) return;
  saverlib::RecordCursor(Session().closeRules, cursor);
}

bool IsSystemCommand(WPARAM wParam, UINT command) { return SystemCommandType(wParam) == command; }

}  // namespace

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const SaverSession& session = Session();
  switch (message) {
    case WM_CREATE:
      RecordCursorOnCreate(window);
      // Keys typed into a saver are input that closes it, never text for an input method.
      ImmAssociateContext(window, nullptr);
      break;

    case WM_DESTROY:
      PostQuitMessage(0);
      break;

    case WM_SETTEXT:
      // The title is how a second full-screen start finds this one: it is not changed.
      return FALSE;

    case WM_SYSCOMMAND:
      if (session.preview) break;
      // Switching windows or starting another saver is not done over a full-screen saver.
      if (IsSystemCommand(wParam, SC_NEXTWINDOW) || IsSystemCommand(wParam, SC_PREVWINDOW) ||
          IsSystemCommand(wParam, SC_SCREENSAVE)) {
        return FALSE;
      }
      // The monitor is going to sleep: the saver ends, and the command still goes on to the system.
      if (IsSystemCommand(wParam, SC_MONITORPOWER)) RequestClose(window);
      break;

    case WM_HELP:
    case WM_CONTEXTMENU:
      // In the settings dialog's preview, help belongs to the dialog that hosts it.
      if (!session.preview) break;
      if (session.parent != nullptr && IsWindow(session.parent)) {
        PostMessageA(session.parent, message, reinterpret_cast<WPARAM>(session.parent), lParam);
      }
      return TRUE;

    default:
      break;
  }
  return ScreenSaverProc(window, message, wParam, lParam);
}

}  // namespace saverlib::win32

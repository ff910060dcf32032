// DefScreenSaverProc: the default handling that a saver program gives every message it does not handle
// itself. In full screen this is where user input ends the saver and where the cursor is kept hidden.
#include "saverlib/close_rules.h"
#include "saverlib/screensaver.h"
#include "saverlib/win32/saver_session.h"

using saverlib::win32::Session;

LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  saverlib::win32::SaverSession& session = Session();
  if (!session.preview) {
    if (message == WM_SETCURSOR) {
      SetCursor(nullptr);
      return TRUE;
    }
    if (saverlib::ClosesSaver(session.closeRules, message, wParam, lParam)) {
      saverlib::win32::RequestClose(window);
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

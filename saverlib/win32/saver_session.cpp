#include "saverlib/win32/saver_session.h"

namespace saverlib::win32 {

SaverSession& Session() {
  static SaverSession session;
  return session;
}

void RequestClose(HWND window) {
  SaverSession& session = Session();
  if (session.preview || session.closeRequested) return;
  session.closeRequested = true;
  PostMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace saverlib::win32

// The saver window's own window procedure, between the message loop and the program's ScreenSaverProc, and the
// state that DefScreenSaverProc's close rules keep. Internal to the POSIX saver library.
#pragma once

#include "platform/posix/display_backend.h"
#include "saverlib/screensaver.h"

namespace saverlib {

// Gives the native window an HWND run by the library's window procedure, which forwards to the program's, and
// delivers WM_CREATE. Null when WM_CREATE answers -1 (the window is then destroyed again).
HWND CreateSaverWindow(posix::NativeWindow native, bool preview, const ScreenSaverCallbacks& callbacks);

// Forgets the callbacks and the close rules' state.
void ForgetSaverWindow();

}  // namespace saverlib

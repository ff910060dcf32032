// The window procedure of the saver window class. It handles what the library itself owns (the cursor record
// and input-method detachment at creation, the quit message, the title, system commands that must not act
// on a full-screen saver, help requests in a preview) and hands every other message to the program's
// ScreenSaverProc.
#pragma once

#include "platform/win32.h"

namespace saverlib::win32 {

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace saverlib::win32

// The saver window: its class, and the full-screen and preview windows made from it.
#pragma once

#include "platform/win32.h"

namespace saverlib::win32 {

// Registers "WindowsScreenSaverClass": no cursor, a black background, the library's window procedure.
bool RegisterSaverClass(HINSTANCE instance);

// The area a full-screen saver covers: the whole virtual screen, or the screen's clip box where the system
// reports no virtual screen.
RECT FullScreenArea();

// A topmost popup over FullScreenArea titled "Screen Saver". Null when it cannot be made.
HWND CreateFullScreenWindow(HINSTANCE instance);

// A visible child titled "Preview" filling the parent's client area. Null when it cannot be made.
HWND CreatePreviewWindow(HINSTANCE instance, HWND parent);

}  // namespace saverlib::win32

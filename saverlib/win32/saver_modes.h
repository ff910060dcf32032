// The three things a saver program can be started to do. Each returns the program's exit code.
#pragma once

#include "platform/win32.h"

namespace saverlib::win32 {

// Full screen over the virtual screen, or, when a full-screen saver already runs, bring that one forward.
int RunFullScreen(HINSTANCE instance);

// A preview inside `parent`, which must be an existing window.
int RunPreview(HINSTANCE instance, HWND parent);

// The configure dialog, owned by `owner` (may be null).
int RunConfigure(HINSTANCE instance, HWND owner);

}  // namespace saverlib::win32

// What the screen-saver library knows about the one saver window of this process: whether it is a preview,
// the preview's parent, and the state of the rules that close a full-screen saver on user input.
#pragma once

#include "platform/win32.h"
#include "saverlib/close_rules.h"

namespace saverlib::win32 {

constexpr char kSaverClassName[] = "WindowsScreenSaverClass";
constexpr char kFullScreenTitle[] = "Screen Saver";
constexpr char kPreviewTitle[] = "Preview";

struct SaverSession {
  bool preview = false;
  HWND parent = nullptr;  // the preview's parent window; null in full screen
  CloseRuleState closeRules;
  bool closeRequested = false;  // WM_CLOSE already posted: later input changes nothing
};

// The session of this process. Set up by the entry point before the window is created, then read and updated
// by the window procedures on the message loop's thread.
SaverSession& Session();

// Posts WM_CLOSE to a full-screen saver window, once; its default handling destroys the window, which ends
// the message loop. A preview is never closed this way: its parent destroys it.
void RequestClose(HWND window);

}  // namespace saverlib::win32

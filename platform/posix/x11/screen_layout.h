// Where the monitors are. Windows places the primary monitor at (0, 0) and measures the virtual screen from
// there; X measures everything from the root window's corner. This translates between the two.
#pragma once

#include "platform/posix/x11/xlib.h"

#include "platform/win32.h"

namespace posix::x11 {

struct ScreenLayout {
  // The primary monitor, in root-window coordinates.
  int primaryX = 0;
  int primaryY = 0;
  int primaryWidth = 0;
  int primaryHeight = 0;
  // The root window's size: the area that covers every monitor.
  int rootWidth = 0;
  int rootHeight = 0;

  // The root window's extent in the coordinates in which the primary monitor starts at (0, 0).
  RECT VirtualScreen() const;
};

// Reads the layout of `screen`. The primary monitor comes from the RandR extension's monitor list (the one
// marked primary, else the first); without RandR 1.5 or with no monitor listed it is the whole root window.
ScreenLayout ReadScreenLayout(Display* display, int screen);

}  // namespace posix::x11

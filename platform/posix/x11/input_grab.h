// Hiding the pointer and taking the keyboard and pointer for the full-screen window, so that every key press and
// movement reaches the saver, whichever window the window manager thinks has the focus.
#pragma once

#include "platform/posix/x11/xlib.h"

namespace posix::x11 {

// A cursor with no visible pixel. Freed with XFreeCursor.
Cursor CreateInvisibleCursor(Display* display, Window root);

struct GrabResult {
  bool keyboard = false;
  bool pointer = false;
};

// Grabs the keyboard and the pointer for `window` (which must be mapped), showing `cursor` over the whole
// screen. Another client may hold a grab for a moment (a menu, a window manager's key binding), so a refused
// grab is tried again for about a second before it is given up; the saver then still gets the input that X
// sends to its window by focus and position.
GrabResult GrabInput(Display* display, Window window, Cursor cursor);

}  // namespace posix::x11

// The names by which saver windows are told apart: the class (WM_CLASS) and the title (WM_NAME and
// _NET_WM_NAME), and the lookup of a running full-screen saver by them.
#pragma once

#include "platform/posix/x11/xlib.h"

namespace posix::x11 {

inline constexpr char kSaverWindowClass[] = "WindowsScreenSaverClass";
inline constexpr char kFullScreenTitle[] = "Screen Saver";
inline constexpr char kPreviewTitle[] = "Preview";

// Sets the window's title in both the ICCCM property and the EWMH (UTF-8) one.
void SetWindowTitle(Display* display, Window window, const char* title);

// Sets WM_CLASS: the instance name is this program's name, the class is kSaverWindowClass.
void SetSaverWindowClass(Display* display, Window window);

// The first child of `root` whose class is kSaverWindowClass and whose title is kFullScreenTitle, or None.
// Windows that vanish during the search are skipped.
Window FindFullScreenSaverWindow(Display* display, Window root);

}  // namespace posix::x11

// The X11 display back end: the saver's windows as real windows on an X server.
//
// Full screen: an override-redirect window over the root window's whole extent, so that it covers every monitor
// and sits above all managed windows whether or not a window manager runs (a window manager may ignore or
// delay the EWMH full-screen and above states, keeps full-screen windows to one monitor and does nothing at all
// when there is none). It is not managed, so it takes the focus and grabs the keyboard and pointer itself.
// Preview: a child window of the given window, which is also how the saver runs under XScreenSaver.
// Presentation goes through MIT-SHM where the server can attach shared memory, else through XPutImage.
//
// Depends on Xlib, the MIT-SHM extension (libXext) and RandR (libXrandr) for the primary monitor.
#pragma once

#include <memory>
#include <string>

#include "platform/posix/display_backend.h"

namespace posix {

// Opens the X display named by DISPLAY. On failure returns null and sets `error` to one line saying why (no
// DISPLAY, the display cannot be reached, no usable visual, a back end already open in this process).
std::unique_ptr<DisplayBackend> OpenX11Backend(std::string& error);

}  // namespace posix

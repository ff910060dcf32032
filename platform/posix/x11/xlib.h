// Xlib for the back end's sources. <X11/X.h> names its event types with macros (KeyPress, ButtonPress,
// Expose) that would rewrite the back-end contract's InputEventKind names wherever both are visible, so this
// keeps their values as constants and drops the three macros. Include it before any other X11 header.
#pragma once

#include <X11/Xlib.h>

namespace posix::x11 {

inline constexpr int kKeyPressEvent = KeyPress;
inline constexpr int kButtonPressEvent = ButtonPress;
inline constexpr int kExposeEvent = Expose;

}  // namespace posix::x11

#undef KeyPress
#undef ButtonPress
#undef Expose

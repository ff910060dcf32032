// Which X events the saver's windows turn into back-end input events, and how.
#pragma once

#include "platform/posix/x11/xlib.h"

#include <optional>

#include "platform/posix/display_backend.h"

namespace posix::x11 {

enum class WindowRole { FullScreen, Preview };

// The window an event is about: for DestroyNotify the destroyed window (which X may report to its parent's
// listeners), for every other event the window it was reported on.
Window SubjectWindow(const XEvent& event);

// The input event for `event`, which concerns a window of the given role, stamped with `now`; nothing for the
// events a saver does not act on. A preview closes only when it is destroyed, so it reports exposure and
// destruction and nothing else. A full-screen window also reports key and button presses, pointer motion and the
// loss of the input focus to another window (not the pseudo focus changes that grabs cause).
std::optional<InputEvent> TranslateEvent(const XEvent& event, WindowRole role, DWORD now);

}  // namespace posix::x11

// The display back end this process uses. A program chooses it once, at start, before it makes any window;
// the POSIX Windows calls (windows, device contexts, messages, timers, GetTickCount, GetSystemMetrics) go through
// it. With no back end chosen they fail in the documented way (null handles, FALSE, 0), except GetTickCount,
// which then counts from the system's monotonic clock.
#pragma once

#include "platform/posix/display_backend.h"

namespace posix {

// Makes `backend` (or none, with null) the one in use. Every window, timer, device context of a window and
// queued message of the previous back end is forgotten without calling that back end again, so a back end may be
// replaced (or destroyed right after being replaced by null) at any time.
void SetDisplayBackend(DisplayBackend* backend);

// The back end in use, or null.
DisplayBackend* ActiveBackend();

}  // namespace posix

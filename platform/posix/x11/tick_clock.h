// GetTickCount's clock: milliseconds of the system's monotonic clock (which counts from boot, as Windows'
// does), cut to 32 bits so that it wraps after 2^32 ms, about 49.7 days.
#pragma once

#include "platform/win32.h"

namespace posix::x11 {

DWORD MonotonicTickCount();

}  // namespace posix::x11

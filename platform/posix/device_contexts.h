// Device contexts: a window's (GetDC, BeginPaint), the screen's (GetDC with no window) and memory ones
// (CreateCompatibleDC) into which a DIB section is selected. Internal to the POSIX implementation.
#pragma once

#include "platform/win32.h"

namespace posix {

enum class DeviceContextKind { Screen, Window, Memory };

struct DeviceContext {
  DeviceContextKind kind = DeviceContextKind::Memory;
  HWND window = nullptr;       // for a window's context
  HBITMAP selected = nullptr;  // for a memory context: the bitmap selected into it
};

// The context of a handle, or null for one that names none. Valid until the next context is made or deleted.
const DeviceContext* LookUpDeviceContext(HDC dc);

// The bitmap a new memory context holds before anything is selected into it (on Windows a 1 x 1 monochrome
// stock bitmap). It has no pixels: blitting from it fails.
HBITMAP DefaultMemoryBitmap();

}  // namespace posix

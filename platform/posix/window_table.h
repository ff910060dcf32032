// The windows of this process: which HWND stands for which native window of the display back end, its window
// procedure, and whether it has an area waiting for WM_PAINT. Internal to the POSIX implementation.
#pragma once

#include <vector>

#include "platform/posix/display_backend.h"
#include "platform/win32.h"

namespace posix {

struct WindowRecord {
  NativeWindow native = 0;
  WNDPROC procedure = nullptr;
  bool destroying = false;  // DestroyWindow is running for it
  bool nativeGone = false;  // the back end has already lost the native window
  bool needsPaint = false;
  RECT invalidArea{0, 0, 0, 0};
};

// Gives a native window that the active back end made an HWND, with `procedure` as its window procedure, and
// sends it WM_CREATE (both parameters 0). When the procedure answers -1 the window is destroyed again, as
// CreateWindowEx does, and the result is null; also null for native 0 or a null procedure.
HWND CreateWindowForNative(NativeWindow native, WNDPROC procedure);

// The record of a window, or null for a handle that names none. The pointer is valid until the table changes:
// do not keep it across a call that may create or destroy windows (any message).
WindowRecord* LookUpWindow(HWND window);

// The window of a native window, or null.
HWND WindowOfNative(NativeWindow native);

// Every window, in the order of creation.
std::vector<HWND> AllWindows();

// Adds `area` to the window's update region (kept as one bounding rectangle) and marks it for WM_PAINT.
void InvalidateWindow(HWND window, const RECT& area);

// A window that waits for WM_PAINT, or null.
HWND WindowNeedingPaint();

// Takes the window's update region away (BeginPaint), returning it; empty when it had none.
RECT ValidateWindow(HWND window);

// Drops every record without messages and without calling any back end (the back end is being replaced).
void ForgetAllWindows();

// Drops one record without messages (the last step of DestroyWindow).
void RemoveWindowRecord(HWND window);

}  // namespace posix

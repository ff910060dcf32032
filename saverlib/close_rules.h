// Which inputs end a full-screen saver. Shared by the Windows and POSIX saver libraries so that both close on
// exactly the same inputs; a preview is never closed by input.
#pragma once

#include "platform/win32.h"

namespace saverlib {

// The largest mouse movement (horizontal plus vertical distance from the last recorded cursor position) that
// does not close the saver.
constexpr int kMouseMoveThreshold = 4;

struct CloseRuleState {
  bool preview = false;
  bool cursorRecorded = false;
  POINT lastCursor{0, 0};
};

// The type of a WM_SYSCOMMAND: the upper 12 bits of its wParam (the system uses the low four bits itself).
constexpr WPARAM SystemCommandType(WPARAM wParam) { return wParam & 0xFFF0; }

// Records where the cursor is when the saver starts (on WM_CREATE), in the coordinates of WM_MOUSEMOVE.
void RecordCursor(CloseRuleState& state, POINT cursor);

// Decides whether a window message is user activity that closes the saver: a key or a left, right or middle
// button going down, a movement of more than kMouseMoveThreshold, WM_ACTIVATEAPP with FALSE, the monitor-power
// system command and any power event. Never true for a preview.
//
// The recorded position is the reference for every later movement: movements within the threshold do not move
// it, so a slow drift adds up and closes the saver once the cursor is more than the threshold away from where
// it started. When no position was recorded, the first movement records it and does not close.
bool ClosesSaver(CloseRuleState& state, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace saverlib

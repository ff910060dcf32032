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

// Decides whether a window message is user activity that closes the saver. Mouse movements within the
// threshold are not, and only update nothing; the first movement seen records the position when none was
// recorded yet.
bool ClosesSaver(CloseRuleState& state, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace saverlib

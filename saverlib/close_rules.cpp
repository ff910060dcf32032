#include "saverlib/close_rules.h"

#include <cstdint>
#include <cstdlib>

namespace saverlib {
namespace {

bool MovedBeyondThreshold(CloseRuleState& state, LPARAM lParam) {
  const POINT cursor{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (!state.cursorRecorded) {
    RecordCursor(state, cursor);
    return false;
  }
  // 64-bit, so that a recorded position anywhere in the 32-bit range cannot overflow the distance.
  const std::int64_t distance = std::llabs(std::int64_t{cursor.x} - state.lastCursor.x) +
                                std::llabs(std::int64_t{cursor.y} - state.lastCursor.y);
  return distance > kMouseMoveThreshold;
}

}  // namespace

void RecordCursor(CloseRuleState& state, POINT cursor) {
  state.lastCursor = cursor;
  state.cursorRecorded = true;
}

bool ClosesSaver(CloseRuleState& state, UINT message, WPARAM wParam, LPARAM lParam) {
  if (state.preview) {
    return false;
  }
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_POWERBROADCAST:
      return true;
    case WM_MOUSEMOVE:
      return MovedBeyondThreshold(state, lParam);
    case WM_ACTIVATEAPP:
      return wParam == FALSE;
    case WM_SYSCOMMAND:
      return SystemCommandType(wParam) == SC_MONITORPOWER;
    default:
      return false;
  }
}

}  // namespace saverlib

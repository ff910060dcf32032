#include "saverlib/close_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

namespace {

using saverlib::CloseRuleState;
using saverlib::ClosesSaver;

CloseRuleState FullScreenAt(LONG x, LONG y) {
  CloseRuleState state;
  saverlib::RecordCursor(state, POINT{x, y});
  return state;
}

struct MessageCase {
  const char* name;
  UINT message;
  WPARAM wParam;
  bool closes;
};
// Names the case in test listings instead of a dump of its bytes.
void PrintTo(const MessageCase& c, std::ostream* out) { *out << c.name; }


class CloseOnMessage : public ::testing::TestWithParam<MessageCase> {};

TEST_P(CloseOnMessage, FullScreenClosesAndPreviewNever) {
  const MessageCase& c = GetParam();
  CloseRuleState fullScreen = FullScreenAt(100, 100);
  EXPECT_EQ(ClosesSaver(fullScreen, c.message, c.wParam, MAKELPARAM(100, 100)), c.closes) << c.name;

  CloseRuleState preview = FullScreenAt(100, 100);
  preview.preview = true;
  EXPECT_FALSE(ClosesSaver(preview, c.message, c.wParam, MAKELPARAM(100, 100))) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Messages, CloseOnMessage,
    ::testing::Values(MessageCase{"key down", WM_KEYDOWN, 0x41, true},
                      MessageCase{"system key down", WM_SYSKEYDOWN, 0x12, true},
                      MessageCase{"left button", WM_LBUTTONDOWN, 0, true},
                      MessageCase{"right button", WM_RBUTTONDOWN, 0, true},
                      MessageCase{"middle button", WM_MBUTTONDOWN, 0, true},
                      MessageCase{"application deactivated", WM_ACTIVATEAPP, FALSE, true},
                      MessageCase{"application activated", WM_ACTIVATEAPP, TRUE, false},
                      MessageCase{"monitor power", WM_SYSCOMMAND, SC_MONITORPOWER, true},
                      MessageCase{"monitor power, low bits set", WM_SYSCOMMAND, SC_MONITORPOWER | 0x2, true},
                      MessageCase{"other system command", WM_SYSCOMMAND, SC_SCREENSAVE, false},
                      MessageCase{"power event", WM_POWERBROADCAST, 4, true},
                      MessageCase{"key up", WM_KEYUP, 0x41, false}, MessageCase{"timer", WM_TIMER, 1, false},
                      MessageCase{"paint", WM_PAINT, 0, false},
                      MessageCase{"move to the same place", WM_MOUSEMOVE, 0, false}));

struct MoveCase {
  int dx;
  int dy;
  bool closes;
};
void PrintTo(const MoveCase& c, std::ostream* out) { *out << c.dx << "," << c.dy; }


class CloseOnMove : public ::testing::TestWithParam<MoveCase> {};

// Horizontal plus vertical distance from the recorded position: 4 keeps running, more closes.
TEST_P(CloseOnMove, ThresholdIsFourPixels) {
  const MoveCase& c = GetParam();
  CloseRuleState state = FullScreenAt(200, 300);
  EXPECT_EQ(ClosesSaver(state, WM_MOUSEMOVE, 0, MAKELPARAM(200 + c.dx, 300 + c.dy)), c.closes)
      << c.dx << ", " << c.dy;
}

INSTANTIATE_TEST_SUITE_P(Distances, CloseOnMove,
                         ::testing::Values(MoveCase{4, 0, false}, MoveCase{0, -4, false}, MoveCase{2, 2, false},
                                           MoveCase{-1, 3, false}, MoveCase{5, 0, true}, MoveCase{0, 5, true},
                                           MoveCase{2, 3, true}, MoveCase{-3, -2, true}, MoveCase{-500, 700, true}));

TEST(CloseOnMove, SmallMovesDoNotMoveTheReferenceSoDriftCloses) {
  CloseRuleState state = FullScreenAt(10, 10);
  EXPECT_FALSE(ClosesSaver(state, WM_MOUSEMOVE, 0, MAKELPARAM(12, 10)));
  EXPECT_FALSE(ClosesSaver(state, WM_MOUSEMOVE, 0, MAKELPARAM(14, 10)));
  EXPECT_TRUE(ClosesSaver(state, WM_MOUSEMOVE, 0, MAKELPARAM(15, 10)));
}

TEST(CloseOnMove, FirstMoveRecordsWhenNothingWasRecorded) {
  CloseRuleState state;
  EXPECT_FALSE(ClosesSaver(state, WM_MOUSEMOVE, 0, MAKELPARAM(500, 400)));
  EXPECT_TRUE(state.cursorRecorded);
  EXPECT_FALSE(ClosesSaver(state, WM_MOUSEMOVE, 0, MAKELPARAM(504, 400)));
  EXPECT_TRUE(ClosesSaver(state, WM_MOUSEMOVE, 0, MAKELPARAM(505, 400)));
}

TEST(CloseOnMove, NegativeCoordinatesAndExtremeRecordedPositions) {
  // Positions left of or above the window arrive as negative 16-bit values.
  CloseRuleState left = FullScreenAt(-3, -3);
  EXPECT_FALSE(ClosesSaver(left, WM_MOUSEMOVE, 0, MAKELPARAM(-5, -1)));
  EXPECT_TRUE(ClosesSaver(left, WM_MOUSEMOVE, 0, MAKELPARAM(-6, -1)));

  // A recorded position at the ends of the 32-bit range must not overflow the distance.
  CloseRuleState distant = FullScreenAt(INT32_MIN, INT32_MAX);
  EXPECT_TRUE(ClosesSaver(distant, WM_MOUSEMOVE, 0, MAKELPARAM(0, 0)));
}

TEST(CloseOnMove, PreviewIgnoresEveryMovement) {
  CloseRuleState state = FullScreenAt(0, 0);
  state.preview = true;
  EXPECT_FALSE(ClosesSaver(state, WM_MOUSEMOVE, 0, MAKELPARAM(3000, 3000)));
}

}  // namespace

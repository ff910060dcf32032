// Timers and the message loop on the headless back end's virtual clock.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "platform/posix/timers.h"
#include "tests/platform/window_fixture.h"

namespace {

using platform_test::CountReceived;
using platform_test::HeadlessWindowTest;
using platform_test::ReceivedMessages;
using posix::headless::HeadlessBackend;
using posix::headless::HeadlessConfig;

std::vector<DWORD>& TickTimes() {
  static std::vector<DWORD> times;
  return times;
}

void CALLBACK RecordTick(HWND, UINT message, UINT_PTR, DWORD time) {
  EXPECT_EQ(message, static_cast<UINT>(WM_TIMER));
  TickTimes().push_back(time);
}

class MessageLoop : public HeadlessWindowTest {
 protected:
  MessageLoop() { TickTimes().clear(); }

  // Runs GetMessageA and DispatchMessageA `count` times (or until WM_QUIT); returns what the last GetMessageA
  // returned.
  BOOL Pump(int count) {
    BOOL result = TRUE;
    for (int i = 0; i < count && result > 0; ++i) {
      MSG message{};
      result = GetMessageA(&message, nullptr, 0, 0);
      if (result > 0) {
        DispatchMessageA(&message);
      }
    }
    return result;
  }
};

TEST_F(MessageLoop, TimerProcedureTicksEveryPeriodWithTheClockAsTimeStamp) {
  backend.SetEndTime(1000);
  const HWND window = MakeWindow();
  ASSERT_EQ(SetTimer(window, 0x7FFF, 10, RecordTick), 0x7FFFu);
  Pump(3);
  EXPECT_EQ(TickTimes(), (std::vector<DWORD>{10, 20, 30}));
  // Straight to the procedure: the window procedure never saw WM_TIMER.
  EXPECT_EQ(CountReceived(WM_TIMER), 0);
}

TEST_F(MessageLoop, ATimerWithoutProcedureGoesToTheWindow) {
  backend.SetEndTime(1000);
  const HWND window = MakeWindow();
  SetTimer(window, 5, 25, nullptr);
  Pump(2);
  ASSERT_EQ(CountReceived(WM_TIMER), 2);
  EXPECT_EQ(ReceivedMessages().back().wParam, 5u);
}

void CALLBACK SlowTick(HWND, UINT, UINT_PTR, DWORD time) {
  TickTimes().push_back(time);
  if (TickTimes().size() == 1) {
    static_cast<HeadlessBackend*>(posix::ActiveBackend())->AdvanceBy(35);  // this frame took 35 ms
  }
}

TEST_F(MessageLoop, ALateTimerTicksOnceNotOncePerMissedPeriod) {
  backend.SetEndTime(1000);
  const HWND window = MakeWindow();
  SetTimer(window, 1, 10, SlowTick);
  Pump(3);
  EXPECT_EQ(TickTimes(), (std::vector<DWORD>{10, 45, 55}));
}

TEST_F(MessageLoop, TimerMessagesComeOnlyWhenTheQueueIsEmpty) {
  backend.SetEndTime(1000);
  const HWND window = MakeWindow();
  SetTimer(window, 1, 10, nullptr);
  backend.AdvanceBy(100);  // ten periods pass while three messages wait
  for (int i = 0; i < 3; ++i) {
    PostMessageA(window, WM_NULL, static_cast<WPARAM>(i), 0);
  }
  std::vector<UINT> order;
  for (int i = 0; i < 5; ++i) {
    MSG message{};
    ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
    order.push_back(message.message);
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_NULL, WM_NULL, WM_NULL, WM_TIMER, WM_TIMER}));
  EXPECT_EQ(backend.TickCount(), 110u);  // the second timer message had to wait a whole period
}

TEST_F(MessageLoop, KillTimerStopsTicksAndReportsWhetherThereWasOne) {
  backend.SetEndTime(100);
  const HWND window = MakeWindow();
  SetTimer(window, 7, 10, RecordTick);
  Pump(2);
  EXPECT_TRUE(KillTimer(window, 7));
  EXPECT_FALSE(KillTimer(window, 7));
  EXPECT_FALSE(KillTimer(nullptr, 7));
  EXPECT_EQ(Pump(100), FALSE);  // nothing but the end of the run is left: WM_QUIT
  EXPECT_EQ(TickTimes().size(), 2u);
}

TEST_F(MessageLoop, SetTimerRulesOnWindowsIdsAndPeriods) {
  backend.SetEndTime(1000);
  const HWND window = MakeWindow();
  EXPECT_EQ(SetTimer(reinterpret_cast<HWND>(0x5555), 1, 10, RecordTick), 0u);  // not a window
  EXPECT_EQ(SetTimer(window, 0, 10, RecordTick), 0u);                         // a window timer needs an id
  // Replacing a timer keeps one timer; a period below the minimum becomes the minimum.
  EXPECT_EQ(SetTimer(window, 3, 500, RecordTick), 3u);
  EXPECT_EQ(SetTimer(window, 3, 1, RecordTick), 3u);
  Pump(2);
  EXPECT_EQ(TickTimes(), (std::vector<DWORD>{posix::kTimerMinimumPeriod, 2 * posix::kTimerMinimumPeriod}));
  // Timers without a window get distinct ids of their own.
  const UINT_PTR a = SetTimer(nullptr, 0, 10, RecordTick);
  const UINT_PTR b = SetTimer(nullptr, 0, 10, RecordTick);
  EXPECT_NE(a, 0u);
  EXPECT_NE(b, 0u);
  EXPECT_NE(a, b);
}

TEST(MessageLoopClock, TicksAcrossTheWrapOfTheTickCount) {
  HeadlessConfig config;
  config.startTime = 0xFFFFFFF0u;
  HeadlessBackend backend(config);
  posix::SetDisplayBackend(&backend);
  TickTimes().clear();
  backend.SetEndTime(100);  // after the wrap
  const HWND window = posix::CreateWindowForNative(backend.CreateFullScreenWindow(RECT{0, 0, 8, 8}),
                                                   platform_test::RecordingProc);
  SetTimer(window, 1, 10, RecordTick);
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    DispatchMessageA(&message);
  }
  ASSERT_GE(TickTimes().size(), 3u);
  EXPECT_EQ(TickTimes()[0], 0xFFFFFFFAu);
  EXPECT_EQ(TickTimes()[1], 4u);
  EXPECT_EQ(TickTimes()[2], 14u);
  EXPECT_EQ(TickTimes().back(), 94u);
  posix::SetDisplayBackend(nullptr);
}

TEST_F(MessageLoop, ForgedOrStaleTimerMessagesCallNothing) {
  backend.SetEndTime(1000);
  const HWND window = MakeWindow();
  SetTimer(window, 1, 10, RecordTick);
  MSG forged{window, WM_TIMER, 1, 0x12345678, 0, POINT{0, 0}};  // a procedure address that is not the timer's
  EXPECT_EQ(DispatchMessageA(&forged), 0);
  MSG real{};
  ASSERT_EQ(GetMessageA(&real, nullptr, 0, 0), TRUE);
  KillTimer(window, 1);
  DispatchMessageA(&real);  // the timer is gone by the time its message is dispatched
  EXPECT_TRUE(TickTimes().empty());
  EXPECT_EQ(DispatchMessageA(nullptr), 0);
}

TEST_F(MessageLoop, TickTimersAtTicksEveryTimerAtExactlyTheGivenTime) {
  const HWND window = MakeWindow();
  SetTimer(window, 1, 10, RecordTick);
  SetTimer(window, 2, 10, RecordTick);
  backend.TickTimersAt(0);  // frame 0 at the start itself
  backend.TickTimersAt(33);
  EXPECT_EQ(TickTimes(), (std::vector<DWORD>{0, 0, 33, 33}));
  EXPECT_EQ(GetTickCount(), 33u);
}

TEST_F(MessageLoop, QuitComesAfterPostedMessagesAndBeforePaintAndTimers) {
  backend.SetEndTime(1000);
  const HWND window = MakeWindow();
  SetTimer(window, 1, 10, RecordTick);
  backend.AdvanceBy(50);
  backend.InjectExpose(50, NativeOf(window), RECT{0, 0, 4, 4});
  PostMessageA(window, WM_NULL, 0, 0);
  PostQuitMessage(3);
  MSG message{};
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_NULL));
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), FALSE);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 3u);
  // Then the paint, which BeginPaint answers, and only then the timer.
  ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
  ASSERT_EQ(message.message, static_cast<UINT>(WM_PAINT));
  PAINTSTRUCT paint{};
  ASSERT_NE(BeginPaint(window, &paint), nullptr);
  EXPECT_EQ(paint.rcPaint.right, 4);
  EXPECT_TRUE(EndPaint(window, &paint));
  ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_TIMER));
}

TEST_F(MessageLoop, DefaultPaintHandlingValidatesSoPaintIsNotRepeated) {
  backend.SetEndTime(1000);
  const HWND window = MakeWindow();
  SetTimer(window, 1, 10, RecordTick);
  backend.InjectExpose(0, NativeOf(window), RECT{0, 0, 64, 48});
  Pump(3);
  EXPECT_EQ(CountReceived(WM_PAINT), 1);
  EXPECT_EQ(TickTimes().size(), 2u);
}

struct InputCase {
  const char* name;
  void (*inject)(HeadlessBackend&, posix::NativeWindow);
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
// Names the case in test listings instead of a dump of its bytes.
void PrintTo(const InputCase& c, std::ostream* out) { *out << c.name; }


class InputMessages : public MessageLoop, public ::testing::WithParamInterface<InputCase> {};

TEST_P(InputMessages, BecomeTheWindowMessages) {
  const InputCase& c = GetParam();
  const HWND window = MakeWindow();
  c.inject(backend, NativeOf(window));
  MSG message{};
  ASSERT_EQ(GetMessageA(&message, nullptr, 0, 0), TRUE);
  EXPECT_EQ(message.hwnd, window);
  EXPECT_EQ(message.message, c.message);
  EXPECT_EQ(message.wParam, c.wParam);
  EXPECT_EQ(message.lParam, c.lParam);
  EXPECT_EQ(message.time, 20u);
}

INSTANTIATE_TEST_SUITE_P(
    Events, InputMessages,
    ::testing::Values(
        InputCase{"key", [](HeadlessBackend& b, posix::NativeWindow w) { b.InjectKeyPress(20, w); }, WM_KEYDOWN, 0,
                  1},
        InputCase{"left",
                  [](HeadlessBackend& b, posix::NativeWindow w) {
                    b.InjectButtonPress(20, w, posix::MouseButton::Left, 3, 4);
                  },
                  WM_LBUTTONDOWN, 0, MAKELPARAM(3, 4)},
        InputCase{"right",
                  [](HeadlessBackend& b, posix::NativeWindow w) {
                    b.InjectButtonPress(20, w, posix::MouseButton::Right, 3, 4);
                  },
                  WM_RBUTTONDOWN, 0, MAKELPARAM(3, 4)},
        InputCase{"middle",
                  [](HeadlessBackend& b, posix::NativeWindow w) {
                    b.InjectButtonPress(20, w, posix::MouseButton::Middle, 3, 4);
                  },
                  WM_MBUTTONDOWN, 0, MAKELPARAM(3, 4)},
        InputCase{"motion", [](HeadlessBackend& b, posix::NativeWindow w) { b.InjectPointerMotion(20, w, 7, -2); },
                  WM_MOUSEMOVE, 0, MAKELPARAM(7, -2)},
        InputCase{"motion beyond 16 bits",
                  [](HeadlessBackend& b, posix::NativeWindow w) { b.InjectPointerMotion(20, w, 40000, -40000); },
                  WM_MOUSEMOVE, 0, MAKELPARAM(32767, -32768)},
        InputCase{"focus lost", [](HeadlessBackend& b, posix::NativeWindow w) { b.InjectFocusLost(20, w); },
                  WM_ACTIVATEAPP, FALSE, 0}),
    [](const ::testing::TestParamInfo<InputCase>& info) {
      std::string name = info.param.name;
      for (char& c : name) {
        c = c == ' ' ? '_' : c;
      }
      return name;
    });

TEST_F(MessageLoop, OtherButtonsMakeNoMessage) {
  backend.SetEndTime(100);
  const HWND window = MakeWindow();
  backend.InjectButtonPress(20, NativeOf(window), posix::MouseButton::Other, 0, 0);
  EXPECT_EQ(Pump(10), FALSE);
  EXPECT_EQ(CountReceived(WM_LBUTTONDOWN) + CountReceived(WM_RBUTTONDOWN) + CountReceived(WM_MBUTTONDOWN), 0);
}

TEST_F(MessageLoop, AWindowTheBackEndLostIsDestroyedWithItsTimers) {
  backend.SetEndTime(1000);
  const HWND window = MakeWindow();
  SetTimer(window, 1, 10, RecordTick);
  backend.InjectDestroy(25, NativeOf(window));
  EXPECT_EQ(Pump(100), FALSE);  // RecordingProc posts no quit: the loop ends at the end time
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(CountReceived(WM_DESTROY), 1);
  EXPECT_EQ(TickTimes(), (std::vector<DWORD>{10, 20}));
}

TEST_F(MessageLoop, LosingTheConnectionDestroysEveryWindowAndEndsTheLoop) {
  const HWND window = MakeWindow();
  SetTimer(window, 1, 10, RecordTick);
  backend.InjectConnectionLost(15);
  EXPECT_EQ(Pump(100), FALSE);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(CountReceived(WM_DESTROY), 1);
  EXPECT_EQ(TickTimes(), (std::vector<DWORD>{10}));
}

TEST_F(MessageLoop, ARunWithNothingLeftToWaitForEndsInsteadOfSpinning) {
  const HWND window = MakeWindow();
  SetTimer(window, 1, 10, RecordTick);  // would tick forever: no input, no end time
  EXPECT_EQ(Pump(1000000), FALSE);
  EXPECT_TRUE(TickTimes().empty());
}

TEST_F(MessageLoop, DestroyWindowSendsDestroyOnceAndCloseDestroys) {
  const HWND window = MakeWindow();
  EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(CountReceived(WM_DESTROY), 1);
  EXPECT_FALSE(DestroyWindow(window));
  EXPECT_FALSE(PostMessageA(window, WM_NULL, 0, 0));
  EXPECT_EQ(SendMessageA(window, WM_NULL, 0, 0), 0);
  EXPECT_TRUE(backend.Windows().empty());  // the native window went with it
}

TEST_F(MessageLoop, BadArgumentsToGetMessageFail) {
  EXPECT_EQ(GetMessageA(nullptr, nullptr, 0, 0), -1);
  MSG message{};
  EXPECT_EQ(GetMessageA(&message, reinterpret_cast<HWND>(0x5555), 0, 0), -1);
  EXPECT_FALSE(TranslateMessage(&message));
}

}  // namespace

// GoogleTest comes first: Xlib defines None as a macro, which GoogleTest uses as a type name.
#include <gtest/gtest.h>

#include "platform/posix/x11/event_translation.h"

#include <optional>

namespace posix::x11 {
namespace {

constexpr Window kOurWindow = 0x400007;
constexpr Window kParent = 0x200001;
constexpr DWORD kNow = 0xFFFFFFF0u;

XEvent EventOfType(int type) {
  XEvent event{};
  event.type = type;
  event.xany.window = kOurWindow;
  return event;
}

XEvent Focus(int mode, int detail) {
  XEvent event = EventOfType(FocusOut);
  event.xfocus.mode = mode;
  event.xfocus.detail = detail;
  return event;
}

TEST(EventTranslation, FullScreenReportsKeysButtonsAndMotionWithPositions) {
  const std::optional<InputEvent> key = TranslateEvent(EventOfType(kKeyPressEvent), WindowRole::FullScreen, kNow);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->kind, InputEventKind::KeyPress);
  EXPECT_EQ(key->window, kOurWindow);
  EXPECT_EQ(key->time, kNow);

  XEvent motion = EventOfType(MotionNotify);
  motion.xmotion.x = 17;
  motion.xmotion.y = -3;
  const std::optional<InputEvent> moved = TranslateEvent(motion, WindowRole::FullScreen, kNow);
  ASSERT_TRUE(moved);
  EXPECT_EQ(moved->kind, InputEventKind::PointerMotion);
  EXPECT_EQ(moved->x, 17);
  EXPECT_EQ(moved->y, -3);

  const struct {
    unsigned int button;
    MouseButton expected;
  } buttons[] = {{Button1, MouseButton::Left},
                 {Button2, MouseButton::Middle},
                 {Button3, MouseButton::Right},
                 {Button4, MouseButton::Other},
                 {8, MouseButton::Other}};
  for (const auto& test : buttons) {
    XEvent press = EventOfType(kButtonPressEvent);
    press.xbutton.button = test.button;
    press.xbutton.x = 5;
    press.xbutton.y = 6;
    const std::optional<InputEvent> pressed = TranslateEvent(press, WindowRole::FullScreen, kNow);
    ASSERT_TRUE(pressed) << test.button;
    EXPECT_EQ(pressed->kind, InputEventKind::ButtonPress);
    EXPECT_EQ(pressed->button, test.expected) << test.button;
    EXPECT_EQ(pressed->x, 5);
  }
}

TEST(EventTranslation, OnlyARealMoveOfTheFocusElsewhereIsADeactivation) {
  const struct {
    int mode;
    int detail;
    bool deactivates;
  } cases[] = {
      {NotifyNormal, NotifyNonlinear, true},         // another top-level window took the focus
      {NotifyNormal, NotifyAncestor, true},          // the focus went to the root
      {NotifyWhileGrabbed, NotifyNonlinear, true},   // moved while our keyboard grab is active
      {NotifyGrab, NotifyNonlinear, false},          // someone grabbed the keyboard: pseudo focus change
      {NotifyUngrab, NotifyNonlinear, false},
      {NotifyNormal, NotifyInferior, false},         // into a child window of ours
      {NotifyNormal, NotifyPointer, false},          // pointer-root focus bookkeeping
  };
  for (const auto& test : cases) {
    const std::optional<InputEvent> input =
        TranslateEvent(Focus(test.mode, test.detail), WindowRole::FullScreen, kNow);
    EXPECT_EQ(input.has_value(), test.deactivates) << "mode " << test.mode << " detail " << test.detail;
    if (input) {
      EXPECT_EQ(input->kind, InputEventKind::FocusLost);
    }
  }
}

TEST(EventTranslation, APreviewIgnoresInputAndFocus) {
  for (const int type : {kKeyPressEvent, kButtonPressEvent, static_cast<int>(MotionNotify)}) {
    EXPECT_FALSE(TranslateEvent(EventOfType(type), WindowRole::Preview, kNow)) << type;
  }
  EXPECT_FALSE(TranslateEvent(Focus(NotifyNormal, NotifyNonlinear), WindowRole::Preview, kNow));
}

TEST(EventTranslation, BothRolesReportExposureAsAnAreaAndDestruction) {
  for (const WindowRole role : {WindowRole::FullScreen, WindowRole::Preview}) {
    XEvent expose = EventOfType(kExposeEvent);
    expose.xexpose.x = 10;
    expose.xexpose.y = 20;
    expose.xexpose.width = 30;
    expose.xexpose.height = 40;
    const std::optional<InputEvent> exposed = TranslateEvent(expose, role, kNow);
    ASSERT_TRUE(exposed);
    EXPECT_EQ(exposed->kind, InputEventKind::Expose);
    EXPECT_EQ(exposed->area.left, 10);
    EXPECT_EQ(exposed->area.top, 20);
    EXPECT_EQ(exposed->area.right, 40);
    EXPECT_EQ(exposed->area.bottom, 60);

    // Reported through the parent: the event's window is the parent, the destroyed one is ours.
    XEvent destroyed{};
    destroyed.type = DestroyNotify;
    destroyed.xdestroywindow.event = kParent;
    destroyed.xdestroywindow.window = kOurWindow;
    EXPECT_EQ(SubjectWindow(destroyed), kOurWindow);
    const std::optional<InputEvent> gone = TranslateEvent(destroyed, role, kNow);
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->kind, InputEventKind::WindowDestroyed);
    EXPECT_EQ(gone->window, kOurWindow);
  }
}

TEST(EventTranslation, EventsASaverDoesNotActOnAreDropped) {
  for (const int type : {static_cast<int>(KeyRelease), static_cast<int>(ButtonRelease),
                         static_cast<int>(MapNotify), static_cast<int>(ConfigureNotify),
                         static_cast<int>(FocusIn), static_cast<int>(EnterNotify)}) {
    EXPECT_FALSE(TranslateEvent(EventOfType(type), WindowRole::FullScreen, kNow)) << type;
  }
}

}  // namespace
}  // namespace posix::x11

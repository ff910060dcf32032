#include "platform/posix/x11/event_translation.h"

namespace posix::x11 {
namespace {

MouseButton ButtonOf(unsigned int button) {
  switch (button) {
    case Button1:
      return MouseButton::Left;
    case Button2:
      return MouseButton::Middle;
    case Button3:
      return MouseButton::Right;
    default:
      return MouseButton::Other;  // wheel steps and extra buttons
  }
}

// The focus went to a window that is not ours. Grabs and ungrabs report focus changes with their own modes,
// and NotifyInferior and NotifyPointer concern windows inside or under ours: none of those is a deactivation.
bool LosesFocusToAnotherWindow(const XFocusChangeEvent& focus) {
  const bool realChange = focus.mode == NotifyNormal || focus.mode == NotifyWhileGrabbed;
  const bool leavesWindow = focus.detail == NotifyAncestor || focus.detail == NotifyVirtual ||
                            focus.detail == NotifyNonlinear || focus.detail == NotifyNonlinearVirtual;
  return realChange && leavesWindow;
}

InputEvent Stamped(InputEventKind kind, Window window, DWORD now) {
  InputEvent input;
  input.kind = kind;
  input.window = window;
  input.time = now;
  return input;
}

}  // namespace

Window SubjectWindow(const XEvent& event) {
  return event.type == DestroyNotify ? event.xdestroywindow.window : event.xany.window;
}

std::optional<InputEvent> TranslateEvent(const XEvent& event, WindowRole role, DWORD now) {
  const Window window = SubjectWindow(event);
  switch (event.type) {
    case kExposeEvent: {
      InputEvent input = Stamped(InputEventKind::Expose, window, now);
      const XExposeEvent& expose = event.xexpose;
      input.area = RECT{expose.x, expose.y, expose.x + expose.width, expose.y + expose.height};
      return input;
    }
    case DestroyNotify:
      return Stamped(InputEventKind::WindowDestroyed, window, now);
    default:
      break;
  }
  if (role != WindowRole::FullScreen) {
    return std::nullopt;
  }
  switch (event.type) {
    case kKeyPressEvent:
      return Stamped(InputEventKind::KeyPress, window, now);
    case kButtonPressEvent: {
      InputEvent input = Stamped(InputEventKind::ButtonPress, window, now);
      input.button = ButtonOf(event.xbutton.button);
      input.x = event.xbutton.x;
      input.y = event.xbutton.y;
      return input;
    }
    case MotionNotify: {
      InputEvent input = Stamped(InputEventKind::PointerMotion, window, now);
      input.x = event.xmotion.x;
      input.y = event.xmotion.y;
      return input;
    }
    case FocusOut:
      if (LosesFocusToAnotherWindow(event.xfocus)) {
        return Stamped(InputEventKind::FocusLost, window, now);
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace posix::x11

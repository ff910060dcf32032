#include "platform/posix/x11/input_grab.h"

#include <time.h>

#include "platform/posix/x11/x11_errors.h"

namespace posix::x11 {
namespace {

constexpr int kGrabAttempts = 20;
constexpr long kGrabRetryNanoseconds = 50L * 1000 * 1000;

void SleepBeforeRetry() {
  const timespec pause{0, kGrabRetryNanoseconds};
  nanosleep(&pause, nullptr);
}

}  // namespace

Cursor CreateInvisibleCursor(Display* display, Window root) {
  static const char kNoBits[1] = {0};
  const Pixmap blank = XCreateBitmapFromData(display, root, kNoBits, 1, 1);
  XColor black{};
  const Cursor cursor = XCreatePixmapCursor(display, blank, blank, &black, &black, 0, 0);
  XFreePixmap(display, blank);
  return cursor;
}

GrabResult GrabInput(Display* display, Window window, Cursor cursor) {
  GrabResult result;
  constexpr unsigned int kPointerEvents = ButtonPressMask | PointerMotionMask;
  for (int attempt = 0; attempt < kGrabAttempts; ++attempt) {
    if (!result.keyboard) {
      result.keyboard =
          XGrabKeyboard(display, window, True, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
    }
    if (!result.pointer) {
      result.pointer = XGrabPointer(display, window, True, kPointerEvents, GrabModeAsync, GrabModeAsync, None,
                                    cursor, CurrentTime) == GrabSuccess;
    }
    if ((result.keyboard && result.pointer) || ConnectionLost()) {
      break;
    }
    SleepBeforeRetry();
  }
  return result;
}

}  // namespace posix::x11

// The message loop's calls: PostMessageA, PostQuitMessage, GetMessageA, TranslateMessage, DispatchMessageA.
//
// GetMessageA looks for a message in nearly the order Windows uses: posted messages first, then a pending quit,
// then input from the display back end (turned into posted messages), then WM_PAINT of a window with an update
// region, then a due timer. With nothing to return it waits in the back end until the next timer is due or an
// event comes. Windows looks at input before the quit; here the quit comes first, so that once a program has
// asked to end, nothing the display does afterwards (a window it destroys, a connection it loses) reaches it.
#include "platform/posix/message_queue.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "platform/posix/active_backend.h"
#include "platform/posix/timers.h"
#include "platform/posix/window_table.h"
#include "platform/win32.h"

namespace posix {
namespace {

std::deque<MSG> g_postedMessages;
bool g_bQuitPending = false;
int g_iQuitCode = 0;

bool Matches(const MSG& message, HWND filterWindow, UINT filterMin, UINT filterMax) {
  if (filterWindow != nullptr && message.hwnd != filterWindow) {
    return false;
  }
  return (filterMin == 0 && filterMax == 0) || (message.message >= filterMin && message.message <= filterMax);
}

bool TakePosted(HWND filterWindow, UINT filterMin, UINT filterMax, MSG& message) {
  const auto found = std::find_if(g_postedMessages.begin(), g_postedMessages.end(), [&](const MSG& m) {
    return Matches(m, filterWindow, filterMin, filterMax);
  });
  if (found == g_postedMessages.end()) {
    return false;
  }
  message = *found;
  g_postedMessages.erase(found);
  return true;
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD time, POINT point) {
  g_postedMessages.push_back(MSG{window, message, wParam, lParam, time, point});
}

// Mouse positions travel in 16-bit halves of lParam; positions beyond that range are held at its ends.
LPARAM PositionLParam(int x, int y) {
  const auto clamp16 = [](int v) { return std::clamp(v, -32768, 32767); };
  return MAKELPARAM(clamp16(x), clamp16(y));
}

// Destroys the window of a native window that the back end has lost, without asking the back end to destroy it.
void DestroyLostWindow(HWND window) {
  if (WindowRecord* record = LookUpWindow(window)) {
    record->nativeGone = true;
    DestroyWindow(window);
  }
}

// Turns one event into messages. Returns false only for a lost connection that had nothing left to end.
bool HandleBackendEvent(const InputEvent& event) {
  if (event.kind == InputEventKind::ConnectionLost) {
    const std::vector<HWND> windows = AllWindows();
    for (HWND window : windows) {
      DestroyLostWindow(window);
    }
    // Without a display nothing more can happen: the loop ends even if no window's destruction ended it.
    const bool quitAlreadyPending = g_bQuitPending;
    if (!quitAlreadyPending) {
      PostQuitMessage(0);
    }
    return !windows.empty() || !quitAlreadyPending;
  }
  const HWND window = WindowOfNative(event.window);
  if (window == nullptr) {
    return true;  // an event for a window that is already gone
  }
  const POINT point{event.x, event.y};
  switch (event.kind) {
    case InputEventKind::KeyPress:
      Post(window, WM_KEYDOWN, 0, 1, event.time, point);  // lParam: a repeat count of 1
      break;
    case InputEventKind::ButtonPress: {
      const UINT message = event.button == MouseButton::Left     ? WM_LBUTTONDOWN
                           : event.button == MouseButton::Right  ? WM_RBUTTONDOWN
                           : event.button == MouseButton::Middle ? WM_MBUTTONDOWN
                                                                 : WM_NULL;
      if (message != WM_NULL) {  // other buttons (wheels, side buttons) have no message here
        Post(window, message, 0, PositionLParam(event.x, event.y), event.time, point);
      }
      break;
    }
    case InputEventKind::PointerMotion:
      Post(window, WM_MOUSEMOVE, 0, PositionLParam(event.x, event.y), event.time, point);
      break;
    case InputEventKind::FocusLost:
      Post(window, WM_ACTIVATEAPP, FALSE, 0, event.time, point);
      break;
    case InputEventKind::Expose:
      InvalidateWindow(window, event.area);
      break;
    case InputEventKind::WindowDestroyed:
      DestroyLostWindow(window);
      break;
    case InputEventKind::Timeout:
    case InputEventKind::ConnectionLost:
      break;
  }
  return true;
}

// Turns every event the back end already has into messages, without waiting. True when that changed anything.
bool TakePendingEvents(DisplayBackend& backend) {
  bool changed = false;
  for (;;) {
    const InputEvent event = backend.WaitForEvent(true, backend.TickCount());
    if (event.kind == InputEventKind::Timeout) {
      return changed;
    }
    changed = HandleBackendEvent(event) || changed;
    if (event.kind == InputEventKind::ConnectionLost) {
      return changed;  // a lost connection reports itself forever: asking again would never end
    }
  }
}

}  // namespace

void ForgetMessageQueue() {
  g_postedMessages.clear();
  g_bQuitPending = false;
  g_iQuitCode = 0;
}

}  // namespace posix

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window != nullptr && !IsWindow(window)) {
    return FALSE;
  }
  posix::DisplayBackend* backend = posix::ActiveBackend();
  const DWORD now = backend != nullptr ? backend->TickCount() : GetTickCount();
  posix::Post(window, message, wParam, lParam, now, POINT{0, 0});
  return TRUE;
}

void WINAPI PostQuitMessage(int exitCode) {
  posix::g_bQuitPending = true;
  posix::g_iQuitCode = exitCode;
}

// Returns TRUE for a message, FALSE for WM_QUIT, and -1 for a null `message`, a filter window that does not exist,
// or when there is no back end to wait on and nothing to return.
BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax) {
  if (message == nullptr || (window != nullptr && !IsWindow(window))) {
    return -1;
  }
  for (;;) {
    if (posix::TakePosted(window, filterMin, filterMax, *message)) {
      return message->message == WM_QUIT ? FALSE : TRUE;
    }
    if (posix::g_bQuitPending) {
      posix::g_bQuitPending = false;
      *message = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(posix::g_iQuitCode), 0, GetTickCount(), POINT{0, 0}};
      return FALSE;
    }
    posix::DisplayBackend* backend = posix::ActiveBackend();
    if (backend != nullptr && posix::TakePendingEvents(*backend)) {
      continue;
    }
    const HWND paintWindow = posix::WindowNeedingPaint();
    if (paintWindow != nullptr && posix::Matches(MSG{paintWindow, WM_PAINT, 0, 0, 0, POINT{0, 0}}, window,
                                                 filterMin, filterMax)) {
      *message = MSG{paintWindow, WM_PAINT, 0, 0, GetTickCount(), POINT{0, 0}};
      return TRUE;
    }
    if (backend == nullptr) {
      return -1;
    }
    const DWORD now = backend->TickCount();
    if (posix::TakeDueTimerMessage(now, window, filterMin, filterMax, *message)) {
      return TRUE;
    }
    DWORD untilNextTimer = 0;
    const bool hasTimer = posix::TimeToNextTimer(now, window, filterMin, filterMax, untilNextTimer);
    posix::HandleBackendEvent(backend->WaitForEvent(hasTimer, now + untilNextTimer));
  }
}

// No character messages are made from key presses, so nothing is ever translated.
BOOL WINAPI TranslateMessage(const MSG* /*message*/) { return FALSE; }

LRESULT WINAPI DispatchMessageA(const MSG* message) {
  if (message == nullptr) {
    return 0;
  }
  if (message->message == WM_TIMER && message->lParam != 0) {
    // As on Windows, a timer with a procedure goes straight to it, not to the window procedure; only a timer
    // that exists with that very procedure is run.
    posix::RunTimerProcedure(message->hwnd, message->wParam, message->lParam, message->time);
    return 0;
  }
  return SendMessageA(message->hwnd, message->message, message->wParam, message->lParam);
}

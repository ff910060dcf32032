// What happens when the X server reports an error or goes away. Xlib's own handlers print and exit the process;
// these never do.
//
// - Protocol errors (a window that vanished, a refused shared-memory attach) are recorded and otherwise ignored:
//   the call that caused one returns its failure status, and code that must know whether an asynchronous request
//   succeeded wraps it in an ErrorTrap.
// - An I/O error (the server closed the connection or the socket failed) marks the connection lost. Since
//   libX11 1.7 the "exit handler" that Xlib runs after the I/O error handler may return: ours does, Xlib then
//   turns every further call on that display into a quiet no-op, and the back end reports ConnectionLost, after
//   which the program ends through its ordinary path (the saver's window is destroyed and the process exits with
//   0). Neither longjmp out of Xlib's internals nor _exit is needed.
//
// The handlers are process-wide, as Xlib's are: one display at a time uses them.
#pragma once

#include "platform/posix/x11/xlib.h"

namespace posix::x11 {

// Installs the handlers for `display` (and makes writes to a closed socket fail with EPIPE instead of killing
// the process with SIGPIPE).
void InstallErrorHandlers(Display* display);

// Restores Xlib's previous handlers; called before the display is closed.
void RemoveErrorHandlers();

// True once the connection to the display has failed; it never recovers.
bool ConnectionLost();

// Catches the protocol errors of the requests made during its lifetime. Not nestable.
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display);
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;

  // Waits until the server has handled every request made so far and tells whether any of those made since the
  // trap was set failed, or the connection was lost.
  bool Failed();

 private:
  Display* display_;
};

}  // namespace posix::x11

#include "platform/posix/x11/x11_errors.h"

#include <csignal>

namespace posix::x11 {
namespace {

struct ErrorState {
  Display* display = nullptr;
  bool connectionLost = false;
  bool trapActive = false;
  unsigned long trapFirstSerial = 0;
  int trappedErrorCode = 0;
  XErrorHandler previousErrorHandler = nullptr;
  XIOErrorHandler previousIOErrorHandler = nullptr;
};

ErrorState g_errorState;

int OnProtocolError(Display* /*display*/, XErrorEvent* error) {
  // Serial numbers grow with every request; an error for a request made before the trap was set is not its own.
  if (g_errorState.trapActive && error->serial >= g_errorState.trapFirstSerial &&
      g_errorState.trappedErrorCode == 0) {
    g_errorState.trappedErrorCode = error->error_code;
  }
  return 0;
}

int OnIOError(Display* /*display*/) {
  g_errorState.connectionLost = true;
  return 0;
}

// Runs after OnIOError in place of Xlib's exit(); returning keeps the process alive.
void OnIOErrorExit(Display* /*display*/, void* /*userData*/) { g_errorState.connectionLost = true; }

}  // namespace

void InstallErrorHandlers(Display* display) {
  std::signal(SIGPIPE, SIG_IGN);
  g_errorState = ErrorState{};
  g_errorState.display = display;
  g_errorState.previousErrorHandler = XSetErrorHandler(OnProtocolError);
  g_errorState.previousIOErrorHandler = XSetIOErrorHandler(OnIOError);
  XSetIOErrorExitHandler(display, OnIOErrorExit, nullptr);
}

void RemoveErrorHandlers() {
  XSetErrorHandler(g_errorState.previousErrorHandler);
  XSetIOErrorHandler(g_errorState.previousIOErrorHandler);
  g_errorState.display = nullptr;
}

bool ConnectionLost() { return g_errorState.connectionLost; }

ErrorTrap::ErrorTrap(Display* display) : display_(display) {
  g_errorState.trapActive = true;
  g_errorState.trapFirstSerial = NextRequest(display);
  g_errorState.trappedErrorCode = 0;
}

ErrorTrap::~ErrorTrap() { g_errorState.trapActive = false; }

bool ErrorTrap::Failed() {
  if (!g_errorState.connectionLost) {
    XSync(display_, False);
  }
  return g_errorState.trappedErrorCode != 0 || g_errorState.connectionLost;
}

}  // namespace posix::x11

// The saver library's entry on POSIX: what WinMain and the platform's screen-saver library do on Windows, over a
// display back end that the program chooses (X11 on a desktop, headless in tests and the offline renderer).
//
// A program's main calls RunScreenSaver with its callbacks and its resource module. Drivers that step the saver
// themselves (the offline renderer) use the three pieces: StartScreenSaver, then their own ticks, then
// DestroyWindow on the saver window, RunMessageLoop and EndScreenSaver.
#pragma once

#include <string>

#include "platform/posix/display_backend.h"
#include "saverlib/screensaver.h"
#include "saverlib/switches.h"

namespace saverlib {

// The command line after the program name: argv[1] to argv[argc - 1] joined with single spaces.
std::string JoinArguments(int argc, char** argv);

struct SaverStart {
  HWND window = nullptr;  // the saver window, which has had its WM_CREATE; null when the program ends at once
  int exitCode = 0;       // when window is null: the program's exit code
};

// Sets g_hMainInstance to `resources`, makes `backend` the process's display back end and carries out the mode:
// configure: RegisterDialogClasses, then exit code -1 (there is no dialog template); change password and unknown
// switches: -1; full screen: 0 when another saver window exists (it is raised), else the window over the
// virtual screen (the primary screen when the virtual screen's size is 0); preview: the child filling the parent
// window named by the handle, -1 when that is 0, out of range or not a window. -1 also when the window cannot be
// made or its WM_CREATE answers -1.
SaverStart StartScreenSaver(const SaverCommand& command, const ScreenSaverCallbacks& callbacks, HINSTANCE resources,
                            posix::DisplayBackend& backend);

// GetMessageA, TranslateMessage, DispatchMessageA until WM_QUIT; returns the quit message's value. A failing
// GetMessageA (no back end) also ends it, with -1.
int RunMessageLoop();

// Takes away what is left of the run (a window that was never destroyed, timers, queued messages) without sending
// any message, and leaves no display back end chosen.
void EndScreenSaver();

// The whole run: the command line from argv, StartScreenSaver, RunMessageLoop, EndScreenSaver. Returns the
// program's exit code.
int RunScreenSaver(int argc, char** argv, const ScreenSaverCallbacks& callbacks, HINSTANCE resources,
                   posix::DisplayBackend& backend);

}  // namespace saverlib

// A tiny saver of the tests' own, shaped like the real shell: on WM_CREATE it makes a screen-sized back buffer
// and a 10 ms timer (or fails the way the shell fails: it sends itself WM_DESTROY and returns 0); every tick
// presents the buffer 1:1 or stretched; WM_DESTROY stops the timer and posts the quit message. It logs what it
// sees.
#pragma once

#include <vector>

#include "saverlib/screensaver.h"

namespace test_saver {

struct Log {
  std::vector<UINT> messages;  // every message the program's procedure received
  std::vector<DWORD> ticks;    // the time stamps of the frame timer
  int registerDialogClassesCalls = 0;
  HWND window = nullptr;
  bool createAnswersMinusOne = false;  // make WM_CREATE refuse the window
};

Log& TheLog();

// Clears the log and the saver's state for a new run.
void Reset();

int Count(UINT message);

ScreenSaverCallbacks Callbacks();

}  // namespace test_saver

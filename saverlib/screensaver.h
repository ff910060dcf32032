// Our screen-saver library's interface: what the Windows SDK's static screen-saver library offers a saver
// program, written for both platforms. The library owns the process entry, the command line, the saver window
// and the message loop; the program supplies the three callbacks below and passes every message it does not
// handle itself to DefScreenSaverProc.
#pragma once

#include "platform/win32.h"

// The program's own module, through which the scenes load their bitmap resources. Set by the entry point
// before the saver window is created.
extern HINSTANCE g_hMainInstance;

// Default handling of a saver window's messages, including the rules that close a full-screen saver on input.
LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The callbacks a saver program supplies.
struct ScreenSaverCallbacks {
  LRESULT(WINAPI* screenSaverProc)(HWND, UINT, WPARAM, LPARAM);
  BOOL(WINAPI* configureDialog)(HWND, UINT, WPARAM, LPARAM);
  BOOL(WINAPI* registerDialogClasses)(HANDLE);
};

// Supplied by each saver program, as the platform's screen-saver library expects them.
LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI ScreenSaverConfigureDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI RegisterDialogClasses(HANDLE instance);

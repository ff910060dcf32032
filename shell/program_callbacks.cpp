// The three callbacks a saver program supplies to the screen-saver library, compiled into each program against
// that program's scene: the build defines KESTROVA_SCENE_HEADER (the scene's header) and KESTROVA_SCENE (its
// type).
#include KESTROVA_SCENE_HEADER

#include "saverlib/screensaver.h"
#include "shell/saver_shell.h"

namespace {
using ProgramShell = shell::SaverShell<KESTROVA_SCENE>;
}

LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ProgramShell::ScreenSaverProc(window, message, wParam, lParam);
}

BOOL WINAPI ScreenSaverConfigureDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ProgramShell::ScreenSaverConfigureDialog(dialog, message, wParam, lParam);
}

BOOL WINAPI RegisterDialogClasses(HANDLE instance) { return ProgramShell::RegisterDialogClasses(instance); }

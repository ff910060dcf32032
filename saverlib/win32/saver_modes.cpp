#include "saverlib/win32/saver_modes.h"

#include "saverlib/screensaver.h"
#include "saverlib/switches.h"
#include "saverlib/win32/saver_session.h"
#include "saverlib/win32/saver_window.h"

namespace saverlib::win32 {
namespace {

// The dialog template a saver's configure dialog is made from. Our programs have none, so the dialog call
// fails at once with -1, which becomes the exit code.
constexpr WORD kConfigureDialogTemplate = 2003;

// Runs until WM_QUIT; the exit code is the quit message's value.
int RunMessageLoop() {
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    // -1: the queue itself failed. Nothing more will arrive, so end instead of spinning on the error.
    if (got == -1) return kExitCodeNoSaver;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The program supplies its configure procedure returning BOOL; dialogs call back with INT_PTR. Calling through
// a cast function pointer of the other type would be undefined on 64-bit Windows, so this forwards instead.
INT_PTR CALLBACK ConfigureDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return ScreenSaverConfigureDialog(dialog, message, wParam, lParam);
}

}  // namespace

int RunFullScreen(HINSTANCE instance) {
  if (HWND running = FindWindowA(kSaverClassName, kFullScreenTitle)) {
    SetForegroundWindow(running);
    return 0;
  }
  if (!RegisterSaverClass(instance)) return kExitCodeNoSaver;
  HWND window = CreateFullScreenWindow(instance);
  if (window == nullptr) return kExitCodeNoSaver;
  SetForegroundWindow(window);
  ShowCursor(FALSE);
  return RunMessageLoop();
}

int RunPreview(HINSTANCE instance, HWND parent) {
  if (parent == nullptr || !IsWindow(parent)) return kExitCodeNoSaver;
  SaverSession& session = Session();
  session.preview = true;
  session.parent = parent;
  session.closeRules.preview = true;
  if (!RegisterSaverClass(instance)) return kExitCodeNoSaver;
  if (CreatePreviewWindow(instance, parent) == nullptr) return kExitCodeNoSaver;
  return RunMessageLoop();
}

int RunConfigure(HINSTANCE instance, HWND owner) {
  if (!RegisterDialogClasses(instance)) return kExitCodeNoSaver;
  return static_cast<int>(
      DialogBoxParamA(instance, MAKEINTRESOURCEA(kConfigureDialogTemplate), owner, ConfigureDialogProc, 0));
}

}  // namespace saverlib::win32

#include "saverlib/posix/run_screen_saver.h"

#include <algorithm>
#include <cstdint>

#include "platform/posix/active_backend.h"
#include "platform/posix/window_table.h"
#include "saverlib/posix/saver_window.h"

namespace saverlib {
namespace {

// The full-screen window covers the virtual screen, or the primary screen when the virtual screen's size is 0.
// It is at least 1 x 1: as on Windows, a screen that reports no size still gets its window, and what to do on
// such a screen is the program's decision (the scenes fail to make their back buffer and end).
RECT FullScreenArea() {
  int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (width == 0 || height == 0) {
    left = 0;
    top = 0;
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
  }
  return RECT{left, top, static_cast<LONG>(std::int64_t{left} + std::max(width, 1)),
              static_cast<LONG>(std::int64_t{top} + std::max(height, 1))};
}

SaverStart EndsAt(int exitCode) { return SaverStart{nullptr, exitCode}; }

SaverStart StartWindow(posix::NativeWindow native, bool preview, const ScreenSaverCallbacks& callbacks) {
  if (native == 0) {
    return EndsAt(kExitCodeNoSaver);
  }
  const HWND window = CreateSaverWindow(native, preview, callbacks);
  return window != nullptr ? SaverStart{window, 0} : EndsAt(kExitCodeNoSaver);
}

}  // namespace

std::string JoinArguments(int argc, char** argv) {
  std::string line;
  for (int i = 1; argv != nullptr && i < argc; ++i) {
    if (argv[i] == nullptr) {
      continue;
    }
    if (!line.empty()) {
      line += ' ';
    }
    line += argv[i];
  }
  return line;
}

SaverStart StartScreenSaver(const SaverCommand& command, const ScreenSaverCallbacks& callbacks, HINSTANCE resources,
                            posix::DisplayBackend& backend) {
  g_hMainInstance = resources;
  posix::SetDisplayBackend(&backend);

  switch (command.mode) {
    case SaverMode::Configure:
      // On Windows the dialog from template 2003 would open now; no program has one, so the call fails with -1.
      if (callbacks.registerDialogClasses != nullptr) {
        callbacks.registerDialogClasses(resources);
      }
      return EndsAt(kExitCodeNoSaver);
    case SaverMode::FullScreen:
      if (backend.RaiseExistingSaverWindow()) {
        return EndsAt(0);
      }
      return StartWindow(backend.CreateFullScreenWindow(FullScreenArea()), false, callbacks);
    case SaverMode::Preview:
      if (command.handle == 0 || command.handleOutOfRange) {
        return EndsAt(kExitCodeNoSaver);
      }
      return StartWindow(backend.CreatePreviewWindow(command.handle), true, callbacks);
    case SaverMode::ChangePassword:
    case SaverMode::Unknown:
      break;
  }
  return EndsAt(kExitCodeNoSaver);
}

int RunMessageLoop() {
  MSG message{};
  for (;;) {
    const BOOL result = GetMessageA(&message, nullptr, 0, 0);
    if (result == 0) {
      return static_cast<int>(message.wParam);
    }
    if (result == -1) {
      return kExitCodeNoSaver;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void EndScreenSaver() {
  if (posix::DisplayBackend* backend = posix::ActiveBackend()) {
    for (HWND window : posix::AllWindows()) {
      const posix::WindowRecord* record = posix::LookUpWindow(window);
      if (record != nullptr && !record->nativeGone) {
        backend->DestroyWindow(record->native);
      }
    }
  }
  posix::SetDisplayBackend(nullptr);
  ForgetSaverWindow();
}

int RunScreenSaver(int argc, char** argv, const ScreenSaverCallbacks& callbacks, HINSTANCE resources,
                   posix::DisplayBackend& backend) {
  const SaverCommand command = ParseSaverCommandLine(JoinArguments(argc, argv).c_str());
  const SaverStart start = StartScreenSaver(command, callbacks, resources, backend);
  const int exitCode = start.window != nullptr ? RunMessageLoop() : start.exitCode;
  EndScreenSaver();
  return exitCode;
}

}  // namespace saverlib

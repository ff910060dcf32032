// The saver programs' main on POSIX: what WinMain is on Windows. The program supplies its callbacks (and links
// its resources in as its only resource module); the real windows come from the X server.
#include <cstdio>
#include <memory>
#include <string>

#include "platform/posix/headless/headless_backend.h"
#include "platform/posix/x11/x11_backend.h"
#include "saverlib/posix/run_screen_saver.h"
#include "saverlib/screensaver.h"
#include "saverlib/switches.h"

namespace {

// Only a full-screen run and a preview into a named window show anything; the other modes end without a window
// and so work without a display too.
bool NeedsDisplay(const saverlib::SaverCommand& command) {
  switch (command.mode) {
    case saverlib::SaverMode::FullScreen:
      return true;
    case saverlib::SaverMode::Preview:
      return command.handle != 0 && !command.handleOutOfRange;
    default:
      return false;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const ScreenSaverCallbacks callbacks{&ScreenSaverProc, &ScreenSaverConfigureDialog, &RegisterDialogClasses};
  const HINSTANCE resources = GetModuleHandleA(nullptr);
  const saverlib::SaverCommand command =
      saverlib::ParseSaverCommandLine(saverlib::JoinArguments(argc, argv).c_str());
  if (!NeedsDisplay(command)) {
    // Stands in for the display the mode never uses: it makes no window.
    posix::headless::HeadlessBackend noDisplay;
    return saverlib::RunScreenSaver(argc, argv, callbacks, resources, noDisplay);
  }
  std::string error;
  const std::unique_ptr<posix::DisplayBackend> display = posix::OpenX11Backend(error);
  if (display == nullptr) {
    std::fprintf(stderr, "%s: %s\n", argc > 0 ? argv[0] : "saver", error.c_str());
    return 1;
  }
  return saverlib::RunScreenSaver(argc, argv, callbacks, resources, *display);
}

// The saver program's entry point: reads the mode switch after the program name and runs that mode.
#include <cstdint>
#include <cstring>

#include "saverlib/screensaver.h"
#include "saverlib/switches.h"
#include "saverlib/win32/program_name.h"
#include "saverlib/win32/saver_modes.h"

HINSTANCE g_hMainInstance = nullptr;

namespace {

HWND HandleToWindow(std::uintptr_t handle) { return reinterpret_cast<HWND>(handle); }

// "c" may name the dialog's owner; without a usable one the dialog belongs to the foreground window. An empty
// command line (the parser reads it as configure too) opens the dialog with no owner.
HWND ConfigureOwner(const char* arguments, const saverlib::SaverCommand& command) {
  const bool hasSwitch = arguments[std::strspn(arguments, " -/")] != '\0';
  if (!hasSwitch) return nullptr;
  HWND owner = HandleToWindow(command.handle);
  return owner != nullptr && IsWindow(owner) ? owner : GetForegroundWindow();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  g_hMainInstance = instance;
  const char* arguments = saverlib::SkipProgramName(GetCommandLineA());
  const saverlib::SaverCommand command = saverlib::ParseSaverCommandLine(arguments);

  namespace win32 = saverlib::win32;
  switch (command.mode) {
    case saverlib::SaverMode::FullScreen:
      return win32::RunFullScreen(instance);
    case saverlib::SaverMode::Preview:
      return win32::RunPreview(instance, HandleToWindow(command.handle));
    case saverlib::SaverMode::Configure:
      return win32::RunConfigure(instance, ConfigureOwner(arguments, command));
    case saverlib::SaverMode::ChangePassword:  // only ever supported on Windows 9x
    case saverlib::SaverMode::Unknown:
      break;
  }
  return saverlib::kExitCodeNoSaver;
}

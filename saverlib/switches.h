// The saver's command line: the mode switch and the window handle that may follow it.
#pragma once

#include <cstdint>

namespace saverlib {

enum class SaverMode {
  FullScreen,      // "s"
  Preview,         // "p" or "l", then a parent window handle
  Configure,       // "c", optionally ":" and an owner window handle; also an empty command line
  ChangePassword,  // "a", then a window handle
  Unknown,         // anything else
};

struct SaverCommand {
  SaverMode mode = SaverMode::Unknown;
  // The handle that followed the switch, 0 when there was none. A number too large for a pointer-sized value
  // names no window: it is reported as 0 with handleOutOfRange set.
  std::uintptr_t handle = 0;
  bool handleOutOfRange = false;
};

// Parses the command line after the program name: ' ', '-' and '/' are skipped, the next character chooses the
// mode in either case. "p", "l" and "a" are followed by any number of spaces and a decimal handle; "c" may be
// followed by ":" and a decimal handle. A handle is read up to its first non-digit; what follows is ignored.
// A null pointer is read as an empty command line.
SaverCommand ParseSaverCommandLine(const char* arguments);

// Exit code of the modes that end without running a saver: configure (no dialog template exists, so the
// dialog call fails with -1), change password (not supported on any system we run on) and unknown switches.
constexpr int kExitCodeNoSaver = -1;

}  // namespace saverlib

#include "saverlib/switches.h"

#include <limits>

namespace saverlib {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the decimal digits at `text` into command.handle. A value that does not fit is consumed whole and
// reported as out of range, so that it can never wrap around into the id of some other window.
void ReadHandle(const char* text, SaverCommand& command) {
  constexpr std::uintptr_t kMax = std::numeric_limits<std::uintptr_t>::max();
  std::uintptr_t value = 0;
  bool overflow = false;
  for (; IsDigit(*text); ++text) {
    const auto digit = static_cast<std::uintptr_t>(*text - '0');
    if (value > (kMax - digit) / 10) {
      overflow = true;
    } else {
      value = value * 10 + digit;
    }
  }
  command.handle = overflow ? 0 : value;
  command.handleOutOfRange = overflow;
}

const char* SkipSpaces(const char* text) {
  while (*text == ' ') {
    ++text;
  }
  return text;
}

}  // namespace

SaverCommand ParseSaverCommandLine(const char* arguments) {
  SaverCommand command;
  const char* text = arguments != nullptr ? arguments : "";
  while (*text == ' ' || *text == '-' || *text == '/') {
    ++text;
  }

  const char modeChar = *text;
  const char* rest = modeChar != '\0' ? text + 1 : text;
  switch (modeChar) {
    case '\0':
      command.mode = SaverMode::Configure;
      break;
    case 's':
    case 'S':
      command.mode = SaverMode::FullScreen;
      break;
    case 'p':
    case 'P':
    case 'l':
    case 'L':
      command.mode = SaverMode::Preview;
      ReadHandle(SkipSpaces(rest), command);
      break;
    case 'a':
    case 'A':
      command.mode = SaverMode::ChangePassword;
      ReadHandle(SkipSpaces(rest), command);
      break;
    case 'c':
    case 'C':
      command.mode = SaverMode::Configure;
      if (*rest == ':') {
        ReadHandle(rest + 1, command);
      }
      break;
    default:
      command.mode = SaverMode::Unknown;
      break;
  }
  return command;
}

}  // namespace saverlib

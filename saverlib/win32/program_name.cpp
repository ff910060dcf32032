#include "saverlib/win32/program_name.h"

namespace saverlib {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

const char* SkipProgramName(const char* commandLine) {
  if (commandLine == nullptr) return "";

  const char* cursor = commandLine;
  if (*cursor == '"') {
    ++cursor;
    while (*cursor != '\0' && *cursor != '"') ++cursor;
    if (*cursor == '"') ++cursor;
  } else {
    while (*cursor != '\0' && !IsBlank(*cursor)) ++cursor;
  }
  while (IsBlank(*cursor)) ++cursor;
  return cursor;
}

}  // namespace saverlib

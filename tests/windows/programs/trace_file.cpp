#include "tests/windows/programs/trace_file.h"

#include <fcntl.h>
#include <io.h>

#include <filesystem>

#include "platform/win32.h"

namespace wintrace {

TraceFile::~TraceFile() { Finish(false); }

bool TraceFile::Open(const std::optional<std::string>& path, std::string& error) {
  if (!path.has_value()) return true;
  if (*path == "-") {
    // Binary, so that the rows end in "\n" as kestrova-render's do, not "\r\n".
    _setmode(_fileno(stdout), _O_BINARY);
    file_ = stdout;
    return true;
  }
  std::error_code code;
  if (std::filesystem::is_directory(*path, code)) {
    error = "the trace file " + *path + " is a folder";
    return false;
  }
  path_ = *path;
  temporaryPath_ = path_ + "." + std::to_string(GetCurrentProcessId()) + ".partial";
  file_ = std::fopen(temporaryPath_.c_str(), "wb");
  if (file_ == nullptr) {
    error = "cannot write the trace file " + path_;
    return false;
  }
  return true;
}

bool TraceFile::Finish(bool succeeded) {
  if (file_ == nullptr) return succeeded;
  std::FILE* file = file_;
  file_ = nullptr;
  if (file == stdout) return std::fflush(stdout) == 0 && succeeded;
  const bool written = std::fclose(file) == 0 && succeeded;
  if (written && MoveFileExA(temporaryPath_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  DeleteFileA(temporaryPath_.c_str());
  return false;
}

}  // namespace wintrace

// Where a trace program's CSV goes: a file, written under a temporary name and renamed once the run has
// succeeded (so a failed run leaves no partial trace), or standard output for "-".
#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace wintrace {

class TraceFile {
 public:
  TraceFile() = default;
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;
  ~TraceFile();

  // Nothing to open without a path. False (and `error` set) when the file cannot be made.
  bool Open(const std::optional<std::string>& path, std::string& error);
  std::FILE* File() const { return file_; }
  // Keeps the trace when `succeeded` and it was written completely; removes it otherwise. True when kept.
  bool Finish(bool succeeded);

 private:
  std::FILE* file_ = nullptr;
  std::string path_;
  std::string temporaryPath_;
};

}  // namespace wintrace

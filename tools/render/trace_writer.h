// The renderer's CSV trace: one row for every sprite draw, in draw order.
#pragma once

#include <cstdint>
#include <cstdio>

#include "shell/draw_trace.h"

namespace render {

class TraceWriter {
 public:
  // Writes the header line to `file` (not owned; null writes nothing).
  explicit TraceWriter(std::FILE* file);

  void SetFrame(std::uint32_t frame, std::uint32_t time) {
    frame_ = frame;
    time_ = time;
  }
  void Write(const shell::DrawTraceRecord& record);

  // A shell::DrawTrace that reports into this writer.
  shell::DrawTrace AsDrawTrace();

 private:
  std::FILE* file_;
  std::uint32_t frame_ = 0;
  std::uint32_t time_ = 0;
};

}  // namespace render

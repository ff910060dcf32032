#include "tools/render/trace_writer.h"

#include <cinttypes>

namespace render {

TraceWriter::TraceWriter(std::FILE* file) : file_(file) {
  if (file_ != nullptr) std::fputs("frame,time,sprite,image,x,y,mirror,mode\n", file_);
}

void TraceWriter::Write(const shell::DrawTraceRecord& record) {
  if (file_ == nullptr) return;
  std::fprintf(file_, "%" PRIu32 ",%" PRIu32 ",%" PRId32 ",%" PRId32 ",%" PRId32 ",%" PRId32 ",%d,%s\n", frame_, time_,
               record.sprite, record.image, record.x, record.y, record.mirror ? 1 : 0, record.gray ? "gray" : "copy");
}

shell::DrawTrace TraceWriter::AsDrawTrace() {
  shell::DrawTrace trace;
  trace.context = this;
  trace.sink = [](void* context, const shell::DrawTraceRecord& record) {
    static_cast<TraceWriter*>(context)->Write(record);
  };
  return trace;
}

}  // namespace render

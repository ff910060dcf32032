// An optional observer of the sprite draws a scene makes, for the offline renderer's trace. A scene reports
// each draw call of its UpdateSprite here; with no sink set, reporting costs one test.
#pragma once

#include <cstdint>

namespace shell {

struct DrawTraceRecord {
  std::int32_t sprite;
  std::int32_t image;  // index into the scene's images
  std::int32_t x;
  std::int32_t y;
  bool mirror;
  bool gray;  // drawn with DrawGray rather than DrawCopy
};

struct DrawTrace {
  void (*sink)(void* context, const DrawTraceRecord& record) = nullptr;
  void* context = nullptr;

  void Report(const DrawTraceRecord& record) const {
    if (sink != nullptr) sink(context, record);
  }
};

}  // namespace shell

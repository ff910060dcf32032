// The screen sizes the scenes can draw on. Each side must be at least one pixel; beyond 32768 pixels no back
// buffer is attempted (such a size is not a real display, and every position the scenes compute from it then
// stays well inside 32 bits).
#pragma once

#include <cstdint>

namespace shell {

constexpr std::int32_t kMaxScreenDimension = 32768;

constexpr bool IsDrawableScreen(std::int32_t width, std::int32_t height) {
  return width > 0 && height > 0 && width <= kMaxScreenDimension && height <= kMaxScreenDimension;
}

}  // namespace shell

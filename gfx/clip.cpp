#include "gfx/clip.h"

#include <limits>

bool ClipRect(std::int32_t destWidth, std::int32_t destHeight, std::int32_t& x, std::int32_t& y, std::int32_t& srcX,
              std::int32_t& srcY, std::int32_t& width, std::int32_t& height) {
  // 64-bit arithmetic: x + width and the source offsets cannot overflow.
  std::int64_t left = x;
  std::int64_t top = y;
  std::int64_t sourceLeft = srcX;
  std::int64_t sourceTop = srcY;
  std::int64_t columns = width;
  std::int64_t rows = height;

  if (destWidth <= 0 || destHeight <= 0 || columns <= 0 || rows <= 0 || left >= destWidth || top >= destHeight ||
      left + columns < 0 || top + rows < 0) {
    return false;
  }
  // Right and bottom edges first, measured from the unclipped position.
  if (left + columns > destWidth) {
    columns = destWidth - left;
  }
  if (top + rows > destHeight) {
    rows = destHeight - top;
  }
  // Then whatever lies before the left and top edges.
  if (left < 0) {
    sourceLeft -= left;
    columns += left;
    left = 0;
  }
  if (top < 0) {
    sourceTop -= top;
    rows += top;
    top = 0;
  }
  // Only source offsets that did not start at 0 can leave the int32 range; such a placement is unusable.
  constexpr std::int64_t kMaxOffset = std::numeric_limits<std::int32_t>::max();
  if (sourceLeft > kMaxOffset || sourceTop > kMaxOffset) {
    return false;
  }

  x = static_cast<std::int32_t>(left);
  y = static_cast<std::int32_t>(top);
  srcX = static_cast<std::int32_t>(sourceLeft);
  srcY = static_cast<std::int32_t>(sourceTop);
  width = static_cast<std::int32_t>(columns);
  height = static_cast<std::int32_t>(rows);
  return true;
}

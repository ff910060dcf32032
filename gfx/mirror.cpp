#include "gfx/mirror.h"

#include <cstddef>

#include "gfx/pixel_layout.h"

void MirrorCopy(const BYTE* source, std::int32_t width, std::int32_t height, std::int32_t stride, BYTE* out) {
  if (source == nullptr || out == nullptr || width <= 0 || height <= 0) {
    return;
  }
  const std::ptrdiff_t rowBytes = static_cast<std::ptrdiff_t>(width) * kBytesPerPixel;
  for (std::int32_t row = 0; row < height; ++row) {
    const BYTE* from = source + static_cast<std::ptrdiff_t>(row) * stride;
    BYTE* to = out + static_cast<std::ptrdiff_t>(row) * stride + rowBytes;
    for (std::int32_t column = 0; column < width; ++column) {
      to -= kBytesPerPixel;
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
      from += kBytesPerPixel;
    }
  }
}

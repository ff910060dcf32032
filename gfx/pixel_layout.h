// Addressing of the library's 24-bit bottom-up pixel layout.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::int32_t kBytesPerPixel = 3;

// Length in bytes of one row of a 24-bit image `width` pixels wide: width x 3 rounded up to a multiple of 4.
constexpr std::int64_t RowStride24(std::int64_t width) {
  return (width * kBytesPerPixel + 3) / 4 * 4;
}

// Byte offset of the pixel at column x of row y counted from the top, in an image of `height` rows stored
// bottom-up `stride` bytes apart.
inline std::ptrdiff_t PixelOffset(std::int32_t height, std::int32_t stride, std::int32_t x, std::int32_t y) {
  return (static_cast<std::ptrdiff_t>(height) - 1 - y) * stride + static_cast<std::ptrdiff_t>(kBytesPerPixel) * x;
}

// The three bytes (blue, green, red) of a COLORREF 0x00BBGGRR; the top byte is ignored.
struct PixelBytes {
  std::uint8_t blue;
  std::uint8_t green;
  std::uint8_t red;
};

constexpr PixelBytes BytesOfColour(std::uint32_t colour) {
  return {static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
          static_cast<std::uint8_t>(colour)};
}

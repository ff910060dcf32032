// Small helpers for the gfx tests: DIB-section surfaces that clean up after themselves, and pixel access in
// screen orientation written out from the layout rule (row y from the top is stored row Height - 1 - y).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/surface.h"
#include "platform/win32.h"

using Pixel = std::array<BYTE, 3>;  // blue, green, red

// A surface made as a DIB section; the bitmap is deleted before the surface goes, as the scenes do it.
struct DibSurface {
  DibSurface(std::int32_t width, std::int32_t height) : bitmap(surface.CreateDibSection(nullptr, width, height)) {}
  ~DibSurface() { DeleteObject(bitmap); }
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  Surface surface;
  HBITMAP bitmap;
};

inline BYTE* PixelAddress(const Surface& surface, std::int32_t x, std::int32_t y) {
  const std::ptrdiff_t storedRow = surface.Height() - 1 - y;
  return surface.pixels + storedRow * surface.Stride() + 3 * x;
}

inline Pixel GetPixel(const Surface& surface, std::int32_t x, std::int32_t y) {
  const BYTE* p = PixelAddress(surface, x, y);
  return {p[0], p[1], p[2]};
}

inline void PutPixel(Surface& surface, std::int32_t x, std::int32_t y, Pixel pixel) {
  BYTE* p = PixelAddress(surface, x, y);
  p[0] = pixel[0];
  p[1] = pixel[1];
  p[2] = pixel[2];
}

// Every byte of the surface's pixel array, padding included.
inline std::vector<BYTE> AllBytes(const Surface& surface) {
  return std::vector<BYTE>(surface.pixels,
                           surface.pixels + static_cast<std::size_t>(surface.Stride()) * surface.Height());
}

// Fills every pixel with a pattern that differs from pixel to pixel and channel to channel.
inline void FillPattern(Surface& surface, unsigned seed) {
  for (std::int32_t y = 0; y < surface.Height(); ++y) {
    for (std::int32_t x = 0; x < surface.Width(); ++x) {
      const unsigned v = seed + 7u * static_cast<unsigned>(x) + 131u * static_cast<unsigned>(y);
      PutPixel(surface, x, y, {static_cast<BYTE>(v), static_cast<BYTE>(v * 3u + 1u), static_cast<BYTE>(v * 5u + 2u)});
    }
  }
}

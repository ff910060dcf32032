// How a window picture (32-bit 0x00RRGGBB, top-down) becomes the pixels of an X image of some TrueColor visual.
// Pure arithmetic with no Xlib in it, so that every layout can be tested without a display.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/posix/display_backend.h"

namespace posix::x11 {

// An X image's pixel layout: the visual's channel masks, the bits of the depth that no channel uses (alpha on a
// 32-bit visual, written as all ones so that a compositor shows the pixel opaque), the image's bits per pixel and
// its byte order.
struct PixelFormat {
  std::uint32_t redMask = 0;
  std::uint32_t greenMask = 0;
  std::uint32_t blueMask = 0;
  std::uint32_t fillMask = 0;
  int bitsPerPixel = 0;
  bool mostSignificantByteFirst = false;
};

// True when the picture's own pixels can be handed to the server unchanged: 32 bits per pixel in the host's byte
// order, red, green and blue in the low three bytes as in the picture, and no further bits to fill.
bool IsPictureLayout(const PixelFormat& format);

class PixelConverter {
 public:
  explicit PixelConverter(const PixelFormat& format);

  // False for a layout this converter cannot write: bits per pixel other than 8, 16, 24 or 32, or a channel mask
  // that is empty or not one run of bits.
  bool Supported() const { return supported_; }

  // One picture pixel (0x00RRGGBB; the top byte is ignored) as a pixel value of the format.
  std::uint32_t Convert(std::uint32_t rgb) const;

  // Writes `area` of `picture` into an image whose rows are `destBytesPerLine` bytes apart and whose pixel (0, 0)
  // is at `dest`; the area is at the same place in both. `area` must lie inside the picture and the image.
  void ConvertArea(const WindowPicture& picture, const RECT& area, std::uint8_t* dest,
                   std::size_t destBytesPerLine) const;

 private:
  std::array<std::uint32_t, 256> red_{};
  std::array<std::uint32_t, 256> green_{};
  std::array<std::uint32_t, 256> blue_{};
  std::uint32_t fill_ = 0;
  int bytesPerPixel_ = 0;
  bool mostSignificantByteFirst_ = false;
  bool supported_ = false;
};

}  // namespace posix::x11

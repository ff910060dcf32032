// Turns one grid of an art source into pixels and encodes pixels as a Windows bitmap file.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/art/art_source.h"

namespace art {

// A picture in screen orientation: row 0 at the top, pixels of a row left to right.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // width x height, row by row

  Rgb At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  }
};

// Paints every cell of the grid as a scale x scale block of its palette colour. The source must come from a
// successful ParseArtSource, which guarantees the grid's size and palette.
RgbImage Rasterise(const ArtSource& source, const ArtImage& image);

// The bytes of an uncompressed 24-bit BMP file: a 14-byte file header, a 40-byte BITMAPINFOHEADER (BI_RGB, no
// colour table, biSizeImage set, no resolution), then the rows bottom-up in blue, green, red order, each padded
// with zero bytes to a multiple of 4. Without its file header this is exactly a 24-bit RT_BITMAP resource.
std::vector<std::uint8_t> EncodeBmp(const RgbImage& image);

constexpr std::size_t kBmpFileHeaderSize = 14;
constexpr std::size_t kBmpInfoHeaderSize = 40;

}  // namespace art

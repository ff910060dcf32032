#include "tools/art/raster.h"

#include <gtest/gtest.h>

#include "tests/art/bmp_reader.h"
#include "tools/art/art_source.h"

namespace art {
namespace {

using testing::BmpHeader;
using testing::ReadBmpHeader;

ArtSource TwoByTwoCells(int scale) {
  const std::string text = "size " + std::to_string(2 * scale) + " " + std::to_string(2 * scale) + "\nscale " +
                           std::to_string(scale) +
                           "\ncolour R 255 0 0\ncolour B 0 0 255\ncolour W 250 251 252\nimage 1\nRB\nW.\n";
  ParseResult parsed = ParseArtSource(text, "cells");
  EXPECT_TRUE(parsed.ok) << parsed.error;
  return parsed.source;
}

TEST(Rasterise, PaintsEachCellAsAScaleByScaleBlock) {
  const ArtSource source = TwoByTwoCells(3);
  const RgbImage picture = Rasterise(source, source.images[0]);
  ASSERT_EQ(picture.width, 6);
  ASSERT_EQ(picture.height, 6);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      const Rgb top = x < 3 ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
      const Rgb bottom = x < 3 ? Rgb{250, 251, 252} : kBackgroundColour;
      const Rgb expected = y < 3 ? top : bottom;
      EXPECT_EQ(picture.At(x, y), expected) << "pixel " << x << ", " << y;
    }
  }
}

TEST(EncodeBmp, WritesAStandard24BitBottomUpFile) {
  const ArtSource source = TwoByTwoCells(1);
  const std::vector<std::uint8_t> bytes = EncodeBmp(Rasterise(source, source.images[0]));
  // Two pixels of 3 bytes make 6, padded to 8 bytes per row.
  ASSERT_EQ(bytes.size(), 54u + 16u);
  const BmpHeader header = ReadBmpHeader(bytes);
  EXPECT_EQ(header.fileSize, 70u);
  EXPECT_EQ(header.pixelOffset, 54u);
  EXPECT_EQ(header.infoSize, 40u);
  EXPECT_EQ(header.width, 2);
  EXPECT_EQ(header.height, 2);
  EXPECT_EQ(header.planes, 1);
  EXPECT_EQ(header.bitCount, 24);
  EXPECT_EQ(header.compression, 0u);
  EXPECT_EQ(header.sizeImage, 16u);
  EXPECT_EQ(header.clrUsed, 0u);
  // Bottom row first (W then background), then the top row (R then B), blue-green-red, zero padding.
  const std::vector<std::uint8_t> pixels(bytes.begin() + 54, bytes.end());
  const std::vector<std::uint8_t> expected = {252, 251, 250, 0, 255, 0, 0, 0,
                                              0,   0,   255, 255, 0, 0, 0, 0};
  EXPECT_EQ(pixels, expected);
}

TEST(EncodeBmp, RowsOfWidthDivisibleByFourNeedNoPadding) {
  RgbImage picture;
  picture.width = 4;
  picture.height = 1;
  picture.pixels.assign(4, Rgb{1, 2, 3});
  const std::vector<std::uint8_t> bytes = EncodeBmp(picture);
  EXPECT_EQ(bytes.size(), 54u + 12u);
  EXPECT_EQ(ReadBmpHeader(bytes).sizeImage, 12u);
}

}  // namespace
}  // namespace art

#include "gfx/mirror.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// An image of `height` rows of `width` pixels, `stride` bytes apart, each byte different.
std::vector<BYTE> Pattern(std::int32_t stride, std::int32_t height) {
  std::vector<BYTE> bytes(static_cast<std::size_t>(stride) * height);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<BYTE>(i * 7 + 3);
  }
  return bytes;
}

TEST(MirrorCopy, ReversesEachRowAndKeepsRowsAndByteOrder) {
  const std::int32_t width = 5, height = 3, stride = 16;  // one byte of padding per row
  const std::vector<BYTE> source = Pattern(stride, height);
  std::vector<BYTE> out(source.size(), 0xEE);
  MirrorCopy(source.data(), width, height, stride, out.data());
  for (std::int32_t row = 0; row < height; ++row) {
    for (std::int32_t column = 0; column < width; ++column) {
      for (int channel = 0; channel < 3; ++channel) {
        EXPECT_EQ(out[row * stride + 3 * (width - 1 - column) + channel], source[row * stride + 3 * column + channel])
            << "row " << row << " column " << column << " channel " << channel;
      }
    }
  }
}

TEST(MirrorCopy, TwiceGivesBackTheSource) {
  const std::int32_t width = 160, height = 120, stride = 480;
  const std::vector<BYTE> source = Pattern(stride, height);
  std::vector<BYTE> once(source.size());
  std::vector<BYTE> twice(source.size());
  MirrorCopy(source.data(), width, height, stride, once.data());
  MirrorCopy(once.data(), width, height, stride, twice.data());
  EXPECT_NE(once, source);
  EXPECT_EQ(twice, source);
}

TEST(MirrorCopy, OnePixelWideIsAPlainCopy) {
  const std::vector<BYTE> source = Pattern(4, 6);
  std::vector<BYTE> out(source.size(), 0);
  MirrorCopy(source.data(), 1, 6, 4, out.data());
  for (std::size_t row = 0; row < 6; ++row) {
    for (std::size_t channel = 0; channel < 3; ++channel) {
      EXPECT_EQ(out[row * 4 + channel], source[row * 4 + channel]);
    }
  }
}

TEST(MirrorCopy, EmptyImagesWriteNothing) {
  const std::vector<BYTE> source = Pattern(12, 2);
  const std::vector<BYTE> untouched(source.size(), 0xEE);
  for (auto [width, height] : {std::pair{0, 2}, std::pair{4, 0}, std::pair{-1, 2}, std::pair{4, -3}}) {
    std::vector<BYTE> out = untouched;
    MirrorCopy(source.data(), width, height, 12, out.data());
    EXPECT_EQ(out, untouched) << width << " x " << height;
  }
}

}  // namespace

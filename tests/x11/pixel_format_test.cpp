#include "platform/posix/x11/pixel_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace posix::x11 {
namespace {

constexpr bool kBigEndianHost = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__;

PixelFormat Format(std::uint32_t red, std::uint32_t green, std::uint32_t blue, int bitsPerPixel,
                   std::uint32_t fill = 0, bool msbFirst = kBigEndianHost) {
  return PixelFormat{red, green, blue, fill, bitsPerPixel, msbFirst};
}

TEST(PixelFormat, OnlyTheHostOrdered32BitRgbLayoutIsThePicturesOwn) {
  EXPECT_TRUE(IsPictureLayout(Format(0xFF0000, 0xFF00, 0xFF, 32)));
  EXPECT_FALSE(IsPictureLayout(Format(0xFF0000, 0xFF00, 0xFF, 32, 0xFF000000)));   // alpha to fill
  EXPECT_FALSE(IsPictureLayout(Format(0xFF0000, 0xFF00, 0xFF, 32, 0, !kBigEndianHost)));  // swapped bytes
  EXPECT_FALSE(IsPictureLayout(Format(0xFF, 0xFF00, 0xFF0000, 32)));                // BGR
  EXPECT_FALSE(IsPictureLayout(Format(0xFF0000, 0xFF00, 0xFF, 24)));                // packed
}

struct ConversionCase {
  const char* name;
  PixelFormat format;
  std::uint32_t rgb;
  std::uint32_t expected;
};

TEST(PixelFormat, ScalesEachChannelToItsMaskRoundingToTheNearestLevel) {
  const PixelFormat rgb565 = Format(0xF800, 0x07E0, 0x001F, 16);
  const PixelFormat rgb555 = Format(0x7C00, 0x03E0, 0x001F, 16);
  const PixelFormat bgr888 = Format(0x0000FF, 0x00FF00, 0xFF0000, 24);
  const PixelFormat argb = Format(0xFF0000, 0xFF00, 0xFF, 32, 0xFF000000);
  const PixelFormat rgb101010 = Format(0x3FF00000, 0x000FFC00, 0x000003FF, 32, 0xC0000000);
  const PixelFormat rgb332 = Format(0xE0, 0x1C, 0x03, 8);
  const ConversionCase cases[] = {
      {"565 white", rgb565, 0xFFFFFF, 0xFFFF},
      {"565 red", rgb565, 0xFF0000, 0xF800},
      {"565 mid grey", rgb565, 0x808080, 0x8410},
      {"565 black, top byte ignored", rgb565, 0xAB000000, 0x0000},
      {"555 green", rgb555, 0x00FF00, 0x03E0},
      {"bgr swaps red and blue", bgr888, 0x123456, 0x563412},
      {"argb fills alpha", argb, 0x123456, 0xFF123456},
      {"argb black is opaque", argb, 0x000000, 0xFF000000},
      {"10-bit channels", rgb101010, 0xFF8000, 0xC0000000u | (1023u << 20) | (514u << 10)},
      {"332 white", rgb332, 0xFFFFFF, 0xFF},
      {"332 blue", rgb332, 0x0000FF, 0x03},
  };
  for (const ConversionCase& test : cases) {
    const PixelConverter converter(test.format);
    ASSERT_TRUE(converter.Supported()) << test.name;
    EXPECT_EQ(converter.Convert(test.rgb), test.expected) << test.name;
  }
}

TEST(PixelFormat, RefusesLayoutsItCannotWrite) {
  const PixelFormat refused[] = {
      Format(0xF0F000, 0x000F00, 0x0000FF, 32),  // red mask in two runs
      Format(0xFF0000, 0x00FF00, 0, 32),         // no blue
      Format(0xFF0000, 0x01FF00, 0x0000FF, 32),  // red and green overlap
      Format(0xFF0000, 0x00FF00, 0x0000FF, 16),  // masks wider than the pixel
      Format(0xF00, 0x0F0, 0x00F, 12),           // no such pixel size here
      Format(0xFF0000, 0x00FF00, 0x0000FF, 32, 0xFF0000FF),  // fill overlaps blue
  };
  for (const PixelFormat& format : refused) {
    EXPECT_FALSE(PixelConverter(format).Supported()) << std::hex << format.redMask << " " << format.bitsPerPixel;
  }
}

TEST(PixelFormat, ConvertsOnlyTheAreaInTheImagesByteOrder) {
  // A 3 x 2 picture with a stride of 4; the last column of each row is padding that must not be read.
  std::vector<std::uint32_t> pixels = {0x000000, 0xFF0000, 0x0000FF, 0xDEADBEEF,
                                       0xFFFFFF, 0x00FF00, 0x808080, 0xDEADBEEF};
  const WindowPicture picture{pixels.data(), 3, 2, 4};
  const RECT area{1, 0, 3, 2};

  struct OrderCase {
    bool msbFirst;
    std::vector<std::uint8_t> expected;  // two rows of 3 pixels x 2 bytes, plus 2 bytes of row padding
  };
  const OrderCase cases[] = {
      {false, {0xAA, 0xAA, 0x00, 0xF8, 0x1F, 0x00, 0xAA, 0xAA, 0xAA, 0xAA, 0xE0, 0x07, 0x10, 0x84, 0xAA, 0xAA}},
      {true, {0xAA, 0xAA, 0xF8, 0x00, 0x00, 0x1F, 0xAA, 0xAA, 0xAA, 0xAA, 0x07, 0xE0, 0x84, 0x10, 0xAA, 0xAA}},
  };
  for (const OrderCase& test : cases) {
    const PixelConverter converter(Format(0xF800, 0x07E0, 0x001F, 16, 0, test.msbFirst));
    std::vector<std::uint8_t> image(16, 0xAA);  // 8 bytes per row
    converter.ConvertArea(picture, area, image.data(), 8);
    EXPECT_EQ(image, test.expected) << (test.msbFirst ? "MSB first" : "LSB first");
  }
}

TEST(PixelFormat, WritesPacked24BitPixelsThreeBytesApart) {
  std::vector<std::uint32_t> pixels = {0x102030, 0x405060};
  const WindowPicture picture{pixels.data(), 2, 1, 2};
  const PixelConverter converter(Format(0xFF0000, 0x00FF00, 0x0000FF, 24, 0, false));
  std::vector<std::uint8_t> image(8, 0xAA);
  converter.ConvertArea(picture, RECT{0, 0, 2, 1}, image.data(), 8);
  EXPECT_EQ(image, (std::vector<std::uint8_t>{0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0xAA, 0xAA}));
}

}  // namespace
}  // namespace posix::x11

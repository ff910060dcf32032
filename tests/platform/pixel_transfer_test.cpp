// The pixel arithmetic under BitBlt and StretchBlt: row order, colour order, and clipping against both pictures
// for every placement, checked pixel by pixel against a brute-force reference.
#include "platform/posix/pixel_transfer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

using posix::BlitRect;
using posix::DibSection;
using posix::WindowPicture;

constexpr std::uint32_t kUntouched = 0xDEADBEEF;  // a top byte that no copied pixel has

// A source whose pixel (x, y), counted from the top, is 0x00RRGGBB with red x + 1 and green y + 1, stored as
// blue, green, red in rows of the DIB stride, bottom-up or top-down, with the padding bytes set to 0xEE.
DibSection MakeSource(int width, int height, bool bottomUp) {
  DibSection dib;
  dib.width = width;
  dib.height = height;
  dib.stride = (width * 3 + 3) / 4 * 4;
  dib.bottomUp = bottomUp;
  dib.bits.assign(static_cast<std::size_t>(dib.stride * height), 0xEE);
  for (int y = 0; y < height; ++y) {
    const int row = bottomUp ? height - 1 - y : y;
    for (int x = 0; x < width; ++x) {
      BYTE* p = &dib.bits[static_cast<std::size_t>(row * dib.stride + x * 3)];
      p[0] = 0x5A;
      p[1] = static_cast<BYTE>(y + 1);
      p[2] = static_cast<BYTE>(x + 1);
    }
  }
  return dib;
}

std::uint32_t SourcePixel(std::int64_t x, std::int64_t y) {
  return (static_cast<std::uint32_t>(x + 1) << 16) | (static_cast<std::uint32_t>(y + 1) << 8) | 0x5A;
}

struct Picture {
  Picture(int width, int height) : pixels(static_cast<std::size_t>(width * height), kUntouched), w(width), h(height) {}
  WindowPicture View() { return WindowPicture{pixels.data(), w, h, w}; }
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * w + x)]; }
  std::vector<std::uint32_t> pixels;
  int w;
  int h;
};

// What the picture must hold after a blit of `destination` whose destination step (i, j) samples source pixel
// (columnOf(i), rowOf(j)); also the bounding box of the written pixels.
template <typename ColumnOf, typename RowOf>
void ExpectBlitResult(const Picture& picture, const RECT& written, const DibSection& source,
                      const BlitRect& destination, ColumnOf columnOf, RowOf rowOf) {
  RECT expectedArea{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  bool any = false;
  for (int y = 0; y < picture.h; ++y) {
    for (int x = 0; x < picture.w; ++x) {
      const std::int64_t i = std::int64_t{x} - destination.x;
      const std::int64_t j = std::int64_t{y} - destination.y;
      std::uint32_t expected = kUntouched;
      if (i >= 0 && i < destination.width && j >= 0 && j < destination.height) {
        const std::int64_t sx = columnOf(i);
        const std::int64_t sy = rowOf(j);
        if (sx >= 0 && sx < source.width && sy >= 0 && sy < source.height) {
          expected = SourcePixel(sx, sy);
          any = true;
          expectedArea = RECT{std::min<LONG>(expectedArea.left, x), std::min<LONG>(expectedArea.top, y),
                              std::max<LONG>(expectedArea.right, x + 1), std::max<LONG>(expectedArea.bottom, y + 1)};
        }
      }
      ASSERT_EQ(picture.At(x, y), expected) << "at " << x << ", " << y;
    }
  }
  if (!any) {
    expectedArea = RECT{0, 0, 0, 0};
  }
  EXPECT_EQ(written.left, expectedArea.left);
  EXPECT_EQ(written.top, expectedArea.top);
  EXPECT_EQ(written.right, expectedArea.right);
  EXPECT_EQ(written.bottom, expectedArea.bottom);
}

// A test name from a case's description: every character that is not a letter or digit becomes '_'.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  std::string name = info.param.name;
  for (char& c : name) {
    c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  }
  return name;
}

TEST(CopyPixels, ConvertsBottomUpAndTopDownRowsAndSkipsPadding) {
  for (const bool bottomUp : {true, false}) {
    const DibSection source = MakeSource(3, 2, bottomUp);  // stride 12: three padding bytes per row
    Picture picture(3, 2);
    posix::CopyPixels(source, 0, 0, picture.View(), BlitRect{0, 0, 3, 2});
    // Row 0 of the picture is the top row: the last row in memory for a bottom-up DIB.
    EXPECT_EQ(picture.At(0, 0), 0x0001015Au) << bottomUp;
    EXPECT_EQ(picture.At(2, 0), 0x0003015Au) << bottomUp;
    EXPECT_EQ(picture.At(0, 1), 0x0001025Au) << bottomUp;
    EXPECT_EQ(picture.At(2, 1), 0x0003025Au) << bottomUp;
  }
}

struct CopyCase {
  const char* name;
  int sourceX;
  int sourceY;
  BlitRect destination;
};
// Names the case in test listings instead of a dump of its bytes.
void PrintTo(const CopyCase& c, std::ostream* out) { *out << c.name; }


class CopyClipping : public ::testing::TestWithParam<CopyCase> {};

TEST_P(CopyClipping, WritesExactlyTheOverlapOfBothPictures) {
  const CopyCase& c = GetParam();
  const DibSection source = MakeSource(4, 3, true);
  Picture picture(5, 4);
  const RECT written = posix::CopyPixels(source, c.sourceX, c.sourceY, picture.View(), c.destination);
  ExpectBlitResult(
      picture, written, source, c.destination, [&](std::int64_t i) { return c.sourceX + i; },
      [&](std::int64_t j) { return c.sourceY + j; });
}

INSTANTIATE_TEST_SUITE_P(
    HostileRectangles, CopyClipping,
    ::testing::Values(CopyCase{"whole source", 0, 0, {0, 0, 4, 3}}, CopyCase{"offset inside", 0, 0, {1, 1, 4, 3}},
                      CopyCase{"past the right and bottom", 0, 0, {3, 2, 4, 3}},
                      CopyCase{"past the left and top", 0, 0, {-2, -1, 4, 3}},
                      CopyCase{"source offset", 1, 1, {0, 0, 4, 3}},
                      CopyCase{"negative source offset", -2, -1, {0, 0, 5, 4}},
                      CopyCase{"source wholly outside", 10, 10, {0, 0, 4, 3}},
                      CopyCase{"destination wholly outside", 0, 0, {5, 0, 4, 3}},
                      CopyCase{"huge size", 0, 0, {0, 0, INT_MAX, INT_MAX}},
                      CopyCase{"huge size from far left", 0, 0, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}},
                      CopyCase{"extreme positions", INT_MIN, INT_MAX, {INT_MAX, INT_MIN, INT_MAX, INT_MAX}},
                      CopyCase{"extreme source with huge size", INT_MIN, INT_MIN, {0, 0, INT_MAX, INT_MAX}},
                      CopyCase{"zero width", 0, 0, {0, 0, 0, 3}}, CopyCase{"negative height", 0, 0, {0, 0, 4, -3}}),
    CaseName<CopyCase>);

struct StretchCase {
  const char* name;
  BlitRect source;
  BlitRect destination;
};
// Names the case in test listings instead of a dump of its bytes.
void PrintTo(const StretchCase& c, std::ostream* out) { *out << c.name; }


class StretchClipping : public ::testing::TestWithParam<StretchCase> {};

TEST_P(StretchClipping, SamplesUnderPixelCentresInsideBothPictures) {
  const StretchCase& c = GetParam();
  const DibSection source = MakeSource(4, 3, true);
  Picture picture(5, 4);
  const RECT written = posix::StretchPixels(source, c.source, picture.View(), c.destination);
  if (c.source.width <= 0 || c.source.height <= 0) {
    EXPECT_EQ(picture.pixels, std::vector<std::uint32_t>(picture.pixels.size(), kUntouched));
    return;
  }
  // The reference is asked only about pixels inside the picture, so its products stay small.
  ExpectBlitResult(
      picture, written, source, c.destination,
      [&](std::int64_t i) {
        return c.source.x + (2 * i + 1) * c.source.width / (2 * std::int64_t{c.destination.width});
      },
      [&](std::int64_t j) {
        return c.source.y + (2 * j + 1) * c.source.height / (2 * std::int64_t{c.destination.height});
      });
}

INSTANTIATE_TEST_SUITE_P(
    HostileRectangles, StretchClipping,
    ::testing::Values(StretchCase{"same size", {0, 0, 4, 3}, {0, 0, 4, 3}},
                      StretchCase{"enlarged past the picture", {0, 0, 4, 3}, {-3, -2, 9, 7}},
                      StretchCase{"shrunk", {0, 0, 4, 3}, {1, 1, 2, 2}},
                      StretchCase{"source larger than the bitmap", {-4, -3, 12, 9}, {0, 0, 5, 4}},
                      StretchCase{"huge destination", {0, 0, 4, 3}, {0, 0, INT_MAX, INT_MAX}},
                      StretchCase{"huge destination far left", {0, 0, 4, 3}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}},
                      StretchCase{"huge source", {0, 0, INT_MAX, INT_MAX}, {0, 0, 5, 4}},
                      StretchCase{"extreme source position", {INT_MAX, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 5, 4}},
                      StretchCase{"zero source", {0, 0, 0, 3}, {0, 0, 5, 4}},
                      StretchCase{"zero destination", {0, 0, 4, 3}, {0, 0, 5, 0}}),
    CaseName<StretchCase>);

TEST(StretchPixels, DoublingRepeatsEachPixelAndHalvingTakesTheOneUnderTheCentre) {
  const DibSection source = MakeSource(4, 3, true);
  Picture doubled(8, 6);
  posix::StretchPixels(source, BlitRect{0, 0, 4, 3}, doubled.View(), BlitRect{0, 0, 8, 6});
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(doubled.At(x, y), SourcePixel(x / 2, y / 2)) << x << ", " << y;
    }
  }

  Picture halved(2, 1);
  posix::StretchPixels(source, BlitRect{0, 0, 4, 3}, halved.View(), BlitRect{0, 0, 2, 1});
  EXPECT_EQ(halved.At(0, 0), SourcePixel(1, 1));
  EXPECT_EQ(halved.At(1, 0), SourcePixel(3, 1));
}

TEST(PixelTransfer, RefusesInconsistentPicturesAndSources) {
  DibSection source = MakeSource(4, 3, true);
  Picture picture(5, 4);
  WindowPicture narrowStride = picture.View();
  narrowStride.stride = 4;  // shorter than a row
  EXPECT_EQ(posix::CopyPixels(source, 0, 0, narrowStride, BlitRect{0, 0, 4, 3}).right, 0);
  EXPECT_EQ(posix::CopyPixels(source, 0, 0, WindowPicture{}, BlitRect{0, 0, 4, 3}).right, 0);

  source.bits.resize(source.bits.size() - 1);  // one byte short of its rows
  EXPECT_EQ(posix::CopyPixels(source, 0, 0, picture.View(), BlitRect{0, 0, 4, 3}).right, 0);
  EXPECT_EQ(posix::StretchPixels(source, BlitRect{0, 0, 4, 3}, picture.View(), BlitRect{0, 0, 5, 4}).right, 0);
  EXPECT_EQ(picture.pixels, std::vector<std::uint32_t>(picture.pixels.size(), kUntouched));
}

}  // namespace

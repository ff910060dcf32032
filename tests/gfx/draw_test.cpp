// The dispatchers' behaviour on small surfaces: each mode's channel results, blend truncation, colour keys,
// mirroring, clipping and the cases they refuse.
#include "gfx/draw.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "gfx/blend.h"
#include "tests/gfx/surface_fixture.h"

namespace {

using DrawFunction = bool (*)(const Surface&, Surface&, DrawParams);

struct NamedDraw {
  const char* name;
  DrawFunction draw;
};
const NamedDraw kAllModes[] = {{"subtract", DrawSubtract}, {"add", DrawAdd}, {"gray", DrawGray}, {"copy", DrawCopy}};

const GrayTable kGrayTable;

DrawParams Params(std::int32_t x, std::int32_t y, bool mirror = false, DWORD key = kNoColourKey,
                  BYTE opacity = kOpaque) {
  return DrawParams{&kGrayTable, x, y, mirror, key, opacity};
}

// Draws a one-pixel source onto a one-pixel destination and returns the destination's pixel.
Pixel DrawOnePixel(DrawFunction draw, Pixel source, Pixel destination, DWORD key = kNoColourKey,
                   BYTE opacity = kOpaque) {
  DibSurface from(1, 1);
  DibSurface to(1, 1);
  PutPixel(from.surface, 0, 0, source);
  PutPixel(to.surface, 0, 0, destination);
  EXPECT_TRUE(draw(from.surface, to.surface, Params(0, 0, false, key, opacity)));
  return GetPixel(to.surface, 0, 0);
}

struct PixelCase {
  const char* name;
  DrawFunction draw;
  Pixel source;
  Pixel destination;
  BYTE opacity;
  Pixel expected;
};

const Pixel kBlack{0, 0, 0};
const Pixel kWhite{255, 255, 255};

TEST(Draw, ChannelResultsOfEachMode) {
  const PixelCase cases[] = {
      {"grey of 10, 20, 31 is 61 / 3", DrawGray, {10, 20, 31}, kBlack, kOpaque, {20, 20, 20}},
      {"grey of 255, 255, 254", DrawGray, {255, 255, 254}, kBlack, kOpaque, {254, 254, 254}},
      {"grey of white", DrawGray, kWhite, kBlack, kOpaque, kWhite},
      {"add saturates at 255", DrawAdd, {100, 100, 100}, {200, 154, 155}, kOpaque, {255, 254, 255}},
      {"subtract stops at 0", DrawSubtract, {100, 150, 100}, {150, 100, 100}, kOpaque, {50, 0, 0}},
      {"copy", DrawCopy, {1, 2, 3}, {200, 200, 200}, kOpaque, {1, 2, 3}},
  };
  for (const PixelCase& c : cases) {
    EXPECT_EQ(DrawOnePixel(c.draw, c.source, c.destination, kNoColourKey, c.opacity), c.expected) << c.name;
  }
}

// trunc(d x Wd + t x Ws) in doubles: the last three differ from the integer formula (d(255-a) + ta) / 255, which
// would give 33, 255 and 3.
TEST(Draw, BlendsTruncateTheDoubleSum) {
  const PixelCase cases[] = {
      {"128: white over black", DrawCopy, kWhite, kBlack, 128, {128, 128, 128}},
      {"128: black over white", DrawCopy, kBlack, kWhite, 128, {127, 127, 127}},
      {"33: white over black", DrawCopy, kWhite, kBlack, 33, {32, 32, 32}},
      {"11: white over white", DrawCopy, kWhite, kWhite, 11, {254, 254, 254}},
      {"4: 3 over 3", DrawCopy, {3, 3, 3}, {3, 3, 3}, 4, {2, 2, 2}},
      {"254 blends: white over black", DrawCopy, kWhite, kBlack, 254, {254, 254, 254}},
      {"254 blends: black over white", DrawCopy, kBlack, kWhite, 254, {1, 1, 1}},
      {"grey target", DrawGray, {10, 20, 31}, kBlack, 128, {10, 10, 10}},
      {"add target", DrawAdd, {100, 100, 100}, {200, 200, 200}, 128, {227, 227, 227}},
      {"subtract target", DrawSubtract, {100, 100, 100}, {200, 200, 200}, 128, {149, 149, 149}},
  };
  for (const PixelCase& c : cases) {
    EXPECT_EQ(DrawOnePixel(c.draw, c.source, c.destination, kNoColourKey, c.opacity), c.expected) << c.name;
  }
}

TEST(Draw, BlendConstantIsTheDoubleNearestToOneOver255) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &kOneOver255, sizeof bits);
  EXPECT_EQ(bits, 0x3F70101010101010u);
  EXPECT_EQ(255 * kOneOver255, 1.0);
  const BlendWeights opaque = BlendWeightsFor(255);
  EXPECT_EQ(opaque.destination, 0.0);
  EXPECT_EQ(opaque.source, 1.0);
}

TEST(Draw, OpacityZeroLeavesTheDestinationInEveryMode) {
  for (const NamedDraw& mode : kAllModes) {
    for (DWORD key : {kNoColourKey, DWORD{0x00FF00}}) {
      EXPECT_EQ(DrawOnePixel(mode.draw, {9, 200, 77}, {31, 62, 93}, key, 0), (Pixel{31, 62, 93})) << mode.name;
    }
  }
}

TEST(Draw, KeyPixelsAreTransparentInEveryMode) {
  const Pixel destination{40, 50, 60};
  for (const NamedDraw& mode : kAllModes) {
    for (BYTE opacity : {kOpaque, BYTE{128}}) {
      // Pure green is the key 0x00FF00; one step of blue away from it is not.
      EXPECT_EQ(DrawOnePixel(mode.draw, {0x00, 0xFF, 0x00}, destination, 0x00FF00, opacity), destination)
          << mode.name;
      EXPECT_NE(DrawOnePixel(mode.draw, {0x01, 0xFF, 0x00}, destination, 0x00FF00, opacity), destination)
          << mode.name;
    }
  }
}

TEST(Draw, KeyValuesAreInColourLayout) {
  // 0x0000FF is red: the pixel bytes 00 00 FF (blue, green, red) are transparent, pure blue is drawn.
  EXPECT_EQ(DrawOnePixel(DrawCopy, {0x00, 0x00, 0xFF}, kBlack, 0x0000FF), kBlack);
  EXPECT_EQ(DrawOnePixel(DrawCopy, {0xFF, 0x00, 0x00}, kBlack, 0x0000FF), (Pixel{0xFF, 0x00, 0x00}));
  // A key with a non-zero top byte matches no pixel: even pure green is drawn.
  for (DWORD key : {DWORD{0xFF00FF00}, DWORD{0x0100FF00}, DWORD{0xFFFFFFFE}}) {
    EXPECT_EQ(DrawOnePixel(DrawCopy, {0x00, 0xFF, 0x00}, kBlack, key), (Pixel{0x00, 0xFF, 0x00})) << std::hex << key;
  }
}

TEST(Draw, MirroredSourceClippedOnTheLeft) {
  DibSurface source(160, 2);
  DibSurface destination(200, 2);
  FillPattern(source.surface, 1);
  ASSERT_TRUE(DrawCopy(source.surface, destination.surface, Params(-10, 0, true)));
  for (std::int32_t y = 0; y < 2; ++y) {
    for (std::int32_t x = 0; x < 200; ++x) {
      // Column c of the screen shows column 149 - c of the unmirrored source; its columns 150 to 159 are cut off.
      const Pixel expected = x < 150 ? GetPixel(source.surface, 149 - x, y) : kBlack;
      ASSERT_EQ(GetPixel(destination.surface, x, y), expected) << "column " << x << " row " << y;
    }
  }
  EXPECT_EQ(GetPixel(destination.surface, 0, 0), GetPixel(source.surface, 149, 0));
  EXPECT_EQ(GetPixel(destination.surface, 149, 0), GetPixel(source.surface, 0, 0));
}

TEST(Draw, SourcesCutAtTheTopAndBottom) {
  DibSurface source(4, 6);
  FillPattern(source.surface, 5);

  DibSurface low(10, 5);  // only 2 rows below y = 3: the source's top two rows
  ASSERT_TRUE(DrawCopy(source.surface, low.surface, Params(0, 3)));
  DibSurface high(10, 5);  // starting 4 rows above the top: the source's rows 4 and 5 land in rows 0 and 1
  ASSERT_TRUE(DrawCopy(source.surface, high.surface, Params(0, -4)));
  for (std::int32_t x = 0; x < 4; ++x) {
    EXPECT_EQ(GetPixel(low.surface, x, 3), GetPixel(source.surface, x, 0));
    EXPECT_EQ(GetPixel(low.surface, x, 4), GetPixel(source.surface, x, 1));
    EXPECT_EQ(GetPixel(low.surface, x, 2), kBlack);
    EXPECT_EQ(GetPixel(high.surface, x, 0), GetPixel(source.surface, x, 4));
    EXPECT_EQ(GetPixel(high.surface, x, 1), GetPixel(source.surface, x, 5));
    EXPECT_EQ(GetPixel(high.surface, x, 2), kBlack);
  }
}

TEST(Draw, PlacementsThatShowNothing) {
  DibSurface source(4, 4);
  FillPattern(source.surface, 9);
  struct Case {
    std::int32_t x, y;
    bool result;
  };
  // Touching the left or top edge is a successful draw of nothing; wholly outside is refused.
  const Case cases[] = {{-4, 0, true}, {0, -4, true}, {-5, 0, false}, {8, 0, false}, {0, 8, false},
                        {INT_MIN, INT_MIN, false}, {INT_MAX, INT_MAX, false}, {INT_MIN, 0, false}};
  for (const Case& c : cases) {
    for (const NamedDraw& mode : kAllModes) {
      for (bool mirror : {false, true}) {
        DibSurface destination(8, 8);
        EXPECT_EQ(mode.draw(source.surface, destination.surface, Params(c.x, c.y, mirror)), c.result)
            << mode.name << " at " << c.x << "," << c.y;
        EXPECT_EQ(AllBytes(destination.surface), std::vector<BYTE>(8 * 24, 0));
      }
    }
  }
}

TEST(Draw, LockedSurfacesAreRefused) {
  DibSurface source(4, 4);
  FillPattern(source.surface, 3);
  for (bool lockSource : {false, true}) {
    for (const NamedDraw& mode : kAllModes) {
      for (std::int32_t x : {0, -2, 100}) {
        DibSurface destination(8, 8);
        (lockSource ? source.surface : destination.surface).locked = 1;
        EXPECT_FALSE(mode.draw(source.surface, destination.surface, Params(x, 0)));
        EXPECT_EQ(AllBytes(destination.surface), std::vector<BYTE>(8 * 24, 0));
        source.surface.locked = 0;
      }
    }
  }
}

// Surfaces without a usable 24-bit image are refused before anything is read or written.
TEST(Draw, SurfacesWithoutAnImageAreRefused) {
  DibSurface good(4, 4);
  DibSurface destination(8, 8);
  FillPattern(good.surface, 3);

  Surface neverMade;
  Surface headerOnly;
  headerOnly.SetupHeader(4, 4);
  DibSurface eightBit(4, 4);
  eightBit.surface.header->biBitCount = 8;
  DibSurface topDown(4, -4);

  for (const NamedDraw& mode : kAllModes) {
    for (Surface* unusable : {&neverMade, &headerOnly, &eightBit.surface, &topDown.surface}) {
      EXPECT_FALSE(mode.draw(*unusable, destination.surface, Params(0, 0))) << mode.name;
      EXPECT_FALSE(mode.draw(good.surface, *unusable, Params(0, 0))) << mode.name;
    }
  }
  EXPECT_EQ(AllBytes(destination.surface), std::vector<BYTE>(8 * 24, 0));
}

TEST(Draw, DrawingASurfaceOntoItselfIsRefused) {
  DibSurface surface(4, 4);
  FillPattern(surface.surface, 3);
  const std::vector<BYTE> before = AllBytes(surface.surface);
  for (const NamedDraw& mode : kAllModes) {
    EXPECT_FALSE(mode.draw(surface.surface, surface.surface, Params(1, 1))) << mode.name;
  }
  EXPECT_EQ(AllBytes(surface.surface), before);
}

TEST(Draw, GrayWithoutATableIsRefused) {
  DibSurface source(2, 2);
  DibSurface destination(2, 2);
  FillPattern(source.surface, 3);
  DrawParams params = Params(0, 0);
  params.grayTable = nullptr;
  EXPECT_FALSE(DrawGray(source.surface, destination.surface, params));
  EXPECT_TRUE(DrawCopy(source.surface, destination.surface, params));  // only the grey mode reads the table
}

TEST(GrayTable, HoldsTheChannelMeanRoundedDown) {
  ASSERT_EQ(kGrayTable.Size(), 766u);
  for (std::size_t sum = 0; sum < 766; ++sum) {
    ASSERT_EQ(kGrayTable[sum], sum / 3) << sum;
  }
  EXPECT_EQ(kGrayTable[2], 0);
  EXPECT_EQ(kGrayTable[3], 1);
  EXPECT_EQ(kGrayTable[764], 254);
  EXPECT_EQ(kGrayTable[765], 255);
}

}  // namespace

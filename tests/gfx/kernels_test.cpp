// Every kernel, reached through its dispatcher, against a plain per-pixel model of the drawing rules: random
// sources (with key-coloured pixels), destinations, placements partly or wholly off the destination, mirroring,
// keys and opacities. The model places each source pixel itself instead of clipping a rectangle, so it checks
// the clipping as well.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "gfx/draw.h"
#include "tests/gfx/surface_fixture.h"

namespace {

enum class Mode { Subtract, Add, Gray, Copy };

double OneOver255() {
  const std::uint64_t bits = 0x3F70101010101010u;
  double k;
  std::memcpy(&k, &bits, sizeof k);
  return k;
}

BYTE ModelChannel(Mode mode, BYTE s, BYTE d, BYTE gray, BYTE opacity) {
  int t = 0;
  switch (mode) {
    case Mode::Subtract: t = d > s ? d - s : 0; break;
    case Mode::Add: t = d + s < 255 ? d + s : 255; break;
    case Mode::Gray: t = gray; break;
    case Mode::Copy: t = s; break;
  }
  if (opacity == 255) {
    return static_cast<BYTE>(t);
  }
  const double k = OneOver255();
  return static_cast<BYTE>(static_cast<int>(d * ((255 - opacity) * k) + t * (opacity * k)));
}

// True when the model would draw anything at all (the placement is not rejected).
bool ModelDraw(Mode mode, const Surface& source, Surface& destination, const DrawParams& params) {
  const std::int64_t w = source.Width(), h = source.Height();
  if (params.x >= destination.Width() || params.y >= destination.Height() || params.x + w < 0 ||
      params.y + h < 0) {
    return false;
  }
  for (std::int32_t sy = 0; sy < h; ++sy) {
    for (std::int32_t sx = 0; sx < w; ++sx) {
      const std::int64_t dx = params.x + sx, dy = params.y + sy;
      if (dx < 0 || dy < 0 || dx >= destination.Width() || dy >= destination.Height()) {
        continue;
      }
      const Pixel s = GetPixel(source, params.mirror ? static_cast<std::int32_t>(w - 1 - sx) : sx, sy);
      const DWORD value = (DWORD{s[0]} << 16) | (DWORD{s[1]} << 8) | s[2];
      if (params.key != kNoColourKey && value == params.key) {
        continue;
      }
      const BYTE gray = static_cast<BYTE>((s[0] + s[1] + s[2]) / 3);
      const Pixel d = GetPixel(destination, static_cast<std::int32_t>(dx), static_cast<std::int32_t>(dy));
      Pixel out;
      for (int c = 0; c < 3; ++c) {
        out[c] = ModelChannel(mode, s[c], d[c], gray, params.opacity);
      }
      PutPixel(destination, static_cast<std::int32_t>(dx), static_cast<std::int32_t>(dy), out);
    }
  }
  return true;
}

void FillRandom(Surface& surface, std::mt19937& random, DWORD keyColour) {
  std::uniform_int_distribution<int> byte(0, 255);
  for (std::int32_t y = 0; y < surface.Height(); ++y) {
    for (std::int32_t x = 0; x < surface.Width(); ++x) {
      if (random() % 4 == 0) {  // a quarter of the pixels in the key colour
        PutPixel(surface, x, y,
                 {static_cast<BYTE>(keyColour >> 16), static_cast<BYTE>(keyColour >> 8), static_cast<BYTE>(keyColour)});
      } else {
        PutPixel(surface, x, y, {static_cast<BYTE>(byte(random)), static_cast<BYTE>(byte(random)),
                                 static_cast<BYTE>(byte(random))});
      }
    }
  }
}

struct ModeUnderTest {
  Mode mode;
  bool (*draw)(const Surface&, Surface&, DrawParams);
  const char* name;
};

TEST(Kernels, AllSixteenMatchThePlainModel) {
  const ModeUnderTest modes[] = {{Mode::Subtract, DrawSubtract, "subtract"},
                                 {Mode::Add, DrawAdd, "add"},
                                 {Mode::Gray, DrawGray, "gray"},
                                 {Mode::Copy, DrawCopy, "copy"}};
  const GrayTable grayTable;
  std::mt19937 random(20240607);
  auto between = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };

  for (int round = 0; round < 600; ++round) {
    const DWORD keyColour = static_cast<DWORD>(random()) & 0xFFFFFFu;
    DibSurface source(between(1, 23), between(1, 17));
    FillRandom(source.surface, random, keyColour);
    const std::int32_t destWidth = between(1, 29), destHeight = between(1, 19);

    const DWORD keys[] = {kNoColourKey, keyColour, keyColour | 0x01000000u};
    const DWORD key = keys[between(0, 2)];
    const BYTE opacities[] = {255, 0, 1, 128, 254, static_cast<BYTE>(between(0, 255))};
    const BYTE opacity = opacities[between(0, 5)];
    const DrawParams params{&grayTable, between(-30, 35), between(-25, 25), between(0, 1) == 1, key, opacity};

    for (const ModeUnderTest& mode : modes) {
      DibSurface actual(destWidth, destHeight);
      DibSurface expected(destWidth, destHeight);
      FillRandom(actual.surface, random, keyColour);
      std::memcpy(expected.surface.pixels, actual.surface.pixels,
                  static_cast<std::size_t>(actual.surface.Stride()) * destHeight);

      const bool drawn = mode.draw(source.surface, actual.surface, params);
      const bool modelDrawn = ModelDraw(mode.mode, source.surface, expected.surface, params);
      ASSERT_EQ(drawn, modelDrawn) << mode.name << " round " << round;
      ASSERT_EQ(AllBytes(actual.surface), AllBytes(expected.surface))
          << mode.name << " round " << round << ": " << source.surface.Width() << "x" << source.surface.Height()
          << " at " << params.x << "," << params.y << " on " << destWidth << "x" << destHeight << " mirror "
          << params.mirror << " key " << std::hex << key << std::dec << " opacity " << int{opacity};
    }
  }
}

// The kernels also work when called directly with a clipped rectangle inside larger images.
// The model above is computed by the same compiler as the kernels, so it cannot tell whether that compiler kept
// the blend in IEEE double arithmetic. Each of these channels, worked out in binary64 with both products and the
// sum rounded to double, comes out one different otherwise: the first six in x87 extended precision, the next
// three when the destination's product is fused into the sum or everything is done in float, the last two when
// the source's product is fused.
TEST(Kernels, BlendIsComputedInDoublePrecision) {
  struct BlendCase {
    BYTE destination, source, opacity, expected;
  };
  const BlendCase cases[] = {
      {0, 255, 1, 1},    {222, 142, 51, 206}, {255, 0, 76, 179},  {80, 165, 126, 122}, {216, 131, 201, 149},
      {255, 0, 251, 4},  {111, 9, 5, 108},    {163, 112, 5, 161}, {141, 39, 5, 138},   {6, 40, 15, 8},
      {117, 236, 15, 124}};
  for (const BlendCase& c : cases) {
    DibSurface source(1, 1);
    DibSurface destination(1, 1);
    PutPixel(source.surface, 0, 0, {c.source, c.source, c.source});
    PutPixel(destination.surface, 0, 0, {c.destination, c.destination, c.destination});
    ASSERT_TRUE(DrawCopy(source.surface, destination.surface, {nullptr, 0, 0, false, kNoColourKey, c.opacity}));
    EXPECT_EQ(GetPixel(destination.surface, 0, 0), (Pixel{c.expected, c.expected, c.expected}))
        << int{c.source} << " over " << int{c.destination} << " at opacity " << int{c.opacity};
  }
}

TEST(Kernels, DirectCallTouchesOnlyTheGivenRectangle) {
  DibSurface source(6, 5);
  DibSurface destination(9, 7);
  FillPattern(source.surface, 11);
  const BlitArgs args{destination.surface.pixels, 9, 7, destination.surface.Stride(), 2, 3,
                      source.surface.pixels,      6, 5, source.surface.Stride(),      1, 2,
                      4,                          2, kNoColourKey, kOpaque,           nullptr};
  BlitCopy(args);
  for (std::int32_t y = 0; y < 7; ++y) {
    for (std::int32_t x = 0; x < 9; ++x) {
      const bool inside = x >= 2 && x < 6 && y >= 3 && y < 5;
      const Pixel expected = inside ? GetPixel(source.surface, x - 2 + 1, y - 3 + 2) : Pixel{0, 0, 0};
      EXPECT_EQ(GetPixel(destination.surface, x, y), expected) << x << "," << y;
    }
  }
}

}  // namespace

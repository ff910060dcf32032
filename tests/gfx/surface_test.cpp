#include "gfx/surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "gfx/pixel_layout.h"
#include "tests/gfx/surface_fixture.h"
#include "tests/support/gdi_readback.h"

namespace {

TEST(Surface, StartsEmpty) {
  Surface surface;
  EXPECT_EQ(surface.kind, SurfaceKind::Empty);
  EXPECT_TRUE(surface.headerBuffer.empty());
  EXPECT_EQ(surface.header, nullptr);
  EXPECT_EQ(surface.pixels, nullptr);
  EXPECT_EQ(surface.palette, nullptr);
  EXPECT_EQ(surface.Width(), 0);
  EXPECT_EQ(surface.Height(), 0);
  EXPECT_EQ(surface.Stride(), 0);
}

TEST(Surface, CreateDibSectionMakesABottomUp24BitSurface) {
  DibSurface dib(7, 5);
  const Surface& surface = dib.surface;
  ASSERT_NE(dib.bitmap, nullptr);
  EXPECT_EQ(surface.kind, SurfaceKind::DibSection);
  EXPECT_EQ(surface.headerBuffer.size(), 1064u);
  ASSERT_EQ(static_cast<const void*>(surface.header), static_cast<const void*>(surface.headerBuffer.data()));
  EXPECT_EQ(surface.header->biSize, 40u);
  EXPECT_EQ(surface.header->biWidth, 7);
  EXPECT_EQ(surface.header->biHeight, 5);
  EXPECT_EQ(surface.header->biPlanes, 1);
  EXPECT_EQ(surface.header->biBitCount, 24);
  EXPECT_EQ(surface.header->biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(surface.header->biSizeImage, 0u);
  EXPECT_EQ(surface.header->biClrUsed, 0u);
  EXPECT_EQ(surface.locked, 0);
  EXPECT_EQ(surface.palette, nullptr);
  EXPECT_EQ(surface.Stride(), 24);

  // The pixels are the bitmap's own bits, zero-filled.
  DibSectionDescription section;
  ASSERT_TRUE(DescribeDibSection(dib.bitmap, section));
  EXPECT_EQ(surface.pixels, section.bits);
  EXPECT_TRUE(section.bottomUp);
  EXPECT_EQ(AllBytes(surface), std::vector<BYTE>(24 * 5, 0));
}

TEST(Surface, IsMadeOnlyOnce) {
  DibSurface dib(4, 4);
  BITMAPINFOHEADER* header = dib.surface.header;
  BYTE* pixels = dib.surface.pixels;
  EXPECT_EQ(dib.surface.CreateDibSection(nullptr, 8, 8), nullptr);
  EXPECT_EQ(dib.surface.LoadBitmapResource(nullptr, MAKEINTRESOURCEA(102)), false);
  EXPECT_EQ(dib.surface.kind, SurfaceKind::DibSection);
  EXPECT_EQ(dib.surface.header, header);
  EXPECT_EQ(dib.surface.pixels, pixels);
  EXPECT_EQ(dib.surface.Width(), 4);
}

TEST(Surface, CreateDibSectionWithUnusableSizesGivesNoPixels) {
  for (auto [width, height] : {std::pair{0, 10}, std::pair{10, 0}, std::pair{-5, 10}, std::pair{INT_MAX, INT_MAX}}) {
    Surface surface;
    EXPECT_EQ(surface.CreateDibSection(nullptr, width, height), nullptr) << width << " x " << height;
    EXPECT_EQ(surface.pixels, nullptr);
    surface.Fill(0);  // must not write anywhere
  }
}

TEST(Surface, StrideIsWidthTimesThreeRoundedUpToFour) {
  const std::pair<std::int32_t, std::int32_t> cases[] = {{1, 4},     {2, 8},     {3, 12},     {4, 12},      {5, 16},
                                                         {100, 300}, {160, 480}, {1024, 3072}, {1366, 4100}};
  for (auto [width, stride] : cases) {
    Surface surface;
    surface.SetupHeader(width, 1);
    EXPECT_EQ(surface.Stride(), stride) << "width " << width;
  }
  Surface huge;
  huge.SetupHeader(INT_MAX, 1);  // rows that would not fit in 32 bits
  EXPECT_EQ(huge.Stride(), 0);
}

TEST(Surface, PixelOffsetsCountRowsFromTheBottom) {
  EXPECT_EQ(PixelOffset(768, 4100, 0, 0), 3144700);   // top-left of 1366 x 768
  EXPECT_EQ(PixelOffset(768, 3072, 10, 0), 2356254);  // column 10 of the top row of 1024 x 768
  EXPECT_EQ(PixelOffset(768, 3072, 0, 767), 0);       // the bottom row is the first in memory

  // FillArea places its pixels by the same rule.
  DibSurface dib(1024, 768);
  ASSERT_TRUE(dib.surface.FillArea(10, 0, 1, 1, 0x0000FF));
  const BYTE* p = dib.surface.pixels + 2356254;
  EXPECT_EQ((Pixel{p[0], p[1], p[2]}), (Pixel{0x00, 0x00, 0xFF}));
}

TEST(Surface, SetupHeaderWritesOnlyTheHeader) {
  Surface surface;
  surface.SetupHeader(33, 21);
  EXPECT_EQ(surface.kind, SurfaceKind::Empty);
  EXPECT_EQ(surface.pixels, nullptr);
  EXPECT_EQ(surface.headerBuffer.size(), 1064u);
  ASSERT_NE(surface.header, nullptr);
  EXPECT_EQ(surface.header->biSize, 40u);
  EXPECT_EQ(surface.header->biBitCount, 24);
  EXPECT_EQ(surface.header->biPlanes, 1);
  EXPECT_EQ(surface.Width(), 33);
  EXPECT_EQ(surface.Height(), 21);
  surface.Fill(0);  // no pixels: nothing to write
  EXPECT_FALSE(surface.FillArea(0, 0, 1, 1, 0));
  // The surface can still be made.
  HBITMAP bitmap = surface.CreateDibSection(nullptr, 2, 2);
  EXPECT_NE(bitmap, nullptr);
  DeleteObject(bitmap);
}

TEST(Surface, SetupHeaderKeepsTheHeaderOfExistingPixels) {
  DibSurface dib(4, 4);
  dib.surface.SetupHeader(4000, 4000);
  EXPECT_EQ(dib.surface.Width(), 4);
  EXPECT_EQ(dib.surface.Height(), 4);
}

struct FillCase {
  COLORREF colour;
  Pixel bytes;
};

TEST(Surface, FillWritesTheColourIntoEveryPixelAndLeavesPadding) {
  const FillCase cases[] = {{0x000000, {0x00, 0x00, 0x00}},
                            {0x00FF00, {0x00, 0xFF, 0x00}},
                            {0x0000FF, {0x00, 0x00, 0xFF}},
                            {0x00123456, {0x12, 0x34, 0x56}},
                            {0xAB0000FF, {0x00, 0x00, 0xFF}}};  // the top byte is ignored
  for (const FillCase& c : cases) {
    DibSurface dib(5, 3);  // stride 16: one padding byte per row
    std::fill(dib.surface.pixels, dib.surface.pixels + 48, BYTE{0xEE});
    dib.surface.Fill(c.colour);
    for (std::int32_t y = 0; y < 3; ++y) {
      for (std::int32_t x = 0; x < 5; ++x) {
        ASSERT_EQ(GetPixel(dib.surface, x, y), c.bytes) << std::hex << c.colour;
      }
      EXPECT_EQ(dib.surface.pixels[y * 16 + 15], 0xEE) << "padding of row " << y;
    }
  }
}

TEST(Surface, FillAreaFillsTheClippedRectangle) {
  DibSurface dib(8, 6);
  dib.surface.locked = 1;  // only the draw operations look at the flag
  ASSERT_TRUE(dib.surface.FillArea(-2, 4, 5, 10, 0x0000FF));  // cut on the left and at the bottom
  for (std::int32_t y = 0; y < 6; ++y) {
    for (std::int32_t x = 0; x < 8; ++x) {
      const Pixel expected = x < 3 && y >= 4 ? Pixel{0x00, 0x00, 0xFF} : Pixel{0, 0, 0};
      EXPECT_EQ(GetPixel(dib.surface, x, y), expected) << x << "," << y;
    }
  }
}

TEST(Surface, FillAreaAtTheTopWritesTheLastRowsInMemory) {
  DibSurface dib(4, 3);
  ASSERT_TRUE(dib.surface.FillArea(0, 0, 4, 1, 0xFFFFFF));
  const std::vector<BYTE> bytes = AllBytes(dib.surface);
  EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.begin() + 24), std::vector<BYTE>(24, 0));
  EXPECT_EQ(std::vector<BYTE>(bytes.begin() + 24, bytes.end()), std::vector<BYTE>(12, 0xFF));
}

struct FillAreaCase {
  const char* name;
  std::int32_t x, y, width, height;
  bool accepted;
};

// Placements that change nothing on a 12 x 10 surface; only the result differs.
TEST(Surface, FillAreaOutsideOrEmptyChangesNothing) {
  const FillAreaCase cases[] = {
      {"wholly to the right", 12, 0, 5, 5, false},
      {"wholly above", 0, -5, 5, 4, false},
      {"touching the left edge", -5, 0, 5, 5, true},
      {"touching the top edge", 0, -5, 5, 5, true},
      {"zero width", 0, 0, 0, 5, false},
      {"negative height", 0, 0, 5, -1, false},
      {"INT_MIN position", INT_MIN, INT_MIN, INT_MAX, INT_MAX, false},
      {"INT_MAX position", INT_MAX, INT_MAX, INT_MAX, INT_MAX, false},
      {"INT_MIN size", 0, 0, INT_MIN, INT_MIN, false},
  };
  for (const FillAreaCase& c : cases) {
    DibSurface dib(12, 10);
    EXPECT_EQ(dib.surface.FillArea(c.x, c.y, c.width, c.height, 0xFFFFFF), c.accepted) << c.name;
    EXPECT_EQ(AllBytes(dib.surface), std::vector<BYTE>(360, 0)) << c.name;
  }
}

TEST(Surface, FillAreaWithExtremePlacementsClipsWithoutOverflow) {
  DibSurface whole(12, 10);
  EXPECT_TRUE(whole.surface.FillArea(-1000, -1000, INT_MAX, INT_MAX, 0xFFFFFF));
  EXPECT_EQ(AllBytes(whole.surface), std::vector<BYTE>(360, 0xFF));

  DibSurface left(12, 10);  // x + width = 5: the five leftmost columns
  EXPECT_TRUE(left.surface.FillArea(-INT_MAX + 5, 0, INT_MAX, INT_MAX, 0xFFFFFF));
  for (std::int32_t y = 0; y < 10; ++y) {
    for (std::int32_t x = 0; x < 12; ++x) {
      const Pixel expected = x < 5 ? Pixel{0xFF, 0xFF, 0xFF} : Pixel{0, 0, 0};
      EXPECT_EQ(GetPixel(left.surface, x, y), expected) << x << "," << y;
    }
  }
}

TEST(Surface, EmptySurfacesAreNeitherFilledNorDereferenced) {
  Surface surface;
  surface.Fill(0xFFFFFF);
  EXPECT_FALSE(surface.FillArea(0, 0, 10, 10, 0xFFFFFF));
  EXPECT_FALSE(surface.HoldsImage());
  EXPECT_FALSE(surface.IsWritable());
}

}  // namespace

// Surface::LoadBitmapResource over bitmaps linked in by kestrova_add_bitmap_resources (see
// make_test_bitmaps.py for their content). On Windows these are the resource compiler's resources and the
// system's FindResourceA, LoadResource, GlobalAlloc and CreatePalette.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx/draw.h"
#include "gfx/surface.h"
#include "kestrova_resources/test_art.h"
#include "tests/gfx/surface_fixture.h"
#include "tests/support/gdi_readback.h"

namespace {

// The bytes the generator wrote for pixel (x, y) of a 24-bit bitmap of `height` rows, y counted from the top.
Pixel GeneratedPixel(std::int32_t height, std::int32_t x, std::int32_t y) {
  const int storedRow = height - 1 - y;
  return {static_cast<BYTE>(10 * storedRow + x), static_cast<BYTE>(100 + x), static_cast<BYTE>(200 - storedRow)};
}

// Colour-table entry i as the generator wrote it, as a palette entry.
PALETTEENTRY GeneratedColour(int i) {
  return {static_cast<BYTE>(i ^ 0x5A), static_cast<BYTE>(255 - i), static_cast<BYTE>(i), 0};
}

const BYTE* ResourceBytes(int id) {
  HMODULE module = KestrovaResourceModule_test_art();
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), RT_BITMAP);
  return static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
}

void ExpectPalette(const Surface& surface, std::size_t count) {
  const std::vector<PALETTEENTRY> palette = PaletteEntries(surface.palette);
  ASSERT_EQ(palette.size(), count);
  for (std::size_t i = 0; i < count; ++i) {
    const PALETTEENTRY expected = GeneratedColour(static_cast<int>(i));
    const PALETTEENTRY& actual = palette[i];
    EXPECT_EQ(actual.peRed, expected.peRed) << i;
    EXPECT_EQ(actual.peGreen, expected.peGreen) << i;
    EXPECT_EQ(actual.peBlue, expected.peBlue) << i;
    EXPECT_EQ(actual.peFlags, 0) << i;
  }
}

TEST(LoadBitmapResource, TwentyFourBitsWithoutColourTable) {
  Surface surface;
  ASSERT_TRUE(surface.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(102)));
  EXPECT_EQ(surface.kind, SurfaceKind::Resource);
  EXPECT_EQ(surface.locked, 0);
  EXPECT_TRUE(surface.headerBuffer.empty());
  EXPECT_EQ(reinterpret_cast<const BYTE*>(surface.header), ResourceBytes(102));  // locked in place, not copied
  EXPECT_EQ(surface.pixels, reinterpret_cast<BYTE*>(surface.header) + 40);
  EXPECT_EQ(surface.palette, nullptr);
  EXPECT_EQ(surface.Width(), 3);
  EXPECT_EQ(surface.Height(), 2);
  EXPECT_EQ(surface.Stride(), 12);
  for (std::int32_t y = 0; y < 2; ++y) {
    for (std::int32_t x = 0; x < 3; ++x) {
      EXPECT_EQ(GetPixel(surface, x, y), GeneratedPixel(2, x, y)) << x << "," << y;
    }
  }
}

TEST(LoadBitmapResource, TwentyFourBitsWithSixteenColours) {
  Surface surface;
  ASSERT_TRUE(surface.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(103)));
  EXPECT_EQ(surface.pixels, reinterpret_cast<BYTE*>(surface.header) + 104);
  ExpectPalette(surface, 16);
  EXPECT_EQ(GetPixel(surface, 1, 0), GeneratedPixel(2, 1, 0));
}

TEST(LoadBitmapResource, EightBitsGetAFullPalette) {
  Surface surface;
  ASSERT_TRUE(surface.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(104)));
  EXPECT_EQ(surface.kind, SurfaceKind::Resource);
  EXPECT_EQ(surface.pixels, reinterpret_cast<BYTE*>(surface.header) + 1064);
  ExpectPalette(surface, 256);
  EXPECT_EQ(surface.pixels[0], 0);   // colour index of stored row 0, column 0
  EXPECT_EQ(surface.pixels[5], 17);  // stored row 1 (4 bytes in), column 1

  // Loaded, but never drawn from as if it had 24 bits a pixel.
  DibSurface destination(8, 8);
  const GrayTable grayTable;
  EXPECT_FALSE(DrawCopy(surface, destination.surface, DrawParams{&grayTable, 0, 0, false, kNoColourKey, kOpaque}));
  EXPECT_EQ(AllBytes(destination.surface), std::vector<BYTE>(8 * 24, 0));
}

TEST(LoadBitmapResource, LongerHeadersPutTheColoursAndPixelsAfterThem) {
  Surface surface;
  ASSERT_TRUE(surface.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(105)));
  EXPECT_EQ(surface.header->biSize, 124u);
  EXPECT_EQ(surface.pixels, reinterpret_cast<BYTE*>(surface.header) + 124);
  DibSurface destination(2, 2);
  const GrayTable grayTable;
  ASSERT_TRUE(DrawCopy(surface, destination.surface, DrawParams{&grayTable, 0, 0, false, kNoColourKey, kOpaque}));
  for (std::int32_t y = 0; y < 2; ++y) {
    for (std::int32_t x = 0; x < 2; ++x) {
      EXPECT_EQ(GetPixel(destination.surface, x, y), GeneratedPixel(2, x, y)) << x << "," << y;
    }
  }
}

void ExpectStillEmpty(const Surface& surface) {
  EXPECT_EQ(surface.kind, SurfaceKind::Empty);
  EXPECT_EQ(surface.header, nullptr);
  EXPECT_EQ(surface.pixels, nullptr);
  EXPECT_EQ(surface.palette, nullptr);
}

TEST(LoadBitmapResource, RefusalsLeaveTheSurfaceEmpty) {
  struct Case {
    int id;
    const char* why;
  };
  const Case cases[] = {{110, "shorter than its header"},
                        {111, "last row cut short by one byte"},
                        {112, "colour table cut after 100 of 256 entries"},
                        {113, "top-down"},
                        {114, "32 bits a pixel"},
                        {115, "compressed (RLE8)"},
                        {116, "biClrUsed 0xFFFFFFFF"},
                        {999, "no such resource"}};
  for (const Case& c : cases) {
    Surface surface;
    EXPECT_FALSE(surface.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(c.id))) << c.why;
    ExpectStillEmpty(surface);
    // A refused surface can still be loaded.
    EXPECT_TRUE(surface.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(102))) << c.why;
  }
}

TEST(LoadBitmapResource, TheDestructorDeletesThePalette) {
  HPALETTE palette = nullptr;
  {
    Surface surface;
    ASSERT_TRUE(surface.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(103)));
    palette = surface.palette;
    EXPECT_EQ(PaletteEntries(palette).size(), 16u);
  }
  EXPECT_TRUE(PaletteEntries(palette).empty());
}

TEST(LoadBitmapResource, ASurfaceIsLoadedOnlyOnce) {
  Surface surface;
  ASSERT_TRUE(surface.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(102)));
  BITMAPINFOHEADER* header = surface.header;
  EXPECT_FALSE(surface.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(103)));
  EXPECT_EQ(surface.CreateDibSection(nullptr, 4, 4), nullptr);
  EXPECT_EQ(surface.header, header);
  EXPECT_EQ(surface.palette, nullptr);

  DibSurface dib(4, 4);
  EXPECT_FALSE(dib.surface.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(102)));
  EXPECT_EQ(dib.surface.kind, SurfaceKind::DibSection);
  EXPECT_EQ(dib.surface.header->biWidth, 4);
}

// Resource bytes are the program's read-only data: filling or drawing onto them is refused.
TEST(LoadBitmapResource, ResourceSurfacesAreNeverWrittenTo) {
  Surface resource;
  ASSERT_TRUE(resource.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(102)));
  const std::vector<BYTE> before = AllBytes(resource);
  resource.Fill(0xFFFFFF);
  EXPECT_FALSE(resource.FillArea(0, 0, 3, 2, 0xFFFFFF));
  DibSurface source(3, 2);
  const GrayTable grayTable;
  EXPECT_FALSE(DrawCopy(source.surface, resource, DrawParams{&grayTable, 0, 0, false, kNoColourKey, kOpaque}));
  EXPECT_EQ(AllBytes(resource), before);
}

}  // namespace

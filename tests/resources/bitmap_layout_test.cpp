// ReadBitmapResourceLayout's rules on headers built in memory: what loads, where its colours and pixels start,
// and what is refused.
#include "gfx/bitmap_resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct LayoutCase {
  const char* name;
  BITMAPINFOHEADER header;
  std::size_t size;  // bytes in the resource
  bool loads;
  std::uint32_t colourCount;
  std::size_t pixelOffset;
};

BITMAPINFOHEADER Header(LONG width, LONG height, WORD bitCount, DWORD clrUsed = 0, DWORD headerSize = 40,
                        WORD planes = 1, DWORD compression = BI_RGB) {
  BITMAPINFOHEADER header{};
  header.biSize = headerSize;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = planes;
  header.biBitCount = bitCount;
  header.biCompression = compression;
  header.biClrUsed = clrUsed;
  return header;
}

TEST(BitmapResourceLayout, FollowsTheLoadingRules) {
  const LayoutCase cases[] = {
      // 24 bits: rows of 3 x width bytes padded to 4.
      {"24-bit, 5 x 3, exact size", Header(5, 3, 24), 40 + 16 * 3, true, 0, 40},
      {"24-bit, one byte short", Header(5, 3, 24), 40 + 16 * 3 - 1, false, 0, 0},
      {"24-bit, 16 colours", Header(2, 2, 24, 16), 40 + 64 + 16, true, 16, 104},
      {"8-bit, implied 256 colours", Header(4, 2, 8), 40 + 1024 + 8, true, 256, 1064},
      {"8-bit, 2 colours used", Header(4, 2, 8, 2), 40 + 8 + 8, true, 2, 48},
      {"4-bit, 16 colours, rows of 4 bytes", Header(8, 2, 4), 40 + 64 + 8, true, 16, 104},
      {"4-bit, 9 wide: rows of 8 bytes", Header(9, 1, 4), 40 + 64 + 8, true, 16, 104},
      {"4-bit, 9 wide, row cut short", Header(9, 1, 4), 40 + 64 + 7, false, 0, 0},
      {"1-bit, 2 colours, rows of 4 bytes", Header(33, 1, 1), 40 + 8 + 8, true, 2, 48},
      {"1-bit, row cut short", Header(33, 1, 1), 40 + 8 + 7, false, 0, 0},
      {"V5 header", Header(2, 2, 24, 0, 124), 124 + 16, true, 0, 124},
      {"header longer than the resource", Header(2, 2, 24, 0, 124), 100, false, 0, 0},
      {"OS/2 header", Header(2, 2, 24, 0, 12), 100, false, 0, 0},
      {"shorter than a header", Header(1, 1, 24), 39, false, 0, 0},
      {"two planes", Header(1, 1, 24, 0, 40, 2), 44, false, 0, 0},
      {"bit fields", Header(1, 1, 24, 0, 40, 1, 3), 56, false, 0, 0},
      {"16-bit", Header(2, 1, 16), 44, false, 0, 0},
      {"32-bit", Header(1, 1, 32), 44, false, 0, 0},
      {"zero width", Header(0, 1, 24), 44, false, 0, 0},
      {"negative width", Header(-1, 1, 24), 44, false, 0, 0},
      {"zero height", Header(1, 0, 24), 44, false, 0, 0},
      {"top-down", Header(1, -1, 24), 44, false, 0, 0},
      {"65536 colours", Header(1, 1, 24, 65536), 40 + 4 * 65536 + 4, false, 0, 0},
      {"colour count past 32 bits of bytes", Header(1, 1, 24, 0xFFFFFFFF), 1000, false, 0, 0},
      {"rows past 64 bits", Header(0x7FFFFFFF, 0x7FFFFFFF, 24), 1000, false, 0, 0},
  };
  for (const LayoutCase& c : cases) {
    std::vector<BYTE> bytes(std::max(c.size, sizeof c.header), 0);
    std::memcpy(bytes.data(), &c.header, sizeof c.header);
    BitmapResourceLayout layout;
    ASSERT_EQ(ReadBitmapResourceLayout(bytes.data(), c.size, layout), c.loads) << c.name;
    if (c.loads) {
      EXPECT_EQ(layout.colourCount, c.colourCount) << c.name;
      EXPECT_EQ(layout.colourTableOffset, c.header.biSize) << c.name;
      EXPECT_EQ(layout.pixelOffset, c.pixelOffset) << c.name;
    }
  }
}

TEST(BitmapResourceLayout, ReadsUnalignedResources) {
  const BITMAPINFOHEADER header = Header(1, 1, 24);
  std::vector<BYTE> bytes(1 + 44, 0);
  std::memcpy(bytes.data() + 1, &header, sizeof header);
  BitmapResourceLayout layout;
  EXPECT_TRUE(ReadBitmapResourceLayout(bytes.data() + 1, 44, layout));
  EXPECT_FALSE(ReadBitmapResourceLayout(nullptr, 44, layout));
}

}  // namespace

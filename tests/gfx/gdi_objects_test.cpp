// The POSIX CreateDIBSection, CreatePalette and DeleteObject that surfaces rest on.
#include "platform/posix/gdi_objects.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

BITMAPINFO Info(LONG width, LONG height, WORD bitCount = 24, DWORD compression = BI_RGB, WORD planes = 1,
                DWORD size = 40) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = size;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = planes;
  info.bmiHeader.biBitCount = bitCount;
  info.bmiHeader.biCompression = compression;
  return info;
}

TEST(DibSection, BottomUpAndTopDownSections) {
  for (LONG height : {3, -3}) {
    const BITMAPINFO info = Info(5, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    const posix::DibSection* dib = posix::FindDibSection(bitmap);
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(dib->width, 5);
    EXPECT_EQ(dib->height, 3);
    EXPECT_EQ(dib->stride, 16);
    EXPECT_EQ(dib->bottomUp, height > 0);
    EXPECT_EQ(dib->bits.size(), 48u);
    EXPECT_EQ(bits, dib->bits.data());
    EXPECT_EQ(dib->bits, std::vector<BYTE>(48, 0));
    EXPECT_EQ(DeleteObject(bitmap), TRUE);
    EXPECT_EQ(posix::FindDibSection(bitmap), nullptr);
  }
}

TEST(DibSection, BadArgumentsGiveNull) {
  struct Case {
    const char* name;
    BITMAPINFO info;
    UINT usage;
  };
  const Case cases[] = {
      {"zero width", Info(0, 4), DIB_RGB_COLORS},
      {"negative width", Info(-4, 4), DIB_RGB_COLORS},
      {"zero height", Info(4, 0), DIB_RGB_COLORS},
      {"INT_MIN height", Info(4, INT_MIN), DIB_RGB_COLORS},
      {"8 bits", Info(4, 4, 8), DIB_RGB_COLORS},
      {"32 bits", Info(4, 4, 32), DIB_RGB_COLORS},
      {"RLE8", Info(4, 4, 24, 1), DIB_RGB_COLORS},
      {"two planes", Info(4, 4, 24, BI_RGB, 2), DIB_RGB_COLORS},
      {"short header", Info(4, 4, 24, BI_RGB, 1, 12), DIB_RGB_COLORS},
      {"palette indices", Info(4, 4), 1},
      {"past the 1 GiB limit", Info(32768, 16385), DIB_RGB_COLORS},
      {"rows past 64 bits", Info(INT_MAX, INT_MAX), DIB_RGB_COLORS},
  };
  const std::size_t objects = posix::GdiObjectCount();
  for (const Case& c : cases) {
    void* bits = &bits;  // must be set to null
    EXPECT_EQ(CreateDIBSection(nullptr, &c.info, c.usage, &bits, nullptr, 0), nullptr) << c.name;
    EXPECT_EQ(bits, nullptr) << c.name;
  }
  void* bits = nullptr;
  EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  int fileMapping = 0;
  const BITMAPINFO info = Info(4, 4);
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, &fileMapping, 0), nullptr);
  EXPECT_EQ(posix::GdiObjectCount(), objects);
}

TEST(DibSection, TheLimitIsOneGibibyteOfPixels) {
  // 16384 x 21846 x 3 bytes is just over 1 GiB (21845 rows would be just under; not made here, to keep the
  // tests small).
  const BITMAPINFO over = Info(16384, 21846);
  EXPECT_EQ(CreateDIBSection(nullptr, &over, DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
}

TEST(DibSection, RefusalMakesCreationFail) {
  const BITMAPINFO info = Info(4, 4);
  posix::SetDibSectionRefusal(true);
  void* bits = nullptr;
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  posix::SetDibSectionRefusal(false);
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  EXPECT_NE(bitmap, nullptr);
  DeleteObject(bitmap);
}

TEST(Palette, CopiesItsEntries) {
  struct {
    LOGPALETTE head;
    PALETTEENTRY more[2];
  } storage{};
  storage.head.palVersion = 0x300;
  storage.head.palNumEntries = 3;
  PALETTEENTRY* entries = storage.head.palPalEntry;
  for (int i = 0; i < 3; ++i) {
    entries[i] = {static_cast<BYTE>(i), static_cast<BYTE>(10 + i), static_cast<BYTE>(20 + i), 0};
  }
  HPALETTE palette = CreatePalette(&storage.head);
  ASSERT_NE(palette, nullptr);
  const posix::Palette* made = posix::FindPalette(palette);
  ASSERT_NE(made, nullptr);
  ASSERT_EQ(made->entries.size(), 3u);
  EXPECT_EQ(made->entries[2].peRed, 2);
  EXPECT_EQ(made->entries[2].peGreen, 12);
  EXPECT_EQ(made->entries[2].peBlue, 22);
  EXPECT_EQ(posix::FindDibSection(reinterpret_cast<HBITMAP>(palette)), nullptr);  // kinds are kept apart
  EXPECT_EQ(DeleteObject(palette), TRUE);

  storage.head.palNumEntries = 0;
  EXPECT_EQ(CreatePalette(&storage.head), nullptr);
  storage.head.palNumEntries = 3;
  storage.head.palVersion = 0x200;
  EXPECT_EQ(CreatePalette(&storage.head), nullptr);
  EXPECT_EQ(CreatePalette(nullptr), nullptr);
}

TEST(DeleteObject, OnlyLiveObjectsAreDeleted) {
  const BITMAPINFO info = Info(2, 2);
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(DeleteObject(bitmap), TRUE);
  EXPECT_EQ(DeleteObject(bitmap), FALSE);  // already deleted
  int notAnObject = 0;
  EXPECT_EQ(DeleteObject(&notAnObject), FALSE);
  EXPECT_EQ(DeleteObject(nullptr), FALSE);
}

}  // namespace

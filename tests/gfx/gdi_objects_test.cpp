// CreateDIBSection, CreatePalette and DeleteObject as surfaces use them. These run on both platforms: on
// Windows they check that our POSIX implementation answers as the system does.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32.h"
#include "tests/gfx/gdi_info.h"
#include "tests/support/gdi_readback.h"

namespace {

TEST(DibSection, BottomUpAndTopDownSections) {
  for (LONG height : {3, -3}) {
    const BITMAPINFO info = DibInfo(5, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    DibSectionDescription dib;
    ASSERT_TRUE(DescribeDibSection(bitmap, dib));
    EXPECT_EQ(dib.width, 5);
    EXPECT_EQ(dib.height, 3);
    EXPECT_EQ(dib.stride, 16);
    EXPECT_EQ(dib.bottomUp, height > 0);
    EXPECT_EQ(bits, dib.bits);
    const BYTE* bytes = static_cast<const BYTE*>(bits);
    EXPECT_EQ(std::vector<BYTE>(bytes, bytes + 48), std::vector<BYTE>(48, 0));
    EXPECT_EQ(DeleteObject(bitmap), TRUE);
    EXPECT_FALSE(DescribeDibSection(bitmap, dib));
  }
}

// A 24-bit section has no colour table, so whether its entries would be colours or palette indices is moot.
TEST(DibSection, TwentyFourBitsTakeEitherColourUsage) {
  for (UINT usage : {DIB_RGB_COLORS, DIB_PAL_COLORS}) {
    const BITMAPINFO info = DibInfo(2, 2);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, usage, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr) << usage;
    EXPECT_NE(bits, nullptr) << usage;
    EXPECT_EQ(DeleteObject(bitmap), TRUE) << usage;
  }
}

TEST(DibSection, BadArgumentsGiveNull) {
  for (const BadDibSectionCase& c : BadDibSectionCases()) {
    void* bits = &bits;  // must be set to null
    EXPECT_EQ(CreateDIBSection(nullptr, &c.info, c.usage, &bits, nullptr, 0), nullptr) << c.name;
    EXPECT_EQ(bits, nullptr) << c.name;
  }
  void* bits = nullptr;
  EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  int fileMapping = 0;
  const BITMAPINFO info = DibInfo(4, 4);
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, &fileMapping, 0), nullptr);
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
  entries[2].peRed = 99;  // the palette keeps its own copy
  const std::vector<PALETTEENTRY> made = PaletteEntries(palette);
  ASSERT_EQ(made.size(), 3u);
  EXPECT_EQ(made[2].peRed, 2);
  EXPECT_EQ(made[2].peGreen, 12);
  EXPECT_EQ(made[2].peBlue, 22);
  DibSectionDescription notADib;
  EXPECT_FALSE(DescribeDibSection(reinterpret_cast<HBITMAP>(palette), notADib));  // kinds are kept apart
  EXPECT_EQ(DeleteObject(palette), TRUE);

  EXPECT_EQ(CreatePalette(nullptr), nullptr);
}

// The version is 0x300 by convention only, and a palette may be empty.
TEST(Palette, AnyVersionAndAnEmptyTableMakeAPalette) {
  LOGPALETTE head{};
  head.palVersion = 0x200;
  head.palNumEntries = 1;
  head.palPalEntry[0] = {1, 2, 3, 0};
  HPALETTE oldVersion = CreatePalette(&head);
  ASSERT_NE(oldVersion, nullptr);
  ASSERT_EQ(PaletteEntries(oldVersion).size(), 1u);
  EXPECT_EQ(PaletteEntries(oldVersion)[0].peBlue, 3);
  EXPECT_EQ(DeleteObject(oldVersion), TRUE);

  head.palVersion = 0x300;
  head.palNumEntries = 0;
  HPALETTE empty = CreatePalette(&head);
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(PaletteEntries(empty).empty());
  EXPECT_EQ(DeleteObject(empty), TRUE);
}

TEST(DeleteObject, OnlyLiveObjectsAreDeleted) {
  const BITMAPINFO info = DibInfo(2, 2);
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(DeleteObject(bitmap), TRUE);
  EXPECT_EQ(DeleteObject(bitmap), FALSE);  // already deleted
  int notAnObject = 0;
  EXPECT_EQ(DeleteObject(&notAnObject), FALSE);
  EXPECT_EQ(DeleteObject(nullptr), FALSE);
}

}  // namespace

// What only our POSIX CreateDIBSection and CreatePalette do: the formats and sizes they refuse although
// Windows makes them, their object count, and the switches that make them fail on purpose.
#include "platform/posix/gdi_objects.h"

#include <gtest/gtest.h>

#include "tests/gfx/gdi_info.h"

namespace {

// Our implementation makes only the 24-bit sections the program draws on; Windows also makes these.
TEST(PosixDibSection, OnlyTwentyFourBitSectionsAreMade) {
  const std::size_t objects = posix::GdiObjectCount();
  for (WORD bitCount : {8, 32}) {
    const BITMAPINFO info = DibInfo(4, 4, bitCount);
    void* bits = &bits;
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr) << bitCount;
    EXPECT_EQ(bits, nullptr) << bitCount;
  }
  EXPECT_EQ(posix::GdiObjectCount(), objects);
}

TEST(PosixDibSection, TheLimitIsOneGibibyteOfPixels) {
  // 16384 x 21846 x 3 bytes is just over 1 GiB (21845 rows would be just under; not made here, to keep the
  // tests small).
  for (const BITMAPINFO& over : {DibInfo(16384, 21846), DibInfo(32768, 16385)}) {
    EXPECT_EQ(CreateDIBSection(nullptr, &over, DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
  }
}

TEST(PosixDibSection, RefusalMakesCreationFail) {
  const BITMAPINFO info = DibInfo(4, 4);
  posix::SetDibSectionRefusal(true);
  void* bits = nullptr;
  EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  posix::SetDibSectionRefusal(false);
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  EXPECT_NE(bitmap, nullptr);
  DeleteObject(bitmap);
}

TEST(PosixGdiObjects, FailedCreationsMakeNoObject) {
  const std::size_t objects = posix::GdiObjectCount();
  for (const BadDibSectionCase& c : BadDibSectionCases()) {
    EXPECT_EQ(CreateDIBSection(nullptr, &c.info, c.usage, nullptr, nullptr, 0), nullptr) << c.name;
  }
  EXPECT_EQ(CreatePalette(nullptr), nullptr);
  EXPECT_EQ(posix::GdiObjectCount(), objects);
}

}  // namespace

// FindResourceA and its companions over two resource modules that both hold a bitmap 102. On Windows the first
// module is the program's own image and the second a resource-only DLL (see cmake/BitmapResourcesWindows.cmake).
#include <gtest/gtest.h>

#include "gfx/surface.h"
#include "kestrova_resources/test_art.h"
#include "kestrova_resources/test_other.h"

namespace {

TEST(ResourceLookup, EachModuleFindsItsOwnBitmap) {
  HMODULE art = KestrovaResourceModule_test_art();
  HMODULE other = KestrovaResourceModule_test_other();
  ASSERT_NE(art, nullptr);
  ASSERT_NE(other, nullptr);
  EXPECT_NE(art, other);
  EXPECT_EQ(KestrovaResourceModule_test_art(), art);  // the same handle every time

  HRSRC artBitmap = FindResourceA(art, MAKEINTRESOURCEA(102), RT_BITMAP);
  HRSRC otherBitmap = FindResourceA(other, MAKEINTRESOURCEA(102), RT_BITMAP);
  ASSERT_NE(artBitmap, nullptr);
  ASSERT_NE(otherBitmap, nullptr);
  EXPECT_NE(artBitmap, otherBitmap);
  // Sizes are the .bmp files' less their 14-byte file headers.
  EXPECT_EQ(SizeofResource(art, artBitmap), 78u - 14u);
  EXPECT_EQ(SizeofResource(other, otherBitmap), 58u - 14u);

  Surface fromArt;
  Surface fromOther;
  ASSERT_TRUE(fromArt.LoadBitmapResource(art, MAKEINTRESOURCEA(102)));
  ASSERT_TRUE(fromOther.LoadBitmapResource(other, MAKEINTRESOURCEA(102)));
  EXPECT_EQ(fromArt.Width(), 3);
  EXPECT_EQ(fromOther.Width(), 1);
  EXPECT_EQ(fromOther.pixels[0], 1);
  EXPECT_EQ(fromOther.pixels[2], 3);
}

TEST(ResourceLookup, LockingALoadedResourceGivesItsBytes) {
  HMODULE art = KestrovaResourceModule_test_art();
  HRSRC bitmap = FindResourceA(art, MAKEINTRESOURCEA(102), RT_BITMAP);
  ASSERT_NE(bitmap, nullptr);
  HGLOBAL loaded = LoadResource(art, bitmap);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(LockResource(loaded), loaded);
  EXPECT_EQ(static_cast<const BITMAPINFOHEADER*>(LockResource(loaded))->biWidth, 3);
  EXPECT_EQ(LockResource(nullptr), nullptr);
}

// Windows reads a name or type written "#" and a decimal number as that number.
TEST(ResourceLookup, NumbersWrittenAfterAHashAreNumbers) {
  HMODULE art = KestrovaResourceModule_test_art();
  HRSRC byNumber = FindResourceA(art, MAKEINTRESOURCEA(102), RT_BITMAP);
  ASSERT_NE(byNumber, nullptr);
  EXPECT_EQ(FindResourceA(art, "#102", RT_BITMAP), byNumber);
  EXPECT_EQ(FindResourceA(art, MAKEINTRESOURCEA(102), "#2"), byNumber);  // RT_BITMAP is type 2
  EXPECT_EQ(FindResourceA(art, "#102", "#2"), byNumber);
  EXPECT_EQ(FindResourceA(art, "#999", RT_BITMAP), nullptr);

  Surface surface;
  ASSERT_TRUE(surface.LoadBitmapResource(art, "#102"));
  EXPECT_EQ(surface.Width(), 3);
}

TEST(ResourceLookup, OtherNumbersTypesAndNamesFindNothing) {
  HMODULE art = KestrovaResourceModule_test_art();
  EXPECT_EQ(FindResourceA(art, MAKEINTRESOURCEA(102), RT_STRING), nullptr);
  EXPECT_EQ(FindResourceA(art, MAKEINTRESOURCEA(999), RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceA(art, "BITMAP102", RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceA(art, MAKEINTRESOURCEA(102), "BITMAP"), nullptr);

  Surface surface;
  EXPECT_FALSE(surface.LoadBitmapResource(art, "102"));  // a name, not the number
  EXPECT_EQ(surface.kind, SurfaceKind::Empty);
}

}  // namespace

// FindResourceA and its companions over two linked resource modules that both hold a bitmap 102.
#include <gtest/gtest.h>

#include "gfx/surface.h"
#include "kestrova_resources/test_art.h"
#include "kestrova_resources/test_other.h"
#include "platform/posix/resource_module.h"

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

TEST(ResourceLookup, WhatFindsNothing) {
  HMODULE art = KestrovaResourceModule_test_art();
  int notAModule = 0;
  HMODULE unknown = reinterpret_cast<HMODULE>(&notAModule);
  EXPECT_EQ(FindResourceA(unknown, MAKEINTRESOURCEA(102), RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceA(art, MAKEINTRESOURCEA(102), RT_STRING), nullptr);
  EXPECT_EQ(FindResourceA(art, MAKEINTRESOURCEA(999), RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceA(art, "BITMAP102", RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceA(art, MAKEINTRESOURCEA(102), "BITMAP"), nullptr);
  EXPECT_EQ(FindResourceA(art, nullptr, RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceA(art, MAKEINTRESOURCEA(102), nullptr), nullptr);
  // Two resource modules: the program's own handle stands for neither.
  EXPECT_EQ(FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(102), RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(102), RT_BITMAP), nullptr);
  EXPECT_EQ(GetModuleHandleA("user32.dll"), nullptr);

  Surface surface;
  EXPECT_FALSE(surface.LoadBitmapResource(unknown, MAKEINTRESOURCEA(102)));
  EXPECT_FALSE(surface.LoadBitmapResource(nullptr, MAKEINTRESOURCEA(102)));
  EXPECT_FALSE(surface.LoadBitmapResource(art, "102"));
  EXPECT_EQ(surface.kind, SurfaceKind::Empty);
}

TEST(ResourceLookup, ResourceHandlesAreCheckedAgainstTheirModule) {
  HMODULE art = KestrovaResourceModule_test_art();
  HMODULE other = KestrovaResourceModule_test_other();
  HRSRC artBitmap = FindResourceA(art, MAKEINTRESOURCEA(102), RT_BITMAP);
  ASSERT_NE(artBitmap, nullptr);
  EXPECT_EQ(LoadResource(other, artBitmap), nullptr);
  EXPECT_EQ(SizeofResource(other, artBitmap), 0u);

  int notAResource = 0;
  HRSRC madeUp = reinterpret_cast<HRSRC>(&notAResource);
  EXPECT_EQ(LoadResource(art, madeUp), nullptr);
  EXPECT_EQ(SizeofResource(art, madeUp), 0u);
  EXPECT_EQ(LoadResource(art, nullptr), nullptr);
  EXPECT_EQ(LockResource(&notAResource), nullptr);
  EXPECT_EQ(LockResource(nullptr), nullptr);

  HGLOBAL loaded = LoadResource(art, artBitmap);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(LockResource(loaded), loaded);
}

TEST(ResourceLookup, RegisteringAModuleAgainKeepsItsHandle) {
  static const BYTE bytes[] = {1, 2, 3};
  static const posix::ResourceEntry entries[] = {{2, 7, bytes, sizeof bytes}};
  static const posix::ResourceModule module = {"extra", entries, 1};
  HMODULE first = posix::RegisterResourceModule(module);
  EXPECT_EQ(posix::RegisterResourceModule(module), first);
  HRSRC found = FindResourceA(first, MAKEINTRESOURCEA(7), RT_BITMAP);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(SizeofResource(first, found), 3u);
}

}  // namespace

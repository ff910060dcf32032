// What only our POSIX resource calls do: handles that name no module or resource, or the resource of another
// module, are refused (Windows trusts the handles it is given), and the program's own handle stands for no
// module once there are two (on Windows it is the program's image, which holds resources like any module).
#include <gtest/gtest.h>

#include "gfx/surface.h"
#include "kestrova_resources/test_art.h"
#include "kestrova_resources/test_other.h"
#include "platform/posix/resource_module.h"

namespace {

TEST(PosixResourceLookup, WhatFindsNothing) {
  HMODULE art = KestrovaResourceModule_test_art();
  int notAModule = 0;
  HMODULE unknown = reinterpret_cast<HMODULE>(&notAModule);
  EXPECT_EQ(FindResourceA(unknown, MAKEINTRESOURCEA(102), RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceA(art, nullptr, RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceA(art, MAKEINTRESOURCEA(102), nullptr), nullptr);
  // Two resource modules: the program's own handle stands for neither.
  EXPECT_EQ(FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(102), RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(102), RT_BITMAP), nullptr);
  EXPECT_EQ(GetModuleHandleA("user32.dll"), nullptr);

  Surface surface;
  EXPECT_FALSE(surface.LoadBitmapResource(unknown, MAKEINTRESOURCEA(102)));
  EXPECT_FALSE(surface.LoadBitmapResource(nullptr, MAKEINTRESOURCEA(102)));
  EXPECT_EQ(surface.kind, SurfaceKind::Empty);
}

TEST(PosixResourceLookup, ResourceHandlesAreCheckedAgainstTheirModule) {
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
}

TEST(PosixResourceLookup, RegisteringAModuleAgainKeepsItsHandle) {
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

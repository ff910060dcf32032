// A program that links one resource module: GetModuleHandleA(nullptr), and a null module as on Windows, stand
// for it.
#include <gtest/gtest.h>

#include "gfx/surface.h"
#include "kestrova_resources/test_other.h"

namespace {

TEST(ProgramModule, TheOnlyResourceModuleIsTheProgramsOwn) {
  HMODULE program = GetModuleHandleA(nullptr);
  ASSERT_NE(program, nullptr);
  EXPECT_EQ(GetModuleHandleA(nullptr), program);
  EXPECT_NE(program, KestrovaResourceModule_test_other());

  HRSRC viaProgram = FindResourceA(program, MAKEINTRESOURCEA(102), RT_BITMAP);
  EXPECT_NE(viaProgram, nullptr);
  EXPECT_EQ(viaProgram, FindResourceA(KestrovaResourceModule_test_other(), MAKEINTRESOURCEA(102), RT_BITMAP));
  EXPECT_EQ(viaProgram, FindResourceA(nullptr, MAKEINTRESOURCEA(102), RT_BITMAP));

  Surface surface;
  ASSERT_TRUE(surface.LoadBitmapResource(program, MAKEINTRESOURCEA(102)));
  EXPECT_EQ(surface.Width(), 1);
  EXPECT_EQ(surface.pixels[1], 2);
}

}  // namespace

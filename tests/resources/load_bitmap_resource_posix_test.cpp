// What only the POSIX build can check of Surface::LoadBitmapResource: that refusals take no GDI object or global
// block (our implementation counts them), and the paths where GlobalAlloc or CreatePalette fail (it can be told
// to refuse).
#include <gtest/gtest.h>

#include "gfx/surface.h"
#include "kestrova_resources/test_art.h"
#include "platform/posix/gdi_objects.h"
#include "platform/posix/global_memory.h"

namespace {

void ExpectStillEmpty(const Surface& surface) {
  EXPECT_EQ(surface.kind, SurfaceKind::Empty);
  EXPECT_EQ(surface.header, nullptr);
  EXPECT_EQ(surface.pixels, nullptr);
  EXPECT_EQ(surface.palette, nullptr);
}

TEST(PosixLoadBitmapResource, RefusalsTakeNothing) {
  const std::size_t gdiObjects = posix::GdiObjectCount();
  const std::size_t globalBlocks = posix::GlobalBlockCount();
  for (int id : {110, 111, 112, 113, 114, 115, 116, 999}) {
    Surface surface;
    EXPECT_FALSE(surface.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(id))) << id;
  }
  EXPECT_EQ(posix::GdiObjectCount(), gdiObjects);
  EXPECT_EQ(posix::GlobalBlockCount(), globalBlocks);
}

TEST(PosixLoadBitmapResource, FailedPaletteLeavesTheSurfaceEmpty) {
  const std::size_t gdiObjects = posix::GdiObjectCount();
  const std::size_t globalBlocks = posix::GlobalBlockCount();

  Surface noMemory;
  posix::SetGlobalAllocRefusal(true);
  EXPECT_FALSE(noMemory.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(104)));
  posix::SetGlobalAllocRefusal(false);
  ExpectStillEmpty(noMemory);

  Surface noPalette;
  posix::SetPaletteRefusal(true);
  EXPECT_FALSE(noPalette.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(104)));
  posix::SetPaletteRefusal(false);
  ExpectStillEmpty(noPalette);

  EXPECT_EQ(posix::GdiObjectCount(), gdiObjects);
  EXPECT_EQ(posix::GlobalBlockCount(), globalBlocks);  // the temporary palette memory was freed
  EXPECT_TRUE(noPalette.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(104)));
}

TEST(PosixLoadBitmapResource, TheDestructorReturnsThePalette) {
  const std::size_t gdiObjects = posix::GdiObjectCount();
  {
    Surface surface;
    ASSERT_TRUE(surface.LoadBitmapResource(KestrovaResourceModule_test_art(), MAKEINTRESOURCEA(103)));
    EXPECT_EQ(posix::GdiObjectCount(), gdiObjects + 1);
  }
  EXPECT_EQ(posix::GdiObjectCount(), gdiObjects);
}

}  // namespace

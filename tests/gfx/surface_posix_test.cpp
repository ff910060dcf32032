// Surfaces whose DIB section GDI could not make. Only the POSIX build can make CreateDIBSection fail for a
// size it otherwise accepts (posix::SetDibSectionRefusal, as when memory runs out).
#include <gtest/gtest.h>

#include <vector>

#include "gfx/draw.h"
#include "gfx/surface.h"
#include "platform/posix/gdi_objects.h"
#include "tests/gfx/surface_fixture.h"

namespace {

TEST(Surface, FailedDibSectionLeavesAMadeSurfaceWithoutPixels) {
  posix::SetDibSectionRefusal(true);
  Surface surface;
  EXPECT_EQ(surface.CreateDibSection(nullptr, 16, 16), nullptr);
  posix::SetDibSectionRefusal(false);
  EXPECT_EQ(surface.kind, SurfaceKind::DibSection);
  EXPECT_EQ(surface.pixels, nullptr);
  EXPECT_EQ(surface.CreateDibSection(nullptr, 16, 16), nullptr);  // cannot be created again

  // Nothing that would write to it dereferences the missing pixels.
  surface.Fill(0x123456);
  EXPECT_FALSE(surface.FillArea(0, 0, 4, 4, 0x123456));
  EXPECT_FALSE(surface.HoldsImage());
}

TEST(Draw, FailedDibSectionsAreRefused) {
  posix::SetDibSectionRefusal(true);
  Surface failedSection;
  failedSection.CreateDibSection(nullptr, 4, 4);
  posix::SetDibSectionRefusal(false);
  DibSurface good(4, 4);
  FillPattern(good.surface, 3);
  DibSurface destination(8, 8);

  const GrayTable grayTable;
  const DrawParams params{&grayTable, 0, 0, false, kNoColourKey, kOpaque};
  for (auto draw : {DrawSubtract, DrawAdd, DrawGray, DrawCopy}) {
    EXPECT_FALSE(draw(failedSection, destination.surface, params));
    EXPECT_FALSE(draw(good.surface, failedSection, params));
  }
  EXPECT_EQ(AllBytes(destination.surface), std::vector<BYTE>(8 * 24, 0));
}

}  // namespace

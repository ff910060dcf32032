// GoogleTest comes first: Xlib defines None as a macro, which GoogleTest uses as a type name.
#include <gtest/gtest.h>

#include "platform/posix/x11/screen_layout.h"

namespace posix::x11 {
namespace {

TEST(ScreenLayout, TheVirtualScreenIsTheRootMeasuredFromThePrimaryMonitor) {
  const struct {
    const char* name;
    ScreenLayout layout;
    RECT expected;
  } cases[] = {
      {"one monitor", {0, 0, 1920, 1080, 1920, 1080}, {0, 0, 1920, 1080}},
      {"primary on the right", {1920, 0, 1920, 1080, 3840, 1080}, {-1920, 0, 1920, 1080}},
      {"primary below a taller one", {0, 1440, 1920, 1080, 2560, 2520}, {0, -1440, 2560, 1080}},
  };
  for (const auto& test : cases) {
    const RECT actual = test.layout.VirtualScreen();
    EXPECT_EQ(actual.left, test.expected.left) << test.name;
    EXPECT_EQ(actual.top, test.expected.top) << test.name;
    EXPECT_EQ(actual.right, test.expected.right) << test.name;
    EXPECT_EQ(actual.bottom, test.expected.bottom) << test.name;
  }
}

}  // namespace
}  // namespace posix::x11

#include "gfx/clip.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <ostream>

namespace {

struct Placement {
  std::int32_t x, y, srcX, srcY, width, height;
  bool operator==(const Placement& o) const {
    return x == o.x && y == o.y && srcX == o.srcX && srcY == o.srcY && width == o.width && height == o.height;
  }
};

std::ostream& operator<<(std::ostream& out, const Placement& p) {
  return out << "{x " << p.x << ", y " << p.y << ", srcX " << p.srcX << ", srcY " << p.srcY << ", width " << p.width
             << ", height " << p.height << "}";
}

struct ClipCase {
  const char* name;
  std::int32_t destWidth, destHeight;
  Placement in;
  bool accepted;
  Placement out;  // the values after the call; for a rejection they must equal `in`
};

// All on a 100 x 80 destination unless the case says otherwise.
const ClipCase kCases[] = {
    {"inside", 100, 80, {10, 20, 0, 0, 30, 40}, true, {10, 20, 0, 0, 30, 40}},
    {"exactly the destination", 100, 80, {0, 0, 0, 0, 100, 80}, true, {0, 0, 0, 0, 100, 80}},
    {"x at the right edge", 100, 80, {100, 0, 0, 0, 10, 10}, false, {100, 0, 0, 0, 10, 10}},
    {"one column left at the right", 100, 80, {99, 0, 0, 0, 10, 10}, true, {99, 0, 0, 0, 1, 10}},
    {"ends at the left edge", 100, 80, {-10, 0, 0, 0, 10, 10}, true, {0, 0, 10, 0, 0, 10}},
    {"ends before the left edge", 100, 80, {-11, 0, 0, 0, 10, 10}, false, {-11, 0, 0, 0, 10, 10}},
    {"wider than both sides", 100, 80, {-5, 0, 0, 0, 110, 10}, true, {0, 0, 5, 0, 100, 10}},
    {"above the top", 100, 80, {0, -30, 0, 0, 10, 50}, true, {0, 0, 0, 30, 10, 20}},
    {"ends at the top edge", 100, 80, {0, -50, 0, 0, 10, 50}, true, {0, 0, 0, 50, 10, 0}},
    {"ends before the top edge", 100, 80, {0, -51, 0, 0, 10, 50}, false, {0, -51, 0, 0, 10, 50}},
    {"y at the bottom edge", 100, 80, {0, 80, 0, 0, 10, 10}, false, {0, 80, 0, 0, 10, 10}},
    {"taller than the space below", 100, 80, {0, 70, 0, 0, 10, 50}, true, {0, 70, 0, 0, 10, 10}},
    {"source offsets move with the cut", 100, 80, {-3, -4, 2, 5, 10, 10}, true, {0, 0, 5, 9, 7, 6}},
    {"zero-wide destination", 0, 80, {0, 0, 0, 0, 10, 10}, false, {0, 0, 0, 0, 10, 10}},
    {"zero-high destination", 100, 0, {0, 0, 0, 0, 10, 10}, false, {0, 0, 0, 0, 10, 10}},
    {"negative destination", -100, 80, {0, 0, 0, 0, 10, 10}, false, {0, 0, 0, 0, 10, 10}},
    {"zero width", 100, 80, {0, 0, 0, 0, 0, 10}, false, {0, 0, 0, 0, 0, 10}},
    {"negative height", 100, 80, {0, 0, 0, 0, 10, -1}, false, {0, 0, 0, 0, 10, -1}},
    // Extreme values: x + width and the source offsets must not overflow.
    {"INT_MAX size from the origin", 100, 80, {0, 0, 0, 0, INT_MAX, INT_MAX}, true, {0, 0, 0, 0, 100, 80}},
    {"INT_MAX size from far left", 100, 80, {-INT_MAX, 0, 0, 0, INT_MAX, 10}, true, {0, 0, INT_MAX, 0, 0, 10}},
    {"INT_MIN position", 100, 80, {INT_MIN, INT_MIN, 0, 0, INT_MAX, INT_MAX}, false,
     {INT_MIN, INT_MIN, 0, 0, INT_MAX, INT_MAX}},
    {"INT_MAX position", 100, 80, {INT_MAX, INT_MAX, 0, 0, INT_MAX, INT_MAX}, false,
     {INT_MAX, INT_MAX, 0, 0, INT_MAX, INT_MAX}},
    {"INT_MAX destination", INT_MAX, INT_MAX, {INT_MAX - 1, -5, 0, 0, INT_MAX, 10}, true,
     {INT_MAX - 1, 0, 0, 5, 1, 5}},
    {"source offset that would pass INT_MAX", 100, 80, {-10, 0, INT_MAX - 5, 0, 20, 10}, false,
     {-10, 0, INT_MAX - 5, 0, 20, 10}},
};

TEST(ClipRect, CutsPlacementsToTheDestination) {
  for (const ClipCase& c : kCases) {
    Placement p = c.in;
    const bool accepted = ClipRect(c.destWidth, c.destHeight, p.x, p.y, p.srcX, p.srcY, p.width, p.height);
    EXPECT_EQ(accepted, c.accepted) << c.name;
    EXPECT_EQ(p, c.out) << c.name;
  }
}

// Whatever is accepted lies on the destination, and the source offsets grew by exactly what was cut.
TEST(ClipRect, AcceptedResultsLieOnTheDestination) {
  const std::int32_t values[] = {INT_MIN, -1000, -101, -100, -99, -1, 0, 1, 50, 99, 100, 101, INT_MAX};
  const std::int32_t sizes[] = {INT_MIN, -1, 0, 1, 99, 100, 101, 250, INT_MAX};
  for (std::int32_t x : values) {
    for (std::int32_t width : sizes) {
      Placement p{x, 0, 0, 0, width, 1};
      if (!ClipRect(100, 80, p.x, p.y, p.srcX, p.srcY, p.width, p.height)) {
        continue;
      }
      EXPECT_GE(p.x, 0);
      EXPECT_GE(p.width, 0);
      EXPECT_LE(std::int64_t{p.x} + p.width, 100);
      EXPECT_EQ(std::int64_t{p.x} - p.srcX, x) << "x " << x << " width " << width;
    }
  }
}

}  // namespace

// ClipRect: cuts a rectangle placed on a destination of destWidth x destHeight pixels down to the part that lies
// on it, and moves the source offsets by what was cut on the left and at the top. All positions are in screen
// orientation (row 0 at the top).
#pragma once

#include <cstdint>

// True: x, y, srcX, srcY, width and height now describe the visible part, which may be 0 wide or high when the
// rectangle ends exactly at the left or top edge. False: nothing is visible or an argument is unusable, and
// none of the six values has changed. Safe for every int32 value: nothing overflows.
bool ClipRect(std::int32_t destWidth, std::int32_t destHeight, std::int32_t& x, std::int32_t& y, std::int32_t& srcX,
              std::int32_t& srcY, std::int32_t& width, std::int32_t& height);

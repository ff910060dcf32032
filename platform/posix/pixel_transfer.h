// Copying a 24-bit DIB section's pixels into a window's picture, 1:1 or scaled, with every rectangle clipped
// against both pictures: whatever the positions and sizes, nothing outside either picture is read or written.
// Pixels of the destination rectangle whose source lies outside the DIB section are left as they were.
// Internal to the POSIX implementation; the arithmetic is 64-bit, so no argument can overflow it.
#pragma once

#include "platform/posix/display_backend.h"
#include "platform/posix/gdi_objects.h"

namespace posix {

// A rectangle as a blit call gives it: origin and size.
struct BlitRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Copies `size` pixels from (sourceX, sourceY) of `source` to (destination.x, destination.y) of `picture`
// (BitBlt). Returns the area of the picture that was written, empty when nothing was.
RECT CopyPixels(const DibSection& source, int sourceX, int sourceY, const WindowPicture& picture,
                const BlitRect& destination);

// Scales `sourceRect` of `source` onto `destination` of `picture` (StretchBlt) by nearest-neighbour sampling:
// destination pixel i of a row takes source pixel floor((2i + 1) x source width / (2 x destination width)), the
// one under its centre; likewise for rows. Sizes must be positive (nothing happens otherwise). Returns the area
// of the picture that was written, empty when nothing was.
RECT StretchPixels(const DibSection& source, const BlitRect& sourceRect, const WindowPicture& picture,
                   const BlitRect& destination);

}  // namespace posix

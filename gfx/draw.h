// Drawing one surface onto another: the four dispatchers. Each refuses, clips the source's placement to the
// destination (ClipRect), mirrors the source if asked (MirrorCopy, into a temporary that lives for the call) and
// runs one of its mode's four kernels, chosen by whether a colour key is given and whether the opacity is full.
#pragma once

#include <cstdint>

#include "gfx/gray_table.h"
#include "gfx/kernels.h"
#include "gfx/surface.h"
#include "platform/win32.h"

struct DrawParams {
  const GrayTable* grayTable;  // read by DrawGray only
  std::int32_t x;              // destination column of the source's left edge
  std::int32_t y;              // destination row of the source's top edge, row 0 at the top
  bool mirror;                 // draw the source reversed left to right
  DWORD key;                   // 0x00BBGGRR of the transparent colour; kNoColourKey (0xFFFFFFFF) for none
  BYTE opacity;                // kOpaque (255), or the source's weight in 255ths
};

// True when a kernel ran, even over a rectangle clipped to nothing at the left or top edge. False, with the
// destination unchanged, when either surface is locked, the clip rejects the placement, the source holds no
// 24-bit image, the destination holds none or is a read-only resource, source and destination are the same
// surface, or (DrawGray) there is no grey table.
bool DrawSubtract(const Surface& source, Surface& destination, DrawParams params);
bool DrawAdd(const Surface& source, Surface& destination, DrawParams params);
bool DrawGray(const Surface& source, Surface& destination, DrawParams params);
bool DrawCopy(const Surface& source, Surface& destination, DrawParams params);

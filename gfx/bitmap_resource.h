// Reading an RT_BITMAP resource in place: a BITMAPINFOHEADER, its colour table, then the pixel rows (a bitmap
// resource is a .bmp file without its 14-byte file header).
//
// What loads, checked against the resource's size so that nothing is read past its end:
// - A header of at least 40 bytes (biSize). Longer headers (the V4 and V5 headers that image editors write)
//   are accepted: only their first 40 bytes are read, and the colour table starts biSize bytes in, as in a
//   .bmp file. Shorter (OS/2) headers are refused.
// - One plane, BI_RGB (no compression, no bit-field masks), and 1, 4, 8 or 24 bits per pixel. 16- and 32-bit
//   bitmaps are refused: the library draws only 24-bit images, and their implied colour count would be absurd.
// - Positive width and height. Top-down bitmaps (negative height) are refused: every drawing operation relies on
//   rows stored bottom-up.
// - A colour count of biClrUsed, or when that is 0, 2^biBitCount below 24 bits and none at 24 bits. It may not
//   exceed 65535, the most a logical palette holds.
// - The colour table (4 bytes a colour) and all rows (each padded to a multiple of 4 bytes) inside the resource.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32.h"

struct BitmapResourceLayout {
  std::uint32_t colourCount = 0;
  std::size_t colourTableOffset = 0;  // bytes from the header's start
  std::size_t pixelOffset = 0;        // bytes from the header's start
};

// True, with `layout` filled in, when `size` bytes at `bytes` hold a bitmap that loads by the rules above.
bool ReadBitmapResourceLayout(const BYTE* bytes, std::size_t size, BitmapResourceLayout& layout);

// A logical palette (palVersion 0x300) of `count` colours from a colour table of four-byte entries (blue, green,
// red, reserved), built in temporary global memory. Null when that memory or the palette cannot be had.
HPALETTE CreatePaletteFromColourTable(const BYTE* table, std::uint32_t count);

// Internal interface of the POSIX GDI objects: the DIB sections that CreateDIBSection makes and the logical
// palettes that CreatePalette makes. Every object lives in one registry until DeleteObject, so a handle can be
// checked before it is used: the lookups below return null for a handle that names no object of that kind.
// The device-context code draws from and onto DIB sections through FindDibSection.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win32.h"

namespace posix {

// The largest pixel array CreateDIBSection makes: 1 GiB, far above any screen (an 8K screen at 24 bits per
// pixel takes about 100 MiB). Larger requests fail as if memory had run out.
constexpr std::int64_t kMaxDibSectionBytes = std::int64_t{1} << 30;

// A 24-bit DIB section. Rows are `stride` bytes apart (width x 3 rounded up to a multiple of 4); with
// `bottomUp` the first row in memory is the bottom row of the picture, otherwise the top row.
struct DibSection {
  int width = 0;
  int height = 0;  // always positive; the header's sign is kept in bottomUp
  int stride = 0;
  bool bottomUp = true;
  std::vector<BYTE> bits;
};

struct Palette {
  std::vector<PALETTEENTRY> entries;
};

DibSection* FindDibSection(HBITMAP bitmap);
Palette* FindPalette(HPALETTE palette);

// Bitmaps and palettes made and not yet deleted.
std::size_t GdiObjectCount();

// While set, CreateDIBSection fails and returns null (as when GDI runs out of memory), so that callers' failure
// paths can be exercised.
void SetDibSectionRefusal(bool refuse);

// While set, CreatePalette fails and returns null.
void SetPaletteRefusal(bool refuse);

}  // namespace posix

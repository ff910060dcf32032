// What the tests read back from GDI objects, on either platform: on Windows through GetObjectA and
// GetPaletteEntries, on POSIX from our implementation's own records (platform/posix/gdi_objects.h).
#pragma once

#include <vector>

#include "platform/win32.h"

// A DIB section as GDI describes it.
struct DibSectionDescription {
  int width = 0;
  int height = 0;  // always positive; the header's sign is in bottomUp
  int stride = 0;
  bool bottomUp = true;
  const void* bits = nullptr;
};

// False when `bitmap` names no live DIB section.
bool DescribeDibSection(HBITMAP bitmap, DibSectionDescription& description);

// The entries of a live logical palette; empty when `palette` names none.
std::vector<PALETTEENTRY> PaletteEntries(HPALETTE palette);

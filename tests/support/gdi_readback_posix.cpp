#include "tests/support/gdi_readback.h"

#include "platform/posix/gdi_objects.h"

bool DescribeDibSection(HBITMAP bitmap, DibSectionDescription& description) {
  const posix::DibSection* section = posix::FindDibSection(bitmap);
  if (section == nullptr) {
    return false;
  }
  description = {section->width, section->height, section->stride, section->bottomUp, section->bits.data()};
  return true;
}

std::vector<PALETTEENTRY> PaletteEntries(HPALETTE palette) {
  const posix::Palette* found = posix::FindPalette(palette);
  return found == nullptr ? std::vector<PALETTEENTRY>{} : found->entries;
}

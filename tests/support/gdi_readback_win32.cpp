#include "tests/support/gdi_readback.h"

#include <cstdlib>
#include <cstring>

namespace {

// GetObjectA gives a DIB section's height without its sign, so the row order is found by drawing: the pixel
// that GDI sets at the top left lands in the last row in memory when the section is bottom-up. The bytes it
// changes are put back. A single row is the same either way.
bool IsBottomUp(HBITMAP bitmap, const DIBSECTION& section) {
  const int height = std::abs(section.dsBmih.biHeight);
  if (height < 2 || section.dsBm.bmBits == nullptr) {
    return true;
  }
  BYTE* first = static_cast<BYTE*>(section.dsBm.bmBits);
  BYTE* last = first + static_cast<std::size_t>(height - 1) * section.dsBm.bmWidthBytes;
  BYTE savedFirst[4];
  BYTE savedLast[4];
  std::memcpy(savedFirst, first, sizeof savedFirst);
  std::memcpy(savedLast, last, sizeof savedLast);
  std::memset(first, 0, sizeof savedFirst);
  std::memset(last, 0, sizeof savedLast);

  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  SetPixelV(dc, 0, 0, RGB(255, 255, 255));
  GdiFlush();
  SelectObject(dc, previous);
  DeleteDC(dc);
  const bool bottomUp = last[0] != 0;

  std::memcpy(first, savedFirst, sizeof savedFirst);
  std::memcpy(last, savedLast, sizeof savedLast);
  return bottomUp;
}

}  // namespace

bool DescribeDibSection(HBITMAP bitmap, DibSectionDescription& description) {
  DIBSECTION section{};
  // Any other kind of object, or a bitmap that is not a DIB section, answers with fewer bytes.
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof section, &section) != static_cast<int>(sizeof section)) {
    return false;
  }
  description = {section.dsBm.bmWidth, std::abs(section.dsBmih.biHeight), section.dsBm.bmWidthBytes,
                 IsBottomUp(bitmap, section), section.dsBm.bmBits};
  return true;
}

std::vector<PALETTEENTRY> PaletteEntries(HPALETTE palette) {
  WORD count = 0;
  if (palette == nullptr || GetObjectA(palette, sizeof count, &count) != static_cast<int>(sizeof count)) {
    return {};
  }
  std::vector<PALETTEENTRY> entries(count);
  if (count == 0 || GetPaletteEntries(palette, 0, count, entries.data()) != count) {
    return {};
  }
  return entries;
}

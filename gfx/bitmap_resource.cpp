#include "gfx/bitmap_resource.h"

#include <cstring>

namespace {

constexpr std::uint32_t kMaxPaletteEntries = 65535;
constexpr std::size_t kColourTableEntryBytes = 4;

bool LoadsBitCount(WORD bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
}

}  // namespace

bool ReadBitmapResourceLayout(const BYTE* bytes, std::size_t size, BitmapResourceLayout& layout) {
  BITMAPINFOHEADER header;
  if (bytes == nullptr || size < sizeof header) {
    return false;
  }
  std::memcpy(&header, bytes, sizeof header);  // the resource need not be aligned for the structure
  if (header.biSize < sizeof header || header.biSize > size || header.biPlanes != 1 ||
      header.biCompression != BI_RGB || !LoadsBitCount(header.biBitCount) || header.biWidth <= 0 ||
      header.biHeight <= 0) {
    return false;
  }

  std::uint32_t colourCount = header.biClrUsed;
  if (colourCount == 0 && header.biBitCount != 24) {
    colourCount = std::uint32_t{1} << header.biBitCount;
  }
  if (colourCount > kMaxPaletteEntries) {
    return false;
  }

  // 64-bit sizes: a width of 2^31 - 1 at 24 bits still fits.
  const std::uint64_t tableOffset = header.biSize;
  const std::uint64_t pixelOffset = tableOffset + std::uint64_t{colourCount} * kColourTableEntryBytes;
  const std::uint64_t rowBytes = (std::uint64_t(header.biWidth) * header.biBitCount + 31) / 32 * 4;
  const std::uint64_t pixelBytes = rowBytes * std::uint64_t(header.biHeight);
  if (pixelOffset > size || pixelBytes > size - pixelOffset) {
    return false;
  }

  layout.colourCount = colourCount;
  layout.colourTableOffset = static_cast<std::size_t>(tableOffset);
  layout.pixelOffset = static_cast<std::size_t>(pixelOffset);
  return true;
}

HPALETTE CreatePaletteFromColourTable(const BYTE* table, std::uint32_t count) {
  if (count == 0 || count > kMaxPaletteEntries) {
    return nullptr;
  }
  const SIZE_T bytes = sizeof(LOGPALETTE) + (count - 1) * sizeof(PALETTEENTRY);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (memory == nullptr) {
    return nullptr;
  }
  auto* logPalette = static_cast<LOGPALETTE*>(GlobalLock(memory));
  if (logPalette == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }

  logPalette->palVersion = 0x300;
  logPalette->palNumEntries = static_cast<WORD>(count);
  PALETTEENTRY* entries = logPalette->palPalEntry;
  for (std::uint32_t i = 0; i < count; ++i) {
    const BYTE* colour = table + i * kColourTableEntryBytes;  // blue, green, red, reserved
    entries[i].peRed = colour[2];
    entries[i].peGreen = colour[1];
    entries[i].peBlue = colour[0];
    entries[i].peFlags = 0;
  }
  HPALETTE palette = CreatePalette(logPalette);

  GlobalUnlock(memory);
  GlobalFree(memory);
  return palette;
}

// CreateDIBSection, CreatePalette and DeleteObject over a registry of the objects they make. A handle is the
// address of its object, but it is only ever dereferenced after the registry has confirmed that it names a live
// object of the expected kind.
#include "platform/posix/gdi_objects.h"

#include <climits>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

namespace {

struct GdiRegistry {
  std::mutex mutex;
  std::unordered_map<void*, std::unique_ptr<posix::DibSection>> dibSections;
  std::unordered_map<void*, std::unique_ptr<posix::Palette>> palettes;
  bool refuseDibSections = false;
  bool refusePalettes = false;
};

GdiRegistry& Registry() {
  static GdiRegistry registry;
  return registry;
}

template <typename Object>
Object* Find(const std::unordered_map<void*, std::unique_ptr<Object>>& objects, void* handle) {
  const auto found = objects.find(handle);
  return found == objects.end() ? nullptr : found->second.get();
}

// The shape of DIB section that CreateDIBSection accepts: a 24-bit uncompressed picture of positive width and
// non-zero height whose pixel array is at most kMaxDibSectionBytes. Fills `dib`'s size fields when it is one.
bool DescribeDibSection(const BITMAPINFOHEADER& header, posix::DibSection& dib) {
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 || header.biBitCount != 24 ||
      header.biCompression != BI_RGB) {
    return false;
  }
  if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN) {
    return false;
  }
  const std::int64_t height = header.biHeight > 0 ? header.biHeight : -std::int64_t{header.biHeight};
  const std::int64_t stride = (std::int64_t{header.biWidth} * 3 + 3) / 4 * 4;
  if (stride > posix::kMaxDibSectionBytes / height) {  // stride x height would pass the limit
    return false;
  }
  dib.width = header.biWidth;
  dib.height = static_cast<int>(height);
  dib.stride = static_cast<int>(stride);
  dib.bottomUp = header.biHeight > 0;
  return true;
}

}  // namespace

namespace posix {

DibSection* FindDibSection(HBITMAP bitmap) {
  GdiRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  return Find(registry.dibSections, bitmap);
}

Palette* FindPalette(HPALETTE palette) {
  GdiRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  return Find(registry.palettes, palette);
}

std::size_t GdiObjectCount() {
  GdiRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  return registry.dibSections.size() + registry.palettes.size();
}

void SetDibSectionRefusal(bool refuse) {
  GdiRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  registry.refuseDibSections = refuse;
}

void SetPaletteRefusal(bool refuse) {
  GdiRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  registry.refusePalettes = refuse;
}

}  // namespace posix

// Only what the program uses: 24-bit BI_RGB pictures in memory (no file-mapping section). The device context is
// not needed for such a picture and is not looked at. A 24-bit picture has no colour table, so DIB_PAL_COLORS
// (whose table would index the device context's palette) is accepted as Windows accepts it; other usages are
// not. The bits are zero-filled (black).
HBITMAP WINAPI CreateDIBSection(HDC /*dc*/, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                DWORD /*offset*/) {
  if (bits != nullptr) {
    *bits = nullptr;
  }
  auto dib = std::make_unique<posix::DibSection>();
  if (info == nullptr || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS) || section != nullptr ||
      !DescribeDibSection(info->bmiHeader, *dib)) {
    return nullptr;
  }

  GdiRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  if (registry.refuseDibSections) {
    return nullptr;
  }
  try {
    dib->bits.resize(static_cast<std::size_t>(dib->stride) * static_cast<std::size_t>(dib->height));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (bits != nullptr) {
    *bits = dib->bits.data();
  }
  void* handle = dib.get();
  registry.dibSections.emplace(handle, std::move(dib));
  return static_cast<HBITMAP>(handle);
}

// A palette of the 0 to 65535 entries of `palette`, copied. Like Windows, it does not look at palVersion (0x300
// by convention) and makes an empty palette when there are no entries.
HPALETTE WINAPI CreatePalette(const LOGPALETTE* palette) {
  if (palette == nullptr) {
    return nullptr;
  }
  auto copy = std::make_unique<posix::Palette>();
  const PALETTEENTRY* entries = palette->palPalEntry;
  copy->entries.assign(entries, entries + palette->palNumEntries);

  GdiRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  if (registry.refusePalettes) {
    return nullptr;
  }
  void* handle = copy.get();
  registry.palettes.emplace(handle, std::move(copy));
  return static_cast<HPALETTE>(handle);
}

// Deletes a bitmap or a palette. FALSE for anything else: null, a handle already deleted, or one never made.
BOOL WINAPI DeleteObject(HGDIOBJ object) {
  GdiRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  if (registry.dibSections.erase(object) == 1 || registry.palettes.erase(object) == 1) {
    return TRUE;
  }
  return FALSE;
}

#include "gfx/surface.h"

#include <cstring>
#include <limits>
#include <new>

#include "gfx/bitmap_resource.h"
#include "gfx/clip.h"
#include "gfx/pixel_layout.h"

namespace {

// A 40-byte header followed by room for 256 four-byte colour entries.
constexpr std::size_t kHeaderBufferBytes = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);

// One row of `width` pixels of the colour, for block copies into the surface's rows.
std::vector<BYTE> ColourRow(std::int32_t width, COLORREF colour) {
  const PixelBytes bytes = BytesOfColour(colour);
  std::vector<BYTE> row(static_cast<std::size_t>(width) * kBytesPerPixel);
  for (std::size_t i = 0; i < row.size(); i += kBytesPerPixel) {
    row[i] = bytes.blue;
    row[i + 1] = bytes.green;
    row[i + 2] = bytes.red;
  }
  return row;
}

}  // namespace

Surface::~Surface() {
  if (palette != nullptr) {
    DeleteObject(palette);
    palette = nullptr;
  }
}

HBITMAP Surface::CreateDibSection(HDC dc, std::int32_t width, std::int32_t height) {
  if (kind != SurfaceKind::Empty) {
    return nullptr;
  }
  kind = SurfaceKind::DibSection;
  headerBuffer.assign(kHeaderBufferBytes, 0);
  WriteHeader(width, height);
  locked = 0;

  void* bits = nullptr;
  HBITMAP bitmap =
      CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS, &bits, nullptr, 0);
  pixels = bitmap != nullptr ? static_cast<BYTE*>(bits) : nullptr;
  return bitmap;
}

// A surface that already has pixels keeps its header: a new size would no longer describe them, and drawing
// would then read or write past their end.
void Surface::SetupHeader(std::int32_t width, std::int32_t height) {
  if (pixels != nullptr) {
    return;
  }
  headerBuffer.resize(kHeaderBufferBytes, 0);
  WriteHeader(width, height);
}

// A bottom-up (positive height) 24-bit BI_RGB header at the start of headerBuffer, every other field 0.
void Surface::WriteHeader(std::int32_t width, std::int32_t height) {
  header = new (headerBuffer.data()) BITMAPINFOHEADER{};
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = width;
  header->biHeight = height;
  header->biPlanes = 1;
  header->biBitCount = 24;
}

// The resource's layout is checked against its size before anything is taken from it (see
// gfx/bitmap_resource.h); every refusal leaves the surface empty.
bool Surface::LoadBitmapResource(HMODULE module, LPCSTR resourceId) {
  if (kind != SurfaceKind::Empty) {
    return false;
  }
  HRSRC resource = FindResourceA(module, resourceId, RT_BITMAP);
  if (resource == nullptr) {
    return false;
  }
  HGLOBAL loaded = LoadResource(module, resource);
  if (loaded == nullptr) {
    return false;
  }
  auto* bytes = static_cast<BYTE*>(LockResource(loaded));
  BitmapResourceLayout layout;
  if (bytes == nullptr || !ReadBitmapResourceLayout(bytes, SizeofResource(module, resource), layout)) {
    return false;
  }

  HPALETTE colours = nullptr;
  if (layout.colourCount > 0) {
    colours = CreatePaletteFromColourTable(bytes + layout.colourTableOffset, layout.colourCount);
    if (colours == nullptr) {
      return false;
    }
  }

  header = reinterpret_cast<BITMAPINFOHEADER*>(bytes);
  pixels = bytes + layout.pixelOffset;
  palette = colours;
  locked = 0;
  kind = SurfaceKind::Resource;
  return true;
}

void Surface::Fill(COLORREF colour) {
  if (!IsWritable()) {
    return;
  }
  const std::int32_t height = Height();
  const std::int32_t stride = Stride();
  const std::vector<BYTE> row = ColourRow(Width(), colour);
  for (std::int32_t r = height - 1; r >= 0; --r) {
    std::memcpy(pixels + static_cast<std::ptrdiff_t>(r) * stride, row.data(), row.size());
  }
}

bool Surface::FillArea(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, COLORREF colour) {
  if (!IsWritable()) {
    return false;
  }
  std::int32_t srcX = 0;
  std::int32_t srcY = 0;
  if (!ClipRect(Width(), Height(), x, y, srcX, srcY, width, height)) {
    return false;
  }
  if (width == 0 || height == 0) {
    return true;  // touches the left or top edge: accepted, nothing to write
  }
  const std::vector<BYTE> row = ColourRow(width, colour);
  for (std::int32_t j = 0; j < height; ++j) {
    std::memcpy(pixels + PixelOffset(Height(), Stride(), x, y + j), row.data(), row.size());
  }
  return true;
}

std::int32_t Surface::Width() const {
  return header != nullptr ? header->biWidth : 0;
}

std::int32_t Surface::Height() const {
  return header != nullptr ? header->biHeight : 0;
}

// 0 when there is no header, for a width of 0 or less, and for a width whose rows would not fit in 32 bits.
std::int32_t Surface::Stride() const {
  const std::int32_t width = Width();
  if (width <= 0) {
    return 0;
  }
  const std::int64_t stride = RowStride24(width);
  return stride <= std::numeric_limits<std::int32_t>::max() ? static_cast<std::int32_t>(stride) : 0;
}

bool Surface::HoldsImage() const {
  return header != nullptr && pixels != nullptr && header->biBitCount == 24 && header->biCompression == BI_RGB &&
         Width() > 0 && Height() > 0 && Stride() > 0;
}

bool Surface::IsWritable() const {
  return HoldsImage() && kind != SurfaceKind::Resource;
}

// Surface: one 24-bit image that the compositing library draws from or onto. It is made once, either as a DIB
// section of a given size (the back buffer) or by locking an RT_BITMAP resource in place (a sprite image).
//
// Pixel layout, which every drawing operation relies on: 3 bytes a pixel in the order blue, green, red; rows
// stored bottom-up, Stride() bytes apart. The pixel at column x of row y counted from the top starts at byte
// (Height() - 1 - y) * Stride() + 3 * x of `pixels`. Colours are COLORREF values 0x00BBGGRR.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32.h"

enum class SurfaceKind : std::int32_t { Empty = 0, DibSection = 1, Resource = 2 };

struct Surface {
  Surface() = default;
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  // Makes the surface a bottom-up 24-bit DIB section of the given size and returns the bitmap, which belongs to
  // the caller. Null when the surface was made before (it is then unchanged) or when GDI cannot make the
  // section; in the latter case the surface still counts as made and has no pixels.
  HBITMAP CreateDibSection(HDC dc, std::int32_t width, std::int32_t height);

  // Points `header` at a zeroed 24-bit header of the given size in headerBuffer, without making pixels. Does
  // nothing once the surface has pixels, whose size a new header would misdescribe.
  void SetupHeader(std::int32_t width, std::int32_t height);

  // Makes the surface from an RT_BITMAP resource, locked in place: true when it was made.
  bool LoadBitmapResource(HMODULE module, LPCSTR resourceId);

  // Fills the whole surface with one colour. Surfaces that drawing may not write (see IsWritable) are left alone.
  void Fill(COLORREF colour);

  // Fills a rectangle in screen orientation, clipped to the surface: true unless the clip rejected it or the
  // surface may not be written (see IsWritable: resource bytes are the program's read-only data).
  bool FillArea(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, COLORREF colour);

  std::int32_t Width() const;
  std::int32_t Height() const;
  std::int32_t Stride() const;

  // True when the surface has a 24-bit uncompressed header and pixels: something drawing may read.
  bool HoldsImage() const;
  // True when drawing may also write to it: it holds an image that is not a read-only resource.
  bool IsWritable() const;

  SurfaceKind kind = SurfaceKind::Empty;
  std::vector<BYTE> headerBuffer;
  BITMAPINFOHEADER* header = nullptr;
  BYTE* pixels = nullptr;
  HPALETTE palette = nullptr;
  std::int32_t locked = 0;

 private:
  void WriteHeader(std::int32_t width, std::int32_t height);
};

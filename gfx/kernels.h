// The sixteen compositing kernels: four modes (subtract, add, grey, copy), each with and without a colour key
// and with and without blending. All share one argument record so that a dispatcher picks one from a table.
//
// Kernels trust their arguments: the rectangle has been clipped to both images (ClipRect) and both images are
// 24-bit bottom-up (see gfx/pixel_layout.h). For each of `height` screen rows j and `width` columns i, the
// destination pixel at (x + i, y + j) is combined with the source pixel at (srcX + i, srcY + j).
#pragma once

#include <cstdint>

#include "gfx/gray_table.h"
#include "platform/win32.h"

// The colour key that means "no key".
constexpr DWORD kNoColourKey = 0xFFFFFFFFu;
// The opacity that means "opaque, no blending".
constexpr BYTE kOpaque = 255;

struct BlitArgs {
  BYTE* destination;
  std::int32_t destWidth;
  std::int32_t destHeight;
  std::int32_t destStride;
  std::int32_t x;
  std::int32_t y;
  const BYTE* source;
  std::int32_t sourceWidth;
  std::int32_t sourceHeight;
  std::int32_t sourceStride;
  std::int32_t srcX;
  std::int32_t srcY;
  std::int32_t width;
  std::int32_t height;
  DWORD key;                     // Key kernels: source pixels whose value 0x00BBGGRR equals it are skipped
  BYTE opacity;                  // Blend kernels: the source's weight, opacity / 255
  const GrayTable* grayTable;    // grey kernels
};

using BlitKernel = void (*)(const BlitArgs& args);

// Channel results, with s the source channel, d the destination channel, g the source pixel's grey level and
// trunc(d x Wd + t x Ws) the blend of d with a target t at weights Wd = (255 - opacity) / 255, Ws = opacity / 255.
void BlitSub(const BlitArgs& args);           // max(d - s, 0)
void BlitSubKey(const BlitArgs& args);
void BlitSubBlend(const BlitArgs& args);      // blend of d with max(d - s, 0)
void BlitSubKeyBlend(const BlitArgs& args);
void BlitAdd(const BlitArgs& args);           // min(d + s, 255)
void BlitAddKey(const BlitArgs& args);
void BlitAddBlend(const BlitArgs& args);      // blend of d with min(d + s, 255)
void BlitAddKeyBlend(const BlitArgs& args);
void BlitGray(const BlitArgs& args);          // g in all three channels
void BlitGrayKey(const BlitArgs& args);
void BlitGrayBlend(const BlitArgs& args);     // blend of d with g
void BlitGrayKeyBlend(const BlitArgs& args);
void BlitCopy(const BlitArgs& args);          // s
void BlitCopyKey(const BlitArgs& args);
void BlitCopyBlend(const BlitArgs& args);     // blend of d with s
void BlitCopyKeyBlend(const BlitArgs& args);

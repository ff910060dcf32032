#include "gfx/draw.h"

#include <cstddef>
#include <vector>

#include "gfx/clip.h"
#include "gfx/mirror.h"

namespace {

enum DrawMode { kSubtract, kAdd, kGray, kCopy, kDrawModes };

// Columns: no key and opaque, no key and blended, key and opaque, key and blended.
constexpr BlitKernel kKernels[kDrawModes][4] = {
    {BlitSub, BlitSubBlend, BlitSubKey, BlitSubKeyBlend},
    {BlitAdd, BlitAddBlend, BlitAddKey, BlitAddKeyBlend},
    {BlitGray, BlitGrayBlend, BlitGrayKey, BlitGrayKeyBlend},
    {BlitCopy, BlitCopyBlend, BlitCopyKey, BlitCopyKeyBlend},
};

BlitKernel ChooseKernel(DrawMode mode, DWORD key, BYTE opacity) {
  const int keyed = key != kNoColourKey ? 2 : 0;
  const int blended = opacity != kOpaque ? 1 : 0;
  return kKernels[mode][keyed + blended];
}

bool Draw(DrawMode mode, const Surface& source, Surface& destination, const DrawParams& params) {
  if (destination.locked != 0 || source.locked != 0) {
    return false;
  }
  // Surfaces without a 24-bit image are never read as if they had one; resources are read-only; a kernel
  // reading the pixels it writes would smear them.
  if (!source.HoldsImage() || !destination.IsWritable() || &source == &destination) {
    return false;
  }
  if (mode == kGray && params.grayTable == nullptr) {
    return false;
  }

  std::int32_t x = params.x;
  std::int32_t y = params.y;
  std::int32_t srcX = 0;
  std::int32_t srcY = 0;
  std::int32_t width = source.Width();
  std::int32_t height = source.Height();
  if (!ClipRect(destination.Width(), destination.Height(), x, y, srcX, srcY, width, height)) {
    return false;
  }

  // The whole source is mirrored; the clipped offsets then count columns of the mirrored picture.
  const BYTE* sourcePixels = source.pixels;
  std::vector<BYTE> mirrored;
  if (params.mirror) {
    mirrored.resize(static_cast<std::size_t>(source.Stride()) * static_cast<std::size_t>(source.Height()));
    MirrorCopy(source.pixels, source.Width(), source.Height(), source.Stride(), mirrored.data());
    sourcePixels = mirrored.data();
  }

  const BlitArgs args{destination.pixels, destination.Width(), destination.Height(), destination.Stride(),
                      x,                  y,                   sourcePixels,         source.Width(),
                      source.Height(),    source.Stride(),     srcX,                 srcY,
                      width,              height,              params.key,           params.opacity,
                      params.grayTable};
  ChooseKernel(mode, params.key, params.opacity)(args);
  return true;
}

}  // namespace

bool DrawSubtract(const Surface& source, Surface& destination, DrawParams params) {
  return Draw(kSubtract, source, destination, params);
}

bool DrawAdd(const Surface& source, Surface& destination, DrawParams params) {
  return Draw(kAdd, source, destination, params);
}

bool DrawGray(const Surface& source, Surface& destination, DrawParams params) {
  return Draw(kGray, source, destination, params);
}

bool DrawCopy(const Surface& source, Surface& destination, DrawParams params) {
  return Draw(kCopy, source, destination, params);
}

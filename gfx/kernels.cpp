// The sixteen kernels as instances of one loop, specialised at compile time by mode, key and blending so that
// the inner loop carries no test but the key comparison of the Key kernels.
#include "gfx/kernels.h"

#include <cstring>
#include <type_traits>

#include "gfx/blend.h"
#include "gfx/pixel_layout.h"

namespace {

// Each mode computes the target of the three channels (blue, green, red) from the source pixel s and the
// destination pixel d.
struct Subtract {
  static void Targets(const BYTE* s, const BYTE* d, const GrayTable*, BYTE* t) {
    for (int c = 0; c < kBytesPerPixel; ++c) {
      t[c] = d[c] > s[c] ? static_cast<BYTE>(d[c] - s[c]) : BYTE{0};
    }
  }
};

struct Add {
  static void Targets(const BYTE* s, const BYTE* d, const GrayTable*, BYTE* t) {
    for (int c = 0; c < kBytesPerPixel; ++c) {
      const int sum = d[c] + s[c];
      t[c] = sum < 255 ? static_cast<BYTE>(sum) : BYTE{255};
    }
  }
};

struct Gray {
  static void Targets(const BYTE* s, const BYTE*, const GrayTable* grayTable, BYTE* t) {
    const BYTE level = (*grayTable)[static_cast<std::size_t>(s[0] + s[1] + s[2])];
    t[0] = t[1] = t[2] = level;
  }
};

struct Copy {
  static void Targets(const BYTE* s, const BYTE*, const GrayTable*, BYTE* t) {
    t[0] = s[0];
    t[1] = s[1];
    t[2] = s[2];
  }
};

// A pixel's value in the layout of colours and keys, 0x00BBGGRR.
inline DWORD KeyValue(const BYTE* pixel) {
  return (DWORD{pixel[0]} << 16) | (DWORD{pixel[1]} << 8) | DWORD{pixel[2]};
}

template <typename Mode, bool kKeyed, bool kBlended>
void BlitLoop(const BlitArgs& args) {
  if (args.width <= 0 || args.height <= 0) {
    return;
  }
  [[maybe_unused]] const BlendWeights weights = BlendWeightsFor(args.opacity);
  for (std::int32_t j = 0; j < args.height; ++j) {
    BYTE* d = args.destination + PixelOffset(args.destHeight, args.destStride, args.x, args.y + j);
    const BYTE* s = args.source + PixelOffset(args.sourceHeight, args.sourceStride, args.srcX, args.srcY + j);
    if constexpr (std::is_same_v<Mode, Copy> && !kKeyed && !kBlended) {
      // A plain copy is a block copy of the row.
      std::memcpy(d, s, static_cast<std::size_t>(args.width) * kBytesPerPixel);
    } else {
      for (std::int32_t i = 0; i < args.width; ++i, d += kBytesPerPixel, s += kBytesPerPixel) {
        if constexpr (kKeyed) {
          if (KeyValue(s) == args.key) {
            continue;
          }
        }
        BYTE t[kBytesPerPixel];
        Mode::Targets(s, d, args.grayTable, t);
        if constexpr (kBlended) {
          d[0] = BlendChannel(d[0], t[0], weights);
          d[1] = BlendChannel(d[1], t[1], weights);
          d[2] = BlendChannel(d[2], t[2], weights);
        } else {
          d[0] = t[0];
          d[1] = t[1];
          d[2] = t[2];
        }
      }
    }
  }
}

}  // namespace

void BlitSub(const BlitArgs& args) { BlitLoop<Subtract, false, false>(args); }
void BlitSubKey(const BlitArgs& args) { BlitLoop<Subtract, true, false>(args); }
void BlitSubBlend(const BlitArgs& args) { BlitLoop<Subtract, false, true>(args); }
void BlitSubKeyBlend(const BlitArgs& args) { BlitLoop<Subtract, true, true>(args); }
void BlitAdd(const BlitArgs& args) { BlitLoop<Add, false, false>(args); }
void BlitAddKey(const BlitArgs& args) { BlitLoop<Add, true, false>(args); }
void BlitAddBlend(const BlitArgs& args) { BlitLoop<Add, false, true>(args); }
void BlitAddKeyBlend(const BlitArgs& args) { BlitLoop<Add, true, true>(args); }
void BlitGray(const BlitArgs& args) { BlitLoop<Gray, false, false>(args); }
void BlitGrayKey(const BlitArgs& args) { BlitLoop<Gray, true, false>(args); }
void BlitGrayBlend(const BlitArgs& args) { BlitLoop<Gray, false, true>(args); }
void BlitGrayKeyBlend(const BlitArgs& args) { BlitLoop<Gray, true, true>(args); }
void BlitCopy(const BlitArgs& args) { BlitLoop<Copy, false, false>(args); }
void BlitCopyKey(const BlitArgs& args) { BlitLoop<Copy, true, false>(args); }
void BlitCopyBlend(const BlitArgs& args) { BlitLoop<Copy, false, true>(args); }
void BlitCopyKeyBlend(const BlitArgs& args) { BlitLoop<Copy, true, true>(args); }

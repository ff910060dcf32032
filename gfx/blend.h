// The blend of the Blend kernels, channel by channel: trunc(d x Wd + t x Ws) with d the destination's value, t
// the mode's target, Wd = (255 - opacity) x k and Ws = opacity x k, where k is the double nearest to 1/255 (bit
// pattern 0x3F70101010101010, and 255 x k is exactly 1.0). IEEE double throughout: each product is rounded,
// then their sum (the build forbids fused multiply-add), and the result is truncated toward zero, never
// rounded. An integer formula such as (d x (255 - a) + t x a) / 255 gives other results and must not replace it.
#pragma once

#include "platform/win32.h"

constexpr double kOneOver255 = 0.00392156862745098;

struct BlendWeights {
  double destination;
  double source;
};

// Computed once per draw, outside the pixel loops.
inline BlendWeights BlendWeightsFor(BYTE opacity) {
  return {(255 - opacity) * kOneOver255, opacity * kOneOver255};
}

inline BYTE BlendChannel(BYTE destination, BYTE target, const BlendWeights& weights) {
  const double destinationPart = destination * weights.destination;
  const double targetPart = target * weights.source;
  // The sum is at most 255 plus a rounding error, so the truncated value fits a byte.
  return static_cast<BYTE>(static_cast<int>(destinationPart + targetPart));
}

// Integer helpers for the scenes' motion arithmetic. Times are 32-bit tick counts that wrap; positions are
// 32-bit signed. The helpers keep every result that 32-bit arithmetic gives exactly and make the cases where it
// would overflow well defined instead (saturating at the ends of the 32-bit range).
#pragma once

#include <cstdint>
#include <limits>

namespace shell {

// The 32-bit pattern read as a two's-complement signed value: 0xFFFFFFFF is -1.
constexpr std::int32_t AsSigned(std::uint32_t bits) {
  return bits <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())
             ? static_cast<std::int32_t>(bits)
             : static_cast<std::int32_t>(bits - 0x80000000u) + std::numeric_limits<std::int32_t>::min();
}

// a - b on the wrapping 32-bit clock, read as a signed difference: 5 - 0xFFFFFFFB is 10.
constexpr std::int32_t WrappedDifference(std::uint32_t a, std::uint32_t b) { return AsSigned(a - b); }

// The value itself when it fits in 32 bits, otherwise the nearest end of the 32-bit range.
constexpr std::int32_t SaturateToInt32(std::int64_t value) {
  if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

// Truncation towards zero, as a conversion to int does, but saturating instead of undefined out of range.
inline std::int32_t TruncateToInt32(double value) {
  if (!(value > -2147483649.0)) return std::numeric_limits<std::int32_t>::min();
  if (!(value < 2147483648.0)) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

}  // namespace shell

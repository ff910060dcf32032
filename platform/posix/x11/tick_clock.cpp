#include "platform/posix/x11/tick_clock.h"

#include <time.h>

#include <cstdint>

namespace posix::x11 {

DWORD MonotonicTickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const std::uint64_t milliseconds =
      static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<DWORD>(milliseconds);  // keeps the low 32 bits: the wrap
}

}  // namespace posix::x11

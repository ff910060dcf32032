// Internal interface of the POSIX global-memory calls (GlobalAlloc and friends), for tests and the headless
// back end.
#pragma once

#include <cstddef>

namespace posix {

// While set, every GlobalAlloc fails and returns null, as it does on Windows when memory runs out.
void SetGlobalAllocRefusal(bool refuse);

// Blocks allocated and not yet freed.
std::size_t GlobalBlockCount();

}  // namespace posix

// GetSystemMetrics, GetTickCount and OutputDebugStringA.
#include <chrono>
#include <climits>
#include <cstdio>

#include "platform/posix/active_backend.h"
#include "platform/win32.h"

namespace {

// The extent between two edges, 0 when the edges are the wrong way round or too far apart for an int.
int Extent(LONG low, LONG high) {
  const long long extent = static_cast<long long>(high) - low;
  return extent > 0 && extent <= INT_MAX ? static_cast<int>(extent) : 0;
}

}  // namespace

// Screen sizes come from the display back end; every other metric, and every metric without a back end, is 0,
// as Windows answers an index it does not know.
int WINAPI GetSystemMetrics(int index) {
  posix::DisplayBackend* backend = posix::ActiveBackend();
  if (backend == nullptr) {
    return 0;
  }
  switch (index) {
    case SM_CXSCREEN:
      return backend->PrimaryScreenWidth();
    case SM_CYSCREEN:
      return backend->PrimaryScreenHeight();
    case SM_XVIRTUALSCREEN:
      return backend->VirtualScreen().left;
    case SM_YVIRTUALSCREEN:
      return backend->VirtualScreen().top;
    case SM_CXVIRTUALSCREEN:
      return Extent(backend->VirtualScreen().left, backend->VirtualScreen().right);
    case SM_CYVIRTUALSCREEN:
      return Extent(backend->VirtualScreen().top, backend->VirtualScreen().bottom);
    default:
      return 0;
  }
}

DWORD WINAPI GetTickCount() {
  if (posix::DisplayBackend* backend = posix::ActiveBackend()) {
    return backend->TickCount();
  }
  const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

// The debugger's output on Windows; standard error here, the text exactly as given.
void WINAPI OutputDebugStringA(LPCSTR text) {
  if (text == nullptr) {
    return;
  }
  std::fputs(text, stderr);
  std::fflush(stderr);
}

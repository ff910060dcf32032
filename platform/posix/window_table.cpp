#include "platform/posix/window_table.h"

#include <algorithm>
#include <cstdint>
#include <map>

namespace posix {
namespace {

// Handles are numbers that are never reused, so a stale handle can never name a later window. They start well
// above 0 and step by 4, like real window handles, so that small integers from elsewhere are never taken for one.
std::uintptr_t g_uNextWindowNumber = 0x10000;
std::map<HWND, WindowRecord> g_windows;

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

HWND CreateWindowForNative(NativeWindow native, WNDPROC procedure) {
  if (native == 0 || procedure == nullptr) {
    return nullptr;
  }
  const HWND window = reinterpret_cast<HWND>(g_uNextWindowNumber);
  g_uNextWindowNumber += 4;
  WindowRecord record;
  record.native = native;
  record.procedure = procedure;
  g_windows.emplace(window, record);

  if (SendMessageA(window, WM_CREATE, 0, 0) == -1) {
    DestroyWindow(window);
    return nullptr;
  }
  return window;
}

WindowRecord* LookUpWindow(HWND window) {
  const auto found = g_windows.find(window);
  return found != g_windows.end() ? &found->second : nullptr;
}

HWND WindowOfNative(NativeWindow native) {
  for (const auto& [window, record] : g_windows) {
    if (record.native == native) {
      return window;
    }
  }
  return nullptr;
}

std::vector<HWND> AllWindows() {
  std::vector<HWND> windows;
  for (const auto& entry : g_windows) {
    windows.push_back(entry.first);
  }
  return windows;
}

void InvalidateWindow(HWND window, const RECT& area) {
  WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || IsEmpty(area)) {
    return;
  }
  if (!record->needsPaint) {
    record->invalidArea = area;
  } else {
    RECT& u = record->invalidArea;
    u = RECT{std::min(u.left, area.left), std::min(u.top, area.top), std::max(u.right, area.right),
             std::max(u.bottom, area.bottom)};
  }
  record->needsPaint = true;
}

HWND WindowNeedingPaint() {
  for (const auto& [window, record] : g_windows) {
    if (record.needsPaint) {
      return window;
    }
  }
  return nullptr;
}

RECT ValidateWindow(HWND window) {
  WindowRecord* record = LookUpWindow(window);
  if (record == nullptr || !record->needsPaint) {
    return RECT{0, 0, 0, 0};
  }
  record->needsPaint = false;
  return record->invalidArea;
}

void ForgetAllWindows() { g_windows.clear(); }

void RemoveWindowRecord(HWND window) { g_windows.erase(window); }

}  // namespace posix

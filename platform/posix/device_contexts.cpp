// GetDC, ReleaseDC, CreateCompatibleDC, SelectObject, DeleteDC, BeginPaint, EndPaint.
#include "platform/posix/device_contexts.h"

#include <cstdint>
#include <map>

#include "platform/posix/gdi_objects.h"
#include "platform/posix/window_table.h"

namespace posix {
namespace {

// As with windows, context handles are never reused, so a released handle stays invalid.
std::uintptr_t g_uNextContextNumber = 0x20000;
std::map<HDC, DeviceContext> g_contexts;

// Its address is the default bitmap's handle: unique, and never the address of anything a registry hands out.
char g_defaultBitmapTag = 0;

HDC AddContext(const DeviceContext& context) {
  const HDC dc = reinterpret_cast<HDC>(g_uNextContextNumber);
  g_uNextContextNumber += 4;
  g_contexts.emplace(dc, context);
  return dc;
}

DeviceContext* Find(HDC dc) {
  const auto found = g_contexts.find(dc);
  return found != g_contexts.end() ? &found->second : nullptr;
}

bool SelectedElsewhere(HBITMAP bitmap, HDC dc) {
  for (const auto& [other, context] : g_contexts) {
    if (other != dc && context.kind == DeviceContextKind::Memory && context.selected == bitmap) {
      return true;
    }
  }
  return false;
}

}  // namespace

const DeviceContext* LookUpDeviceContext(HDC dc) { return Find(dc); }

HBITMAP DefaultMemoryBitmap() {
  return reinterpret_cast<HBITMAP>(&g_defaultBitmapTag);
}

}  // namespace posix

// With no window, the context of the whole screen, which can be the model of a memory context but cannot be
// drawn on here.
HDC WINAPI GetDC(HWND window) {
  if (window == nullptr) {
    return posix::AddContext(posix::DeviceContext{posix::DeviceContextKind::Screen, nullptr, nullptr});
  }
  if (!IsWindow(window)) {
    return nullptr;
  }
  return posix::AddContext(posix::DeviceContext{posix::DeviceContextKind::Window, window, nullptr});
}

int WINAPI ReleaseDC(HWND window, HDC dc) {
  const posix::DeviceContext* context = posix::Find(dc);
  if (context == nullptr || context->kind == posix::DeviceContextKind::Memory || context->window != window) {
    return 0;
  }
  posix::g_contexts.erase(dc);
  return 1;
}

HDC WINAPI CreateCompatibleDC(HDC dc) {
  if (dc != nullptr && posix::Find(dc) == nullptr) {
    return nullptr;
  }
  return posix::AddContext(
      posix::DeviceContext{posix::DeviceContextKind::Memory, nullptr, posix::DefaultMemoryBitmap()});
}

// Only bitmaps can be selected, and only into memory contexts; a bitmap can be selected into one context at a
// time. Returns the bitmap selected before, or null (nothing changed) when the selection is refused.
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
  posix::DeviceContext* context = posix::Find(dc);
  if (context == nullptr || context->kind != posix::DeviceContextKind::Memory) {
    return nullptr;
  }
  const auto bitmap = static_cast<HBITMAP>(object);
  const bool isBitmap = bitmap == posix::DefaultMemoryBitmap() || posix::FindDibSection(bitmap) != nullptr;
  if (!isBitmap || (bitmap != posix::DefaultMemoryBitmap() && posix::SelectedElsewhere(bitmap, dc))) {
    return nullptr;
  }
  const HBITMAP previous = context->selected;
  context->selected = bitmap;
  return previous;
}

// Deletes memory contexts only; a window's context is given back with ReleaseDC or EndPaint.
BOOL WINAPI DeleteDC(HDC dc) {
  const posix::DeviceContext* context = posix::Find(dc);
  if (context == nullptr || context->kind != posix::DeviceContextKind::Memory) {
    return FALSE;
  }
  posix::g_contexts.erase(dc);
  return TRUE;
}

// The picture is kept in memory and repaired by the display back end, so nothing needs erasing: fErase is FALSE
// and no WM_ERASEBKGND is sent. rcPaint is the update region's bounding rectangle, empty when there was none.
HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint) {
  if (paint == nullptr || !IsWindow(window)) {
    return nullptr;
  }
  *paint = PAINTSTRUCT{};
  paint->rcPaint = posix::ValidateWindow(window);
  paint->fErase = FALSE;
  paint->hdc = GetDC(window);
  return paint->hdc;
}

BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint) {
  if (paint == nullptr) {
    return FALSE;
  }
  ReleaseDC(window, paint->hdc);
  return TRUE;
}

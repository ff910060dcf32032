// BitBlt and StretchBlt: from a memory device context holding a 24-bit DIB section to a window's device context,
// with SRCCOPY. The window's picture is written and the changed area handed to the display back end.
//
// Other combinations (a window as the source, a memory context as the destination, other raster operations)
// are not needed by this program and fail with FALSE. Negative sizes, which Windows takes as a request to
// mirror, fail too. A zero size, or a rectangle wholly outside either picture, copies nothing and succeeds.
#include "platform/posix/active_backend.h"
#include "platform/posix/device_contexts.h"
#include "platform/posix/gdi_objects.h"
#include "platform/posix/pixel_transfer.h"
#include "platform/posix/window_table.h"
#include "platform/win32.h"

namespace {

struct BlitEnds {
  posix::DisplayBackend* backend = nullptr;
  posix::NativeWindow window = 0;
  posix::WindowPicture picture;
  const posix::DibSection* source = nullptr;
};

bool ResolveEnds(HDC destination, HDC source, BlitEnds& ends) {
  const posix::DeviceContext* to = posix::LookUpDeviceContext(destination);
  const posix::DeviceContext* from = posix::LookUpDeviceContext(source);
  if (to == nullptr || from == nullptr || to->kind != posix::DeviceContextKind::Window ||
      from->kind != posix::DeviceContextKind::Memory) {
    return false;
  }
  const posix::WindowRecord* window = posix::LookUpWindow(to->window);
  ends.backend = posix::ActiveBackend();
  ends.source = posix::FindDibSection(from->selected);
  if (window == nullptr || window->nativeGone || ends.backend == nullptr || ends.source == nullptr) {
    return false;
  }
  ends.window = window->native;
  ends.picture = ends.backend->Picture(window->native);
  return ends.picture.pixels != nullptr;
}

void Show(const BlitEnds& ends, const RECT& area, const posix::PresentInfo& info) {
  if (area.right > area.left && area.bottom > area.top) {
    ends.backend->Present(ends.window, area, info);
  }
}

}  // namespace

BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
  BlitEnds ends;
  if (rop != SRCCOPY || width < 0 || height < 0 || !ResolveEnds(dest, src, ends)) {
    return FALSE;
  }
  const RECT area = posix::CopyPixels(*ends.source, srcX, srcY, ends.picture, posix::BlitRect{x, y, width, height});
  Show(ends, area, posix::PresentInfo{posix::PresentCall::BitBlt, width, height, width, height});
  return TRUE;
}

BOOL WINAPI StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                       int srcHeight, DWORD rop) {
  BlitEnds ends;
  if (rop != SRCCOPY || width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0 || !ResolveEnds(dest, src, ends)) {
    return FALSE;
  }
  const RECT area = posix::StretchPixels(*ends.source, posix::BlitRect{srcX, srcY, srcWidth, srcHeight},
                                         ends.picture, posix::BlitRect{x, y, width, height});
  Show(ends, area, posix::PresentInfo{posix::PresentCall::StretchBlt, width, height, srcWidth, srcHeight});
  return TRUE;
}

#include "platform/posix/x11/screen_layout.h"

#include <X11/extensions/Xrandr.h>

namespace posix::x11 {

RECT ScreenLayout::VirtualScreen() const {
  return RECT{-primaryX, -primaryY, rootWidth - primaryX, rootHeight - primaryY};
}

ScreenLayout ReadScreenLayout(Display* display, int screen) {
  ScreenLayout layout;
  layout.rootWidth = DisplayWidth(display, screen);
  layout.rootHeight = DisplayHeight(display, screen);
  layout.primaryWidth = layout.rootWidth;
  layout.primaryHeight = layout.rootHeight;

  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
      (major == 1 && minor < 5)) {
    return layout;
  }
  int count = 0;
  XRRMonitorInfo* monitors = XRRGetMonitors(display, RootWindow(display, screen), True, &count);
  if (monitors == nullptr) {
    return layout;
  }
  const XRRMonitorInfo* chosen = nullptr;
  for (int i = 0; i < count; ++i) {
    if (monitors[i].width <= 0 || monitors[i].height <= 0) {
      continue;
    }
    if (chosen == nullptr || (monitors[i].primary && !chosen->primary)) {
      chosen = &monitors[i];
    }
  }
  if (chosen != nullptr) {
    layout.primaryX = chosen->x;
    layout.primaryY = chosen->y;
    layout.primaryWidth = chosen->width;
    layout.primaryHeight = chosen->height;
  }
  XRRFreeMonitors(monitors);
  return layout;
}

}  // namespace posix::x11

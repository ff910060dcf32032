#include "platform/posix/x11/window_identity.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <errno.h>

#include <cstring>
#include <string>

namespace posix::x11 {
namespace {

// The window's title from _NET_WM_NAME, else from WM_NAME; empty when it has neither or is gone.
std::string WindowTitle(Display* display, Window window) {
  const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8String = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, netWmName, 0, 256, False, utf8String, &type, &format, &count,
                         &remaining, &data) == Success &&
      data != nullptr && type == utf8String && format == 8) {
    title.assign(reinterpret_cast<const char*>(data), count);
  }
  if (data != nullptr) {
    XFree(data);
  }
  if (!title.empty()) {
    return title;
  }
  char* name = nullptr;
  if (XFetchName(display, window, &name) != 0 && name != nullptr) {
    title = name;
    XFree(name);
  }
  return title;
}

bool HasSaverClass(Display* display, Window window) {
  XClassHint hint{nullptr, nullptr};
  if (XGetClassHint(display, window, &hint) == 0) {
    return false;
  }
  const bool matches = hint.res_class != nullptr && std::strcmp(hint.res_class, kSaverWindowClass) == 0;
  XFree(hint.res_name);
  XFree(hint.res_class);
  return matches;
}

}  // namespace

void SetWindowTitle(Display* display, Window window, const char* title) {
  XStoreName(display, window, title);
  const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8String = XInternAtom(display, "UTF8_STRING", False);
  XChangeProperty(display, window, netWmName, utf8String, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title), static_cast<int>(std::strlen(title)));
}

void SetSaverWindowClass(Display* display, Window window) {
  std::string instance = program_invocation_short_name;
  std::string windowClass = kSaverWindowClass;
  XClassHint hint{instance.data(), windowClass.data()};
  XSetClassHint(display, window, &hint);
}

Window FindFullScreenSaverWindow(Display* display, Window root) {
  Window rootReturn = None;
  Window parentReturn = None;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display, root, &rootReturn, &parentReturn, &children, &count) == 0) {
    return None;
  }
  Window found = None;
  for (unsigned int i = 0; i < count && found == None; ++i) {
    // A window destroyed meanwhile fails these reads with an error that the handler ignores.
    if (HasSaverClass(display, children[i]) && WindowTitle(display, children[i]) == kFullScreenTitle) {
      found = children[i];
    }
  }
  if (children != nullptr) {
    XFree(children);
  }
  return found;
}

}  // namespace posix::x11

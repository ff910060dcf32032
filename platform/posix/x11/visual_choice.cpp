#include "platform/posix/x11/visual_choice.h"

#include <X11/Xutil.h>

#include <initializer_list>

namespace posix::x11 {

VisualChoice ChooseVisual(Display* display, int screen) {
  VisualChoice choice;
  Visual* defaultVisual = DefaultVisual(display, screen);
  if (defaultVisual->c_class == TrueColor) {
    choice.visual = defaultVisual;
    choice.depth = DefaultDepth(display, screen);
    choice.colormap = DefaultColormap(display, screen);
    return choice;
  }
  for (const int depth : {24, 32, 30, 16, 15, 8}) {
    XVisualInfo info;
    if (XMatchVisualInfo(display, screen, depth, TrueColor, &info)) {
      choice.visual = info.visual;
      choice.depth = info.depth;
      choice.colormap = XCreateColormap(display, RootWindow(display, screen), info.visual, AllocNone);
      choice.ownColormap = true;
      return choice;
    }
  }
  return choice;
}

void ReleaseVisual(Display* display, const VisualChoice& choice) {
  if (choice.ownColormap) {
    XFreeColormap(display, choice.colormap);
  }
}

}  // namespace posix::x11

// Which visual the saver's windows use. Pictures are 24-bit colour, so only a TrueColor visual shows them
// without a colour map to manage: the screen's default visual when it is one, else the deepest TrueColor visual
// the screen offers.
#pragma once

#include "platform/posix/x11/xlib.h"

namespace posix::x11 {

struct VisualChoice {
  Visual* visual = nullptr;  // null when the screen has no TrueColor visual
  int depth = 0;
  Colormap colormap = None;  // the default colour map, or one made for a visual that is not the default
  bool ownColormap = false;  // whether `colormap` was made here and must be freed
};

VisualChoice ChooseVisual(Display* display, int screen);

// Frees what ChooseVisual made.
void ReleaseVisual(Display* display, const VisualChoice& choice);

}  // namespace posix::x11

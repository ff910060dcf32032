// A stand-in for the window that hosts a preview (the screen-saver settings' little monitor, or XScreenSaver's
// window): a plain top-level window of the given size. It prints its window id in decimal, then follows commands
// on standard input, one a line, answering each with a line: "destroy" destroys the window (and with it any
// preview inside), "focus" gives the window the input focus. It ends at the end of its input.
//
// Usage: x11_preview_parent WIDTHxHEIGHT
#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
  int width = 0;
  int height = 0;
  char extra = 0;
  if (argc != 2 || std::sscanf(argv[1], "%dx%d%c", &width, &height, &extra) != 2 || width <= 0 || height <= 0 ||
      width > 32767 || height > 32767) {
    std::fprintf(stderr, "usage: %s WIDTHxHEIGHT\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "%s: cannot open the X display\n", argv[0]);
    return 1;
  }
  const int screen = DefaultScreen(display);
  const Window window =
      XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
                          static_cast<unsigned>(height), 0, BlackPixel(display, screen), WhitePixel(display, screen));
  XStoreName(display, window, "preview parent");
  XMapWindow(display, window);
  XSync(display, False);
  std::cout << window << std::endl;

  std::string command;
  while (std::getline(std::cin, command)) {
    if (command == "destroy") {
      XDestroyWindow(display, window);
    } else if (command == "focus") {
      XSetInputFocus(display, window, RevertToParent, CurrentTime);
    } else {
      std::cout << "unknown command" << std::endl;
      continue;
    }
    XSync(display, False);
    std::cout << "done" << std::endl;
  }
  XCloseDisplay(display);
  return 0;
}

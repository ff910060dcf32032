#include "platform/posix/x11/x11_backend.h"

#include "platform/posix/x11/xlib.h"
#include <X11/extensions/XShm.h>
#include <errno.h>
#include <poll.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/posix/x11/event_translation.h"
#include "platform/posix/x11/input_grab.h"
#include "platform/posix/x11/screen_layout.h"
#include "platform/posix/x11/tick_clock.h"
#include "platform/posix/x11/visual_choice.h"
#include "platform/posix/x11/window_identity.h"
#include "platform/posix/x11/window_image.h"
#include "platform/posix/x11/x11_errors.h"

namespace posix {
namespace {

using x11::WindowRole;

// Window positions travel as 16-bit signed numbers and sizes as 16-bit unsigned ones; X servers accept sizes up to
// 32767.
constexpr std::int64_t kMaxWindowSize = 32767;
constexpr std::int64_t kMinPosition = -32768;
constexpr std::int64_t kMaxPosition = 32767;

// Resource ids have their top three bits clear. A larger number is no window; handing it to Xlib would cut it to
// 32 bits and might name some other window.
constexpr NativeWindow kLargestResourceId = 0x1FFFFFFF;

constexpr long kFullScreenEvents =
    KeyPressMask | ButtonPressMask | PointerMotionMask | FocusChangeMask | ExposureMask | StructureNotifyMask;
constexpr long kPreviewEvents = ExposureMask | StructureNotifyMask;

bool g_backendOpen = false;

struct SaverWindow {
  Window window = None;
  WindowRole role = WindowRole::FullScreen;
  Window parent = None;  // a preview's parent, whose children's destruction it watches
  GC gc = nullptr;
  std::unique_ptr<x11::WindowImage> image;
  bool gone = false;  // destroyed by someone else; the picture stays readable until DestroyWindow
};

class X11Backend final : public DisplayBackend {
 public:
  X11Backend(Display* display, const x11::VisualChoice& visual);
  ~X11Backend() override;
  X11Backend(const X11Backend&) = delete;
  X11Backend& operator=(const X11Backend&) = delete;

  int PrimaryScreenWidth() override { return layout_.primaryWidth; }
  int PrimaryScreenHeight() override { return layout_.primaryHeight; }
  RECT VirtualScreen() override { return layout_.VirtualScreen(); }
  DWORD TickCount() override { return x11::MonotonicTickCount(); }
  bool RaiseExistingSaverWindow() override;
  NativeWindow CreateFullScreenWindow(const RECT& area) override;
  NativeWindow CreatePreviewWindow(NativeWindow parent) override;
  void DestroyWindow(NativeWindow window) override;
  bool WindowRect(NativeWindow window, RECT& rect) override;
  WindowPicture Picture(NativeWindow window) override;
  void Present(NativeWindow window, const RECT& area, const PresentInfo& info) override;
  bool PointerPosition(NativeWindow window, POINT& position) override;
  InputEvent WaitForEvent(bool hasDeadline, DWORD deadline) override;

 private:
  bool Lost() const { return x11::ConnectionLost() || pollFailed_; }
  SaverWindow* Find(NativeWindow window);
  // Records a window just made, with a picture of its size; on failure destroys the window and returns 0.
  NativeWindow Adopt(Window window, WindowRole role, Window parent, Visual* visual, int depth, int width,
                     int height);
  void Release(SaverWindow& record);
  // Shows `area` of the window's picture, clipped to the picture.
  void Show(SaverWindow& record, const RECT& area);
  std::optional<InputEvent> Translate(const XEvent& event);
  // What a lost connection reports: the server took every window with it, so first each window still open is
  // reported destroyed (which ends the saver the ordinary way), then ConnectionLost, for ever.
  InputEvent LossEvent();

  Display* display_;
  int screen_;
  Window root_;
  x11::VisualChoice visual_;
  x11::ScreenLayout layout_;
  bool sharedMemory_;
  Cursor invisibleCursor_;
  bool pollFailed_ = false;
  std::vector<std::unique_ptr<SaverWindow>> windows_;
};

X11Backend::X11Backend(Display* display, const x11::VisualChoice& visual)
    : display_(display),
      screen_(DefaultScreen(display)),
      root_(RootWindow(display, screen_)),
      visual_(visual),
      layout_(x11::ReadScreenLayout(display, screen_)),
      sharedMemory_(XShmQueryExtension(display) != False),
      invisibleCursor_(x11::CreateInvisibleCursor(display, root_)) {
  g_backendOpen = true;
}

X11Backend::~X11Backend() {
  for (const std::unique_ptr<SaverWindow>& record : windows_) {
    Release(*record);
  }
  windows_.clear();
  // After an I/O error Xlib turns these requests into no-ops and only frees its client-side memory.
  XFreeCursor(display_, invisibleCursor_);
  x11::ReleaseVisual(display_, visual_);
  // Closing reads the replies still due, which may carry errors for windows already gone: ours must see them.
  XCloseDisplay(display_);
  x11::RemoveErrorHandlers();
  g_backendOpen = false;
}

SaverWindow* X11Backend::Find(NativeWindow window) {
  if (window == 0) {
    return nullptr;
  }
  for (const std::unique_ptr<SaverWindow>& record : windows_) {
    if (record->window == window) {
      return record.get();
    }
  }
  return nullptr;
}

void X11Backend::Release(SaverWindow& record) {
  if (!Lost()) {
    if (record.role == WindowRole::Preview) {
      XSelectInput(display_, record.parent, NoEventMask);  // a parent already gone only causes an ignored error
    }
    if (!record.gone) {
      XDestroyWindow(display_, record.window);
    }
  }
  record.image.reset();
  if (record.gc != nullptr) {
    XFreeGC(display_, record.gc);
    record.gc = nullptr;
  }
  if (!Lost()) {
    XFlush(display_);
  }
}

NativeWindow X11Backend::Adopt(Window window, WindowRole role, Window parent, Visual* visual, int depth,
                               int width, int height) {
  auto record = std::make_unique<SaverWindow>();
  record->window = window;
  record->role = role;
  record->parent = parent;
  record->gc = XCreateGC(display_, window, 0, nullptr);
  record->image = x11::WindowImage::Create(display_, visual, depth, width, height, sharedMemory_);
  if (record->image == nullptr || record->gc == nullptr) {
    Release(*record);
    return 0;
  }
  windows_.push_back(std::move(record));
  return window;
}

bool X11Backend::RaiseExistingSaverWindow() {
  if (Lost()) {
    return false;
  }
  const Window existing = x11::FindFullScreenSaverWindow(display_, root_);
  if (existing == None) {
    return false;
  }
  XRaiseWindow(display_, existing);
  XFlush(display_);
  return true;
}

NativeWindow X11Backend::CreateFullScreenWindow(const RECT& area) {
  const std::int64_t width = std::int64_t{area.right} - area.left;
  const std::int64_t height = std::int64_t{area.bottom} - area.top;
  // The area is in coordinates in which the primary monitor starts at (0, 0); X's start at the root's corner.
  const std::int64_t x = std::int64_t{area.left} + layout_.primaryX;
  const std::int64_t y = std::int64_t{area.top} + layout_.primaryY;
  if (Lost() || width <= 0 || height <= 0 || width > kMaxWindowSize || height > kMaxWindowSize ||
      x < kMinPosition || x > kMaxPosition || y < kMinPosition || y > kMaxPosition) {
    return 0;
  }

  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = 0;
  attributes.border_pixel = 0;
  attributes.colormap = visual_.colormap;
  attributes.cursor = invisibleCursor_;
  attributes.event_mask = kFullScreenEvents;
  const unsigned long valueMask =
      CWOverrideRedirect | CWBackPixel | CWBorderPixel | CWColormap | CWCursor | CWEventMask;
  Window window = None;
  {
    x11::ErrorTrap trap(display_);
    window = XCreateWindow(display_, root_, static_cast<int>(x), static_cast<int>(y),
                           static_cast<unsigned>(width), static_cast<unsigned>(height), 0, visual_.depth,
                           InputOutput, visual_.visual, valueMask, &attributes);
    if (trap.Failed()) {
      return 0;
    }
  }
  x11::SetSaverWindowClass(display_, window);
  x11::SetWindowTitle(display_, window, x11::kFullScreenTitle);
  const NativeWindow made = Adopt(window, WindowRole::FullScreen, None, visual_.visual, visual_.depth,
                                  static_cast<int>(width), static_cast<int>(height));
  if (made == 0) {
    return 0;
  }
  XMapRaised(display_, window);
  // No window manager stands between an override-redirect window and its mapping: after the round trip it is
  // viewable, which the focus and the grabs require.
  XSync(display_, False);
  XSetInputFocus(display_, window, RevertToParent, CurrentTime);
  x11::GrabInput(display_, window, invisibleCursor_);
  XFlush(display_);
  return made;
}

NativeWindow X11Backend::CreatePreviewWindow(NativeWindow parent) {
  if (Lost() || parent == 0 || parent > kLargestResourceId) {
    return 0;
  }
  const Window parentWindow = static_cast<Window>(parent);
  // A number that names no window fails with BadWindow, which the error handler swallows.
  XWindowAttributes parentAttributes{};
  if (XGetWindowAttributes(display_, parentWindow, &parentAttributes) == 0 || parentAttributes.width <= 0 ||
      parentAttributes.height <= 0) {
    return 0;
  }

  // The parent's own visual when it is TrueColor (as XScreenSaver's windows are); else ours, with its colour map.
  Visual* visual = visual_.visual;
  int depth = visual_.depth;
  XSetWindowAttributes attributes{};
  attributes.background_pixel = 0;
  attributes.border_pixel = 0;
  attributes.event_mask = kPreviewEvents;
  unsigned long valueMask = CWBackPixel | CWBorderPixel | CWEventMask;
  if (parentAttributes.visual != nullptr && parentAttributes.visual->c_class == TrueColor) {
    visual = parentAttributes.visual;
    depth = parentAttributes.depth;
  } else if (parentAttributes.root == root_) {
    attributes.colormap = visual_.colormap;
    valueMask |= CWColormap;
  } else {
    return 0;
  }

  Window window = None;
  {
    x11::ErrorTrap trap(display_);
    window = XCreateWindow(display_, parentWindow, 0, 0, static_cast<unsigned>(parentAttributes.width),
                           static_cast<unsigned>(parentAttributes.height), 0, depth, InputOutput, visual,
                           valueMask, &attributes);
    // The destruction of our window is then also reported through the parent.
    XSelectInput(display_, parentWindow, SubstructureNotifyMask);
    if (trap.Failed()) {
      if (window != None) {
        XDestroyWindow(display_, window);
        XFlush(display_);
      }
      return 0;
    }
  }
  x11::SetSaverWindowClass(display_, window);
  x11::SetWindowTitle(display_, window, x11::kPreviewTitle);
  const NativeWindow made = Adopt(window, WindowRole::Preview, parentWindow, visual, depth,
                                  parentAttributes.width, parentAttributes.height);
  if (made == 0) {
    return 0;
  }
  XMapWindow(display_, window);
  XFlush(display_);
  return made;
}

void X11Backend::DestroyWindow(NativeWindow window) {
  const auto found = std::find_if(windows_.begin(), windows_.end(),
                                  [window](const std::unique_ptr<SaverWindow>& record) {
                                    return window != 0 && record->window == window;
                                  });
  if (found == windows_.end()) {
    return;
  }
  Release(**found);
  windows_.erase(found);
}

bool X11Backend::WindowRect(NativeWindow window, RECT& rect) {
  const SaverWindow* record = Find(window);
  if (record == nullptr || record->gone || Lost()) {
    return false;
  }
  XWindowAttributes attributes{};
  Window child = None;
  int rootX = 0;
  int rootY = 0;
  if (XGetWindowAttributes(display_, record->window, &attributes) == 0 ||
      XTranslateCoordinates(display_, record->window, root_, 0, 0, &rootX, &rootY, &child) == 0) {
    return false;
  }
  const int border = attributes.border_width;
  const LONG left = rootX - border - layout_.primaryX;
  const LONG top = rootY - border - layout_.primaryY;
  rect = RECT{left, top, left + attributes.width + 2 * border, top + attributes.height + 2 * border};
  return true;
}

WindowPicture X11Backend::Picture(NativeWindow window) {
  const SaverWindow* record = Find(window);
  return record != nullptr ? record->image->Picture() : WindowPicture{};
}

void X11Backend::Present(NativeWindow window, const RECT& area, const PresentInfo& /*info*/) {
  SaverWindow* record = Find(window);
  if (record != nullptr) {
    Show(*record, area);
  }
}

void X11Backend::Show(SaverWindow& record, const RECT& area) {
  if (record.gone || Lost()) {
    return;
  }
  const WindowPicture picture = record.image->Picture();
  const RECT clipped{std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0),
                     std::min<LONG>(area.right, picture.width), std::min<LONG>(area.bottom, picture.height)};
  if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) {
    return;
  }
  record.image->Put(record.window, record.gc, clipped);
}

bool X11Backend::PointerPosition(NativeWindow window, POINT& position) {
  const SaverWindow* record = Find(window);
  if (record == nullptr || record->gone || Lost()) {
    return false;
  }
  Window rootReturn = None;
  Window childReturn = None;
  int rootX = 0;
  int rootY = 0;
  int windowX = 0;
  int windowY = 0;
  unsigned int buttons = 0;
  // False when the pointer is on another screen of the display.
  if (XQueryPointer(display_, record->window, &rootReturn, &childReturn, &rootX, &rootY, &windowX, &windowY,
                    &buttons) == False) {
    return false;
  }
  position = POINT{windowX, windowY};
  return true;
}

std::optional<InputEvent> X11Backend::Translate(const XEvent& event) {
  SaverWindow* record = Find(x11::SubjectWindow(event));
  // Events for windows already destroyed here, for other children of a preview's parent, and the second report
  // of a destruction (through the window and through its parent) are dropped.
  if (record == nullptr || record->gone) {
    return std::nullopt;
  }
  std::optional<InputEvent> input = x11::TranslateEvent(event, record->role, TickCount());
  if (!input) {
    return std::nullopt;
  }
  if (input->kind == InputEventKind::WindowDestroyed) {
    record->gone = true;
  } else if (input->kind == InputEventKind::Expose) {
    // The server keeps no copy of what a window showed; the kept picture repairs the uncovered area at once.
    Show(*record, input->area);
  }
  return input;
}

InputEvent X11Backend::LossEvent() {
  InputEvent lost;
  lost.time = TickCount();
  for (const std::unique_ptr<SaverWindow>& record : windows_) {
    if (!record->gone) {
      record->gone = true;
      lost.kind = InputEventKind::WindowDestroyed;
      lost.window = record->window;
      return lost;
    }
  }
  lost.kind = InputEventKind::ConnectionLost;
  return lost;
}

InputEvent X11Backend::WaitForEvent(bool hasDeadline, DWORD deadline) {
  for (;;) {
    // XPending flushes the requests and reads what the server sent; a closed connection surfaces here as an
    // I/O error.
    while (!Lost() && XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (std::optional<InputEvent> input = Translate(event)) {
        return *input;
      }
    }
    if (Lost()) {
      return LossEvent();
    }
    int timeoutMilliseconds = -1;
    if (hasDeadline) {
      const DWORD now = TickCount();
      const auto remaining = static_cast<std::int32_t>(deadline - now);
      if (remaining <= 0) {
        InputEvent timeout;
        timeout.time = now;
        return timeout;
      }
      timeoutMilliseconds = remaining;
    }
    pollfd connection{ConnectionNumber(display_), POLLIN, 0};
    if (poll(&connection, 1, timeoutMilliseconds) < 0 && errno != EINTR) {
      pollFailed_ = true;  // the descriptor itself is unusable: as good as a lost connection
    }
  }
}

}  // namespace

std::unique_ptr<DisplayBackend> OpenX11Backend(std::string& error) {
  if (g_backendOpen) {
    error = "an X11 display is already open in this process";
    return nullptr;
  }
  const char* name = XDisplayName(nullptr);
  if (name == nullptr || *name == '\0') {
    error = "cannot open the X display: DISPLAY is not set";
    return nullptr;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    error = std::string("cannot open the X display \"") + name + "\"";
    return nullptr;
  }
  x11::InstallErrorHandlers(display);
  const x11::VisualChoice visual = x11::ChooseVisual(display, DefaultScreen(display));
  if (visual.visual == nullptr) {
    x11::RemoveErrorHandlers();
    XCloseDisplay(display);
    error = std::string("the X display \"") + name + "\" has no TrueColor visual";
    return nullptr;
  }
  return std::make_unique<X11Backend>(display, visual);
}

}  // namespace posix

// The display back end: the one narrow contract between the POSIX implementation of the Windows subset
// (windows, device contexts, messages, timers) and whatever actually shows the pictures and produces input.
// Two implementations exist: headless/ (memory pictures, a virtual clock, injected input) and x11/ (real windows
// on an X server). A program picks one at start and hands it to the saver library; shared code never chooses
// between them with #ifdef.
//
// Everything here runs on the one thread of the message loop; no call is made concurrently with another.
//
// Native windows are named by NativeWindow ids: the back end's own numbers (an X window id on X11). 0 never
// names a window. A window's picture is owned by the back end and written by the GDI code (BitBlt, StretchBlt);
// after writing, the GDI code calls Present with the area it changed. Because the picture is kept, the back end
// repairs an uncovered area from it by itself; it still reports Expose so that the program gets its WM_PAINT.
#pragma once

#include <cstdint>

#include "platform/win32.h"

namespace posix {

using NativeWindow = std::uintptr_t;

// A window's picture: 32-bit pixels 0x00RRGGBB (the top byte is ignored and written as 0), rows top-down,
// `stride` pixels from the start of one row to the start of the next (stride >= width). width and height are
// the window's client size; both are 0 and pixels is null for a window the back end does not know.
struct WindowPicture {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

// Which GDI call produced a presentation, and with which sizes (the arguments as the program passed them,
// before clipping). A back end may use it to choose how to show the picture; the headless one records it.
enum class PresentCall { BitBlt, StretchBlt };

struct PresentInfo {
  PresentCall call = PresentCall::BitBlt;
  int destWidth = 0;
  int destHeight = 0;
  int sourceWidth = 0;
  int sourceHeight = 0;
};

enum class MouseButton { Left, Middle, Right, Other };

enum class InputEventKind {
  Timeout,          // the deadline passed with no event
  KeyPress,         // any key went down
  ButtonPress,      // a pointer button went down: `button`
  PointerMotion,    // the pointer moved to (x, y), in the window's client coordinates
  FocusLost,        // the window lost the input focus (the saver is no longer the active application)
  Expose,           // part of the window was uncovered: `area`, in client coordinates (see below)
  WindowDestroyed,  // the window is gone, destroyed by someone else or with its parent
  ConnectionLost,   // the display is gone; no further event will ever come
};

struct InputEvent {
  InputEventKind kind = InputEventKind::Timeout;
  NativeWindow window = 0;  // the window the event is for; 0 for Timeout and ConnectionLost
  MouseButton button = MouseButton::Other;
  int x = 0;
  int y = 0;
  RECT area{0, 0, 0, 0};
  DWORD time = 0;  // the tick count when the event happened
};

class DisplayBackend {
 public:
  virtual ~DisplayBackend() = default;

  // The primary screen's size in pixels (SM_CXSCREEN, SM_CYSCREEN). Never negative.
  virtual int PrimaryScreenWidth() = 0;
  virtual int PrimaryScreenHeight() = 0;

  // The virtual screen: the rectangle that covers every monitor (on X11 the root window's extent), in the
  // coordinates in which the primary screen starts at (0, 0). All zero when it is not known.
  virtual RECT VirtualScreen() = 0;

  // Milliseconds since some fixed start, as a 32-bit count that wraps after 2^32 ms. Never goes backwards
  // (modulo the wrap). This is what GetTickCount returns and what timers and events are stamped with.
  virtual DWORD TickCount() = 0;

  // Single-instance rule: if a full-screen saver window (class "WindowsScreenSaverClass", title "Screen Saver")
  // already exists, of this process or another, brings it to the front and returns true; otherwise false.
  virtual bool RaiseExistingSaverWindow() = 0;

  // Makes the full-screen saver window covering `area` (the virtual screen), topmost, titled "Screen Saver",
  // class "WindowsScreenSaverClass", with the pointer hidden over it, shows it and gives it the input focus.
  // Its picture starts black. Returns 0 when no window can be made (an empty area included).
  virtual NativeWindow CreateFullScreenWindow(const RECT& area) = 0;

  // Makes the visible preview window titled "Preview" as a child of `parent`, filling the parent's client area
  // (the size it has now; later changes of the parent are not followed). Its picture starts black. Returns 0 when
  // `parent` is 0, does not name an existing window, or has an empty client area.
  virtual NativeWindow CreatePreviewWindow(NativeWindow parent) = 0;

  // Destroys a window made by one of the two calls above. A window that is already gone, or 0, is ignored.
  virtual void DestroyWindow(NativeWindow window) = 0;

  // The window's outer rectangle in screen coordinates (GetWindowRect). False, leaving `rect` alone, for a
  // window that does not exist.
  virtual bool WindowRect(NativeWindow window, RECT& rect) = 0;

  // The window's picture (see WindowPicture); valid until the window is destroyed.
  virtual WindowPicture Picture(NativeWindow window) = 0;

  // The GDI code changed `area` (client coordinates, already clipped to the picture, never empty) of the
  // window's picture with the call described by `info`: show it.
  virtual void Present(NativeWindow window, const RECT& area, const PresentInfo& info) = 0;

  // Where the pointer is, in the window's client coordinates. False when it is not known (then the close rules
  // take the first movement as the starting position).
  virtual bool PointerPosition(NativeWindow window, POINT& position) = 0;

  // Waits for the next event for any window this back end made. With `hasDeadline`, returns an event of kind
  // Timeout once the tick count has reached `deadline`, that is when the 32-bit difference TickCount() -
  // deadline, read as signed, is 0 or more; a deadline already reached returns at once unless an event is
  // already pending (pending events come first). Without a deadline it waits until an event comes. After
  // ConnectionLost every further call returns ConnectionLost at once.
  virtual InputEvent WaitForEvent(bool hasDeadline, DWORD deadline) = 0;
};

}  // namespace posix

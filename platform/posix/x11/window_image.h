// A window's picture and the X image that carries it to the server.
//
// Where the visual stores pixels exactly as the picture does (the usual 24-bit TrueColor visual), the picture is
// the image's own memory and nothing is copied on the client side. Otherwise the picture is a buffer of its own
// and each presentation converts the changed area into the image first.
//
// The image lives in shared memory (MIT-SHM) when the server can attach it, which it cannot when it runs on
// another machine; then it is an ordinary client-side image sent with XPutImage.
#pragma once

#include "platform/posix/x11/xlib.h"
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/posix/display_backend.h"
#include "platform/posix/x11/pixel_format.h"

namespace posix::x11 {

class WindowImage {
 public:
  // Makes a black picture of `width` x `height` for windows of `visual` and `depth`. Null when the visual's
  // layout cannot be written or the memory cannot be had.
  static std::unique_ptr<WindowImage> Create(Display* display, Visual* visual, int depth, int width, int height,
                                             bool trySharedMemory);
  ~WindowImage();
  WindowImage(const WindowImage&) = delete;
  WindowImage& operator=(const WindowImage&) = delete;

  WindowPicture Picture() const { return picture_; }
  bool UsesSharedMemory() const { return sharedMemory_; }
  bool ConvertsPicture() const { return !ownPicture_.empty(); }

  // Shows `area` (inside the picture) of the picture at the same place in `window`. When this returns, the
  // server has read the pixels, so the picture may be written again at once without tearing the shown frame.
  void Put(Window window, GC gc, const RECT& area);

 private:
  explicit WindowImage(Display* display) : display_(display) {}
  bool AttachSharedMemory(Visual* visual, int depth, int width, int height);
  bool AllocateClientImage(Visual* visual, int depth, int width, int height);
  bool SetUpPicture(const Visual* visual, int depth);

  Display* display_;
  XImage* image_ = nullptr;
  XShmSegmentInfo segment_{};
  bool sharedMemory_ = false;
  std::vector<std::uint8_t> clientBytes_;  // the image's memory when it is not shared
  std::vector<std::uint32_t> ownPicture_;  // the picture when the image's layout differs from it
  PixelConverter converter_{PixelFormat{}};
  WindowPicture picture_;
};

// The layout of `image`, made for a visual with these channel masks at `depth`.
PixelFormat FormatOf(const XImage& image, const Visual& visual, int depth);

}  // namespace posix::x11

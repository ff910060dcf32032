#include "platform/posix/x11/window_image.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstddef>

#include "platform/posix/x11/x11_errors.h"

namespace posix::x11 {

PixelFormat FormatOf(const XImage& image, const Visual& visual, int depth) {
  PixelFormat format;
  format.redMask = static_cast<std::uint32_t>(visual.red_mask);
  format.greenMask = static_cast<std::uint32_t>(visual.green_mask);
  format.blueMask = static_cast<std::uint32_t>(visual.blue_mask);
  const std::uint32_t depthBits = depth >= 32 ? 0xFFFFFFFFu : (std::uint32_t{1} << depth) - 1;
  format.fillMask = depthBits & ~(format.redMask | format.greenMask | format.blueMask);
  format.bitsPerPixel = image.bits_per_pixel;
  format.mostSignificantByteFirst = image.byte_order == MSBFirst;
  return format;
}

std::unique_ptr<WindowImage> WindowImage::Create(Display* display, Visual* visual, int depth, int width,
                                                 int height, bool trySharedMemory) {
  if (display == nullptr || visual == nullptr || width <= 0 || height <= 0) {
    return nullptr;
  }
  std::unique_ptr<WindowImage> image(new WindowImage(display));
  const bool made = (trySharedMemory && image->AttachSharedMemory(visual, depth, width, height)) ||
                    image->AllocateClientImage(visual, depth, width, height);
  if (!made || !image->SetUpPicture(visual, depth)) {
    return nullptr;
  }
  return image;
}

bool WindowImage::AttachSharedMemory(Visual* visual, int depth, int width, int height) {
  XImage* image = XShmCreateImage(display_, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &segment_,
                                  static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (image == nullptr) {
    return false;
  }
  const std::size_t bytes = static_cast<std::size_t>(image->bytes_per_line) * static_cast<std::size_t>(height);
  segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (segment_.shmid < 0) {
    XDestroyImage(image);
    return false;
  }
  void* memory = shmat(segment_.shmid, nullptr, 0);
  if (memory == reinterpret_cast<void*>(-1)) {
    shmctl(segment_.shmid, IPC_RMID, nullptr);
    XDestroyImage(image);
    return false;
  }
  segment_.shmaddr = static_cast<char*>(memory);
  segment_.readOnly = False;
  image->data = segment_.shmaddr;

  // A server on another machine refuses the attach with an error, which only a round trip reveals.
  bool attached = false;
  {
    ErrorTrap trap(display_);
    attached = XShmAttach(display_, &segment_) != 0 && !trap.Failed();
  }
  // Marked for removal now: the segment then disappears with its last user, even if this process is killed.
  shmctl(segment_.shmid, IPC_RMID, nullptr);
  if (!attached) {
    shmdt(segment_.shmaddr);
    image->data = nullptr;
    XDestroyImage(image);
    segment_ = XShmSegmentInfo{};
    return false;
  }
  image_ = image;
  sharedMemory_ = true;
  return true;
}

bool WindowImage::AllocateClientImage(Visual* visual, int depth, int width, int height) {
  XImage* image = XCreateImage(display_, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                               static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
  if (image == nullptr) {
    return false;
  }
  clientBytes_.assign(static_cast<std::size_t>(image->bytes_per_line) * static_cast<std::size_t>(height), 0);
  image->data = reinterpret_cast<char*>(clientBytes_.data());
  image_ = image;
  return true;
}

bool WindowImage::SetUpPicture(const Visual* visual, int depth) {
  const PixelFormat format = FormatOf(*image_, *visual, depth);
  converter_ = PixelConverter(format);
  picture_.width = image_->width;
  picture_.height = image_->height;
  if (IsPictureLayout(format) && image_->bytes_per_line % 4 == 0) {
    picture_.pixels = reinterpret_cast<std::uint32_t*>(image_->data);
    picture_.stride = image_->bytes_per_line / 4;
    return true;
  }
  if (!converter_.Supported()) {
    return false;
  }
  ownPicture_.assign(static_cast<std::size_t>(image_->width) * static_cast<std::size_t>(image_->height), 0);
  picture_.pixels = ownPicture_.data();
  picture_.stride = image_->width;
  // The image starts as all zero bytes, which is not black where the format fills bits (an opaque alpha).
  converter_.ConvertArea(picture_, RECT{0, 0, picture_.width, picture_.height},
                         reinterpret_cast<std::uint8_t*>(image_->data), static_cast<std::size_t>(image_->bytes_per_line));
  return true;
}

WindowImage::~WindowImage() {
  if (image_ == nullptr) {
    return;
  }
  if (sharedMemory_) {
    if (!ConnectionLost()) {
      XShmDetach(display_, &segment_);
    }
    shmdt(segment_.shmaddr);
  }
  // The pixels belong to the segment or to clientBytes_, not to Xlib.
  image_->data = nullptr;
  XDestroyImage(image_);
}

void WindowImage::Put(Window window, GC gc, const RECT& area) {
  if (ConnectionLost()) {
    return;
  }
  if (!ownPicture_.empty()) {
    converter_.ConvertArea(picture_, area, reinterpret_cast<std::uint8_t*>(image_->data),
                           static_cast<std::size_t>(image_->bytes_per_line));
  }
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (sharedMemory_) {
    XShmPutImage(display_, window, gc, image_, area.left, area.top, area.left, area.top,
                 static_cast<unsigned>(width), static_cast<unsigned>(height), False);
    // The server reads shared memory when it gets to the request; the round trip makes sure it has.
    XSync(display_, False);
  } else {
    XPutImage(display_, window, gc, image_, area.left, area.top, area.left, area.top,
              static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFlush(display_);
  }
}

}  // namespace posix::x11

#include "platform/posix/headless/headless_backend.h"

#include <algorithm>

#include "platform/posix/active_backend.h"
#include "platform/posix/timers.h"

namespace posix::headless {
namespace {

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// Whether a picture of this size may be made (see kMaxWindowPixels).
bool AcceptableSize(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxWindowPixels && height <= kMaxWindowPixels &&
         width * height <= kMaxWindowPixels;
}

}  // namespace

HeadlessBackend::HeadlessBackend(const HeadlessConfig& config)
    : config_(config), pointerKnown_(config.pointerKnown), pointer_(config.pointer) {
  config_.screenWidth = std::max(config_.screenWidth, 0);
  config_.screenHeight = std::max(config_.screenHeight, 0);
}

HeadlessBackend::~HeadlessBackend() {
  if (ActiveBackend() == this) {
    SetDisplayBackend(nullptr);
  }
}

// ---- The clock ----

std::uint64_t HeadlessBackend::AbsoluteTime(DWORD time) const {
  const DWORD ahead = time - Now();
  // A time up to half the clock's range behind is taken as already passed, so "now minus a little" is now.
  return ahead >= 0x80000000u ? elapsed_ : elapsed_ + ahead;
}

void HeadlessBackend::AdvanceBy(DWORD milliseconds) { elapsed_ += milliseconds; }

void HeadlessBackend::AdvanceTo(DWORD time) { elapsed_ += static_cast<DWORD>(time - Now()); }

void HeadlessBackend::TickTimersAt(DWORD time) {
  AdvanceTo(time);
  TickEveryTimer(time);
}

void HeadlessBackend::SetEndTime(DWORD time) {
  hasEnd_ = true;
  endAt_ = elapsed_ + static_cast<DWORD>(time - Now());
}

// ---- Injected happenings ----

void HeadlessBackend::Schedule(DWORD time, HappeningKind kind, const InputEvent& event) {
  Happening happening;
  happening.at = AbsoluteTime(time);
  happening.kind = kind;
  happening.event = event;
  // After every happening at the same time: equal times keep the order of injection.
  const auto place = std::upper_bound(happenings_.begin(), happenings_.end(), happening.at,
                                      [](std::uint64_t at, const Happening& h) { return at < h.at; });
  happenings_.insert(place, happening);
}

void HeadlessBackend::InjectKeyPress(DWORD time, NativeWindow window) {
  InputEvent event;
  event.kind = InputEventKind::KeyPress;
  event.window = window;
  Schedule(time, HappeningKind::Input, event);
}

void HeadlessBackend::InjectButtonPress(DWORD time, NativeWindow window, MouseButton button, int x, int y) {
  InputEvent event;
  event.kind = InputEventKind::ButtonPress;
  event.window = window;
  event.button = button;
  event.x = x;
  event.y = y;
  Schedule(time, HappeningKind::Input, event);
}

void HeadlessBackend::InjectPointerMotion(DWORD time, NativeWindow window, int x, int y) {
  InputEvent event;
  event.kind = InputEventKind::PointerMotion;
  event.window = window;
  event.x = x;
  event.y = y;
  Schedule(time, HappeningKind::Input, event);
}

void HeadlessBackend::InjectFocusLost(DWORD time, NativeWindow window) {
  InputEvent event;
  event.kind = InputEventKind::FocusLost;
  event.window = window;
  Schedule(time, HappeningKind::Input, event);
}

void HeadlessBackend::InjectExpose(DWORD time, NativeWindow window, const RECT& area) {
  InputEvent event;
  event.kind = InputEventKind::Expose;
  event.window = window;
  event.area = area;
  Schedule(time, HappeningKind::Input, event);
}

void HeadlessBackend::InjectDestroy(DWORD time, NativeWindow window) {
  InputEvent event;
  event.window = window;
  Schedule(time, HappeningKind::Destroy, event);
}

void HeadlessBackend::InjectConnectionLost(DWORD time) { Schedule(time, HappeningKind::ConnectionLost, InputEvent{}); }

void HeadlessBackend::Apply(const Happening& happening) {
  switch (happening.kind) {
    case HappeningKind::ConnectionLost:
      LoseConnection();
      break;
    case HappeningKind::Destroy:
      RemoveWithChildren(happening.event.window, true);
      break;
    case HappeningKind::Input: {
      const auto found = windows_.find(happening.event.window);
      if (found == windows_.end()) {
        break;  // input for a window that no longer exists is dropped, as a display server drops it
      }
      InputEvent event = happening.event;
      event.time = Now();
      if (event.kind == InputEventKind::PointerMotion || event.kind == InputEventKind::ButtonPress) {
        pointerKnown_ = true;
        pointer_ = POINT{static_cast<LONG>(found->second.info.rect.left + event.x),
                         static_cast<LONG>(found->second.info.rect.top + event.y)};
      }
      ready_.push_back(event);
      break;
    }
  }
}

void HeadlessBackend::LoseConnection() {
  connectionLost_ = true;
  windows_.clear();  // a display that is gone takes every window with it
  happenings_.clear();
}

// ---- Windows ----

NativeWindow HeadlessBackend::AddWindow(WindowInfo info) {
  const std::int64_t width = std::int64_t{info.rect.right} - info.rect.left;
  const std::int64_t height = std::int64_t{info.rect.bottom} - info.rect.top;
  if (!AcceptableSize(width, height)) {
    return 0;
  }
  info.id = nextWindowId_++;
  Window window;
  window.info = info;
  window.pixels.assign(static_cast<std::size_t>(width * height), 0);  // black
  windows_.emplace(info.id, std::move(window));
  return info.id;
}

NativeWindow HeadlessBackend::CreateForeignWindow(int width, int height, int x, int y) {
  WindowInfo info;
  info.kind = WindowKind::Foreign;
  info.rect = RECT{x, y, static_cast<LONG>(std::int64_t{x} + std::max(width, 0)),
                   static_cast<LONG>(std::int64_t{y} + std::max(height, 0))};
  if (!AcceptableSize(width, height) || std::int64_t{x} + width > INT32_MAX || std::int64_t{y} + height > INT32_MAX) {
    return 0;
  }
  return AddWindow(info);
}

void HeadlessBackend::SimulateExistingSaverWindow(bool exists) { existingSaver_ = exists; }

bool HeadlessBackend::RaiseExistingSaverWindow() {
  const bool ownSaver = std::any_of(windows_.begin(), windows_.end(),
                                    [](const auto& entry) { return entry.second.info.kind == WindowKind::FullScreen; });
  if (!existingSaver_ && !ownSaver) {
    return false;
  }
  ++raisedCount_;
  return true;
}

NativeWindow HeadlessBackend::CreateFullScreenWindow(const RECT& area) {
  if (IsEmpty(area)) {
    return 0;
  }
  WindowInfo info;
  info.kind = WindowKind::FullScreen;
  info.rect = area;
  info.title = "Screen Saver";
  info.pointerHidden = true;
  return AddWindow(info);
}

NativeWindow HeadlessBackend::CreatePreviewWindow(NativeWindow parent) {
  const auto found = windows_.find(parent);
  if (parent == 0 || found == windows_.end()) {
    return 0;
  }
  const RECT& parentRect = found->second.info.rect;
  WindowInfo info;
  info.kind = WindowKind::Preview;
  info.parent = parent;
  info.rect = parentRect;  // the parent has no frame: its client area is all of it
  info.title = "Preview";
  return AddWindow(info);
}

void HeadlessBackend::RemoveWithChildren(NativeWindow window, bool reportSaverWindows) {
  const auto found = windows_.find(window);
  if (found == windows_.end()) {
    return;
  }
  std::vector<NativeWindow> children;
  for (const auto& [id, child] : windows_) {
    if (child.info.parent == window) {
      children.push_back(id);
    }
  }
  for (NativeWindow child : children) {
    RemoveWithChildren(child, reportSaverWindows);
  }
  const bool saverWindow = found->second.info.kind != WindowKind::Foreign;
  windows_.erase(window);
  if (reportSaverWindows && saverWindow) {
    InputEvent event;
    event.kind = InputEventKind::WindowDestroyed;
    event.window = window;
    event.time = Now();
    ready_.push_back(event);
  }
}

void HeadlessBackend::DestroyWindow(NativeWindow window) { RemoveWithChildren(window, false); }

bool HeadlessBackend::WindowRect(NativeWindow window, RECT& rect) {
  const auto found = windows_.find(window);
  if (found == windows_.end()) {
    return false;
  }
  rect = found->second.info.rect;
  return true;
}

WindowPicture HeadlessBackend::Picture(NativeWindow window) {
  const auto found = windows_.find(window);
  if (found == windows_.end()) {
    return WindowPicture{};
  }
  const RECT& r = found->second.info.rect;
  const int width = static_cast<int>(std::int64_t{r.right} - r.left);
  return WindowPicture{found->second.pixels.data(), width, static_cast<int>(std::int64_t{r.bottom} - r.top), width};
}

void HeadlessBackend::Present(NativeWindow window, const RECT& area, const PresentInfo& info) {
  presentations_.push_back(PresentRecord{window, area, info, Now()});
}

bool HeadlessBackend::PointerPosition(NativeWindow window, POINT& position) {
  const auto found = windows_.find(window);
  if (!pointerKnown_ || found == windows_.end()) {
    return false;
  }
  position = POINT{static_cast<LONG>(std::int64_t{pointer_.x} - found->second.info.rect.left),
                   static_cast<LONG>(std::int64_t{pointer_.y} - found->second.info.rect.top)};
  return true;
}

RECT HeadlessBackend::VirtualScreen() {
  if (IsEmpty(config_.virtualScreen)) {
    return RECT{0, 0, config_.screenWidth, config_.screenHeight};
  }
  return config_.virtualScreen;
}

std::vector<WindowInfo> HeadlessBackend::Windows() const {
  std::vector<WindowInfo> infos;
  for (const auto& entry : windows_) {
    infos.push_back(entry.second.info);
  }
  return infos;
}

NativeWindow HeadlessBackend::SaverWindow() const {
  for (auto entry = windows_.rbegin(); entry != windows_.rend(); ++entry) {
    if (entry->second.info.kind != WindowKind::Foreign) {
      return entry->first;
    }
  }
  return 0;
}

std::uint32_t HeadlessBackend::PixelAt(NativeWindow window, int x, int y) const {
  const auto found = windows_.find(window);
  if (found == windows_.end()) {
    return 0;
  }
  const RECT& r = found->second.info.rect;
  const std::int64_t width = std::int64_t{r.right} - r.left;
  const std::int64_t height = std::int64_t{r.bottom} - r.top;
  if (x < 0 || y < 0 || x >= width || y >= height) {
    return 0;
  }
  return found->second.pixels[static_cast<std::size_t>(y * width + x)];
}

// ---- Waiting ----

InputEvent HeadlessBackend::WaitForEvent(bool hasDeadline, DWORD deadline) {
  const std::uint64_t deadlineAt = hasDeadline ? AbsoluteTime(deadline) : 0;
  for (;;) {
    if (!ready_.empty()) {
      const InputEvent event = ready_.front();
      ready_.pop_front();
      return event;
    }
    if (connectionLost_) {
      InputEvent lost;
      lost.kind = InputEventKind::ConnectionLost;
      lost.time = Now();
      return lost;
    }
    // The next happening, if it comes before both the deadline and the end.
    if (!happenings_.empty()) {
      const Happening next = happenings_.front();
      if ((!hasDeadline || next.at <= deadlineAt) && (!hasEnd_ || next.at <= endAt_)) {
        happenings_.erase(happenings_.begin());
        elapsed_ = std::max(elapsed_, next.at);
        Apply(next);
        continue;
      }
    }
    if (hasEnd_ && (!hasDeadline || endAt_ <= deadlineAt)) {
      elapsed_ = std::max(elapsed_, endAt_);
      LoseConnection();
      continue;
    }
    if (!hasEnd_ && happenings_.empty()) {
      LoseConnection();  // nothing could ever end the run
      continue;
    }
    // Here a deadline exists: without one, a remaining happening or the end would have been taken above.
    elapsed_ = std::max(elapsed_, deadlineAt);
    InputEvent timeout;
    timeout.kind = InputEventKind::Timeout;
    timeout.time = Now();
    return timeout;
  }
}

}  // namespace posix::headless

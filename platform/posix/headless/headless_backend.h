// The headless display back end: windows are pictures in memory, the tick count is a virtual clock that only
// moves when the caller or the message loop moves it, input is injected as happenings at virtual times, and
// every presentation is recorded. Tests and the offline renderer run the real savers on it; everything it does
// is deterministic.
//
// The message loop waits by moving the clock straight to the next happening or deadline, so a run takes no real
// time. A run ends, with the connection reported lost, at the end time when one is set (SetEndTime), or else as
// soon as no injected happening is left to wait for: without either, nothing could ever end the loop.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/posix/display_backend.h"

namespace posix::headless {

struct HeadlessConfig {
  int screenWidth = 1024;
  int screenHeight = 768;
  RECT virtualScreen{0, 0, 0, 0};  // all zero: the same as the primary screen
  DWORD startTime = 0;             // the tick count at the start
  bool pointerKnown = true;        // whether PointerPosition can answer
  POINT pointer{0, 0};             // where the pointer starts, in screen coordinates
};

// The largest window picture made: 2^26 pixels (256 MiB). Larger windows cannot be made (the create calls
// return 0).
constexpr std::int64_t kMaxWindowPixels = std::int64_t{1} << 26;

enum class WindowKind { FullScreen, Preview, Foreign };

struct WindowInfo {
  NativeWindow id = 0;
  WindowKind kind = WindowKind::Foreign;
  NativeWindow parent = 0;
  RECT rect{0, 0, 0, 0};  // in screen coordinates
  std::string title;      // "Screen Saver", "Preview", or empty for a foreign window
  bool pointerHidden = false;
};

struct PresentRecord {
  NativeWindow window = 0;
  RECT area{0, 0, 0, 0};
  PresentInfo info;
  DWORD time = 0;
};

class HeadlessBackend final : public DisplayBackend {
 public:
  explicit HeadlessBackend(const HeadlessConfig& config = HeadlessConfig{});
  ~HeadlessBackend() override;  // stops being the active back end if it is one
  HeadlessBackend(const HeadlessBackend&) = delete;
  HeadlessBackend& operator=(const HeadlessBackend&) = delete;

  // ---- The clock ----
  // Moves the clock forward by `milliseconds`, or to the next time it reads `time` (forward by time - now,
  // modulo 2^32). Neither delivers anything: happenings are delivered by WaitForEvent, timers by the message loop.
  void AdvanceBy(DWORD milliseconds);
  void AdvanceTo(DWORD time);
  // Moves the clock to `time` and ticks every timer with exactly that time stamp (for drivers that step frames).
  void TickTimersAt(DWORD time);
  // From the next time the clock reads `time` on, the connection is lost.
  void SetEndTime(DWORD time);

  // ---- Injected happenings, delivered at the virtual time given (at once if it has passed, in the order of
  // injection for equal times). Positions are in the window's client coordinates. ----
  void InjectKeyPress(DWORD time, NativeWindow window);
  void InjectButtonPress(DWORD time, NativeWindow window, MouseButton button, int x, int y);
  void InjectPointerMotion(DWORD time, NativeWindow window, int x, int y);
  void InjectFocusLost(DWORD time, NativeWindow window);
  void InjectExpose(DWORD time, NativeWindow window, const RECT& area);
  // Destroys `window` (any window, foreign ones included) and its children; each saver window among them is
  // reported as WindowDestroyed.
  void InjectDestroy(DWORD time, NativeWindow window);
  void InjectConnectionLost(DWORD time);

  // ---- Windows of other programs, and another saver ----
  // A foreign window, for instance the settings dialog's preview area that hosts a preview. 0 when the size is
  // empty or too large.
  NativeWindow CreateForeignWindow(int width, int height, int x = 0, int y = 0);
  // While set, a full-screen saver of another process is taken to exist (the single-instance rule finds it).
  void SimulateExistingSaverWindow(bool exists);
  // How many times RaiseExistingSaverWindow found a saver window to raise.
  int RaisedSaverWindowCount() const { return raisedCount_; }

  // ---- Looking at the results ----
  const std::vector<PresentRecord>& Presentations() const { return presentations_; }
  void ClearPresentations() { presentations_.clear(); }
  // The windows that exist, in the order they were made.
  std::vector<WindowInfo> Windows() const;
  bool WindowExists(NativeWindow window) const { return windows_.count(window) != 0; }
  // The most recent full-screen or preview window that still exists, or 0.
  NativeWindow SaverWindow() const;
  // One pixel of a window's picture, 0x00RRGGBB; 0 outside the picture or for a window that does not exist.
  std::uint32_t PixelAt(NativeWindow window, int x, int y) const;

  // ---- DisplayBackend ----
  int PrimaryScreenWidth() override { return config_.screenWidth; }
  int PrimaryScreenHeight() override { return config_.screenHeight; }
  RECT VirtualScreen() override;
  DWORD TickCount() override { return Now(); }
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
  struct Window {
    WindowInfo info;
    std::vector<std::uint32_t> pixels;  // rows top-down, stride = width
  };
  enum class HappeningKind { Input, Destroy, ConnectionLost };
  struct Happening {
    std::uint64_t at = 0;  // virtual milliseconds since the start
    HappeningKind kind = HappeningKind::Input;
    InputEvent event;
  };

  DWORD Now() const { return static_cast<DWORD>(config_.startTime + elapsed_); }
  // The virtual time (milliseconds since the start) at which the clock next reads `time`; a time up to half the
  // clock's range behind the present is taken as the present.
  std::uint64_t AbsoluteTime(DWORD time) const;
  void Schedule(DWORD time, HappeningKind kind, const InputEvent& event);
  NativeWindow AddWindow(WindowInfo info);
  // Removes a window and its children; reports saver windows among them as WindowDestroyed into ready_.
  void RemoveWithChildren(NativeWindow window, bool reportSaverWindows);
  // From now on every wait reports ConnectionLost; every window is gone.
  void LoseConnection();
  // Carries out a happening that has come due; the events it produces go to ready_.
  void Apply(const Happening& happening);

  HeadlessConfig config_;
  std::uint64_t elapsed_ = 0;
  bool hasEnd_ = false;
  std::uint64_t endAt_ = 0;
  bool connectionLost_ = false;
  bool existingSaver_ = false;
  int raisedCount_ = 0;
  bool pointerKnown_ = false;
  POINT pointer_{0, 0};
  NativeWindow nextWindowId_ = 0x400001;
  std::map<NativeWindow, Window> windows_;
  std::vector<Happening> happenings_;  // sorted by time, stable
  std::deque<InputEvent> ready_;       // events already due, returned before anything else
  std::vector<PresentRecord> presentations_;
};

}  // namespace posix::headless

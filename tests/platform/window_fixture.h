// A headless back end made active for one test, with a window procedure that records what it receives.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/posix/active_backend.h"
#include "platform/posix/headless/headless_backend.h"
#include "platform/posix/window_table.h"
#include "platform/win32.h"

namespace platform_test {

struct Received {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

inline std::vector<Received>& ReceivedMessages() {
  static std::vector<Received> messages;
  return messages;
}

// Records every message and leaves it to DefWindowProcA.
inline LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ReceivedMessages().push_back(Received{window, message, wParam, lParam});
  return DefWindowProcA(window, message, wParam, lParam);
}

inline int CountReceived(UINT message) {
  int count = 0;
  for (const Received& r : ReceivedMessages()) {
    count += r.message == message ? 1 : 0;
  }
  return count;
}

class HeadlessWindowTest : public ::testing::Test {
 protected:
  explicit HeadlessWindowTest(const posix::headless::HeadlessConfig& config = MakeConfig()) : backend(config) {
    posix::SetDisplayBackend(&backend);
    ReceivedMessages().clear();
  }
  ~HeadlessWindowTest() override { posix::SetDisplayBackend(nullptr); }

  static posix::headless::HeadlessConfig MakeConfig() {
    posix::headless::HeadlessConfig config;
    config.screenWidth = 64;
    config.screenHeight = 48;
    return config;
  }

  // A full-screen window over the primary screen, run by RecordingProc.
  HWND MakeWindow(WNDPROC procedure = RecordingProc) {
    const posix::NativeWindow native = backend.CreateFullScreenWindow(RECT{0, 0, 64, 48});
    return posix::CreateWindowForNative(native, procedure);
  }

  posix::NativeWindow NativeOf(HWND window) { return posix::LookUpWindow(window)->native; }

  posix::headless::HeadlessBackend backend;
};

}  // namespace platform_test

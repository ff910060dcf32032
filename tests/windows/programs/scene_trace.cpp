// Runs one scene on the real Windows API and writes what it drew, so that a run can be compared with
// kestrova-render's run of the same scene on Linux: the same CSV trace of every sprite draw, and the back
// buffer of chosen frames as .bmp files.
//
//   SCENE_trace [--step MS] [--frames N] [--trace FILE|-] [--bmp DIR] [--bmp-frames K,K,...]
//
// The scene is built on a hidden window of the screen's size, as the full-screen saver's, and its own Init
// reads the start time T0 from GetTickCount. Frame k (from 1) is ticked at T0 + k * step (mod 2^32) by calling
// the scene's Tick, which draws the frame and presents it to the window; the .bmp of frame k is the back
// buffer after that Tick, which a full-size window shows 1:1. When the run has succeeded the program prints
//   screen WxH start T0
// on standard output (standard error when the trace goes there), for `kestrova-render SCENE --size WxH
// --start T0`. Bad arguments: a one-line message and exit code 2, with nothing written.
//
// The build defines KESTROVA_SCENE_HEADER (the scene's header), KESTROVA_SCENE (its type) and
// KESTROVA_SCENE_NAME (the program's name in messages).
#include KESTROVA_SCENE_HEADER

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "saverlib/screensaver.h"
#include "tests/windows/programs/bmp_file.h"
#include "tests/windows/programs/trace_file.h"
#include "tests/windows/programs/trace_options.h"
#include "tools/render/trace_writer.h"

// The module the scene loads its bitmaps from: this program, which holds them as resources.
HINSTANCE g_hMainInstance = nullptr;

namespace {

using Scene = KESTROVA_SCENE;

constexpr int kExitFailed = 1;
constexpr int kExitBadArguments = 2;
// Init reads the clock once; it is started again until the tick count did not move across it. A few attempts
// do, as Init takes far less than a tick count step.
constexpr int kStartAttempts = 1000;

int Fail(int exitCode, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", KESTROVA_SCENE_NAME, message.c_str());
  return exitCode;
}

bool PrepareBmpDirectory(const std::optional<std::string>& directory, std::string& error) {
  if (!directory.has_value()) return true;
  std::error_code code;
  std::filesystem::create_directories(*directory, code);
  if (!std::filesystem::is_directory(*directory, code)) {
    error = "cannot write .bmp files into " + *directory;
    return false;
  }
  return true;
}

std::string BmpPath(const std::string& directory, std::uint32_t frame) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%06u.bmp", static_cast<unsigned>(frame));
  return (std::filesystem::path(directory) / name).string();
}

// A hidden top-level window covering the screen: the scene measures it as a full-screen saver's window.
HWND CreateHiddenScreenWindow(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "KestrovaSceneTrace";
  if (RegisterClassA(&windowClass) == 0) return nullptr;
  return CreateWindowExA(0, windowClass.lpszClassName, "Scene trace", WS_POPUP, 0, 0,
                         GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance,
                         nullptr);
}

// The scene after a successful Init, with the tick count that Init read.
struct StartedScene {
  std::unique_ptr<Scene> scene;
  DWORD start = 0;
};

StartedScene StartScene(HWND window) {
  for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
    auto scene = std::make_unique<Scene>(window);
    const DWORD before = GetTickCount();
    const bool started = scene->Init(window);
    const DWORD after = GetTickCount();
    if (!started) return {};
    if (before == after) return {std::move(scene), before};
  }
  return {};
}

// Handles what the system sent the window meanwhile; the scene's window needs nothing but the defaults.
void DrainMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

int Run(const wintrace::TraceOptions& options, render::TraceWriter& trace, std::FILE* report) {
  HWND window = CreateHiddenScreenWindow(g_hMainInstance);
  if (window == nullptr) return Fail(kExitFailed, "cannot create the scene's window");
  StartedScene started = StartScene(window);
  if (started.scene == nullptr) {
    DestroyWindow(window);
    return Fail(kExitFailed, "the scene could not start");
  }
  Scene& scene = *started.scene;
  scene.drawTrace = trace.AsDrawTrace();

  int exitCode = 0;
  for (std::uint32_t k = 1; k <= options.frames && exitCode == 0; ++k) {
    const DWORD time = options.FrameTime(started.start, k);
    trace.SetFrame(k, time);
    scene.Tick(time, window);
    if (options.WritesBmp(k)) {
      std::string error;
      if (!wintrace::WriteBmp(BmpPath(*options.bmpDirectory, k), scene.backBuffer, error)) {
        exitCode = Fail(kExitFailed, error);
      }
    }
    DrainMessages();
  }
  if (exitCode == 0) {
    std::fprintf(report, "screen %dx%d start %lu\n", static_cast<int>(scene.screenWidth),
                 static_cast<int>(scene.screenHeight), static_cast<unsigned long>(started.start));
  }
  started.scene.reset();
  DestroyWindow(window);
  return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
  g_hMainInstance = GetModuleHandleA(nullptr);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  std::string error;
  const std::optional<wintrace::TraceOptions> options = wintrace::ParseTraceOptions(arguments, error);
  if (!options.has_value()) return Fail(kExitBadArguments, error);

  wintrace::TraceFile traceFile;
  if (!traceFile.Open(options->tracePath, error) || !PrepareBmpDirectory(options->bmpDirectory, error)) {
    traceFile.Finish(false);
    return Fail(kExitBadArguments, error);
  }
  render::TraceWriter trace(traceFile.File());
  std::FILE* report = traceFile.File() == stdout ? stderr : stdout;
  const int exitCode = Run(*options, trace, report);
  if (!traceFile.Finish(exitCode == 0)) {
    return exitCode != 0 ? exitCode : Fail(kExitFailed, "cannot write the trace file " + *options->tracePath);
  }
  std::fflush(report);
  return exitCode;
}

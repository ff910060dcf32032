// kestrova-render: runs the real shell and scene of either saver on the headless back end, with a virtual clock,
// and writes what it drew: a CSV trace of every sprite draw and PNG pictures of the saver window.
//
//   kestrova-render SCENE [--size WxH] [--window WxH] [--start MS] [--step MS] [--frames N] [--trace FILE]
//                   [--png DIR] [--png-frames LIST]
//
// The scene is initialised at tick count `start`; frames are numbered from 1, and frame k is ticked at
// start + k * step (mod 2^32), the way the saver's 10 ms timer first fires one period after it starts. A window
// of the screen's size is the full-screen saver (presented 1:1); any other size is a preview of that size
// (presented stretched). Bad arguments: a one-line message and exit code 2, with nothing written.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "flyby/scr_api.h"
#include "kestrova_resources/flyby.h"
#include "kestrova_resources/tumbler.h"
#include "platform/posix/headless/headless_backend.h"
#include "saverlib/posix/run_screen_saver.h"
#include "shell/saver_shell.h"
#include "tools/render/png_writer.h"
#include "tools/render/render_options.h"
#include "tools/render/trace_writer.h"
#include "tumbler/scr_api.h"

namespace {

constexpr int kExitBadArguments = 2;
constexpr int kExitFailed = 1;

int Fail(int exitCode, const std::string& message) {
  std::fprintf(stderr, "kestrova-render: %s\n", message.c_str());
  return exitCode;
}

// Where the trace goes. A file is written under a temporary name and renamed when the run has succeeded, so a
// failed run leaves no partial trace behind.
class TraceOutput {
 public:
  bool Open(const std::optional<std::string>& path, std::string& error) {
    if (!path.has_value()) return true;
    if (*path == "-") {
      file_ = stdout;
      return true;
    }
    path_ = *path;
    std::error_code code;
    if (std::filesystem::is_directory(path_, code)) {
      error = "the trace file " + path_ + " is a folder";
      return false;
    }
    std::string pattern = path_ + ".XXXXXX";
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0 || (file_ = fdopen(descriptor, "w")) == nullptr) {
      if (descriptor >= 0) close(descriptor);
      error = "cannot write the trace file " + path_;
      return false;
    }
    temporaryPath_ = pattern;
    // mkstemp makes the file private; the trace gets the mode any new file would.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
    return true;
  }

  std::FILE* File() const { return file_; }

  bool Finish(bool succeeded) {
    if (file_ == nullptr) return succeeded;
    if (file_ == stdout) return std::fflush(stdout) == 0 && succeeded;
    const bool written = std::fclose(file_) == 0 && succeeded;
    file_ = nullptr;
    if (written && std::rename(temporaryPath_.c_str(), path_.c_str()) == 0) return true;
    std::remove(temporaryPath_.c_str());
    return false;
  }

 private:
  std::FILE* file_ = nullptr;
  std::string path_;
  std::string temporaryPath_;
};

bool PreparePngDirectory(const std::optional<std::string>& directory, std::string& error) {
  if (!directory.has_value()) return true;
  std::error_code code;
  std::filesystem::create_directories(*directory, code);
  if (!std::filesystem::is_directory(*directory, code) || access(directory->c_str(), W_OK) != 0) {
    error = "cannot write PNG files into " + *directory;
    return false;
  }
  return true;
}

std::string PngPath(const std::string& directory, std::uint32_t frame) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%06u.png", static_cast<unsigned>(frame));
  return (std::filesystem::path(directory) / name).string();
}

template <class ScrAPI>
int Render(const render::RenderOptions& options, HMODULE resources, render::TraceWriter& trace) {
  using Shell = shell::SaverShell<ScrAPI>;
  static constexpr ScreenSaverCallbacks kCallbacks{&Shell::ScreenSaverProc, &Shell::ScreenSaverConfigureDialog,
                                                   &Shell::RegisterDialogClasses};
  posix::headless::HeadlessConfig config;
  config.screenWidth = options.screen.width;
  config.screenHeight = options.screen.height;
  config.startTime = options.start;
  posix::headless::HeadlessBackend backend(config);

  const render::Size window = options.WindowSize();
  saverlib::SaverCommand command;
  if (window.width == options.screen.width && window.height == options.screen.height) {
    command.mode = saverlib::SaverMode::FullScreen;
  } else {
    command.mode = saverlib::SaverMode::Preview;
    command.handle = backend.CreateForeignWindow(window.width, window.height);
  }
  const saverlib::SaverStart start = saverlib::StartScreenSaver(command, kCallbacks, resources, backend);

  int exitCode = 0;
  if (start.window == nullptr || Shell::g_lpcScrAPI == nullptr) {
    exitCode = Fail(kExitFailed, "the scene could not start");
  } else {
    Shell::g_lpcScrAPI->drawTrace = trace.AsDrawTrace();
    const posix::NativeWindow saverWindow = backend.SaverWindow();
    for (std::uint32_t k = 1; k <= options.frames && exitCode == 0; ++k) {
      trace.SetFrame(k, options.FrameTime(k));
      backend.TickTimersAt(options.FrameTime(k));
      if (options.WritesPng(k)) {
        const posix::WindowPicture picture = backend.Picture(saverWindow);
        std::string error;
        if (!render::WritePng(PngPath(*options.pngDirectory, k), picture.pixels, picture.width, picture.height,
                              picture.stride, error)) {
          exitCode = Fail(kExitFailed, error);
        }
      }
    }
  }
  if (start.window != nullptr && IsWindow(start.window)) DestroyWindow(start.window);
  saverlib::RunMessageLoop();
  saverlib::EndScreenSaver();
  return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
    std::puts(
        "usage: kestrova-render flyby|tumbler [--size WxH] [--window WxH] [--start MS] [--step MS] [--frames N]\n"
        "                      [--trace FILE|-] [--png DIR] [--png-frames K,K,...]");
    return 0;
  }
  std::string error;
  const std::optional<render::RenderOptions> options = render::ParseRenderOptions(arguments, error);
  if (!options.has_value()) return Fail(kExitBadArguments, error);

  TraceOutput traceOutput;
  if (!traceOutput.Open(options->tracePath, error) || !PreparePngDirectory(options->pngDirectory, error)) {
    traceOutput.Finish(false);
    return Fail(kExitBadArguments, error);
  }

  render::TraceWriter trace(traceOutput.File());
  const int exitCode = options->scene == render::SceneName::Flyby
                           ? Render<flyby::ScrAPI>(*options, KestrovaResourceModule_flyby(), trace)
                           : Render<tumbler::ScrAPI>(*options, KestrovaResourceModule_tumbler(), trace);
  if (!traceOutput.Finish(exitCode == 0)) {
    return exitCode != 0 ? exitCode : Fail(kExitFailed, "cannot write the trace file " + *options->tracePath);
  }
  return exitCode;
}

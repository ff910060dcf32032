// A saver program running on the headless back end, for the scene and shell tests: the real entry point, shell
// and scene, with the virtual clock, the window pictures and the recorded presentations at hand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/surface.h"

#include "platform/posix/active_backend.h"
#include "platform/posix/headless/headless_backend.h"
#include "saverlib/posix/run_screen_saver.h"
#include "saverlib/switches.h"
#include "shell/draw_trace.h"
#include "shell/saver_shell.h"

template <class ScrAPI>
class RunningSaver {
 public:
  using Shell = shell::SaverShell<ScrAPI>;
  static constexpr ScreenSaverCallbacks kCallbacks{&Shell::ScreenSaverProc, &Shell::ScreenSaverConfigureDialog,
                                                   &Shell::RegisterDialogClasses};

  // Starts the saver with `commandLine` ("/s" for full screen); "/p" alone makes a host window of
  // `previewWidth` x `previewHeight` and starts a preview in it.
  RunningSaver(const posix::headless::HeadlessConfig& config, HMODULE resources, const std::string& commandLine = "/s",
               int previewWidth = 0, int previewHeight = 0)
      : backend(config) {
    std::string arguments = commandLine;
    if (commandLine == "/p") {
      host = backend.CreateForeignWindow(previewWidth, previewHeight);
      arguments += " " + std::to_string(host);
    }
    start = saverlib::StartScreenSaver(saverlib::ParseSaverCommandLine(arguments.c_str()), kCallbacks, resources,
                                       backend);
  }

  ~RunningSaver() {
    if (start.window != nullptr && IsWindow(start.window)) DestroyWindow(start.window);
    saverlib::RunMessageLoop();
    saverlib::EndScreenSaver();
  }

  ScrAPI* Scene() const { return Shell::g_lpcScrAPI; }
  HWND Window() const { return start.window; }

  // Ticks every timer at `time` and returns the draws the scene made in that frame.
  std::vector<shell::DrawTraceRecord> TickAt(DWORD time) {
    std::vector<shell::DrawTraceRecord> draws;
    WatchDraws(draws);
    backend.TickTimersAt(time);
    Scene()->drawTrace = {};
    return draws;
  }

  // Advances and draws every sprite as a tick does, without clearing or presenting the picture.
  std::vector<shell::DrawTraceRecord> UpdateAllAt(DWORD time) {
    std::vector<shell::DrawTraceRecord> draws;
    WatchDraws(draws);
    for (int sprite = 0; sprite < Scene()->spriteCount; ++sprite) Scene()->UpdateSprite(sprite, time);
    Scene()->drawTrace = {};
    return draws;
  }

  // Advances one sprite directly and returns its draw (if any).
  std::vector<shell::DrawTraceRecord> UpdateAt(int sprite, DWORD time) {
    std::vector<shell::DrawTraceRecord> draws;
    WatchDraws(draws);
    Scene()->UpdateSprite(sprite, time);
    Scene()->drawTrace = {};
    return draws;
  }

  posix::headless::HeadlessBackend backend;
  posix::NativeWindow host = 0;
  saverlib::SaverStart start;

 private:
  void WatchDraws(std::vector<shell::DrawTraceRecord>& draws) {
    Scene()->drawTrace.context = &draws;
    Scene()->drawTrace.sink = [](void* context, const shell::DrawTraceRecord& record) {
      static_cast<std::vector<shell::DrawTraceRecord>*>(context)->push_back(record);
    };
  }
};

// The draws of a whole run that starts at `start` and advances all sprites every `step` ms for `duration` ms.
// Only one saver runs at a time (the back end and the shell's scene are the process's own), so a run is over
// when this returns.
template <class ScrAPI>
std::vector<shell::DrawTraceRecord> DrawsOfRun(const posix::headless::HeadlessConfig& config, HMODULE resources,
                                               DWORD step, DWORD duration) {
  RunningSaver<ScrAPI> saver(config, resources);
  std::vector<shell::DrawTraceRecord> all;
  for (DWORD t = step; t <= duration; t += step) {
    for (const auto& draw : saver.UpdateAllAt(config.startTime + t)) all.push_back(draw);
  }
  return all;
}

// How many pixels of the saver window's picture differ from `image` drawn at (x, y) as the scenes draw it: key
// pixels leave the black background, the others show the image's colour, or its grey level (the channels'
// mean), mirrored left to right or not. Only the part on the screen is compared.
template <class ScrAPI>
int MismatchesOfSpriteAt(const RunningSaver<ScrAPI>& saver, const Surface& image, int x, int y, bool mirror,
                         bool gray) {
  const int screenWidth = saver.Scene()->screenWidth;
  const int screenHeight = saver.Scene()->screenHeight;
  int mismatches = 0;
  for (int r = 0; r < image.Height(); ++r) {
    for (int c = 0; c < image.Width(); ++c) {
      const int column = mirror ? image.Width() - 1 - c : c;
      const BYTE* source = image.pixels + (image.Height() - 1 - r) * image.Stride() + 3 * column;
      std::uint32_t expected = 0;
      if (!(source[0] == 0x00 && source[1] == 0xFF && source[2] == 0x00)) {
        const std::uint32_t level = (source[0] + source[1] + source[2]) / 3u;
        expected = gray ? level * 0x010101u : std::uint32_t{source[2]} << 16 | source[1] << 8 | source[0];
      }
      const int screenX = x + c;
      const int screenY = y + r;
      if (screenX < 0 || screenX >= screenWidth || screenY < 0 || screenY >= screenHeight) continue;
      mismatches += saver.backend.PixelAt(saver.backend.SaverWindow(), screenX, screenY) != expected;
    }
  }
  return mismatches;
}

inline bool SameDraws(const shell::DrawTraceRecord& a, const shell::DrawTraceRecord& b) {
  return a.sprite == b.sprite && a.image == b.image && a.x == b.x && a.y == b.y && a.mirror == b.mirror &&
         a.gray == b.gray;
}

inline posix::headless::HeadlessConfig Screen(int width, int height, DWORD startTime = 0) {
  posix::headless::HeadlessConfig config;
  config.screenWidth = width;
  config.screenHeight = height;
  config.startTime = startTime;
  return config;
}

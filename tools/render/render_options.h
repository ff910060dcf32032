// The offline renderer's command line:
//   kestrova-render SCENE [--size WxH] [--window WxH] [--start MS] [--step MS] [--frames N] [--trace FILE]
//                   [--png DIR] [--png-frames LIST]
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tools/render/option_parsing.h"

namespace render {

enum class SceneName { Flyby, Tumbler };

struct RenderOptions {
  SceneName scene = SceneName::Flyby;
  Size screen{1024, 768};
  std::optional<Size> window;  // the screen's size when not given
  std::uint32_t start = 0;
  std::uint32_t step = 10;
  std::uint32_t frames = 1;
  std::optional<std::string> tracePath;  // "-" for standard output
  std::optional<std::string> pngDirectory;
  std::optional<std::set<std::uint32_t>> pngFrames;  // all frames when not given

  Size WindowSize() const { return window.value_or(screen); }
  // Frames are numbered from 1: frame k is ticked at start + k * step (mod 2^32).
  std::uint32_t FrameTime(std::uint32_t k) const { return start + k * step; }
  bool WritesPng(std::uint32_t k) const {
    return pngDirectory.has_value() && (!pngFrames.has_value() || pngFrames->count(k) != 0);
  }
};

// Parses argv[1..]; on a bad argument returns nothing and sets `error` to a one-line message.
std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& arguments, std::string& error);

}  // namespace render

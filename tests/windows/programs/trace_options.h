// The command line of the programs that run one scene on Windows and trace it (flyby_trace, tumbler_trace):
//   SCENE_trace [--step MS] [--frames N] [--trace FILE] [--bmp DIR] [--bmp-frames LIST]
// The screen size and the start time are Windows' own (GetSystemMetrics, GetTickCount); everything else means
// what it means to kestrova-render, and the values are checked by the same code.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace wintrace {

struct TraceOptions {
  std::uint32_t step = 10;
  std::uint32_t frames = 1;
  std::optional<std::string> tracePath;  // "-" for standard output
  std::optional<std::string> bmpDirectory;
  std::optional<std::set<std::uint32_t>> bmpFrames;  // all frames when not given

  // Frame k is ticked at start + k * step (mod 2^32), as kestrova-render does.
  std::uint32_t FrameTime(std::uint32_t start, std::uint32_t k) const { return start + k * step; }
  bool WritesBmp(std::uint32_t k) const {
    return bmpDirectory.has_value() && (!bmpFrames.has_value() || bmpFrames->count(k) != 0);
  }
};

// Parses argv[1..]; on a bad argument returns nothing and sets `error` to a one-line message.
std::optional<TraceOptions> ParseTraceOptions(const std::vector<std::string>& arguments, std::string& error);

}  // namespace wintrace

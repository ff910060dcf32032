#include "tools/render/render_options.h"

#include <cstddef>

namespace render {
namespace {

// Decimal digits only, no sign, no spaces, at most `limit`.
bool ParseUnsigned(const std::string& text, std::uint64_t limit, std::uint64_t& value) {
  if (text.empty() || text.size() > 20) return false;
  std::uint64_t result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + static_cast<std::uint64_t>(c - '0');
    if (result > limit) return false;
  }
  value = result;
  return true;
}

bool ParseSize(const std::string& text, Size& size) {
  const std::size_t x = text.find('x');
  std::uint64_t width = 0;
  std::uint64_t height = 0;
  if (x == std::string::npos || !ParseUnsigned(text.substr(0, x), kMaxSide, width) ||
      !ParseUnsigned(text.substr(x + 1), kMaxSide, height) || width == 0 || height == 0 ||
      static_cast<std::int64_t>(width * height) > kMaxPixels) {
    return false;
  }
  size = {static_cast<int>(width), static_cast<int>(height)};
  return true;
}

bool ParseFrameList(const std::string& text, std::set<std::uint32_t>& frames) {
  std::size_t begin = 0;
  while (true) {
    const std::size_t comma = text.find(',', begin);
    std::uint64_t frame = 0;
    if (!ParseUnsigned(text.substr(begin, comma - begin), kMaxFrames, frame) || frame == 0) return false;
    frames.insert(static_cast<std::uint32_t>(frame));
    if (comma == std::string::npos) return true;
    begin = comma + 1;
  }
}

}  // namespace

std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& arguments, std::string& error) {
  RenderOptions options;
  if (arguments.empty()) {
    error = "no scene given (flyby or tumbler)";
    return std::nullopt;
  }
  if (arguments[0] == "flyby") {
    options.scene = SceneName::Flyby;
  } else if (arguments[0] == "tumbler") {
    options.scene = SceneName::Tumbler;
  } else {
    error = "unknown scene '" + arguments[0] + "' (flyby or tumbler)";
    return std::nullopt;
  }

  std::set<std::string> seen;
  for (std::size_t i = 1; i < arguments.size(); i += 2) {
    const std::string& name = arguments[i];
    if (i + 1 >= arguments.size()) {
      error = name.rfind("--", 0) == 0 ? name + " needs a value" : "unexpected argument '" + name + "'";
      return std::nullopt;
    }
    if (!seen.insert(name).second) {
      error = name + " given twice";
      return std::nullopt;
    }
    const std::string& value = arguments[i + 1];
    std::uint64_t number = 0;
    bool valid = true;
    if (name == "--size") {
      valid = ParseSize(value, options.screen);
    } else if (name == "--window") {
      Size window;
      valid = ParseSize(value, window);
      options.window = window;
    } else if (name == "--start") {
      valid = ParseUnsigned(value, UINT32_MAX, number);
      options.start = static_cast<std::uint32_t>(number);
    } else if (name == "--step") {
      valid = ParseUnsigned(value, UINT32_MAX, number);
      options.step = static_cast<std::uint32_t>(number);
    } else if (name == "--frames") {
      valid = ParseUnsigned(value, kMaxFrames, number) && number > 0;
      options.frames = static_cast<std::uint32_t>(number);
    } else if (name == "--trace") {
      valid = !value.empty();
      options.tracePath = value;
    } else if (name == "--png") {
      valid = !value.empty();
      options.pngDirectory = value;
    } else if (name == "--png-frames") {
      std::set<std::uint32_t> frames;
      valid = ParseFrameList(value, frames);
      options.pngFrames = frames;
    } else {
      error = "unknown option '" + name + "'";
      return std::nullopt;
    }
    if (!valid) {
      error = "bad value '" + value + "' for " + name;
      return std::nullopt;
    }
  }

  if (options.pngFrames.has_value()) {
    if (!options.pngDirectory.has_value()) {
      error = "--png-frames needs --png";
      return std::nullopt;
    }
    if (*options.pngFrames->rbegin() > options.frames) {
      error = "--png-frames lists frame " + std::to_string(*options.pngFrames->rbegin()) + " but only " +
              std::to_string(options.frames) + " are rendered";
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace render

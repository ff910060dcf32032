#include "tools/render/render_options.h"

namespace render {

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

  const auto apply = [&options](const std::string& name, const std::string& value) {
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
      return OptionValue::UnknownOption;
    }
    return valid ? OptionValue::Valid : OptionValue::Bad;
  };
  if (!ParseOptionPairs(arguments, 1, apply, error)) return std::nullopt;

  if (options.pngFrames.has_value() &&
      !CheckPictureFrames(*options.pngFrames, options.frames, options.pngDirectory.has_value(), "--png-frames",
                          "--png", error)) {
    return std::nullopt;
  }
  return options;
}

}  // namespace render

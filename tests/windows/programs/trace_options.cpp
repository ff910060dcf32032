#include "tests/windows/programs/trace_options.h"

#include "tools/render/option_parsing.h"

namespace wintrace {

std::optional<TraceOptions> ParseTraceOptions(const std::vector<std::string>& arguments, std::string& error) {
  using render::OptionValue;
  TraceOptions options;
  const auto apply = [&options](const std::string& name, const std::string& value) {
    std::uint64_t number = 0;
    bool valid = true;
    if (name == "--step") {
      valid = render::ParseUnsigned(value, UINT32_MAX, number);
      options.step = static_cast<std::uint32_t>(number);
    } else if (name == "--frames") {
      valid = render::ParseUnsigned(value, render::kMaxFrames, number) && number > 0;
      options.frames = static_cast<std::uint32_t>(number);
    } else if (name == "--trace") {
      valid = !value.empty();
      options.tracePath = value;
    } else if (name == "--bmp") {
      valid = !value.empty();
      options.bmpDirectory = value;
    } else if (name == "--bmp-frames") {
      std::set<std::uint32_t> frames;
      valid = render::ParseFrameList(value, frames);
      options.bmpFrames = frames;
    } else {
      return OptionValue::UnknownOption;
    }
    return valid ? OptionValue::Valid : OptionValue::Bad;
  };
  if (!render::ParseOptionPairs(arguments, 0, apply, error)) return std::nullopt;

  if (options.bmpFrames.has_value() &&
      !render::CheckPictureFrames(*options.bmpFrames, options.frames, options.bmpDirectory.has_value(),
                                  "--bmp-frames", "--bmp", error)) {
    return std::nullopt;
  }
  return options;
}

}  // namespace wintrace

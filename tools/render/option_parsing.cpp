#include "tools/render/option_parsing.h"

#include <cstddef>

namespace render {

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

bool ParseOptionPairs(const std::vector<std::string>& arguments, std::size_t first,
                      const std::function<OptionValue(const std::string& name, const std::string& value)>& apply,
                      std::string& error) {
  std::set<std::string> seen;
  for (std::size_t i = first; i < arguments.size(); i += 2) {
    const std::string& name = arguments[i];
    if (i + 1 >= arguments.size()) {
      error = name.rfind("--", 0) == 0 ? name + " needs a value" : "unexpected argument '" + name + "'";
      return false;
    }
    if (!seen.insert(name).second) {
      error = name + " given twice";
      return false;
    }
    const std::string& value = arguments[i + 1];
    switch (apply(name, value)) {
      case OptionValue::Valid:
        break;
      case OptionValue::UnknownOption:
        error = "unknown option '" + name + "'";
        return false;
      case OptionValue::Bad:
        error = "bad value '" + value + "' for " + name;
        return false;
    }
  }
  return true;
}

bool CheckPictureFrames(const std::set<std::uint32_t>& picked, std::uint32_t frames, bool hasDirectory,
                        const std::string& listOption, const std::string& directoryOption, std::string& error) {
  if (!hasDirectory) {
    error = listOption + " needs " + directoryOption;
    return false;
  }
  if (!picked.empty() && *picked.rbegin() > frames) {
    error = listOption + " lists frame " + std::to_string(*picked.rbegin()) + " but only " + std::to_string(frames) +
            " are rendered";
    return false;
  }
  return true;
}

}  // namespace render

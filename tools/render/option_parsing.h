// The pieces of a "--name value" command line that the renderer and the test programs running a scene on
// Windows share, so that both accept the same values and refuse the same mistakes with the same messages.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace render {

struct Size {
  int width = 0;
  int height = 0;
};

// The largest picture accepted (each side, and in all: what the headless back end can hold), and the largest
// frame count (frame numbers then fit the six digits of the picture names).
constexpr int kMaxSide = 16384;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;
constexpr std::uint32_t kMaxFrames = 999999;

// Decimal digits only, no sign, no spaces, at most `limit`.
bool ParseUnsigned(const std::string& text, std::uint64_t limit, std::uint64_t& value);
// "WxH", each side 1 to kMaxSide, at most kMaxPixels in all.
bool ParseSize(const std::string& text, Size& size);
// "K,K,...": frame numbers 1 to kMaxFrames, added to `frames`.
bool ParseFrameList(const std::string& text, std::set<std::uint32_t>& frames);

enum class OptionValue { Valid, Bad, UnknownOption };

// Reads arguments[first..] as "--name value" pairs and hands each to `apply`, which says whether it knows the
// option and accepts its value. Returns false with a one-line `error` on a missing value, a stray argument, an
// option given twice, an unknown option or a bad value.
bool ParseOptionPairs(const std::vector<std::string>& arguments, std::size_t first,
                      const std::function<OptionValue(const std::string& name, const std::string& value)>& apply,
                      std::string& error);

// The frames picked for pictures by `listOption` (e.g. --png-frames) need `directoryOption` given and must all
// be rendered; false with a one-line `error` otherwise.
bool CheckPictureFrames(const std::set<std::uint32_t>& picked, std::uint32_t frames, bool hasDirectory,
                        const std::string& listOption, const std::string& directoryOption, std::string& error);

}  // namespace render

#include "saverlib/switches.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

namespace {

using saverlib::ParseSaverCommandLine;
using saverlib::SaverMode;

struct SwitchCase {
  const char* line;
  SaverMode mode;
  std::uintptr_t handle;
  bool outOfRange;
};
// Names the case in test listings instead of a dump of its bytes.
void PrintTo(const SwitchCase& c, std::ostream* out) { *out << "[" << c.line << "]"; }


class SwitchParsing : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchParsing, ChoosesModeAndHandle) {
  const SwitchCase& c = GetParam();
  const saverlib::SaverCommand command = ParseSaverCommandLine(c.line);
  EXPECT_EQ(command.mode, c.mode) << '"' << c.line << '"';
  EXPECT_EQ(command.handle, c.handle) << '"' << c.line << '"';
  EXPECT_EQ(command.handleOutOfRange, c.outOfRange) << '"' << c.line << '"';
}

INSTANTIATE_TEST_SUITE_P(
    EveryMode, SwitchParsing,
    ::testing::Values(
        // Full screen, in either case, after any mix of ' ', '-' and '/'; the rest of the line is ignored.
        SwitchCase{"/s", SaverMode::FullScreen, 0, false}, SwitchCase{"/S", SaverMode::FullScreen, 0, false},
        SwitchCase{"-s", SaverMode::FullScreen, 0, false}, SwitchCase{"s", SaverMode::FullScreen, 0, false},
        SwitchCase{"  -/ -s", SaverMode::FullScreen, 0, false},
        SwitchCase{"/s 1234", SaverMode::FullScreen, 0, false},
        SwitchCase{"/save", SaverMode::FullScreen, 0, false},
        // Preview: "p" or "l", any number of spaces, a decimal handle read up to the first non-digit.
        SwitchCase{"/p 1234", SaverMode::Preview, 1234, false}, SwitchCase{"/P 1234", SaverMode::Preview, 1234, false},
        SwitchCase{"/l 77", SaverMode::Preview, 77, false}, SwitchCase{"/L   77", SaverMode::Preview, 77, false},
        SwitchCase{"/p1234", SaverMode::Preview, 1234, false},
        SwitchCase{"/p 12ab34", SaverMode::Preview, 12, false},
        SwitchCase{"/p 0", SaverMode::Preview, 0, false}, SwitchCase{"/p", SaverMode::Preview, 0, false},
        SwitchCase{"/p x12", SaverMode::Preview, 0, false},
        SwitchCase{"/p -5", SaverMode::Preview, 0, false},
        SwitchCase{"/p 00042", SaverMode::Preview, 42, false},
        // Configure: "c" alone, "c:" and a handle, or an empty line; a handle without ':' is not read.
        SwitchCase{"/c", SaverMode::Configure, 0, false}, SwitchCase{"/C", SaverMode::Configure, 0, false},
        SwitchCase{"/c:4711", SaverMode::Configure, 4711, false},
        SwitchCase{"/c 4711", SaverMode::Configure, 0, false},
        SwitchCase{"/c:", SaverMode::Configure, 0, false}, SwitchCase{"", SaverMode::Configure, 0, false},
        SwitchCase{"  ", SaverMode::Configure, 0, false}, SwitchCase{"-/", SaverMode::Configure, 0, false},
        // Change password.
        SwitchCase{"/a 99", SaverMode::ChangePassword, 99, false},
        SwitchCase{"/A", SaverMode::ChangePassword, 0, false},
        // Anything else.
        SwitchCase{"/x", SaverMode::Unknown, 0, false}, SwitchCase{"/1", SaverMode::Unknown, 0, false},
        SwitchCase{"/:", SaverMode::Unknown, 0, false}, SwitchCase{"\t/s", SaverMode::Unknown, 0, false},
        SwitchCase{"/\xE9", SaverMode::Unknown, 0, false}));

TEST(SwitchParsing, NullLineIsConfigure) {
  EXPECT_EQ(ParseSaverCommandLine(nullptr).mode, SaverMode::Configure);
}

TEST(SwitchParsing, LargestHandleFitsAndOneMoreIsOutOfRange) {
  constexpr std::uintptr_t kMax = std::numeric_limits<std::uintptr_t>::max();
  const std::string largest = std::to_string(kMax);
  const saverlib::SaverCommand fits = ParseSaverCommandLine(("/p " + largest).c_str());
  EXPECT_EQ(fits.handle, kMax);
  EXPECT_FALSE(fits.handleOutOfRange);

  // One more than the largest, ten times the largest, and a number far longer: none may wrap into a small id.
  std::string oneMore = largest;
  for (auto digit = oneMore.rbegin(); digit != oneMore.rend(); ++digit) {
    if (*digit != '9') {
      ++*digit;
      break;
    }
    *digit = '0';
  }
  for (const std::string& text : {oneMore, largest + "0", std::string(400, '9'), "1" + std::string(40, '0') + "5"}) {
    const saverlib::SaverCommand command = ParseSaverCommandLine(("/p " + text).c_str());
    EXPECT_EQ(command.mode, SaverMode::Preview) << text;
    EXPECT_EQ(command.handle, 0u) << text;
    EXPECT_TRUE(command.handleOutOfRange) << text;
  }
}

}  // namespace

#include "saverlib/win32/program_name.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct Case {
  const char* commandLine;
  const char* arguments;
};
// Names the case in test listings instead of a dump of its bytes.
void PrintTo(const Case& c, std::ostream* out) { *out << "[" << c.commandLine << "]"; }


class SkipProgramNameTest : public testing::TestWithParam<Case> {};

TEST_P(SkipProgramNameTest, FindsTheArguments) {
  EXPECT_EQ(std::string(saverlib::SkipProgramName(GetParam().commandLine)), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, SkipProgramNameTest,
    testing::Values(
        // Unquoted names end at the first blank; the blanks before the switch go too.
        Case{"flyby.scr /s", "/s"}, Case{"flyby.scr", ""}, Case{"C:\\WINDOWS\\flyby.scr\t /p 1234", "/p 1234"},
        // Quoted names may hold blanks and the switch may follow the closing quote directly.
        Case{"\"C:\\Program Files\\tumbler.scr\" /c:42", "/c:42"}, Case{"\"C:\\My Savers\\a.scr\"/s", "/s"},
        Case{"\"tumbler.scr\"", ""}, Case{"\"\" /s", "/s"},
        // A quote that never closes takes the whole line: there are no arguments, rather than its tail.
        Case{"\"C:\\broken /s", ""},
        // Only the leading blanks are the program's; what follows the switch is left for the parser.
        Case{"a.scr   -S  trailing", "-S  trailing"}, Case{"", ""}));

TEST(SkipProgramName, NullLineHasNoArguments) { EXPECT_STREQ(saverlib::SkipProgramName(nullptr), ""); }

}  // namespace

#include "tools/render/render_options.h"

#include <gtest/gtest.h>

namespace {

using render::ParseRenderOptions;

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> words;
  std::size_t begin = 0;
  while (begin <= line.size()) {
    const std::size_t space = line.find(' ', begin);
    const std::string word = line.substr(begin, space - begin);
    if (!word.empty()) words.push_back(word);
    if (space == std::string::npos) break;
    begin = space + 1;
  }
  return words;
}

TEST(RenderOptions, DefaultsAndEveryOption) {
  std::string error;
  const auto defaults = ParseRenderOptions({"tumbler"}, error);
  ASSERT_TRUE(defaults.has_value()) << error;
  EXPECT_EQ(defaults->scene, render::SceneName::Tumbler);
  EXPECT_EQ(defaults->screen.width, 1024);
  EXPECT_EQ(defaults->screen.height, 768);
  EXPECT_EQ(defaults->WindowSize().width, 1024);
  EXPECT_EQ(defaults->frames, 1u);
  EXPECT_EQ(defaults->FrameTime(1), 10u);
  EXPECT_FALSE(defaults->WritesPng(1));

  const auto all = ParseRenderOptions(Split("flyby --size 1920x1080 --window 320x240 --start 4294967295 --step 7 "
                                            "--frames 6000 --trace - --png out --png-frames 1,500,6000"),
                                      error);
  ASSERT_TRUE(all.has_value()) << error;
  EXPECT_EQ(all->scene, render::SceneName::Flyby);
  EXPECT_EQ(all->screen.width, 1920);
  EXPECT_EQ(all->WindowSize().height, 240);
  EXPECT_EQ(all->FrameTime(1), 6u) << "frame times wrap at 2^32";
  EXPECT_EQ(*all->tracePath, "-");
  EXPECT_TRUE(all->WritesPng(500));
  EXPECT_FALSE(all->WritesPng(501));
}

TEST(RenderOptions, BadArgumentsAreRejectedWithAMessage) {
  const char* const cases[] = {
      "",                                   // no scene
      "flyby2",                             // unknown scene
      "flyby --size",                       // missing value
      "flyby --size 1024",                  // no height
      "flyby --size 0x768",                 // empty
      "flyby --size -5x768",                // negative
      "flyby --size 1024x768x3",            // malformed
      "flyby --size 99999x768",             // absurd
      "flyby --size 10000x7000",            // more pixels than a picture may hold
      "flyby --window 16384x16384",         // the same for the window
      "flyby --window 10x",                 // malformed
      "flyby --start 4294967296",           // beyond 32 bits
      "flyby --start 12ms",                 // not a number
      "flyby --step -1",                    // negative
      "flyby --frames 0",                   // zero frames
      "flyby --frames 1000000",             // beyond six-digit frame numbers
      "flyby --frames 99999999999999999999999",  // overflowing
      "flyby --png-frames 1",               // without --png
      "flyby --png d --png-frames 0",       // frames count from 1
      "flyby --png d --png-frames 2",       // beyond --frames
      "flyby --png d --png-frames 1,,1",    // empty entry
      "flyby --trace",                      // missing value
      "flyby --frames 2 --frames 3",        // twice
      "flyby --colour red",                 // unknown option
      "flyby extra",                        // stray argument
  };
  for (const char* line : cases) {
    std::string error;
    EXPECT_FALSE(ParseRenderOptions(Split(line), error).has_value()) << line;
    EXPECT_FALSE(error.empty()) << line;
    EXPECT_EQ(error.find('\n'), std::string::npos) << line;
  }
}

}  // namespace

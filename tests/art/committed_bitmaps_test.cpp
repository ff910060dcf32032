// Checks the bitmaps that the savers embed, as committed: the format the resource loader expects, the sizes
// the scenes rely on, a transparent margin, and no colour that could be taken for the transparent key.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "tests/art/bmp_reader.h"
#include "tools/art/art_source.h"

namespace art {
namespace {

using testing::BmpHeader;
using testing::PixelAt;
using testing::ReadBmpHeader;
using testing::ReadFileBytes;

struct Sprite {
  const char* path;  // from the source tree's root
  int width;
  int height;
};

void PrintTo(const Sprite& sprite, std::ostream* out) { *out << sprite.path; }

const Sprite kSprites[] = {
    {"flyby/bitmaps/102.bmp", 160, 120}, {"flyby/bitmaps/103.bmp", 160, 120}, {"flyby/bitmaps/104.bmp", 160, 120},
    {"flyby/bitmaps/105.bmp", 160, 120}, {"flyby/bitmaps/106.bmp", 160, 120}, {"flyby/bitmaps/107.bmp", 160, 120},
    {"flyby/bitmaps/108.bmp", 160, 120}, {"flyby/bitmaps/109.bmp", 160, 120}, {"flyby/bitmaps/110.bmp", 160, 120},
    {"flyby/bitmaps/111.bmp", 160, 160}, {"flyby/bitmaps/112.bmp", 160, 160}, {"flyby/bitmaps/113.bmp", 160, 160},
    {"tumbler/bitmaps/102.bmp", 100, 100},
};

// Pixels of pure background kept clear along every edge of a sprite.
constexpr int kMargin = 4;

std::vector<std::uint8_t> ReadSprite(const char* path) {
  return ReadFileBytes(std::string(KESTROVA_SOURCE_DIR) + "/" + path);
}

class CommittedBitmap : public ::testing::TestWithParam<Sprite> {};

TEST_P(CommittedBitmap, IsAnUncompressed24BitBitmapOfTheExpectedSize) {
  const std::vector<std::uint8_t> bytes = ReadSprite(GetParam().path);
  ASSERT_FALSE(bytes.empty()) << "missing " << GetParam().path;
  const BmpHeader header = ReadBmpHeader(bytes);
  const std::uint32_t stride = (static_cast<std::uint32_t>(GetParam().width) * 3 + 3) / 4 * 4;
  EXPECT_EQ(header.width, GetParam().width);
  EXPECT_EQ(header.height, GetParam().height);  // positive: bottom-up rows
  EXPECT_EQ(header.infoSize, 40u);
  EXPECT_EQ(header.planes, 1);
  EXPECT_EQ(header.bitCount, 24);
  EXPECT_EQ(header.compression, 0u);
  EXPECT_EQ(header.clrUsed, 0u);
  EXPECT_EQ(header.pixelOffset, 54u);  // no colour table between the header and the pixels
  EXPECT_EQ(header.sizeImage, stride * static_cast<std::uint32_t>(GetParam().height));
  EXPECT_EQ(header.fileSize, bytes.size());
  EXPECT_EQ(bytes.size(), 54u + header.sizeImage);
}

TEST_P(CommittedBitmap, FillsItsFrameInsideATransparentMarginAndNeverNearlyMatchesTheKey) {
  const std::vector<std::uint8_t> bytes = ReadSprite(GetParam().path);
  const BmpHeader header = ReadBmpHeader(bytes);
  ASSERT_EQ(header.width, GetParam().width);
  ASSERT_EQ(header.height, GetParam().height);
  ASSERT_EQ(bytes.size(), 54u + header.sizeImage);

  int left = header.width, right = -1, top = header.height, bottom = -1;
  int nearKey = 0;
  for (int y = 0; y < header.height; ++y) {
    for (int x = 0; x < header.width; ++x) {
      const Rgb pixel = PixelAt(bytes, header, x, y);
      if (pixel == kBackgroundColour) continue;
      if (IsNearBackground(pixel)) ++nearKey;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  EXPECT_EQ(nearKey, 0) << "pixels a viewer could take for the transparent green";
  ASSERT_GE(right, 0) << "the picture is empty";
  EXPECT_GE(left, kMargin);
  EXPECT_GE(top, kMargin);
  EXPECT_LT(right, header.width - kMargin);
  EXPECT_LT(bottom, header.height - kMargin);
  // Not a small figure lost in a corner.
  EXPECT_GE((right - left + 1) * 4, header.width * 3);
  EXPECT_GE((bottom - top + 1) * 2, header.height);
}

INSTANTIATE_TEST_SUITE_P(Sprites, CommittedBitmap, ::testing::ValuesIn(kSprites),
                         [](const ::testing::TestParamInfo<Sprite>& info) {
                           std::string name = info.param.path;
                           std::replace(name.begin(), name.end(), '/', '_');
                           std::replace(name.begin(), name.end(), '.', '_');
                           return name;
                         });

TEST(CommittedBitmaps, EveryFlybyCharacterHasThreeDifferentPoses) {
  for (int character = 0; character < 4; ++character) {
    std::vector<std::vector<std::uint8_t>> frames;
    for (int frame = 0; frame < 3; ++frame) {
      frames.push_back(ReadSprite(kSprites[character * 3 + frame].path));
      ASSERT_FALSE(frames.back().empty());
    }
    EXPECT_NE(frames[0], frames[1]) << "character " << character;
    EXPECT_NE(frames[1], frames[2]) << "character " << character;
    EXPECT_NE(frames[0], frames[2]) << "character " << character;
  }
}

}  // namespace
}  // namespace art

#include "tools/art/art_source.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace art {
namespace {

TEST(ArtSource, ReadsSizePaletteAndEveryGrid) {
  const ParseResult result = ParseArtSource(
      "# two tiny frames\r\n"
      "size 4 2   # pixels\n"
      "scale 2\n"
      "colour K 10 20 30\n"
      "\n"
      "image 102\n"
      "K.  \n"
      "\n"
      "image 7\n"
      ".K\n",
      "tiny.txt");
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.source.width, 4);
  EXPECT_EQ(result.source.height, 2);
  EXPECT_EQ(result.source.scale, 2);
  EXPECT_EQ(result.source.palette.at('K'), (Rgb{10, 20, 30}));
  EXPECT_EQ(result.source.palette.at('.'), kBackgroundColour);
  ASSERT_EQ(result.source.images.size(), 2u);
  EXPECT_EQ(result.source.images[0].id, 102);
  EXPECT_EQ(result.source.images[0].line, 6);
  EXPECT_EQ(result.source.images[0].rows, std::vector<std::string>{"K."});
  EXPECT_EQ(result.source.images[1].id, 7);
  EXPECT_EQ(result.source.images[1].rows, std::vector<std::string>{".K"});
}

struct BadSource {
  const char* what;
  const char* text;
  const char* error;  // the whole message, with the source name and line
};

void PrintTo(const BadSource& source, std::ostream* out) { *out << source.what; }

class ArtSourceErrors : public ::testing::TestWithParam<BadSource> {};

TEST_P(ArtSourceErrors, NamesTheLineAndTheFault) {
  const ParseResult result = ParseArtSource(GetParam().text, "bad.txt");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArtSourceErrors,
    ::testing::Values(
        BadSource{"ragged row", "size 4 4\nscale 2\nimage 1\n..\n.\n",
                  "bad.txt:5: image 1, row 2 has 1 cells, expected 2 (ragged grid)"},
        BadSource{"unknown colour", "size 4 4\nscale 2\ncolour K 1 2 3\nimage 1\nK.\nKx\n",
                  "bad.txt:6: image 1, row 2, column 2: unknown colour 'x'"},
        BadSource{"too few rows", "size 4 4\nscale 2\nimage 1\n..\n\n", "bad.txt:5: image 1 has 1 rows, expected 2"},
        BadSource{"too few rows at the end", "size 4 4\nscale 2\nimage 1\n..",
                  "bad.txt:4: image 1 has 1 rows, expected 2"},
        BadSource{"too many rows", "size 4 4\nscale 2\nimage 1\n..\n..\n..\n",
                  "bad.txt:6: image 1, row 3: the grid has more than 2 rows"},
        BadSource{"size not whole cells", "size 5 4\nscale 2\nimage 1\n",
                  "bad.txt:3: size 5 x 4 is not a whole number of cells at scale 2"},
        BadSource{"pure green", "size 4 4\nscale 2\ncolour g 0 255 0\n",
                  "bad.txt:3: colour 'g' is the transparent background green (0, 255, 0)"},
        BadSource{"near green", "size 4 4\nscale 2\ncolour g 20 230 40\n",
                  "bad.txt:3: colour 'g' (20, 230, 40) is too close to the transparent background green (0, 255, 0)"},
        BadSource{"background redefined", "colour . 0 0 0\n",
                  "bad.txt:1: '.' is the background and cannot be given a colour"},
        BadSource{"hash as colour", "colour # 0 0 0\n",
                  "bad.txt:1: colour needs one character and red, green and blue values from 0 to 255"},
        BadSource{"colour twice", "colour K 1 2 3\ncolour K 1 2 3\n", "bad.txt:2: colour 'K' is defined twice"},
        BadSource{"channel too large", "colour K 1 2 256\n",
                  "bad.txt:1: colour needs one character and red, green and blue values from 0 to 255"},
        BadSource{"channel negative", "colour K 1 -2 3\n",
                  "bad.txt:1: colour needs one character and red, green and blue values from 0 to 255"},
        BadSource{"channel not a number", "colour K 1 2 3x\n",
                  "bad.txt:1: colour needs one character and red, green and blue values from 0 to 255"},
        BadSource{"colour after a grid", "size 4 4\nscale 2\nimage 1\n..\n..\n\ncolour K 1 2 3\n",
                  "bad.txt:7: colour after the first image: the palette comes before the grids"},
        BadSource{"image before size", "scale 2\nimage 1\n", "bad.txt:2: image before size and scale"},
        BadSource{"image number twice", "size 2 2\nscale 2\nimage 1\n.\n\nimage 1\n",
                  "bad.txt:6: image 1 appears twice"},
        BadSource{"image number zero", "size 2 2\nscale 2\nimage 0\n",
                  "bad.txt:3: image needs one resource number from 1 to 65535"},
        BadSource{"image number too large", "size 2 2\nscale 2\nimage 65536\n",
                  "bad.txt:3: image needs one resource number from 1 to 65535"},
        BadSource{"image name as a path", "size 2 2\nscale 2\nimage ../102\n",
                  "bad.txt:3: image needs one resource number from 1 to 65535"},
        BadSource{"size too large", "size 5000 10\n", "bad.txt:1: size needs a width and a height from 1 to 4096"},
        BadSource{"size zero", "size 0 10\n", "bad.txt:1: size needs a width and a height from 1 to 4096"},
        BadSource{"size twice", "size 2 2\nsize 2 2\n", "bad.txt:2: size is given twice"},
        BadSource{"scale zero", "scale 0\n", "bad.txt:1: scale needs one whole number from 1 to 64"},
        BadSource{"unknown directive", "sise 2 2\n",
                  "bad.txt:1: unknown directive 'sise' (expected size, scale, colour or image)"},
        BadSource{"no image", "size 2 2\nscale 1\n", "bad.txt:3: the source holds no image"}),
    [](const ::testing::TestParamInfo<BadSource>& info) {
      std::string name = info.param.what;
      for (char& c : name) {
        if (c == ' ') c = '_';
      }
      return name;
    });

TEST(ArtSource, NearBackgroundMeansWithin48OfPureGreenInEveryChannel) {
  EXPECT_TRUE(IsNearBackground({47, 208, 47}));
  EXPECT_FALSE(IsNearBackground({48, 255, 0}));
  EXPECT_FALSE(IsNearBackground({0, 207, 0}));
  EXPECT_FALSE(IsNearBackground({0, 255, 48}));
  EXPECT_FALSE(IsNearBackground({0, 0, 0}));
}

}  // namespace
}  // namespace art

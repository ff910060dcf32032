// The art source format: a text file that holds one palette and the pixel grids of one or more bitmaps.
//
//   # a comment line
//   size 160 120            size of every bitmap of the file, in pixels
//   scale 2                 each grid cell becomes a scale x scale block of pixels
//   colour K 40 28 24       a palette entry: one character, then red, green and blue (0 to 255)
//   image 102               the grid of bitmap 102 follows, one line per row of cells,
//   ....KK....              ending at a blank line or at the end of the file
//
// '.' is always the background, pure green (0, 255, 0), the saver's transparent colour; no palette entry may
// be that green or close to it, so nothing but the background can turn transparent.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace art {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

inline bool operator==(Rgb a, Rgb b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

constexpr char kBackgroundCell = '.';
constexpr Rgb kBackgroundColour{0, 255, 0};

// Limits that keep every size computation small and every output file name a plain resource number.
constexpr int kMaxImageSide = 4096;
constexpr int kMaxScale = 64;
constexpr int kMaxImageId = 65535;

struct ArtImage {
  int id = 0;
  int line = 0;                   // line of the "image" directive, for messages
  std::vector<std::string> rows;  // rows of cells, top row first
};

struct ArtSource {
  int width = 0;
  int height = 0;
  int scale = 0;
  std::map<char, Rgb> palette;  // the background cell included
  std::vector<ArtImage> images;
};

struct ParseResult {
  bool ok = false;
  ArtSource source;   // complete and consistent when ok
  std::string error;  // "NAME:LINE: message" when not ok
};

// Reads and checks a whole source: every grid has the declared size, every cell is in the palette, no colour
// can be mistaken for the background. sourceName only prefixes the error message.
ParseResult ParseArtSource(std::string_view text, std::string_view sourceName);

// True for colours a viewer could confuse with the transparent green: within 48 of it in every channel.
bool IsNearBackground(Rgb colour);

}  // namespace art

#include "tools/art/art_source.h"

#include <charconv>
#include <cstdlib>
#include <set>

namespace art {
namespace {

constexpr int kNearBackgroundDistance = 48;

std::string_view TrimRight(std::string_view line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) {
    line.remove_suffix(1);
  }
  return line;
}

// Splits a directive line into words, dropping a trailing "# comment".
std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    if (at == line.size() || line[at] == '#') break;
    std::size_t end = at;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

// A whole decimal number from low to high; nothing else (no sign, no trailing characters).
bool ParseNumber(std::string_view word, int low, int high, int& value) {
  if (word.empty() || word.size() > 6) return false;
  int parsed = 0;
  auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), parsed);
  if (status != std::errc() || end != word.data() + word.size() || word[0] == '-' || word[0] == '+') {
    return false;
  }
  if (parsed < low || parsed > high) return false;
  value = parsed;
  return true;
}

std::string Describe(Rgb colour) {
  return "(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) + ", " +
         std::to_string(colour.blue) + ")";
}

bool IsPaletteCharacter(char cell) {
  return cell > ' ' && cell <= '~' && cell != kBackgroundCell && cell != '#';
}

class Parser {
 public:
  explicit Parser(std::string_view sourceName) : sourceName_(sourceName) {
    result_.source.palette[kBackgroundCell] = kBackgroundColour;
  }

  ParseResult Run(std::string_view text) {
    std::size_t at = 0;
    while (ok() && at <= text.size()) {
      std::size_t end = text.find('\n', at);
      if (end == std::string_view::npos) end = text.size();
      ++lineNumber_;
      ReadLine(TrimRight(text.substr(at, end - at)));
      at = end + 1;
    }
    if (ok()) FinishGrid();
    if (ok() && result_.source.images.empty()) Fail("the source holds no image");
    result_.ok = ok();
    return std::move(result_);
  }

 private:
  bool ok() const { return result_.error.empty(); }
  ArtSource& source() { return result_.source; }

  void Fail(const std::string& message) {
    if (ok()) result_.error = std::string(sourceName_) + ":" + std::to_string(lineNumber_) + ": " + message;
  }

  void ReadLine(std::string_view line) {
    if (inGrid_) {
      if (line.empty()) {
        FinishGrid();
      } else {
        ReadRow(line);
      }
      return;
    }
    std::vector<std::string_view> words = Words(line);
    if (words.empty()) return;
    if (words[0] == "size") {
      ReadSize(words);
    } else if (words[0] == "scale") {
      ReadScale(words);
    } else if (words[0] == "colour") {
      ReadColour(words);
    } else if (words[0] == "image") {
      ReadImage(words);
    } else {
      Fail("unknown directive '" + std::string(words[0]) + "' (expected size, scale, colour or image)");
    }
  }

  void ReadSize(const std::vector<std::string_view>& words) {
    if (source().width != 0) return Fail("size is given twice");
    if (words.size() != 3 || !ParseNumber(words[1], 1, kMaxImageSide, source().width) ||
        !ParseNumber(words[2], 1, kMaxImageSide, source().height)) {
      source().width = 0;
      return Fail("size needs a width and a height from 1 to " + std::to_string(kMaxImageSide));
    }
  }

  void ReadScale(const std::vector<std::string_view>& words) {
    if (source().scale != 0) return Fail("scale is given twice");
    if (words.size() != 2 || !ParseNumber(words[1], 1, kMaxScale, source().scale)) {
      source().scale = 0;
      return Fail("scale needs one whole number from 1 to " + std::to_string(kMaxScale));
    }
  }

  void ReadColour(const std::vector<std::string_view>& words) {
    if (!source().images.empty()) return Fail("colour after the first image: the palette comes before the grids");
    int red = 0, green = 0, blue = 0;
    if (words.size() != 5 || words[1].size() != 1 || !ParseNumber(words[2], 0, 255, red) ||
        !ParseNumber(words[3], 0, 255, green) || !ParseNumber(words[4], 0, 255, blue)) {
      return Fail("colour needs one character and red, green and blue values from 0 to 255");
    }
    const char cell = words[1][0];
    if (cell == kBackgroundCell) return Fail("'.' is the background and cannot be given a colour");
    if (!IsPaletteCharacter(cell)) return Fail("colour character must be a visible character other than '#'");
    if (source().palette.count(cell) != 0) return Fail(std::string("colour '") + cell + "' is defined twice");
    const Rgb colour{static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                     static_cast<std::uint8_t>(blue)};
    if (colour == kBackgroundColour) {
      return Fail(std::string("colour '") + cell + "' is the transparent background green " + Describe(colour));
    }
    if (IsNearBackground(colour)) {
      return Fail(std::string("colour '") + cell + "' " + Describe(colour) +
                  " is too close to the transparent background green (0, 255, 0)");
    }
    source().palette[cell] = colour;
  }

  void ReadImage(const std::vector<std::string_view>& words) {
    if (source().width == 0 || source().scale == 0) return Fail("image before size and scale");
    if (source().width % source().scale != 0 || source().height % source().scale != 0) {
      return Fail("size " + std::to_string(source().width) + " x " + std::to_string(source().height) +
                  " is not a whole number of cells at scale " + std::to_string(source().scale));
    }
    ArtImage image;
    if (words.size() != 2 || !ParseNumber(words[1], 1, kMaxImageId, image.id)) {
      return Fail("image needs one resource number from 1 to " + std::to_string(kMaxImageId));
    }
    if (!ids_.insert(image.id).second) return Fail("image " + std::to_string(image.id) + " appears twice");
    image.line = lineNumber_;
    source().images.push_back(std::move(image));
    inGrid_ = true;
  }

  void ReadRow(std::string_view row) {
    ArtImage& image = source().images.back();
    const std::string where =
        "image " + std::to_string(image.id) + ", row " + std::to_string(image.rows.size() + 1);
    const std::size_t columns = static_cast<std::size_t>(source().width / source().scale);
    const std::size_t rows = static_cast<std::size_t>(source().height / source().scale);
    if (image.rows.size() == rows) return Fail(where + ": the grid has more than " + std::to_string(rows) + " rows");
    if (row.size() != columns) {
      return Fail(where + " has " + std::to_string(row.size()) + " cells, expected " + std::to_string(columns) +
                  " (ragged grid)");
    }
    for (std::size_t column = 0; column < row.size(); ++column) {
      if (source().palette.count(row[column]) == 0) {
        return Fail(where + ", column " + std::to_string(column + 1) + ": unknown colour '" + row[column] + "'");
      }
    }
    image.rows.emplace_back(row);
  }

  void FinishGrid() {
    if (!inGrid_) return;
    inGrid_ = false;
    const ArtImage& image = source().images.back();
    const std::size_t rows = static_cast<std::size_t>(source().height / source().scale);
    if (image.rows.size() != rows) {
      Fail("image " + std::to_string(image.id) + " has " + std::to_string(image.rows.size()) + " rows, expected " +
           std::to_string(rows));
    }
  }

  std::string_view sourceName_;
  ParseResult result_;
  std::set<int> ids_;
  int lineNumber_ = 0;
  bool inGrid_ = false;
};

}  // namespace

bool IsNearBackground(Rgb colour) {
  return std::abs(colour.red - kBackgroundColour.red) < kNearBackgroundDistance &&
         std::abs(colour.green - kBackgroundColour.green) < kNearBackgroundDistance &&
         std::abs(colour.blue - kBackgroundColour.blue) < kNearBackgroundDistance;
}

ParseResult ParseArtSource(std::string_view text, std::string_view sourceName) {
  return Parser(sourceName).Run(text);
}

}  // namespace art

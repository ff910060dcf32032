// Reads back the 24-bit BMP files the art tool writes, for checking them in tests.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/art/art_source.h"

namespace art::testing {

inline std::uint32_t ReadU32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

inline std::uint16_t ReadU16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

inline std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The header fields a resource loader relies on.
struct BmpHeader {
  std::uint32_t fileSize = 0;
  std::uint32_t pixelOffset = 0;
  std::uint32_t infoSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;
  std::uint32_t clrUsed = 0;
};

inline BmpHeader ReadBmpHeader(const std::vector<std::uint8_t>& bytes) {
  BmpHeader header;
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return header;
  header.fileSize = ReadU32(bytes, 2);
  header.pixelOffset = ReadU32(bytes, 10);
  header.infoSize = ReadU32(bytes, 14);
  header.width = static_cast<std::int32_t>(ReadU32(bytes, 18));
  header.height = static_cast<std::int32_t>(ReadU32(bytes, 22));
  header.planes = ReadU16(bytes, 26);
  header.bitCount = ReadU16(bytes, 28);
  header.compression = ReadU32(bytes, 30);
  header.sizeImage = ReadU32(bytes, 34);
  header.clrUsed = ReadU32(bytes, 46);
  return header;
}

// Pixel (x, y), y counted from the top, of a bottom-up 24-bit file whose header has been checked.
inline Rgb PixelAt(const std::vector<std::uint8_t>& bytes, const BmpHeader& header, int x, int y) {
  const std::size_t stride = (static_cast<std::size_t>(header.width) * 3 + 3) / 4 * 4;
  const std::size_t at = header.pixelOffset + static_cast<std::size_t>(header.height - 1 - y) * stride +
                         static_cast<std::size_t>(x) * 3;
  return Rgb{bytes[at + 2], bytes[at + 1], bytes[at]};
}

}  // namespace art::testing

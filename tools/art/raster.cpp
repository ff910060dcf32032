#include "tools/art/raster.h"

namespace art {
namespace {

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

RgbImage Rasterise(const ArtSource& source, const ArtImage& image) {
  RgbImage picture;
  picture.width = source.width;
  picture.height = source.height;
  picture.pixels.resize(static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height));
  for (int y = 0; y < source.height; ++y) {
    const std::string& row = image.rows[static_cast<std::size_t>(y / source.scale)];
    for (int x = 0; x < source.width; ++x) {
      picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(source.width) +
                     static_cast<std::size_t>(x)] = source.palette.at(row[static_cast<std::size_t>(x / source.scale)]);
    }
  }
  return picture;
}

std::vector<std::uint8_t> EncodeBmp(const RgbImage& image) {
  const std::uint32_t width = static_cast<std::uint32_t>(image.width);
  const std::uint32_t height = static_cast<std::uint32_t>(image.height);
  const std::uint32_t stride = (width * 3 + 3) / 4 * 4;
  const std::uint32_t pixelBytes = stride * height;
  const std::uint32_t pixelOffset = kBmpFileHeaderSize + kBmpInfoHeaderSize;

  std::vector<std::uint8_t> bytes;
  bytes.reserve(pixelOffset + pixelBytes);
  // BITMAPFILEHEADER: "BM", file size, two reserved words, offset of the pixels.
  bytes.push_back('B');
  bytes.push_back('M');
  PutLittleEndian(bytes, pixelOffset + pixelBytes, 4);
  PutLittleEndian(bytes, 0, 4);
  PutLittleEndian(bytes, pixelOffset, 4);
  // BITMAPINFOHEADER: a positive height means the rows are stored bottom-up.
  PutLittleEndian(bytes, kBmpInfoHeaderSize, 4);
  PutLittleEndian(bytes, width, 4);
  PutLittleEndian(bytes, height, 4);
  PutLittleEndian(bytes, 1, 2);           // biPlanes
  PutLittleEndian(bytes, 24, 2);          // biBitCount
  PutLittleEndian(bytes, 0, 4);           // biCompression: BI_RGB
  PutLittleEndian(bytes, pixelBytes, 4);  // biSizeImage
  PutLittleEndian(bytes, 0, 4);           // biXPelsPerMeter
  PutLittleEndian(bytes, 0, 4);           // biYPelsPerMeter
  PutLittleEndian(bytes, 0, 4);           // biClrUsed: no colour table
  PutLittleEndian(bytes, 0, 4);           // biClrImportant

  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgb pixel = image.At(x, y);
      bytes.push_back(pixel.blue);
      bytes.push_back(pixel.green);
      bytes.push_back(pixel.red);
    }
    for (std::uint32_t pad = width * 3; pad < stride; ++pad) bytes.push_back(0);
  }
  return bytes;
}

}  // namespace art

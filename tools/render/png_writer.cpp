#include "tools/render/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace render {
namespace {

struct PngFailure {
  std::string message;
};

void OnPngError(png_structp png, png_const_charp message) {
  static_cast<PngFailure*>(png_get_error_ptr(png))->message = message;
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// libpng reports errors by longjmp, so everything with a destructor lives outside this function.
bool Encode(std::FILE* file, const std::uint32_t* pixels, int width, int height, int stride,
            std::vector<png_byte>& row, PngFailure& failure) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, OnPngError, OnPngWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* source = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      row[3 * x + 0] = static_cast<png_byte>(source[x] >> 16);
      row[3 * x + 1] = static_cast<png_byte>(source[x] >> 8);
      row[3 * x + 2] = static_cast<png_byte>(source[x]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePng(const std::string& path, const std::uint32_t* pixels, int width, int height, int stride,
              std::string& error) {
  if (pixels == nullptr || width <= 0 || height <= 0 || stride < width) {
    error = "no picture to write to " + path;
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    error = "cannot create " + path;
    return false;
  }
  std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
  PngFailure failure;
  const bool encoded = Encode(file, pixels, width, height, stride, row, failure);
  const bool closed = std::fclose(file) == 0;
  if (encoded && closed) return true;
  error = "cannot write " + path + (failure.message.empty() ? "" : ": " + failure.message);
  std::remove(path.c_str());
  return false;
}

}  // namespace render

#include "tests/windows/programs/bmp_file.h"

#include <cstdio>

namespace wintrace {

bool WriteBmp(const std::string& path, const Surface& surface, std::string& error) {
  if (!surface.HoldsImage()) {
    error = "no picture to write to " + path;
    return false;
  }
  const DWORD imageBytes = static_cast<DWORD>(surface.Stride()) * static_cast<DWORD>(surface.Height());
  BITMAPINFOHEADER info = *surface.header;
  info.biSizeImage = imageBytes;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + imageBytes;

  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) {
    error = "cannot write " + path;
    return false;
  }
  const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
                       std::fwrite(surface.pixels, 1, imageBytes, out) == imageBytes;
  if (std::fclose(out) != 0 || !written) {
    std::remove(path.c_str());
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace wintrace

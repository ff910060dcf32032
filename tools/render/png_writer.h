// Writes 8-bit RGB PNG files with libpng.
#pragma once

#include <cstdint>
#include <string>

namespace render {

// Pixels are 0x00RRGGBB, rows top-down, `stride` pixels apart. Returns false (and sets `error`) when the file
// cannot be written; a half-written file is removed.
bool WritePng(const std::string& path, const std::uint32_t* pixels, int width, int height, int stride,
              std::string& error);

}  // namespace render

// Writes a surface (a 24-bit bottom-up picture, see gfx/surface.h) as a .bmp file: the pixels exactly as they
// are in memory, behind a file header and the surface's own info header.
#pragma once

#include <string>

#include "gfx/surface.h"

namespace wintrace {

// False (and `error` set) when the surface holds no picture or the file cannot be written; a half-written file
// is removed.
bool WriteBmp(const std::string& path, const Surface& surface, std::string& error);

}  // namespace wintrace

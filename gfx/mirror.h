// MirrorCopy: copies a whole 24-bit image with every row reversed left to right.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// `source` and `out` both hold `height` rows of `width` pixels, `stride` bytes apart, and must not overlap. The
// pixel at column c of each row of the source goes to column width - 1 - c of the same row of `out`; the rows
// keep their order and the bytes of each pixel their order. An image with no rows or no columns writes nothing.
void MirrorCopy(const BYTE* source, std::int32_t width, std::int32_t height, std::int32_t stride, BYTE* out);

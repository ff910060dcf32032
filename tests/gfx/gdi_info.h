// BITMAPINFO headers for the CreateDIBSection tests: 24-bit bottom-up unless told otherwise.
#pragma once

#include <climits>
#include <vector>

#include "platform/win32.h"

inline BITMAPINFO DibInfo(LONG width, LONG height, WORD bitCount = 24, DWORD compression = BI_RGB, WORD planes = 1,
                          DWORD size = 40) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = size;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = planes;
  info.bmiHeader.biBitCount = bitCount;
  info.bmiHeader.biCompression = compression;
  return info;
}

// Arguments that CreateDIBSection refuses on every platform.
struct BadDibSectionCase {
  const char* name;
  BITMAPINFO info;
  UINT usage;
};

inline std::vector<BadDibSectionCase> BadDibSectionCases() {
  return {
      {"zero width", DibInfo(0, 4), DIB_RGB_COLORS},
      {"negative width", DibInfo(-4, 4), DIB_RGB_COLORS},
      {"zero height", DibInfo(4, 0), DIB_RGB_COLORS},
      {"INT_MIN height", DibInfo(4, INT_MIN), DIB_RGB_COLORS},
      {"RLE8", DibInfo(4, 4, 24, 1), DIB_RGB_COLORS},
      {"two planes", DibInfo(4, 4, 24, BI_RGB, 2), DIB_RGB_COLORS},
      {"short header", DibInfo(4, 4, 24, BI_RGB, 1, 12), DIB_RGB_COLORS},
      {"DIB_PAL_INDICES", DibInfo(4, 4), 2},
      {"unknown usage", DibInfo(4, 4), 99},
      {"rows past 64 bits", DibInfo(INT_MAX, INT_MAX), DIB_RGB_COLORS},
  };
}

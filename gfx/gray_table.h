// GrayTable: the grey level of a pixel from the sum of its three channels. Entry i, for i from 0 to 765, is
// i / 3 rounded down: the mean of the channels.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/win32.h"

class GrayTable {
 public:
  static constexpr std::size_t kEntries = 766;

  GrayTable();

  // The grey level for a channel sum of 0 to 765.
  BYTE operator[](std::size_t channelSum) const { return entries[channelSum]; }
  std::size_t Size() const { return entries.size(); }

 private:
  std::vector<BYTE> entries;
};

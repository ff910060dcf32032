#include "gfx/gray_table.h"

GrayTable::GrayTable() : entries(kEntries, 0) {
  for (std::size_t sum = 0; sum < kEntries; ++sum) {
    entries[sum] = static_cast<BYTE>(sum / 3);
  }
}

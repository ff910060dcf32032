// GlobalAlloc, GlobalLock, GlobalUnlock and GlobalFree as the palette code uses them. These run on both
// platforms: on Windows they check that our POSIX implementation answers as the system does.
#include <gtest/gtest.h>

#include <cstddef>

#include "platform/win32.h"

namespace {

TEST(GlobalMemory, MoveableBlocksAreLockedThroughTheirHandle) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64);
  ASSERT_NE(memory, nullptr);

  auto* bytes = static_cast<BYTE*>(GlobalLock(memory));
  ASSERT_NE(bytes, nullptr);
  EXPECT_NE(static_cast<void*>(bytes), memory);  // the handle is not the address
  for (std::size_t i = 0; i < 64; ++i) {
    ASSERT_EQ(bytes[i], 0) << i;
  }
  bytes[63] = 7;
  EXPECT_EQ(GlobalLock(memory), bytes);  // a second lock, same place

  EXPECT_EQ(GlobalUnlock(memory), TRUE);   // still locked once
  EXPECT_EQ(GlobalUnlock(memory), FALSE);  // now unlocked
  EXPECT_EQ(GlobalUnlock(memory), FALSE);  // not locked at all
  EXPECT_EQ(GlobalFree(memory), nullptr);
}

TEST(GlobalMemory, FixedBlocksAreTheirOwnAddress) {
  HGLOBAL memory = GlobalAlloc(GMEM_FIXED, 8);
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(GlobalLock(memory), memory);
  // A fixed block has no lock count; GlobalUnlock answers nonzero, however often it is called.
  EXPECT_NE(GlobalUnlock(memory), FALSE);
  EXPECT_NE(GlobalUnlock(memory), FALSE);
  EXPECT_EQ(GlobalFree(memory), nullptr);
}

TEST(GlobalMemory, NullIsNoBlock) { EXPECT_EQ(GlobalLock(nullptr), nullptr); }

// An empty fixed block still has an address of its own. An empty moveable block is made discarded, as Windows
// documents: it has a handle, but GlobalLock gives null.
TEST(GlobalMemory, EmptyBlocks) {
  HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 0);
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(GlobalLock(fixed), fixed);
  EXPECT_EQ(GlobalFree(fixed), nullptr);

  HGLOBAL moveable = GlobalAlloc(GHND, 0);
  ASSERT_NE(moveable, nullptr);
  EXPECT_EQ(GlobalLock(moveable), nullptr);
  EXPECT_EQ(GlobalUnlock(moveable), FALSE);
  EXPECT_EQ(GlobalFree(moveable), nullptr);
}

}  // namespace

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
  EXPECT_EQ(GlobalUnlock(memory), FALSE);
  EXPECT_EQ(GlobalFree(memory), nullptr);
}

TEST(GlobalMemory, NullIsNoBlock) { EXPECT_EQ(GlobalLock(nullptr), nullptr); }

TEST(GlobalMemory, EmptyBlocksStillHaveAnAddress) {
  HGLOBAL memory = GlobalAlloc(GHND, 0);
  ASSERT_NE(memory, nullptr);
  EXPECT_NE(GlobalLock(memory), nullptr);
  GlobalUnlock(memory);
  GlobalFree(memory);
}

}  // namespace

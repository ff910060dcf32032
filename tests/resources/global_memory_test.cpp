// GlobalAlloc, GlobalLock, GlobalUnlock and GlobalFree as the palette code uses them, and their answers to
// handles that name no block.
#include <gtest/gtest.h>

#include <cstddef>

#include "platform/posix/global_memory.h"
#include "platform/win32.h"

namespace {

TEST(GlobalMemory, MoveableBlocksAreLockedThroughTheirHandle) {
  const std::size_t blocks = posix::GlobalBlockCount();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64);
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(posix::GlobalBlockCount(), blocks + 1);

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
  EXPECT_EQ(posix::GlobalBlockCount(), blocks);
}

TEST(GlobalMemory, FixedBlocksAreTheirOwnAddress) {
  HGLOBAL memory = GlobalAlloc(GMEM_FIXED, 8);
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(GlobalLock(memory), memory);
  EXPECT_EQ(GlobalUnlock(memory), FALSE);
  EXPECT_EQ(GlobalFree(memory), nullptr);
}

TEST(GlobalMemory, UnknownHandlesGetTheFailureResults) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 4);
  ASSERT_EQ(GlobalFree(memory), nullptr);
  // Freed: the handle names nothing any more.
  EXPECT_EQ(GlobalLock(memory), nullptr);
  EXPECT_EQ(GlobalUnlock(memory), FALSE);
  EXPECT_EQ(GlobalFree(memory), memory);

  int notABlock = 0;
  EXPECT_EQ(GlobalLock(&notABlock), nullptr);
  EXPECT_EQ(GlobalFree(&notABlock), &notABlock);
  EXPECT_EQ(GlobalLock(nullptr), nullptr);
}

TEST(GlobalMemory, RefusalMakesAllocationFail) {
  posix::SetGlobalAllocRefusal(true);
  EXPECT_EQ(GlobalAlloc(GHND, 16), nullptr);
  posix::SetGlobalAllocRefusal(false);
  HGLOBAL memory = GlobalAlloc(GHND, 16);
  EXPECT_NE(memory, nullptr);
  GlobalFree(memory);
}

TEST(GlobalMemory, EmptyBlocksStillHaveAnAddress) {
  HGLOBAL memory = GlobalAlloc(GHND, 0);
  ASSERT_NE(memory, nullptr);
  EXPECT_NE(GlobalLock(memory), nullptr);
  GlobalUnlock(memory);
  GlobalFree(memory);
}

}  // namespace

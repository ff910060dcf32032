// What only our POSIX global memory does: it counts its blocks, can be told to refuse, and answers handles that
// name no block with the failure results (on Windows a freed or made-up handle is undefined behaviour).
#include <gtest/gtest.h>

#include "platform/posix/global_memory.h"
#include "platform/win32.h"

namespace {

TEST(PosixGlobalMemory, BlocksAreCountedUntilFreed) {
  const std::size_t blocks = posix::GlobalBlockCount();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64);
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(posix::GlobalBlockCount(), blocks + 1);
  EXPECT_EQ(GlobalFree(memory), nullptr);
  EXPECT_EQ(posix::GlobalBlockCount(), blocks);
}

TEST(PosixGlobalMemory, UnknownHandlesGetTheFailureResults) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 4);
  ASSERT_EQ(GlobalFree(memory), nullptr);
  // Freed: the handle names nothing any more.
  EXPECT_EQ(GlobalLock(memory), nullptr);
  EXPECT_EQ(GlobalUnlock(memory), FALSE);
  EXPECT_EQ(GlobalFree(memory), memory);

  int notABlock = 0;
  EXPECT_EQ(GlobalLock(&notABlock), nullptr);
  EXPECT_EQ(GlobalFree(&notABlock), &notABlock);
}

TEST(PosixGlobalMemory, RefusalMakesAllocationFail) {
  posix::SetGlobalAllocRefusal(true);
  EXPECT_EQ(GlobalAlloc(GHND, 16), nullptr);
  posix::SetGlobalAllocRefusal(false);
  HGLOBAL memory = GlobalAlloc(GHND, 16);
  EXPECT_NE(memory, nullptr);
  GlobalFree(memory);
}

}  // namespace

// GlobalAlloc, GlobalLock, GlobalUnlock and GlobalFree over the C++ heap.
//
// A GMEM_FIXED block's handle is the address of its bytes; a GMEM_MOVEABLE block's handle is an opaque value
// that GlobalLock turns into that address and that counts its locks. Blocks never actually move. As on
// Windows, a moveable block of 0 bytes is made discarded: it has a handle but no address, so GlobalLock gives
// null (a fixed block of 0 bytes still has an address of its own). Every handle
// is checked against the list of live blocks, so a stale or made-up handle gets the documented failure result
// instead of being dereferenced. The bytes are always zero-filled: GMEM_ZEROINIT asks for that, and without it
// the content is unspecified anyway.
#include "platform/posix/global_memory.h"

#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

#include "platform/win32.h"

namespace {

struct GlobalBlock {
  std::unique_ptr<BYTE[]> bytes;  // null for a discarded block
  bool moveable = false;
  unsigned lockCount = 0;
};

struct GlobalHeap {
  std::mutex mutex;
  std::unordered_map<HGLOBAL, std::unique_ptr<GlobalBlock>> blocks;
  bool refuse = false;
};

GlobalHeap& Heap() {
  static GlobalHeap heap;
  return heap;
}

GlobalBlock* FindBlock(GlobalHeap& heap, HGLOBAL memory) {
  const auto found = heap.blocks.find(memory);
  return found == heap.blocks.end() ? nullptr : found->second.get();
}

}  // namespace

namespace posix {

void SetGlobalAllocRefusal(bool refuse) {
  GlobalHeap& heap = Heap();
  std::lock_guard<std::mutex> lock(heap.mutex);
  heap.refuse = refuse;
}

std::size_t GlobalBlockCount() {
  GlobalHeap& heap = Heap();
  std::lock_guard<std::mutex> lock(heap.mutex);
  return heap.blocks.size();
}

}  // namespace posix

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
  GlobalHeap& heap = Heap();
  std::lock_guard<std::mutex> lock(heap.mutex);
  if (heap.refuse) {
    return nullptr;
  }
  auto block = std::make_unique<GlobalBlock>();
  block->moveable = (flags & GMEM_MOVEABLE) != 0;
  if (!block->moveable || bytes != 0) {
    // At least one byte, so that even an empty fixed block has an address of its own.
    block->bytes.reset(new (std::nothrow) BYTE[bytes == 0 ? 1 : bytes]());
    if (!block->bytes) {
      return nullptr;
    }
  }
  HGLOBAL handle = block->moveable ? static_cast<HGLOBAL>(block.get()) : static_cast<HGLOBAL>(block->bytes.get());
  heap.blocks.emplace(handle, std::move(block));
  return handle;
}

LPVOID WINAPI GlobalLock(HGLOBAL memory) {
  GlobalHeap& heap = Heap();
  std::lock_guard<std::mutex> lock(heap.mutex);
  GlobalBlock* block = FindBlock(heap, memory);
  if (block == nullptr || !block->bytes) {
    return nullptr;
  }
  if (block->moveable) {
    ++block->lockCount;
  }
  return block->bytes.get();
}

// Nonzero while the block stays locked, and always for a fixed block, which has no lock count (as on Windows);
// FALSE once a moveable block's last lock is released, for one that is not locked, and for a handle that names
// no block.
BOOL WINAPI GlobalUnlock(HGLOBAL memory) {
  GlobalHeap& heap = Heap();
  std::lock_guard<std::mutex> lock(heap.mutex);
  GlobalBlock* block = FindBlock(heap, memory);
  if (block == nullptr) {
    return FALSE;
  }
  if (!block->moveable) {
    return TRUE;
  }
  if (block->lockCount == 0) {
    return FALSE;
  }
  --block->lockCount;
  return block->lockCount > 0 ? TRUE : FALSE;
}

// Null on success; the handle itself when it names no block.
HGLOBAL WINAPI GlobalFree(HGLOBAL memory) {
  GlobalHeap& heap = Heap();
  std::lock_guard<std::mutex> lock(heap.mutex);
  return heap.blocks.erase(memory) == 1 ? nullptr : memory;
}

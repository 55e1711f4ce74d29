// Private heaps over malloc: every block is linked into its heap so that
// HeapDestroy frees them all at once, and every block is its own allocation so
// that the sanitizers see overruns of each one.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

namespace {

struct alignas(std::max_align_t) BlockHeader {
  BlockHeader *previous;
  BlockHeader *next;
  SIZE_T size;
};

struct Heap {
  DWORD options;
  SIZE_T maximumSize; // 0: growable
  SIZE_T usedSize;
  BlockHeader blocks; // circular list head
  std::mutex lock;
};

// Serialised heaps take their lock unless either the heap or the call asks
// for no serialisation.
class HeapGuard {
public:
  HeapGuard(Heap *heap, DWORD flags) : held_(((heap->options | flags) & HEAP_NO_SERIALIZE) == 0 ? heap : nullptr) {
    if (held_) {
      held_->lock.lock();
    }
  }
  ~HeapGuard() {
    if (held_) {
      held_->lock.unlock();
    }
  }
  HeapGuard(const HeapGuard &) = delete;
  HeapGuard &operator=(const HeapGuard &) = delete;

private:
  Heap *held_;
};

BlockHeader *HeaderOf(LPCVOID memory) {
  return reinterpret_cast<BlockHeader *>(const_cast<char *>(static_cast<const char *>(memory))) - 1;
}

void BlockLink(Heap *heap, BlockHeader *block) {
  block->previous = &heap->blocks;
  block->next = heap->blocks.next;
  heap->blocks.next->previous = block;
  heap->blocks.next = block;
}

void BlockUnlink(BlockHeader *block) {
  block->previous->next = block->next;
  block->next->previous = block->previous;
}

// A fixed-size heap refuses what would take it past its maximum.
bool HeapHasRoom(const Heap *heap, SIZE_T oldSize, SIZE_T newSize) {
  if (heap->maximumSize == 0 || newSize <= oldSize) {
    return true;
  }
  return heap->usedSize - oldSize + newSize <= heap->maximumSize;
}

bool SizeFits(SIZE_T bytes) {
  return bytes <= static_cast<SIZE_T>(PTRDIFF_MAX) - sizeof(BlockHeader);
}

} // namespace

HANDLE WINAPI HeapCreate(DWORD options, SIZE_T initialSize, SIZE_T maximumSize) {
  if (maximumSize != 0 && initialSize > maximumSize) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Heap *heap = new (std::nothrow) Heap;
  if (!heap) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  heap->options = options;
  heap->maximumSize = maximumSize;
  heap->usedSize = 0;
  heap->blocks.previous = &heap->blocks;
  heap->blocks.next = &heap->blocks;
  heap->blocks.size = 0;
  return heap;
}

BOOL WINAPI HeapDestroy(HANDLE handle) {
  Heap *heap = static_cast<Heap *>(handle);
  if (!heap) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  BlockHeader *block = heap->blocks.next;
  while (block != &heap->blocks) {
    BlockHeader *next = block->next;
    std::free(block);
    block = next;
  }
  delete heap;
  return TRUE;
}

LPVOID WINAPI HeapAlloc(HANDLE handle, DWORD flags, SIZE_T bytes) {
  Heap *heap = static_cast<Heap *>(handle);
  if (!heap || !SizeFits(bytes)) {
    return nullptr;
  }
  HeapGuard guard(heap, flags);
  if (!HeapHasRoom(heap, 0, bytes)) {
    return nullptr;
  }
  SIZE_T total = sizeof(BlockHeader) + bytes;
  void *raw = (flags & HEAP_ZERO_MEMORY) ? std::calloc(1, total) : std::malloc(total);
  if (!raw) {
    return nullptr;
  }
  BlockHeader *block = static_cast<BlockHeader *>(raw);
  block->size = bytes;
  BlockLink(heap, block);
  heap->usedSize += bytes;
  return block + 1;
}

LPVOID WINAPI HeapReAlloc(HANDLE handle, DWORD flags, LPVOID memory, SIZE_T bytes) {
  Heap *heap = static_cast<Heap *>(handle);
  if (!heap || !memory || !SizeFits(bytes)) {
    return nullptr;
  }
  HeapGuard guard(heap, flags);
  BlockHeader *block = HeaderOf(memory);
  SIZE_T oldSize = block->size;
  if (!HeapHasRoom(heap, oldSize, bytes)) {
    return nullptr;
  }
  BlockUnlink(block);
  BlockHeader *moved = static_cast<BlockHeader *>(std::realloc(block, sizeof(BlockHeader) + bytes));
  if (!moved) {
    BlockLink(heap, block); // the old block stays valid
    return nullptr;
  }
  if ((flags & HEAP_ZERO_MEMORY) && bytes > oldSize) {
    std::memset(reinterpret_cast<char *>(moved + 1) + oldSize, 0, bytes - oldSize);
  }
  moved->size = bytes;
  BlockLink(heap, moved);
  heap->usedSize = heap->usedSize - oldSize + bytes;
  return moved + 1;
}

BOOL WINAPI HeapFree(HANDLE handle, DWORD flags, LPVOID memory) {
  Heap *heap = static_cast<Heap *>(handle);
  if (!heap) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!memory) {
    return TRUE;
  }
  HeapGuard guard(heap, flags);
  BlockHeader *block = HeaderOf(memory);
  BlockUnlink(block);
  heap->usedSize -= block->size;
  std::free(block);
  return TRUE;
}

SIZE_T WINAPI HeapSize(HANDLE handle, DWORD flags, LPCVOID memory) {
  Heap *heap = static_cast<Heap *>(handle);
  if (!heap || !memory) {
    return static_cast<SIZE_T>(-1);
  }
  HeapGuard guard(heap, flags);
  return HeaderOf(memory)->size;
}

// Visits the heap's blocks, all of them busy: a freed block goes back to
// malloc and leaves the heap.
BOOL WINAPI HeapWalk(HANDLE handle, LPPROCESS_HEAP_ENTRY entry) {
  Heap *heap = static_cast<Heap *>(handle);
  if (!heap || !entry) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  HeapGuard guard(heap, 0);
  BlockHeader *block = entry->lpData ? HeaderOf(entry->lpData)->next : heap->blocks.next;
  if (block == &heap->blocks) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return FALSE;
  }
  entry->lpData = block + 1;
  entry->cbData = static_cast<DWORD>(block->size);
  entry->cbOverhead = static_cast<BYTE>(sizeof(BlockHeader));
  entry->iRegionIndex = 0;
  entry->wFlags = PROCESS_HEAP_ENTRY_BUSY;
  return TRUE;
}

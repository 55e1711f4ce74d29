#include "toolkit/strings/string_engine.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

HANDLE StringHeap = nullptr;
char *ScratchBuffer = nullptr;
int32_t ScratchPos = 0;
int32_t ScratchCapacity = 0;
StorageExhaustedHandler StringStorageExhaustedHandler = nullptr;

namespace {

const int32_t SCRATCH_INITIAL_CAPACITY = 16;
const int32_t SCRATCH_GROWTH_MARGIN = 16384;
// A text of n bytes lives in a block of n + 5 bytes.
const int32_t STRING_BLOCK_EXTRA = 5;
const int64_t STRING_LENGTH_MAX = INT32_MAX - STRING_BLOCK_EXTRA;

int32_t TextLength(const char *text) {
  size_t length = text ? std::strlen(text) : 0;
  if (length > static_cast<size_t>(STRING_LENGTH_MAX)) {
    StringStorageExhausted();
  }
  return static_cast<int32_t>(length);
}

// Reallocates the variable's block (or allocates one) for a text of length
// bytes; the old contents stay.
char *StringBlockFit(StringVar *variable, int32_t length) {
  SIZE_T size = static_cast<SIZE_T>(length) + STRING_BLOCK_EXTRA;
  void *block = *variable ? HeapReAlloc(StringHeap, HEAP_NO_SERIALIZE, *variable, size)
                          : HeapAlloc(StringHeap, HEAP_NO_SERIALIZE, size);
  if (!block) {
    StringStorageExhausted();
  }
  *variable = static_cast<char *>(block);
  return *variable;
}

bool ScratchResize(int64_t capacity) {
  void *block =
      HeapReAlloc(StringHeap, HEAP_NO_SERIALIZE, ScratchBuffer, static_cast<SIZE_T>(capacity) + STRING_BLOCK_EXTRA);
  if (!block) {
    return false;
  }
  ScratchBuffer = static_cast<char *>(block);
  ScratchCapacity = static_cast<int32_t>(capacity);
  return true;
}

// Doubling keeps repeated growth linear. When memory is short the doubled
// block may be refused where a smaller one still fits: the surplus over the
// need (the end plus the growth margin) is halved, down to the margin, before
// the exact need is asked for, so that growth near the limit still takes a
// logarithmic number of reallocations, not one per margin. Only the refusal
// of the exact need ends the program.
void ScratchGrow(int64_t end) {
  int64_t needed = end + SCRATCH_GROWTH_MARGIN;
  if (needed > STRING_LENGTH_MAX) {
    StringStorageExhausted();
  }
  int64_t doubled = std::min(2 * static_cast<int64_t>(ScratchCapacity), STRING_LENGTH_MAX);
  int64_t surplus = doubled - needed;
  if (surplus > 0 && ScratchResize(doubled)) {
    return;
  }
  for (surplus /= 2; surplus >= SCRATCH_GROWTH_MARGIN; surplus /= 2) {
    if (ScratchResize(needed + surplus)) {
      return;
    }
  }
  if (!ScratchResize(needed)) {
    StringStorageExhausted();
  }
}

} // namespace

void StringStorageExhausted() {
  if (StringStorageExhaustedHandler) {
    StringStorageExhaustedHandler();
  }
  std::abort();
}

bool StringEngineInit() {
  StringHeap = HeapCreate(HEAP_NO_SERIALIZE, 4096, 0);
  ScratchPos = 0;
  ScratchCapacity = SCRATCH_INITIAL_CAPACITY;
  ScratchBuffer =
      StringHeap ? static_cast<char *>(HeapAlloc(StringHeap, HEAP_NO_SERIALIZE, SCRATCH_INITIAL_CAPACITY)) : nullptr;
  if (!ScratchBuffer) {
    return false;
  }
  ScratchBuffer[0] = 0;
  return true;
}

void StrInit(StringVar *variable, const char *text) {
  if (!text) {
    return;
  }
  int32_t length = TextLength(text);
  *variable = nullptr;
  std::memcpy(StringBlockFit(variable, length), text, static_cast<size_t>(length) + 1);
}

void StrAssign(StringVar *variable, const char *text) {
  if (!text) {
    StrFree(*variable);
    *variable = nullptr;
    return;
  }
  int32_t length = TextLength(text);
  char *block = *variable;
  // A text taken from the variable itself is moved to the front before the
  // block is resized, since resizing may move it.
  uintptr_t address = reinterpret_cast<uintptr_t>(text);
  uintptr_t start = reinterpret_cast<uintptr_t>(block);
  if (block && address >= start && address <= start + std::strlen(block)) {
    std::memmove(block, text, static_cast<size_t>(length) + 1);
    StringBlockFit(variable, length);
    return;
  }
  std::memcpy(StringBlockFit(variable, length), text, static_cast<size_t>(length) + 1);
}

void StrTakeScratch(StringVar *variable, int32_t pos) {
  int32_t length = std::max(ScratchPos - pos, 0);
  char *block = StringBlockFit(variable, length);
  std::memcpy(block, ScratchAt(pos), static_cast<size_t>(length));
  block[length] = 0;
  ScratchPos = pos;
}

int32_t StrEqual(const char *a, const char *b) {
  return std::strcmp(a ? a : "", b ? b : "") == 0 ? 1 : 0;
}

void StrAppendScratch(const char *text) {
  if (!text) {
    ScratchSetPos(ScratchPos);
    return;
  }
  int32_t length = TextLength(text);
  // A text inside the buffer is found again by its offset after growth.
  int32_t inside = ScratchContains(text);
  char *destination = ScratchReserve(length, ScratchPos);
  std::memmove(destination, inside ? ScratchAt(inside - 1) : text, static_cast<size_t>(length));
  destination[length] = 0;
}

void StrFree(char *text) {
  if (text) {
    HeapFree(StringHeap, HEAP_NO_SERIALIZE, text);
  }
}

char *ScratchReserve(int32_t length, int32_t pos) {
  // Growth is decided on the current end; a larger pos is counted as well so
  // that a caller's mistake cannot write past the block.
  int64_t end = static_cast<int64_t>(std::max(ScratchPos, pos)) + length;
  if (end >= static_cast<int64_t>(ScratchCapacity) - 4) {
    ScratchGrow(end);
  }
  ScratchPos = pos + length;
  return ScratchAt(pos);
}

void ScratchRelease(int32_t count) {
  ScratchPos -= count;
}

void ScratchSetPos(int32_t pos) {
  *ScratchReserve(0, pos) = 0;
}

int32_t ScratchContains(const char *text) {
  uintptr_t address = reinterpret_cast<uintptr_t>(text);
  uintptr_t start = reinterpret_cast<uintptr_t>(ScratchBuffer);
  if (!text || address < start || address > start + static_cast<uintptr_t>(ScratchPos)) {
    return 0;
  }
  return static_cast<int32_t>(address - start) + 1;
}

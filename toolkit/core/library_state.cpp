#include "toolkit/core/library_state.h"

#include <windows.h>

#include "toolkit/core/program_heap.h"

void *LibraryStateCreate(int32_t size, LibraryStateInitialiser initialiser) {
  if (size < 0) {
    return nullptr;
  }
  void *record = HeapAlloc(ProgramHeap, HEAP_ZERO_MEMORY, static_cast<SIZE_T>(size));
  if (record && initialiser) {
    initialiser(record);
  }
  return record;
}

void *LibraryStateGet(void *record) {
  return record;
}

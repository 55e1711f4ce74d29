#include "toolkit/core/program_heap.h"

HANDLE ProgramHeap = nullptr;

bool ProgramHeapCreate() {
  ProgramHeap = HeapCreate(0, 4096, 0);
  return ProgramHeap != nullptr;
}

void ProgramHeapDestroy() {
  HeapDestroy(ProgramHeap);
  ProgramHeap = nullptr;
}

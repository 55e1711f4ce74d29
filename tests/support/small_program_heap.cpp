#include "tests/support/small_program_heap.h"

#include "toolkit/core/program_heap.h"

SmallProgramHeap::SmallProgramHeap(bool filled) : saved(ProgramHeap) {
  ProgramHeap = HeapCreate(0, 4096, 4096);
  while (filled && HeapAlloc(ProgramHeap, 0, 8)) {
  }
}

SmallProgramHeap::~SmallProgramHeap() {
  HeapDestroy(ProgramHeap);
  ProgramHeap = saved;
}

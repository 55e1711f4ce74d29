#include "fuzz/fuzz_core.h"

#include <cstdio>
#include <cstdlib>

#include "toolkit/core/program_heap.h"
#include "toolkit/files/file_reader.h"
#include "toolkit/strings/string_engine.h"

void FuzzCoreStart() {
  if (ProgramHeap) {
    return;
  }
  ProgramHeap = HeapCreate(0, 4096, 0);
  StringEngineInit();
  FileLibraryStartup();
}

void FuzzCheckFailed(const char *condition, const char *file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

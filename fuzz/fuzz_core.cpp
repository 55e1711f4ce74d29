#include "fuzz/fuzz_core.h"

#include <cstdio>
#include <cstdlib>

#include "toolkit/core/program_heap.h"
#include "toolkit/startup/toolkit_startup.h"

void FuzzCoreStart() {
  if (ProgramHeap) {
    return;
  }
  ProgramHeapCreate();
  ToolkitStartup();
}

void FuzzCheckFailed(const char *condition, const char *file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

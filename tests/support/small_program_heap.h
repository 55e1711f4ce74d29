// Puts a program heap in place that cannot grow, so that the toolkit's
// allocations fail, and the real one back afterwards.
#pragma once
#include <windows.h>

struct SmallProgramHeap {
  // filled: not even a small block is left.
  explicit SmallProgramHeap(bool filled);
  ~SmallProgramHeap();
  SmallProgramHeap(const SmallProgramHeap &) = delete;
  SmallProgramHeap &operator=(const SmallProgramHeap &) = delete;
  HANDLE saved;
};

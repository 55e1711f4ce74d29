#include "toolkit/core/program_heap.h"

HANDLE ProgramHeap = nullptr;

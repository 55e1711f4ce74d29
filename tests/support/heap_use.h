// What a heap holds, for tests that an operation gives back all it took.
#pragma once
#include <windows.h>

// Bytes in the heap's allocated blocks, not counting the heap's own overhead.
SIZE_T HeapBytesInUse(HANDLE heap);

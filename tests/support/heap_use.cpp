#include "tests/support/heap_use.h"

SIZE_T HeapBytesInUse(HANDLE heap) {
  SIZE_T bytes = 0;
  PROCESS_HEAP_ENTRY entry = {};
  while (HeapWalk(heap, &entry)) {
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
      bytes += entry.cbData;
    }
  }
  return bytes;
}

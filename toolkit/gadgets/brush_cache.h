// Solid brushes shared by every label and text field of one background colour.
#pragma once
#include <cstdint>
#include <windows.h>
#include "toolkit/core/heap_list.h"

struct BrushCacheEntry {
  COLORREF colour;
  HBRUSH brush;
  int32_t useCount;
};

extern HeapList BrushCache;

HBRUSH BrushCacheAcquire(COLORREF colour);
void BrushCacheRelease(HBRUSH brush);

// Solid brushes shared by colour, counted by use, under BrushCacheLock.
#include "toolkit/gadgets/brush_cache.h"

#include "toolkit/gadgets/gadget.h"

HeapList BrushCache;

HBRUSH BrushCacheAcquire(COLORREF colour) {
  EnterCriticalSection(&BrushCacheLock);
  HBRUSH brush = nullptr;
  for (void *payload = HeapListNewest(&BrushCache); payload; payload = HeapListOlder(payload)) {
    BrushCacheEntry *entry = static_cast<BrushCacheEntry *>(payload);
    if (entry->colour == colour && entry->brush) {
      entry->useCount++;
      brush = entry->brush;
      break;
    }
  }
  if (!brush) {
    BrushCacheEntry *entry = static_cast<BrushCacheEntry *>(HeapListAdd(&BrushCache, sizeof(BrushCacheEntry)));
    if (entry) {
      entry->colour = colour;
      entry->brush = CreateSolidBrush(colour);
      entry->useCount = 1;
      brush = entry->brush;
      // An entry without a brush could never be released again.
      if (!brush) {
        HeapListRemove(&BrushCache, entry);
      }
    }
  }
  LeaveCriticalSection(&BrushCacheLock);
  return brush;
}

void BrushCacheRelease(HBRUSH brush) {
  EnterCriticalSection(&BrushCacheLock);
  for (void *payload = HeapListNewest(&BrushCache); payload; payload = HeapListOlder(payload)) {
    BrushCacheEntry *entry = static_cast<BrushCacheEntry *>(payload);
    if (entry->brush == brush) {
      if (--entry->useCount == 0) {
        DeleteObject(brush);
        HeapListRemove(&BrushCache, payload);
      }
      break;
    }
  }
  LeaveCriticalSection(&BrushCacheLock);
}

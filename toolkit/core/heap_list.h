// Doubly linked list of ProgramHeap nodes, newest at the head. Users see only
// payloads; the two links lie right ahead of each payload.
#pragma once
#include <cstdint>

struct HeapList {
  void *head; // newest node, or null
};

void *HeapListAdd(HeapList *list, int32_t payloadSize);
void HeapListRemove(HeapList *list, void *payload);
// Walking from the newest payload along the older links; null at the end.
void *HeapListNewest(const HeapList *list);
void *HeapListOlder(const void *payload);

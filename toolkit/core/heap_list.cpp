#include "toolkit/core/heap_list.h"

#include <windows.h>

#include "toolkit/core/program_heap.h"

namespace {

// The two link words ahead of every payload.
struct HeapListNode {
  HeapListNode *older;
  HeapListNode *newer;
};

HeapListNode *NodeOf(const void *payload) {
  return reinterpret_cast<HeapListNode *>(const_cast<void *>(payload)) - 1;
}

void *PayloadOf(HeapListNode *node) {
  return node ? node + 1 : nullptr;
}

} // namespace

void *HeapListAdd(HeapList *list, int32_t payloadSize) {
  if (payloadSize < 0) {
    return nullptr;
  }
  HeapListNode *node = static_cast<HeapListNode *>(
      HeapAlloc(ProgramHeap, HEAP_ZERO_MEMORY, sizeof(HeapListNode) + static_cast<SIZE_T>(payloadSize)));
  if (!node) {
    return nullptr;
  }
  HeapListNode *head = static_cast<HeapListNode *>(list->head);
  if (head) {
    head->newer = node;
    node->older = head;
  }
  list->head = node;
  return PayloadOf(node);
}

void HeapListRemove(HeapList *list, void *payload) {
  HeapListNode *node = NodeOf(payload);
  if (node == list->head) {
    list->head = node->older;
    if (node->older) {
      node->older->newer = nullptr;
    }
  } else {
    node->newer->older = node->older;
    if (node->older) {
      node->older->newer = node->newer;
    }
  }
  HeapFree(ProgramHeap, 0, node);
}

void *HeapListNewest(const HeapList *list) {
  return PayloadOf(static_cast<HeapListNode *>(list->head));
}

void *HeapListOlder(const void *payload) {
  return PayloadOf(NodeOf(payload)->older);
}

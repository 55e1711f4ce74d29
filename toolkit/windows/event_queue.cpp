// The FIFO of window events between the window procedure and the event wait.
#include "toolkit/windows/event_queue.h"

#include "toolkit/core/library_state.h"
#include "toolkit/core/program_heap.h"
#include "toolkit/windows/event.h"

void EventQueuePush(int32_t code, int32_t window) {
  EventState *state = LibraryStateGet(EventStateRecord);
  EventQueueNode *tail = state->queueTail;
  // A burst of equal events (moves or sizes during a drag) leaves one entry.
  if (tail != nullptr && tail->code == code && tail->window == window) {
    return;
  }
  EventQueueNode *node =
      static_cast<EventQueueNode *>(HeapAlloc(ProgramHeap, HEAP_ZERO_MEMORY, sizeof(EventQueueNode)));
  if (node == nullptr) {
    return;
  }
  node->code = code;
  node->window = window;
  if (tail != nullptr) {
    tail->next = node;
  } else {
    state->queueHead = node;
  }
  state->queueTail = node;
}

bool EventQueuePop(int32_t *code, int32_t *window) {
  EventState *state = LibraryStateGet(EventStateRecord);
  EventQueueNode *head = state->queueHead;
  if (head == nullptr) {
    return false;
  }
  *code = head->code;
  *window = head->window;
  state->queueHead = head->next;
  if (state->queueHead == nullptr) {
    state->queueTail = nullptr;
  }
  HeapFree(ProgramHeap, 0, head);
  return true;
}
